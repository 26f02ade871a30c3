#pragma once
// The Sector window (object name SectorWindow): the whole sector on one map in a view that pans (drag,
// scroll bars) and zooms (Ctrl and the wheel, fit to window), the pointer's hex and world in a status
// line, jump links and routes, and the map printed or exported as the command line makes it.

#include <QMainWindow>
#include <string>

#include "document/hex.h"
#include "files/sector.h"
#include "map/sector_map.h"
#include "map/space_overlay.h"
#include "sector_poster.h"

class QAction;
class QActionGroup;
class QLabel;
class QScrollArea;

namespace qelvar {

class Prompter;
class SectorCanvas;

class SectorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit SectorWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~SectorWindow() override;

    // Loads the sector of a folder (or of a DAT file with DATA.MNU beside it) and its routes, tells what
    // the readers found, and shows it at the zoom that fits the window. False when nothing was loaded.
    bool openSector(const std::string& path);

    const Sector& sector() const { return sector_; }
    // The sector itself, for putting back edits of one of its subsectors; redraw() shows them.
    Sector& sector() { return sector_; }
    const std::string& sectorPath() const { return path_; }
    double zoom() const;
    const SectorMapOptions& mapOptions() const { return options_; }
    // The hex ("ccrr") and the world the status line last showed for a point of the map (millimetres).
    QString statusAt(MapPoint point) const;
    SectorCanvas& canvas() { return *canvas_; }
    // What Print draws on: a function that hands the printer's surface and its page size to the poster.
    using PosterPrinter = std::function<void(const std::function<void(class PainterSurface&, QSizeF)>&)>;
    void setPosterPrinter(PosterPrinter printer) { printPoster_ = std::move(printer); }

signals:
    // A click on a subsector: it is to be loaded into the main window (0 = A .. 15 = P).
    void subsectorChosen(int index);
    // A double-click on a world: its subsector is to be loaded and the world's details opened.
    void worldChosen(Hex hex);

public slots:
    void redraw();
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void fitToWindow();
    void exportMap();
    void printMap();
    // Asks for two worlds (a hex or a name) and the jump, and draws the jump route between them with its jumps.
    void planRoute();

private:
    void buildMenus();
    void pointerMoved(MapPoint point);
    void clicked(MapPoint point);
    void doubleClicked(MapPoint point);
    void zoomAround(int steps, QPointF at);
    PosterPaper paper() const;
    // The View menu's jump links, routes and borders into the map's options.
    void applyViewChoices();
    // The sector world at a hex, or null.
    const SectorWorld* worldAt(const std::string& hex) const;
    // The routes the View menu shows: the sector's trade routes (worked out when first shown), then its own.
    std::vector<Route> shownRoutes();

    Prompter& prompter_;
    Sector sector_;
    std::string path_;
    SectorMapOptions options_;
    std::vector<Route> routes_;
    std::optional<std::vector<Route>> tradeRoutes_;
    std::vector<Route> plannedRoute_;
    SectorMetadata metadata_;  // the borders, regions and labels of the sector's metadata file
    SpaceOverlay overlay_;
    PosterPrinter printPoster_;

    QScrollArea* scroll_ = nullptr;
    SectorCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* routeStatus_ = nullptr;
    QAction* routesShown_ = nullptr;
    QAction* tradeShown_ = nullptr;
    QActionGroup* borders_ = nullptr;
    QActionGroup* jumps_ = nullptr;
    QActionGroup* papers_ = nullptr;
    QActionGroup* tiles_ = nullptr;
    QActionGroup* resolutions_ = nullptr;
    QAction* landscape_ = nullptr;
};

}  // namespace qelvar
