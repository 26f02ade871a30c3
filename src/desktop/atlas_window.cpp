#include "atlas_window.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "atlas_canvas.h"
#include "seams/prompter.h"
#include "space/jump_route.h"
#include "space/trade_routes.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"
#include "text_codec.h"

namespace qelvar {

namespace {

constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 3;
constexpr double kZoomStep = 1.25;

}  // namespace

AtlasWindow::AtlasWindow(Prompter& prompter, QWidget* parent) : QMainWindow(parent), prompter_(prompter) {
    setObjectName("AtlasWindow");
    setWindowTitle(tr("Charted space"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("AtlasScroll");
    scroll_->setAlignment(Qt::AlignCenter);
    canvas_ = new AtlasCanvas;
    scroll_->setWidget(canvas_);
    setCentralWidget(scroll_);
    status_ = new QLabel(this);
    status_->setObjectName("AtlasStatus");
    statusBar()->addWidget(status_, 1);
    routeStatus_ = new QLabel(this);
    routeStatus_->setObjectName("AtlasRouteStatus");
    statusBar()->addPermanentWidget(routeStatus_);
    connect(canvas_, &SectorCanvas::pointerMoved, this, [this](MapPoint p) { status_->setText(statusAt(p)); });
    connect(canvas_, &SectorCanvas::clicked, this, [this](MapPoint p) { status_->setText(statusAt(p)); });
    connect(canvas_, &SectorCanvas::doubleClicked, this, [this](MapPoint p) {
        const auto hex = atlasHexAt(p, area_, options_.k);
        const PlacedSector* placed = hex ? space_.sectorAt(sectorXOf(*hex), sectorYOf(*hex)) : nullptr;
        if (placed) {
            emit sectorChosen(placed->path, hex->x - placed->x * kSectorColumns + 1,
                              hex->y - placed->y * kSectorRows + 1);
        }
    });
    connect(canvas_, &SectorCanvas::zoomAsked, this, &AtlasWindow::zoomAround);
    connect(canvas_, &SectorCanvas::dragged, this, [this](QPoint delta) {
        scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() - delta.x());
        scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() - delta.y());
    });
    buildMenus();
    resize(1000, 750);
}

AtlasWindow::~AtlasWindow() = default;

void AtlasWindow::buildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        a->setCheckable(checkable);
        a->setChecked(checkable);
        menu->addAction(a);
        return a;
    };
    const auto choices = [&](QMenu* menu, const char* prefix, const QStringList& captions, int checked) {
        auto* group = new QActionGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            QAction* a = item(menu, (std::string(prefix) + std::to_string(i)).c_str(), captions[i], true);
            a->setChecked(i == checked);
            a->setData(i);
            group->addAction(a);
        }
        return group;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* print = item(file, "atlasPrint", tr("&Print..."));
    print->setShortcut(QKeySequence::Print);
    QAction* exportMap = item(file, "atlasExport", tr("&Export..."));
    file->addSeparator();
    papers_ = choices(file->addMenu(tr("Poster &paper")), "atlasPaper", {"A4", "A3", "A2", "A1", "A0"}, 0);
    tiles_ = choices(file->addMenu(tr("&Tiles")), "atlasTile", {tr("None: one sheet"), "A4", "A3"}, 0);
    landscape_ = item(file, "atlasLandscape", tr("&Landscape"), true);
    landscape_->setChecked(false);
    file->addSeparator();
    QAction* close = item(file, "atlasClose", tr("&Close"));
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)});

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* zoomIn = item(view, "atlasZoomIn", tr("Zoom &in"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = item(view, "atlasZoomOut", tr("Zoom &out"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* fit = item(view, "atlasFit", tr("&Fit to window"));
    QAction* actual = item(view, "atlasActualSize", tr("&100 %"));
    view->addSeparator();
    borders_ = choices(view->addMenu(tr("&Borders")), "atlasBorders", {tr("Given"), tr("Made"), tr("None")}, 0);
    regions_ = item(view, "atlasRegions", tr("R&egions"), true);
    labels_ = item(view, "atlasLabels", tr("&Labels"), true);
    routes_ = item(view, "atlasRoutes", tr("&Routes"), true);
    trade_ = item(view, "atlasTradeRoutes", tr("&Trade routes"), true);
    trade_->setChecked(false);
    view->addSeparator();
    QAction* plan = item(view, "atlasPlanRoute", tr("&Plan a route..."));
    connect(plan, &QAction::triggered, this, &AtlasWindow::planRoute);
    jumps_ = choices(view->addMenu(tr("&Jump links")), "atlasJump", {tr("None"), "1", "2", "3", "4", "5", "6"}, 0);

    connect(print, &QAction::triggered, this, &AtlasWindow::printMap);
    connect(exportMap, &QAction::triggered, this, &AtlasWindow::exportMap);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(zoomIn, &QAction::triggered, this, [this] { setZoom(zoom() * kZoomStep); });
    connect(zoomOut, &QAction::triggered, this, [this] { setZoom(zoom() / kZoomStep); });
    connect(fit, &QAction::triggered, this, &AtlasWindow::fitToWindow);
    connect(actual, &QAction::triggered, this, [this] { setZoom(1); });
    for (QActionGroup* group : {borders_, jumps_}) connect(group, &QActionGroup::triggered, this, &AtlasWindow::redraw);
    for (QAction* toggle : {regions_, labels_, routes_, trade_})
        connect(toggle, &QAction::toggled, this, &AtlasWindow::redraw);
}

bool AtlasWindow::openChartedSpace(const std::string& path) {
    auto loaded = [&] {
        BusyPointer busy(prompter_);
        return loadChartedSpace({path});
    }();
    if (!loaded) {
        prompter_.tell(Notices{loaded.failure()});
        return false;
    }
    prompter_.tell(loaded->notices);
    {
        BusyPointer busy(prompter_);
        space_ = std::move(loaded->value);
        traded_.reset();
        planned_.reset();
        routeStatus_->clear();
        area_ = atlasAreaOf(space_);
        given_ = spaceOverlay(space_, BorderChoice::Given);
        made_ = spaceOverlay(space_, BorderChoice::Made);
    }
    path_ = path;
    setWindowTitle(tr("Charted space %1").arg(fromBytes(fileNameOf(path))));
    fitToWindow();
    return true;
}

double AtlasWindow::zoom() const { return canvas_->zoom(); }

void AtlasWindow::showAt(double zoom, bool changed) {
    const int borders = borders_->checkedAction()->data().toInt();
    overlay_ = borders == 1 ? made_ : given_;
    overlay_.showBorders = borders != 2;
    overlay_.showRegions = regions_->isChecked();
    overlay_.showLabels = labels_->isChecked();
    options_.overlay = &overlay_;
    options_.routes = routes_->isChecked() || trade_->isChecked() || planned_.has_value();
    options_.jump = jumps_->checkedAction()->data().toInt();
    if (trade_->isChecked() && (!traded_ || traded_->first != routes_->isChecked())) {
        BusyPointer busy(prompter_);
        traded_.emplace(routes_->isChecked(), withTradeRoutes(space_, routes_->isChecked()));
    }
    canvas_->showSpace(shownSpace(), area_, options_, std::clamp(zoom, kMinZoom, kMaxZoom), changed);
}

void AtlasWindow::redraw() {
    if (planned_) {  // the route was planned over what was shown then
        planned_.reset();
        routeStatus_->clear();
    }
    showAt(zoom(), true);
}

void AtlasWindow::planRoute() {
    const std::string title = "Plan a route";
    const std::string from = prompter_.inputBox("From (\"Sector 1910\" or a world's name):", title, {});
    if (from.empty()) return;
    const std::string to = prompter_.inputBox("To (\"Sector 1910\" or a world's name):", title, {});
    if (to.empty()) return;
    const int jump = std::atoi(prompter_.inputBox("Jump (1 to 6):", title, "2").c_str());
    if (jump < 1 || jump > kMaxJump) return;
    planned_.reset();
    routeStatus_->clear();
    const std::vector<SpaceWorld> worlds = spaceWorldsOf(space_);
    const auto start = findSpaceWorld(space_, worlds, utf8FromCp1252(from));
    const auto end = findSpaceWorld(space_, worlds, utf8FromCp1252(to));
    const auto route =
        start && end ? planJumpRoute(worlds, *start, *end, {jump, Refuelling::Any, false}) : std::optional<JumpRoute>();
    if (!start || !end) {
        prompter_.message("No world \"" + (start ? to : from) + "\" in charted space", MessageIcon::Exclamation, title);
    } else if (!route) {
        prompter_.message("No route at jump " + std::to_string(jump) + " from " + from + " to " + to,
                          MessageIcon::Exclamation, title);
    } else {
        ChartedSpace shown = shownSpace();
        if (!options_.routes) {
            for (PlacedSector& placed : shown.sectors) placed.metadata.routes.clear();
        }
        auto& routes =
            shown.sectors[static_cast<std::size_t>(worlds[static_cast<std::size_t>(*start)].sector)].metadata.routes;
        for (Route& line : jumpRouteLines(worlds, *route)) routes.push_back(std::move(line));
        planned_ = std::move(shown);
        routeStatus_->setText(tr("%1 to %2: %3 %4, %5 %6")
                                  .arg(fromBytes(from), fromBytes(to))
                                  .arg(route->jumps())
                                  .arg(route->jumps() == 1 ? tr("jump") : tr("jumps"))
                                  .arg(route->hexes)
                                  .arg(route->hexes == 1 ? tr("hex") : tr("hexes")));
    }
    showAt(zoom(), true);
}

void AtlasWindow::setZoom(double zoom) { showAt(zoom, false); }

void AtlasWindow::fitToWindow() {
    const MapSize size = atlasMapSize(area_, options_.k);
    const QSize room = scroll_->viewport()->size();
    const double perMillimetre = canvas_->toWidget({1, 0}).x() / canvas_->zoom();
    showAt(std::min(room.width() / (size.width * perMillimetre), room.height() / (size.height * perMillimetre)), true);
}

void AtlasWindow::zoomAround(int steps, QPointF at) {
    const MapPoint fixed = canvas_->toMillimetres(at);
    const QPoint inViewport = canvas_->mapTo(scroll_->viewport(), at.toPoint());
    setZoom(zoom() * std::pow(kZoomStep, steps));
    const QPointF now = canvas_->toWidget(fixed);
    scroll_->horizontalScrollBar()->setValue(static_cast<int>(now.x()) - inViewport.x());
    scroll_->verticalScrollBar()->setValue(static_cast<int>(now.y()) - inViewport.y());
}

QString AtlasWindow::statusAt(MapPoint point) const {
    const auto hex = atlasHexAt(point, area_, options_.k);
    const PlacedSector* placed = hex ? space_.sectorAt(sectorXOf(*hex), sectorYOf(*hex)) : nullptr;
    if (!placed) return tr("-");
    const int column = hex->x - placed->x * kSectorColumns + 1;
    const int row = hex->y - placed->y * kSectorRows + 1;
    QString text = fromBytes(std::string(trimBlanks(placed->sector.name))) + "  " +
                   QString::fromStdString(formatFourDigits(column * 100 + row));
    if (const SectorWorld* world = space_.worldAt(*hex)) {
        const std::string uwp = world->record.uwp.shown();
        text += "  " + fromBytes(std::string(world->record.name.trimmed())) + "  " +
                fromBytes(uwp.substr(0, 7) + "-" + uwp.substr(7, 1)) + "  " + fromBytes(worldAllegiance(*world));
    }
    return text;
}

MapDrawing AtlasWindow::drawing() const {
    return {atlasMapSize(area_, options_.k), std::string(fileNameOf(path_)),
            [this](Surface& surface, bool printed, std::optional<MapBox> visible) {
                AtlasOptions drawn = options_;
                drawn.printed = printed;
                drawn.visible = visible;
                drawAtlasMap(shownSpace(), area_, surface, drawn);
            }};
}

PosterPaper AtlasWindow::paper() const {
    PosterPaper paper;
    paper.paper = papers_->checkedAction()->text().toStdString();
    const int tile = tiles_->checkedAction()->data().toInt();
    paper.tile = tile == 0 ? std::string() : tiles_->checkedAction()->text().toStdString();
    paper.landscape = landscape_->isChecked();
    return paper;
}

void AtlasWindow::exportMap() {
    const auto chosen = prompter_.saveFileName(path_, "Pictures (*.png *.svg *.pdf)");
    if (!chosen) return;
    const std::string extension = lowerAscii(chosen->substr(std::min(chosen->size(), chosen->find_last_of('.'))));
    if (extension != ".png" && extension != ".svg" && extension != ".pdf") {
        prompter_.message(
            "Cannot write \"" + *chosen + "\": the picture's type is chosen by its extension, one of .png .svg .pdf",
            MessageIcon::Exclamation);
        return;
    }
    std::string bytes;
    {
        BusyPointer busy(prompter_);
        bytes = extension == ".pdf" ? mapPdf(drawing(), paper())
                                    : mapPicture(drawing(), 96, extension == ".svg" ? "SVG" : "PNG");
    }
    if (bytes.empty()) {
        prompter_.message("Cannot write \"" + *chosen + "\": the map could not be encoded", MessageIcon::Exclamation);
        return;
    }
    if (const Result<> written = writeFileAtomically(*chosen, bytes); !written) {
        prompter_.message(written.error(), MessageIcon::Exclamation);
    }
}

void AtlasWindow::printMap() {
    if (!printPoster_) return;
    const PosterPaper chosen = paper();
    const MapDrawing map = drawing();
    printPoster_([&map, &chosen](PainterSurface& surface, QSizeF page) {
        drawMapPoster(map, surface, page, !chosen.tile.empty());
    });
}

}  // namespace qelvar
