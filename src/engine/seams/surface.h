#pragma once
// The retained-state drawing surface that the map and the printed pages draw on. The surface keeps a pen
// position, a foreground colour F, a fill colour and style, a line style and width and a current font;
// every operation uses that state, and drawing a line moves the pen to its end. The pen and the state are
// tracked here, once, so that every implementation (a Qt painter over an image, SVG or a printer, and the
// recording surface of the tests and the command line) moves the pen identically.
//
// Units: millimetres from the top-left corner, or character cells (1/12 inch across, 1/6 inch down) for
// text pages. Font sizes are in points, line widths in device dots.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colours {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
}  // namespace colours

// A point of a polygon, in the surface unit.
struct SurfacePoint {
    double x = 0;
    double y = 0;
};

enum class SurfaceUnit { Millimetres, CharacterCells };
enum class FillStyle { Solid, Transparent };
enum class LineStyle { Solid, DashDot, Dash, Dot };

struct FontSpec {
    std::string name = "Small Fonts";
    double size = 7;  // points
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    // --- retained state -------------------------------------------------------------------------------
    SurfaceUnit unit() const { return unit_; }
    // Changes the unit; the pen keeps its place on the page, given in the new unit.
    void setUnit(SurfaceUnit unit);

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double x) { x_ = x; }
    void setCurrentY(double y) { y_ = y; }
    void setPen(double x, double y) {
        x_ = x;
        y_ = y;
    }

    Rgb backColour() const { return back_; }
    void setBackColour(Rgb colour) { back_ = colour; }
    Rgb foreColour() const { return fore_; }
    void setForeColour(Rgb colour) { fore_ = colour; }
    Rgb fillColour() const { return fill_; }
    void setFillColour(Rgb colour) { fill_ = colour; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    LineStyle drawStyle() const { return drawStyle_; }
    void setDrawStyle(LineStyle style) { drawStyle_ = style; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int dots) { drawWidth_ = dots < 1 ? 1 : dots; }

    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& font) { font_ = font; }
    void setFontName(std::string_view name) { font_.name = std::string(name); }
    void setFontSize(double points) { font_.size = points; }
    void setFontBold(bool bold) { font_.bold = bold; }
    void setFontUnderline(bool underline) { font_.underline = underline; }

    // --- operations -----------------------------------------------------------------------------------
    // Clears to the background colour; the pen goes to (0, 0).
    void cls();
    // A line in F with the current line style and width; the pen ends at (x2, y2).
    void line(double x1, double y1, double x2, double y2);
    // A line from the pen.
    void lineTo(double x, double y) { line(x_, y_, x, y); }
    // A rectangle outline in F from corner to corner; the pen ends at (x2, y2).
    void box(double x1, double y1, double x2, double y2);
    // A circle outlined in F with the current line style, filled with the fill colour when the fill
    // style is solid. The pen is not moved.
    void circle(double cx, double cy, double radius);
    // A polygon filled with the fill colour at `opacity` (0 clear to 1 solid), without an outline, whatever
    // the fill style. The pen is not moved.
    void polygon(const std::vector<SurfacePoint>& points, double opacity);
    // Text in F and the current font with the top-left of its first character cell at the pen. With
    // endLine the pen then goes to x = 0 of the next text line (lineHeight() further down); without it
    // the pen stays on the line, after the text.
    void print(std::string_view text, bool endLine = true);

    // The height of one text line in the current unit: 1.2 times the font size. Every implementation
    // uses this same figure, so the pen after a text is the same whatever the device.
    double lineHeight() const;
    // The width of a text in the current font, in the current unit.
    virtual double textWidth(std::string_view text) = 0;

    // Ends a printer job (the document goes to the printer); nothing on other surfaces.
    virtual void endDoc() {}
    // Starts a new page of a printer job; the pen goes to (0, 0). Text written in character cells that
    // would reach below the page's printable height starts a new page by itself, at the top.
    void newPage();
    // The printable height of a page in millimetres; none on surfaces without pages.
    virtual std::optional<double> pageHeightMillimetres() const { return std::nullopt; }
    // The surface's image as a Windows BMP file, for surfaces that hold an image; nothing otherwise.
    virtual std::optional<std::string> imageAsBmp() { return std::nullopt; }

protected:
    // Points as a distance in the current unit, across and down.
    double pointsAcross(double points) const;
    double pointsDown(double points) const;

    virtual void drawClear() = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2) = 0;
    virtual void drawCircle(double cx, double cy, double radius) = 0;
    virtual void drawText(double x, double y, std::string_view text) = 0;
    virtual void drawPolygon(const std::vector<SurfacePoint>& points, double opacity) = 0;
    virtual void drawNewPage() {}

private:
    SurfaceUnit unit_ = SurfaceUnit::Millimetres;
    double x_ = 0;
    double y_ = 0;
    Rgb back_ = colours::kWhite;
    Rgb fore_ = colours::kBlack;
    Rgb fill_ = colours::kBlack;
    FillStyle fillStyle_ = FillStyle::Transparent;
    LineStyle drawStyle_ = LineStyle::Solid;
    int drawWidth_ = 1;
    FontSpec font_;
};

}  // namespace qelvar
