#include "seams/surface.h"

namespace qelvar {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;
constexpr double kPointsPerCellAcross = 72.0 / 12.0;
constexpr double kPointsPerCellDown = 72.0 / 6.0;
constexpr double kLineSpacing = 1.2;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kCellsPerInchAcross = 12;
constexpr double kCellsPerInchDown = 6;

// Millimetres in one unit, across and down.
double millimetresAcross(SurfaceUnit unit) {
    return unit == SurfaceUnit::Millimetres ? 1 : kMillimetresPerInch / kCellsPerInchAcross;
}
double millimetresDown(SurfaceUnit unit) {
    return unit == SurfaceUnit::Millimetres ? 1 : kMillimetresPerInch / kCellsPerInchDown;
}

}  // namespace

void Surface::setUnit(SurfaceUnit unit) {
    if (unit == unit_) return;
    x_ = x_ * millimetresAcross(unit_) / millimetresAcross(unit);
    y_ = y_ * millimetresDown(unit_) / millimetresDown(unit);
    unit_ = unit;
}

void Surface::newPage() {
    drawNewPage();
    setPen(0, 0);
}

void Surface::cls() {
    drawClear();
    setPen(0, 0);
}

void Surface::line(double x1, double y1, double x2, double y2) {
    drawLine(x1, y1, x2, y2);
    setPen(x2, y2);
}

void Surface::box(double x1, double y1, double x2, double y2) {
    drawBox(x1, y1, x2, y2);
    setPen(x2, y2);
}

void Surface::circle(double cx, double cy, double radius) { drawCircle(cx, cy, radius); }

void Surface::polygon(const std::vector<SurfacePoint>& points, double opacity) {
    if (points.size() >= 3) drawPolygon(points, opacity < 0 ? 0 : opacity > 1 ? 1 : opacity);
}

void Surface::print(std::string_view text, bool endLine) {
    if (unit_ == SurfaceUnit::CharacterCells && y_ > 0) {
        if (const auto height = pageHeightMillimetres()) {
            if (y_ + lineHeight() > *height / millimetresDown(unit_)) {
                const double x = x_;
                newPage();
                x_ = x;
            }
        }
    }
    drawText(x_, y_, text);
    if (endLine) {
        setPen(0, y_ + lineHeight());
    } else {
        x_ += textWidth(text);
    }
}

double Surface::lineHeight() const { return pointsDown(font_.size * kLineSpacing); }

double Surface::pointsAcross(double points) const {
    return unit_ == SurfaceUnit::Millimetres ? points * kMillimetresPerPoint : points / kPointsPerCellAcross;
}

double Surface::pointsDown(double points) const {
    return unit_ == SurfaceUnit::Millimetres ? points * kMillimetresPerPoint : points / kPointsPerCellDown;
}

}  // namespace qelvar
