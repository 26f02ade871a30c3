#pragma once
// A surface that draws nothing and writes every operation as one line of text (the .ops format): fields
// separated by a TAB, coordinates and radii in the surface unit with three decimals, colours #rrggbb,
// line widths in whole device dots, font sizes in points (shortest decimal form):
//
//   cls     BACKCOLOUR
//   line    X1 Y1 X2 Y2 COLOUR STYLE WIDTH          STYLE is solid, dashdot, dash or dot
//   box     X1 Y1 X2 Y2 COLOUR STYLE WIDTH
//   circle  CX CY R COLOUR FILL STYLE                FILL is a colour, or none when transparent
//   text    X Y COLOUR FONT SIZE BOLD UNDERLINE TEXT X Y is the top-left of the first character cell
//   polygon COLOUR OPACITY X1 Y1 X2 Y2 ...           filled, no outline; OPACITY 0 to 1
//   enddoc
//   newpage                                          a printer job goes on to a new page
//
// Text bytes are written as they are, except that a TAB, CR, LF or NUL inside a text becomes a blank so
// that one operation stays one line. Lines end with LF.
//
// Text widths are estimated as half the font size per character; only the stay-on-line form of print
// uses them.

#include <optional>
#include <string>

#include "seams/surface.h"

namespace qelvar {

class RecordingSurface : public Surface {
public:
    // Everything recorded so far.
    const std::string& text() const { return text_; }
    void clearRecording() { text_.clear(); }

    double textWidth(std::string_view text) override;
    void endDoc() override;
    // Pages of this printable height (millimetres) as a printer would have them; none by default.
    void setPageHeight(std::optional<double> millimetres) { pageHeight_ = millimetres; }
    std::optional<double> pageHeightMillimetres() const override { return pageHeight_; }

protected:
    void drawClear() override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawCircle(double cx, double cy, double radius) override;
    void drawText(double x, double y, std::string_view text) override;
    void drawPolygon(const std::vector<SurfacePoint>& points, double opacity) override;
    void drawNewPage() override;

private:
    void lineOp(const char* op, double x1, double y1, double x2, double y2);

    std::string text_;
    std::optional<double> pageHeight_;
};

}  // namespace qelvar
