#include "map/space_overlay.h"

#include <algorithm>

#include "map/map_drawing.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr int kBorderWidth = 4;  // device dots
constexpr double kRegionOpacity = 0.3;
constexpr double kBorderLabelSize = 11;
constexpr double kSmallLabelSize = 8;
constexpr double kLargeLabelSize = 14;
constexpr Rgb kLabelOnScreen{220, 220, 220};
constexpr Rgb kLabelOnPaper{90, 90, 90};
constexpr std::size_t kWrapWidth = 12;  // characters a wrapped label's line may reach before it breaks

MapPoint cornerPoint(const HexCorner& corner, const SpacePlace& place) {
    return hexOutline(spaceHexAnchor(corner.hex, place), place.k)[static_cast<std::size_t>(corner.corner)];
}

std::vector<SurfacePoint> pointsOf(const CornerLoop& loop, const SpacePlace& place) {
    std::vector<SurfacePoint> points;
    points.reserve(loop.size());
    for (const HexCorner& corner : loop) {
        const MapPoint p = cornerPoint(corner, place);
        points.push_back({p.x, p.y});
    }
    return points;
}

bool visible(const std::vector<SurfacePoint>& points, const SpacePlace& place) {
    if (!place.visible || points.empty()) return !points.empty();
    double left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (const SurfacePoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const auto& v = *place.visible;
    return right >= v[0] && left <= v[2] && bottom >= v[1] && top <= v[3];
}

// The polygon cut to the box, one edge of the box at a time (Sutherland-Hodgman).
std::vector<SurfacePoint> clipPolygon(std::vector<SurfacePoint> points, const MapBox& box) {
    const auto cut = [&](auto inside, auto cross) {
        std::vector<SurfacePoint> kept;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const SurfacePoint a = points[i];
            const SurfacePoint b = points[(i + 1) % points.size()];
            if (inside(a)) kept.push_back(a);
            if (inside(a) != inside(b)) kept.push_back(cross(a, b));
        }
        points = std::move(kept);
    };
    const auto atX = [](double x) {
        return [x](SurfacePoint a, SurfacePoint b) {
            return SurfacePoint{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
        };
    };
    const auto atY = [](double y) {
        return [y](SurfacePoint a, SurfacePoint b) {
            return SurfacePoint{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
        };
    };
    cut([&](SurfacePoint p) { return p.x >= box.left; }, atX(box.left));
    cut([&](SurfacePoint p) { return p.x <= box.right; }, atX(box.right));
    cut([&](SurfacePoint p) { return p.y >= box.top; }, atY(box.top));
    cut([&](SurfacePoint p) { return p.y <= box.bottom; }, atY(box.bottom));
    return points;
}

// The lines of a label: split at its line breaks and, when wrapped, between words so that a line of more
// than one word stays within kWrapWidth characters.
std::vector<std::string> labelLines(std::string_view text, bool wrap) {
    std::vector<std::string> lines;
    for (std::string_view part : splitLines(text)) {
        if (!wrap) {
            lines.emplace_back(part);
            continue;
        }
        std::string line;
        while (!part.empty()) {
            const std::size_t blank = part.find(' ');
            const std::string_view word = part.substr(0, blank);
            part = blank == std::string_view::npos ? std::string_view() : part.substr(blank + 1);
            if (word.empty()) continue;
            if (!line.empty() && line.size() + 1 + word.size() > kWrapWidth) {
                lines.push_back(std::move(line));
                line.clear();
            }
            line += (line.empty() ? "" : " ") + std::string(word);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void drawLabel(const SpaceLabel& label, Surface& surface, const SpacePlace& place, Rgb fallback, double size,
               bool bold) {
    const MapPoint centre = hexCentre(spaceHexAnchor(label.hex, place), place.k);
    if (place.clip && (centre.x < place.clip->left || centre.x > place.clip->right || centre.y < place.clip->top ||
                       centre.y > place.clip->bottom))
        return;
    if (place.visible) {
        const auto& v = *place.visible;
        const double reach = 60 * place.k;
        if (centre.x < v[0] - reach || centre.x > v[2] + reach || centre.y < v[1] - reach || centre.y > v[3] + reach)
            return;
    }
    const Rgb colour = label.colour.value_or(fallback);
    const bool pale = colour.r + colour.g + colour.b > 3 * 200;
    surface.setForeColour(place.printed && pale ? kLabelOnPaper : colour);
    surface.setFont({kTitleFont, size, bold, false});
    const std::vector<std::string> lines = labelLines(label.text, label.wrap);
    double y = centre.y - surface.lineHeight() * static_cast<double>(lines.size()) / 2;
    for (const std::string& line : lines) {
        surface.setPen(centre.x - surface.textWidth(line) / 2, y);
        surface.print(line, false);
        y += surface.lineHeight();
    }
}

}  // namespace

std::optional<BorderChoice> borderChoiceNamed(std::string_view name) {
    if (name == "given") return BorderChoice::Given;
    if (name == "made") return BorderChoice::Made;
    if (name == "none") return BorderChoice::None;
    return std::nullopt;
}

SpaceOverlay spaceOverlay(const ChartedSpace& space, BorderChoice borders, int distance) {
    SpaceOverlay overlay;
    if (borders == BorderChoice::Given) overlay.borders = givenBorders(space);
    if (borders == BorderChoice::Made) overlay.borders = madeBorders(space, distance);
    overlay.regions = spaceRegions(space);
    overlay.labels = spaceLabels(space);
    return overlay;
}

MapPoint spaceHexAnchor(SpaceHex hex, const SpacePlace& place) {
    const double k = place.k;
    return {place.origin.x + 9 * k * hex.x, place.origin.y + 10 * k * hex.y + ((hex.x & 1) != 0 ? 5 * k : 0)};
}

void drawSpaceRegions(const SpaceOverlay& overlay, Surface& surface, const SpacePlace& place) {
    if (!overlay.showRegions) return;
    const Rgb saved = surface.fillColour();
    for (const SpaceRegion& region : overlay.regions) {
        std::vector<SurfacePoint> points = pointsOf(region.line, place);
        if (place.clip) points = clipPolygon(std::move(points), *place.clip);
        if (!visible(points, place)) continue;
        surface.setFillColour(region.colour);
        surface.polygon(points, kRegionOpacity);
    }
    surface.setFillColour(saved);
}

void drawSpaceBorders(const SpaceOverlay& overlay, Surface& surface, const SpacePlace& place) {
    const Rgb savedFore = surface.foreColour();
    const FontSpec savedFont = surface.font();
    if (overlay.showBorders) {
        surface.setDrawWidth(kBorderWidth);
        for (const Polity& polity : overlay.borders) {
            surface.setForeColour(polity.colour);
            surface.setDrawStyle(polity.style);
            for (const CornerLoop& loop : polity.lines) {
                const std::vector<SurfacePoint> points = pointsOf(loop, place);
                if (!visible(points, place)) continue;
                for (std::size_t i = 0; i < points.size(); ++i) {
                    MapPoint a{points[i].x, points[i].y};
                    MapPoint b{points[(i + 1) % points.size()].x, points[(i + 1) % points.size()].y};
                    if (!place.clip || clipSegment(a, b, *place.clip)) surface.line(a.x, a.y, b.x, b.y);
                }
            }
        }
        surface.setDrawWidth(1);
        surface.setDrawStyle(LineStyle::Solid);
    }
    if (overlay.showLabels) {
        if (overlay.showBorders) {
            for (const Polity& polity : overlay.borders) {
                for (const SpaceLabel& label : polity.labels)
                    drawLabel(label, surface, place, polity.colour, kBorderLabelSize, true);
            }
        }
        if (overlay.showRegions) {
            for (const SpaceRegion& region : overlay.regions) {
                if (region.label) drawLabel(*region.label, surface, place, region.colour, kBorderLabelSize, false);
            }
        }
        for (const SpaceLabel& label : overlay.labels) {
            drawLabel(label, surface, place, kLabelOnScreen, label.large ? kLargeLabelSize : kSmallLabelSize, false);
        }
    }
    surface.setForeColour(savedFore);
    surface.setFont(savedFont);
}

}  // namespace qelvar
