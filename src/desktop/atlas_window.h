#pragma once
// The atlas window (object name AtlasWindow): every sector of a folder of charted space side by side, in a
// view that pans (drag, scroll bars) and zooms (Ctrl and the wheel, View menu, fit to window) as the Sector
// window does. The status line names the sector, the hex and the world under the pointer (a click keeps it
// there); a double-click opens that sector in the Sector window, and the details of the world double-clicked. The View
// menu chooses the borders (given, made, none), the regions, labels, routes, trade routes and jump links; Print and
// Export make the poster, tiles or picture.

#include <QMainWindow>
#include <optional>
#include <string>
#include <utility>

#include "map/atlas_map.h"
#include "sector_poster.h"
#include "sector_window.h"

class QAction;
class QActionGroup;
class QLabel;
class QScrollArea;

namespace qelvar {

class AtlasCanvas;
class Prompter;

class AtlasWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit AtlasWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~AtlasWindow() override;

    // Loads the folder's sectors, tells what the readers found, and shows them fitted to the window. False
    // when no sector was read.
    bool openChartedSpace(const std::string& path);

    const ChartedSpace& space() const { return space_; }
    // What the map shows: the sectors, with their trade routes among their routes when the View menu asks.
    const ChartedSpace& shownSpace() const {
        if (planned_) return *planned_;
        return traded_ && trade_->isChecked() ? traded_->second : space_;
    }
    const SpaceOverlay& overlay() const { return overlay_; }
    double zoom() const;
    // The status line's text for a point of the map (millimetres).
    QString statusAt(MapPoint point) const;
    AtlasCanvas& canvas() { return *canvas_; }
    void setPosterPrinter(SectorWindow::PosterPrinter printer) { printPoster_ = std::move(printer); }

signals:
    // A double-click on a sector: its file is to be shown in the Sector window, and the details of the world
    // at the sector hex (column, row) opened when there is one.
    void sectorChosen(const std::string& path, int column, int row);

public slots:
    void redraw();
    void setZoom(double zoom);
    void fitToWindow();
    void exportMap();
    void printMap();
    // Asks for two worlds ("Sector 1910" or a name) and the jump, and draws the jump route between them with its
    // jumps; a route of no jumps, or none found, clears the last one.
    void planRoute();

private:
    void buildMenus();
    void zoomAround(int steps, QPointF at);
    void showAt(double zoom, bool changed);
    MapDrawing drawing() const;
    PosterPaper paper() const;

    Prompter& prompter_;
    ChartedSpace space_;
    // The sectors with their trade routes, worked out when first shown, and whether their own routes are kept.
    std::optional<std::pair<bool, ChartedSpace>> traded_;
    // What is shown with a planned route among the routes of its first sector.
    std::optional<ChartedSpace> planned_;
    AtlasArea area_;
    SpaceOverlay given_;
    SpaceOverlay made_;
    SpaceOverlay overlay_;  // what is shown: given_ or made_ or neither, with the View menu's choices
    AtlasOptions options_;
    std::string path_;
    SectorWindow::PosterPrinter printPoster_;

    QScrollArea* scroll_ = nullptr;
    AtlasCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* routeStatus_ = nullptr;
    QActionGroup* borders_ = nullptr;
    QActionGroup* jumps_ = nullptr;
    QAction* regions_ = nullptr;
    QAction* labels_ = nullptr;
    QAction* routes_ = nullptr;
    QAction* trade_ = nullptr;
    QActionGroup* papers_ = nullptr;
    QActionGroup* tiles_ = nullptr;
    QAction* landscape_ = nullptr;
};

}  // namespace qelvar
