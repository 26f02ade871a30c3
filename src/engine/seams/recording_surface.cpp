#include "seams/recording_surface.h"

#include <charconv>
#include <cmath>

namespace qelvar {

namespace {

constexpr double kAverageCharacterWidth = 0.5;  // of the font size

std::string styleName(LineStyle style) {
    switch (style) {
        case LineStyle::DashDot:
            return "dashdot";
        case LineStyle::Dash:
            return "dash";
        case LineStyle::Dot:
            return "dot";
        case LineStyle::Solid:
            break;
    }
    return "solid";
}

std::string pointSize(double size) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return std::string(buffer, result.ptr);
}

// A number with three decimals, a colour as #rrggbb: the field forms of the .ops format.
std::string opsNumber(double value) {
    if (!std::isfinite(value)) return "0.000";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (result.ec != std::errc()) return "0.000";
    std::string text(buffer, result.ptr);
    if (text == "-0.000") text = "0.000";
    return text;
}

std::string opsColour(Rgb colour) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t part : {colour.r, colour.g, colour.b}) {
        text.push_back(kHex[part >> 4]);
        text.push_back(kHex[part & 0x0f]);
    }
    return text;
}

}  // namespace

double RecordingSurface::textWidth(std::string_view text) {
    return static_cast<double>(text.size()) * pointsAcross(font().size * kAverageCharacterWidth);
}

void RecordingSurface::endDoc() { text_ += "enddoc\n"; }

void RecordingSurface::drawNewPage() { text_ += "newpage\n"; }

void RecordingSurface::drawClear() { text_ += "cls\t" + opsColour(backColour()) + "\n"; }

void RecordingSurface::lineOp(const char* op, double x1, double y1, double x2, double y2) {
    text_ += op;
    for (const double v : {x1, y1, x2, y2}) text_ += "\t" + opsNumber(v);
    text_ += "\t" + opsColour(foreColour()) + "\t" + styleName(drawStyle()) + "\t" + std::to_string(drawWidth()) + "\n";
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2) { lineOp("line", x1, y1, x2, y2); }

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2) { lineOp("box", x1, y1, x2, y2); }

void RecordingSurface::drawCircle(double cx, double cy, double radius) {
    text_ += "circle\t" + opsNumber(cx) + "\t" + opsNumber(cy) + "\t" + opsNumber(radius) + "\t" +
             opsColour(foreColour()) + "\t" +
             (fillStyle() == FillStyle::Solid ? opsColour(fillColour()) : std::string("none")) + "\t" +
             styleName(drawStyle()) + "\n";
}

void RecordingSurface::drawPolygon(const std::vector<SurfacePoint>& points, double opacity) {
    text_ += "polygon\t" + opsColour(fillColour()) + "\t" + opsNumber(opacity);
    for (const SurfacePoint& p : points) text_ += "\t" + opsNumber(p.x) + "\t" + opsNumber(p.y);
    text_ += "\n";
}

void RecordingSurface::drawText(double x, double y, std::string_view text) {
    const FontSpec& f = font();
    text_ += "text\t" + opsNumber(x) + "\t" + opsNumber(y) + "\t" + opsColour(foreColour()) + "\t" + f.name + "\t" +
             pointSize(f.size) + "\t" + (f.bold ? "1" : "0") + "\t" + (f.underline ? "1" : "0") + "\t";
    for (const char c : text) {
        text_.push_back(c == '\t' || c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
    }
    text_ += "\n";
}

}  // namespace qelvar
