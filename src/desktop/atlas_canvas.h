#pragma once
// The atlas window's map (object name AtlasMap): charted space drawn in square tiles at the window's zoom,
// only the tiles the window shows, each drawn once and kept. After a zoom the tiles of the zoom before are
// shown scaled at once, and the new ones are drawn one at a time while the window idles. The pointer, drag,
// click and wheel work as on the Sector window's map.

#include <QTimer>
#include <map>
#include <optional>

#include "map/atlas_map.h"
#include "sector_canvas.h"

namespace qelvar {

class AtlasCanvas : public SectorCanvas {
    Q_OBJECT
public:
    explicit AtlasCanvas(QWidget* parent = nullptr);

    // Shows the block of charted space at the zoom; the tiles drawn before are dropped when the space or
    // the options changed (`changed`), else kept for the scaled view until the new ones are drawn.
    void showSpace(const ChartedSpace& space, const AtlasArea& area, const AtlasOptions& options, double zoom,
                   bool changed);
    // Draws every tile the window shows now (tests, printing the screen).
    void finishTiles();
    std::size_t tilesKept() const { return tiles_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    using TileKey = std::pair<int, int>;  // column, row of the tile grid
    QImage drawTile(TileKey key) const;
    void drawNextTile();
    QRect tileRect(TileKey key) const;

    const ChartedSpace* space_ = nullptr;
    AtlasArea area_;
    AtlasOptions options_;
    std::map<TileKey, QImage> tiles_;
    std::map<TileKey, QImage> before_;  // the tiles of the zoom before, shown scaled meanwhile
    double beforeZoom_ = 0;
    std::vector<TileKey> wanted_;
    QTimer idle_;
};

}  // namespace qelvar
