#include "sector_window.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "files/sector_folder.h"
#include "painter_surface.h"
#include "sector_canvas.h"
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

constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 3;
constexpr double kZoomStep = 1.25;

// The profile as the main window's location line shows it: "A-788899-C" and the trade codes.
QString profileOf(const WorldRecord& w) {
    const std::string uwp = w.uwp.shown();
    return fromBytes(uwp.substr(0, 1) + "-" + uwp.substr(1, 6) + "-" + uwp.substr(7, 1) + " " +
                     std::string(w.tradeCodes.trimmed()));
}

}  // namespace

SectorWindow::SectorWindow(Prompter& prompter, QWidget* parent) : QMainWindow(parent), prompter_(prompter) {
    setObjectName("SectorWindow");
    setWindowTitle(tr("Sector"));
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("SectorScroll");
    scroll_->setAlignment(Qt::AlignCenter);
    canvas_ = new SectorCanvas;
    scroll_->setWidget(canvas_);
    setCentralWidget(scroll_);
    status_ = new QLabel(this);
    status_->setObjectName("SectorStatus");
    statusBar()->addWidget(status_, 1);
    routeStatus_ = new QLabel(this);
    routeStatus_->setObjectName("SectorRouteStatus");
    statusBar()->addPermanentWidget(routeStatus_);
    connect(canvas_, &SectorCanvas::pointerMoved, this, &SectorWindow::pointerMoved);
    connect(canvas_, &SectorCanvas::clicked, this, &SectorWindow::clicked);
    connect(canvas_, &SectorCanvas::doubleClicked, this, &SectorWindow::doubleClicked);
    connect(canvas_, &SectorCanvas::zoomAsked, this, &SectorWindow::zoomAround);
    connect(canvas_, &SectorCanvas::dragged, this, [this](QPoint delta) {
        scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() - delta.x());
        scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() - delta.y());
    });
    buildMenus();
    resize(900, 700);
}

SectorWindow::~SectorWindow() = default;

void SectorWindow::buildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        menu->addAction(a);
        return a;
    };
    const auto choices = [&](QMenu* menu, const char* prefix, const QStringList& captions, int checked) {
        auto* group = new QActionGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            QAction* a = item(menu, (std::string(prefix) + std::to_string(i)).c_str(), captions[i]);
            a->setCheckable(true);
            a->setChecked(i == checked);
            a->setData(i);
            group->addAction(a);
        }
        return group;
    };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* print = item(file, "sectorPrint", tr("&Print..."));
    print->setShortcut(QKeySequence::Print);
    QAction* exportMap = item(file, "sectorExport", tr("&Export..."));
    file->addSeparator();
    QMenu* paperMenu = file->addMenu(tr("Poster &paper"));
    papers_ = choices(paperMenu, "sectorPaper", {"A4", "A3", "A2", "A1", "A0"}, 2);
    QMenu* tileMenu = file->addMenu(tr("&Tiles"));
    tiles_ = choices(tileMenu, "sectorTile", {tr("None: one sheet"), "A4", "A3"}, 0);
    landscape_ = item(file, "sectorLandscape", tr("&Landscape"));
    landscape_->setCheckable(true);
    QMenu* dpiMenu = file->addMenu(tr("Picture &resolution"));
    resolutions_ = choices(dpiMenu, "sectorDpi", {"96 dpi", "150 dpi", "300 dpi"}, 0);
    file->addSeparator();
    QAction* close = item(file, "sectorClose", tr("&Close"));
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)});

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* zoomIn = item(view, "sectorZoomIn", tr("Zoom &in"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = item(view, "sectorZoomOut", tr("Zoom &out"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* fit = item(view, "sectorFit", tr("&Fit to window"));
    QAction* actual = item(view, "sectorActualSize", tr("&100 %"));
    view->addSeparator();
    QMenu* jumpMenu = view->addMenu(tr("&Jump links"));
    jumps_ = choices(jumpMenu, "sectorJump", {tr("None"), "1", "2", "3", "4", "5", "6"}, 0);
    routesShown_ = item(view, "sectorRoutes", tr("&Routes"));
    routesShown_->setCheckable(true);
    routesShown_->setChecked(true);
    tradeShown_ = item(view, "sectorTradeRoutes", tr("&Trade routes"));
    tradeShown_->setCheckable(true);
    view->addSeparator();
    QAction* plan = item(view, "sectorPlanRoute", tr("&Plan a route..."));
    connect(plan, &QAction::triggered, this, &SectorWindow::planRoute);
    // Given when the metadata has borders, else made from the allegiances (a generated sector has them at once).
    borders_ = choices(view->addMenu(tr("&Borders")), "sectorBorders", {tr("Given"), tr("Made"), tr("None")}, 1);

    connect(print, &QAction::triggered, this, &SectorWindow::printMap);
    connect(exportMap, &QAction::triggered, this, &SectorWindow::exportMap);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(zoomIn, &QAction::triggered, this, &SectorWindow::zoomIn);
    connect(zoomOut, &QAction::triggered, this, &SectorWindow::zoomOut);
    connect(fit, &QAction::triggered, this, &SectorWindow::fitToWindow);
    connect(actual, &QAction::triggered, this, [this] { setZoom(1); });
    connect(jumps_, &QActionGroup::triggered, this, &SectorWindow::redraw);
    connect(routesShown_, &QAction::toggled, this, &SectorWindow::redraw);
    connect(tradeShown_, &QAction::toggled, this, &SectorWindow::redraw);
    connect(borders_, &QActionGroup::triggered, this, &SectorWindow::redraw);
}

bool SectorWindow::openSector(const std::string& path) {
    auto loaded = [&] {
        BusyPointer busy(prompter_);
        return loadSectorPath(path);
    }();
    if (!loaded) {
        prompter_.tell(Notices{loaded.failure()});
        return false;
    }
    prompter_.tell(loaded->notices);
    sector_ = std::move(loaded->value);
    path_ = path;
    routes_.clear();
    tradeRoutes_.reset();
    plannedRoute_.clear();
    routeStatus_->clear();
    if (const std::string metadata = sectorRoutesPath(path); !metadata.empty()) {
        auto routes = readRoutesFile(metadata);
        if (routes) {
            prompter_.tell(routes->notices);
            routes_ = std::move(routes->value);
        } else {
            prompter_.tell(Notices{routes.failure()});
        }
    }
    metadata_ = {};
    if (const std::string metadata = sectorRoutesPath(path); !metadata.empty()) {
        if (const Result<std::string> bytes = readFileBytes(metadata); bytes) {
            if (auto read = readSpaceMetadata(*bytes)) metadata_ = std::move(read->value);
        }
    }
    borders_->actions().at(metadata_.borders.empty() ? 1 : 0)->setChecked(true);
    setWindowTitle(tr("Sector %1").arg(fromBytes(std::string(trimBlanks(sector_.name)))));
    fitToWindow();
    return true;
}

std::vector<Route> SectorWindow::shownRoutes() {
    std::vector<Route> shown;
    if (tradeShown_->isChecked()) {
        if (!tradeRoutes_) {
            BusyPointer busy(prompter_);
            tradeRoutes_ = sectorTradeRoutes(sector_);
        }
        shown = *tradeRoutes_;
    }
    if (routesShown_->isChecked()) shown.insert(shown.end(), routes_.begin(), routes_.end());
    shown.insert(shown.end(), plannedRoute_.begin(), plannedRoute_.end());
    return shown;
}

void SectorWindow::planRoute() {
    const std::string title = "Plan a route";
    const std::string from = prompter_.inputBox("From (a hex such as 1910, or a world's name):", title, {});
    if (from.empty()) return;
    const std::string to = prompter_.inputBox("To (a hex such as 1910, or a world's name):", title, {});
    if (to.empty()) return;
    const int jump = std::atoi(prompter_.inputBox("Jump (1 to 6):", title, "2").c_str());
    if (jump < 1 || jump > kMaxJump) return;

    ChartedSpace space;
    space.sectors.push_back({path_, 0, 0, sector_, {}});
    std::vector<SpaceWorld> worlds;
    appendSpaceWorlds(sector_, 0, 0, 0, worlds);
    const auto find = [&](const std::string& text) {
        const std::string typed = utf8FromCp1252(trimBlanks(text));
        const bool hex =
            typed.size() == 4 && std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
        return findSpaceWorld(space, worlds, hex ? terminalText(trimBlanks(sector_.name)) + ' ' + typed : typed);
    };
    const auto start = find(from);
    const auto end = find(to);
    plannedRoute_.clear();
    routeStatus_->clear();
    if (!start || !end) {
        prompter_.message("No world \"" + (start ? to : from) + "\" in this sector", MessageIcon::Exclamation, title);
        redraw();
        return;
    }
    const auto route = planJumpRoute(worlds, *start, *end, {jump, Refuelling::Any, false});
    if (!route) {
        prompter_.message("No route at jump " + std::to_string(jump) + " from " + from + " to " + to,
                          MessageIcon::Exclamation, title);
        redraw();
        return;
    }
    plannedRoute_ = jumpRouteLines(worlds, *route);
    routeStatus_->setText(tr("%1 to %2: %3 %4, %5 %6")
                              .arg(fromBytes(from), fromBytes(to))
                              .arg(route->jumps())
                              .arg(route->jumps() == 1 ? tr("jump") : tr("jumps"))
                              .arg(route->hexes)
                              .arg(route->hexes == 1 ? tr("hex") : tr("hexes")));
    redraw();
}

double SectorWindow::zoom() const { return canvas_->zoom(); }

void SectorWindow::applyViewChoices() {
    options_.jump = jumps_->checkedAction() ? jumps_->checkedAction()->data().toInt() : 0;
    options_.routes = shownRoutes();
    ChartedSpace space;
    space.sectors.push_back({path_, 0, 0, sector_, metadata_});
    const int borders = borders_->checkedAction()->data().toInt();
    overlay_ = spaceOverlay(space, borders == 0   ? BorderChoice::Given
                                   : borders == 1 ? BorderChoice::Made
                                                  : BorderChoice::None);
    options_.overlay = overlay_.empty() ? nullptr : &overlay_;
}

void SectorWindow::redraw() {
    applyViewChoices();
    canvas_->draw(sector_, options_, canvas_->zoom());
}

void SectorWindow::setZoom(double zoom) {
    applyViewChoices();
    canvas_->draw(sector_, options_, std::clamp(zoom, kMinZoom, kMaxZoom));
}

void SectorWindow::zoomIn() { setZoom(zoom() * kZoomStep); }

void SectorWindow::zoomOut() { setZoom(zoom() / kZoomStep); }

void SectorWindow::fitToWindow() {
    const MapSize size = sectorMapSize(options_.k);
    const QSize room = scroll_->viewport()->size();
    const double perMillimetre = canvas_->toWidget({1, 0}).x() / canvas_->zoom();  // pixels at zoom 1
    setZoom(std::min(room.width() / (size.width * perMillimetre), room.height() / (size.height * perMillimetre)));
}

void SectorWindow::zoomAround(int steps, QPointF at) {
    const MapPoint fixed = canvas_->toMillimetres(at);
    const QPoint inViewport = canvas_->mapTo(scroll_->viewport(), at.toPoint());
    setZoom(zoom() * std::pow(kZoomStep, steps));
    const QPointF now = canvas_->toWidget(fixed);
    scroll_->horizontalScrollBar()->setValue(static_cast<int>(now.x()) - inViewport.x());
    scroll_->verticalScrollBar()->setValue(static_cast<int>(now.y()) - inViewport.y());
}

const SectorWorld* SectorWindow::worldAt(const std::string& hex) const {
    if (hex.size() != 4) return nullptr;
    const int column = std::stoi(hex.substr(0, 2));
    const int row = std::stoi(hex.substr(2, 2));
    const auto found = std::find_if(sector_.worlds.begin(), sector_.worlds.end(),
                                    [&](const SectorWorld& w) { return w.column == column && w.row == row; });
    return found == sector_.worlds.end() ? nullptr : &*found;
}

QString SectorWindow::statusAt(MapPoint point) const {
    const std::string hex = sectorLocationAt(point, options_.k);
    if (hex.empty()) return tr("-");
    const int index = subsectorIndexOf(std::stoi(hex.substr(0, 2)), std::stoi(hex.substr(2, 2)));
    QString text = tr("%1  subsector %2").arg(QString::fromStdString(hex)).arg(QChar('A' + index));
    if (const SectorWorld* world = worldAt(hex)) {
        text += "  " + fromBytes(std::string(world->record.name.trimmed())) + "  " + profileOf(world->record);
    }
    return text;
}

void SectorWindow::pointerMoved(MapPoint point) { status_->setText(statusAt(point)); }

void SectorWindow::clicked(MapPoint point) {
    const std::string hex = sectorLocationAt(point, options_.k);
    if (hex.empty()) return;
    emit subsectorChosen(subsectorIndexOf(std::stoi(hex.substr(0, 2)), std::stoi(hex.substr(2, 2))));
}

void SectorWindow::doubleClicked(MapPoint point) {
    const std::string hex = sectorLocationAt(point, options_.k);
    const SectorWorld* world = worldAt(hex);
    if (!world) return;
    emit worldChosen(Hex{world->column, world->row});
}

PosterPaper SectorWindow::paper() const {
    PosterPaper paper;
    paper.paper = papers_->checkedAction()->text().toStdString();
    const int tile = tiles_->checkedAction()->data().toInt();
    paper.tile = tile == 0 ? std::string() : tiles_->checkedAction()->text().toStdString();
    paper.landscape = landscape_->isChecked();
    return paper;
}

void SectorWindow::exportMap() {
    const std::string folder = path_.empty() ? std::string() : folderOf(path_);
    const auto chosen = prompter_.saveFileName(folder, "Pictures (*.png *.svg *.pdf)");
    if (!chosen) return;
    const std::string extension = lowerAscii(chosen->substr(std::min(chosen->size(), chosen->find_last_of('.'))));
    if (extension != ".png" && extension != ".svg" && extension != ".pdf") {
        prompter_.message("Cannot write \"" + *chosen +
                              "\": the picture's type is chosen by its extension, one of "
                              ".png .svg .pdf",
                          MessageIcon::Exclamation);
        return;
    }
    std::string bytes;
    {
        BusyPointer busy(prompter_);
        static constexpr double kResolutions[] = {96, 150, 300};
        const double dpi = kResolutions[resolutions_->checkedAction()->data().toInt()];
        bytes = extension == ".pdf" ? sectorMapPdf(sector_, options_, paper())
                                    : sectorMapPicture(sector_, options_, dpi, extension == ".svg" ? "SVG" : "PNG");
    }
    if (bytes.empty()) {
        prompter_.message("Cannot write \"" + *chosen + "\": the map could not be encoded", MessageIcon::Exclamation);
        return;
    }
    if (const Result<> written = writeFileAtomically(*chosen, bytes); !written) {
        prompter_.message(written.error(), MessageIcon::Exclamation);
    }
}

void SectorWindow::printMap() {
    if (!printPoster_) return;
    const PosterPaper chosen = paper();
    printPoster_([this, &chosen](PainterSurface& surface, QSizeF page) {
        drawSectorPoster(sector_, surface, page, !chosen.tile.empty(), options_);
    });
}

}  // namespace qelvar
