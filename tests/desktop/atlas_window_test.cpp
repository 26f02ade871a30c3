// The atlas window opened from the main window's File menu on a folder of two sector files.
#include <QScrollBar>

#include "atlas_canvas.h"
#include "atlas_window.h"
#include "map/map_drawing.h"
#include "sector_window.h"
#include "store/file_io.h"
#include "support/command_output.h"
#include "space/trade_routes.h"
#include "support/desktop_fixture.h"
#include "support/modal_dialogs.h"
#include "support/pictures.h"
#include "support/space_files.h"
#include "support/window_description.h"

namespace qelvar::testing {

class AtlasWindowTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        write("Alda.tab", spaceSectorTab({{"3220", "ImDd"}, {"1010", "ZhCo"}}));
        write("Alda.xml", spaceMetadata("Alda", 0, 0,
                                        "<Borders><Border Allegiance=\"ImDd\">3219 3219</Border></Borders>\n"
                                        "<Labels><Label Hex=\"0505\">Void</Label></Labels>\n"));
        write("Bree.tab", spaceSectorTab({{"0120", "ImDd"}}));
        write("Bree.xml", spaceMetadata("Bree", 1, 0));
        start();
        trigger("mnuopenspace");
        window_ = desktop_->atlasWindow();
        ASSERT_NE(window_, nullptr);
        canvas_ = window_->findChild<AtlasCanvas*>("AtlasMap");
        ASSERT_NE(canvas_, nullptr);
    }
    void choose(const char* item) const { window_->findChild<QAction*>(item)->trigger(); }
    // The canvas once every tile it shows is drawn.
    QImage drawn() const {
        canvas_->grab();
        canvas_->finishTiles();
        return canvas_->grab().toImage();
    }
    // The canvas pixel over a hex of charted space, at the window's zoom.
    QPoint over(SpaceHex hex) const {
        const AtlasArea area = atlasAreaOf(window_->space());
        const MapPoint origin = atlasSectorOrigin(area, sectorXOf(hex), sectorYOf(hex));
        const MapPoint centre =
            hexCentre(sectorHexAnchor(hex.x % kSectorColumns + 1, hex.y % kSectorRows + 1, kScreenHexScale, origin),
                      kScreenHexScale);
        return canvas_->toWidget(centre).toPoint();
    }

    AtlasWindow* window_ = nullptr;
    AtlasCanvas* canvas_ = nullptr;
};

TEST_F(AtlasWindowTest, TradeRoutesAcrossTheSectorEdge) {
    EXPECT_EQ(&window_->shownSpace(), &window_->space());
    choose("atlasTradeRoutes");
    // Alda 3220 and Bree 0120 lie side by side across the edge; Alda 1010 is too far from both for jump 4.
    const ChartedSpace& shown = window_->shownSpace();
    ASSERT_EQ(shown.sectors.size(), 2u);
    ASSERT_EQ(shown.sectors[0].metadata.routes.size(), 1u);
    const Route& route = shown.sectors[0].metadata.routes[0];
    EXPECT_EQ(route.start, (RouteEnd{32, 20, 0, 0}));
    EXPECT_EQ(route.end, (RouteEnd{1, 20, 1, 0}));
    EXPECT_EQ(route.type, "Major");
    EXPECT_TRUE(shown.sectors[1].metadata.routes.empty());
    EXPECT_TRUE(window_->space().sectors[0].metadata.routes.empty());
    choose("atlasTradeRoutes");
    EXPECT_EQ(&window_->shownSpace(), &window_->space());
    choose("atlasTradeRoutes");  // shown again over charted space opened again, where Bree's world moved away
    write("Bree.tab", spaceSectorTab({{"1510", "ImDd"}}));
    ASSERT_TRUE(window_->openChartedSpace(dir_.string()));
    EXPECT_TRUE(window_->shownSpace().sectors[0].metadata.routes.empty());
}

TEST_F(AtlasWindowTest, PlanARouteAcrossTheSectorEdge) {
    prompter_.inputAnswers = {"W3220", "bree 0120", "1"};
    choose("atlasPlanRoute");
    const ChartedSpace& shown = window_->shownSpace();
    ASSERT_EQ(shown.sectors[0].metadata.routes.size(), 1u);
    const Route& jump = shown.sectors[0].metadata.routes[0];
    EXPECT_EQ(jump.start, (RouteEnd{32, 20, 0, 0}));
    EXPECT_EQ(jump.end, (RouteEnd{1, 20, 1, 0}));
    EXPECT_EQ(window_->findChild<QLabel*>("AtlasRouteStatus")->text(), "W3220 to bree 0120: 1 jump, 1 hex");
    EXPECT_TRUE(window_->space().sectors[0].metadata.routes.empty());

    prompter_.inputAnswers = {"W1010", "W3220", "4"};
    choose("atlasPlanRoute");
    EXPECT_EQ(prompter_.prompts.back().text, "No route at jump 4 from W1010 to W3220");
    EXPECT_EQ(&window_->shownSpace(), &window_->space());
    EXPECT_EQ(window_->findChild<QLabel*>("AtlasRouteStatus")->text(), "");
    prompter_.inputAnswers = {"Nowhere", "W3220", "4"};
    choose("atlasPlanRoute");
    EXPECT_EQ(prompter_.prompts.back().text, "No world \"Nowhere\" in charted space");
    for (const std::vector<std::string>& given :
         {std::vector<std::string>{""}, {"W3220", ""}, {"W1010", "W3220", "7"}}) {
        prompter_.inputAnswers = {given.begin(), given.end()};  // no answer, or no jump of 1 to 6: nothing more
        prompter_.prompts.clear();
        choose("atlasPlanRoute");
        EXPECT_EQ(prompter_.prompts.size(), given.size());
    }
}

TEST_F(AtlasWindowTest, OpensTheFolderFittedShowsWorldsAndChoosesTheBorders) {
    canvas_->grab();  // the tiles shown are drawn one after another while the window is idle
    for (int i = 0; i < 200 && canvas_->tilesKept() < 4; ++i) QTest::qWait(5);
    expectPicture("windows/AtlasMap.png", canvas_->grab().toImage());  // every tile drawn: the map in one piece
    QString seenWindow = seen("opened on the folder", window_);
    expectSeen("AtlasWindow", seenWindow.replace(QString::fromStdString(dir_.filename().string()), "<folder>"));
    EXPECT_EQ(window_->space().sectors.size(), 2u);
    const auto* scroll = window_->findChild<QScrollArea*>("AtlasScroll");
    const QSize room = scroll->viewport()->size();  // fitted: inside, and as wide or as high as the room
    EXPECT_TRUE(canvas_->width() <= room.width() && canvas_->height() <= room.height());
    EXPECT_GE(std::max(canvas_->width() - room.width(), canvas_->height() - room.height()), -1);
    EXPECT_EQ(window_->overlay().borders.size(), 1u);  // the given one
    EXPECT_EQ(window_->overlay().labels.size(), 1u);
    choose("atlasBorders1");
    EXPECT_EQ(window_->overlay().borders.size(), 2u);  // made: Im across the edge, Zh
    choose("atlasBorders2");
    EXPECT_FALSE(window_->overlay().showBorders);
    choose("atlasLabels");
    EXPECT_FALSE(window_->overlay().showLabels);
    choose("atlasRegions");
    EXPECT_FALSE(window_->overlay().showRegions);

    choose("atlasActualSize");
    EXPECT_DOUBLE_EQ(window_->zoom(), 1);
    choose("atlasFit");
    EXPECT_NE(window_->zoom(), 1);
    choose("atlasActualSize");
    for (QScrollBar* bar : {scroll->horizontalScrollBar(), scroll->verticalScrollBar()}) bar->setValue(100);
    emit canvas_->dragged(QPoint(-30, -40));  // a drag pans both ways
    EXPECT_EQ(QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()), QPoint(130, 140));
    const QPoint world = over(spaceHexOf(1, 0, 1, 20));
    QMouseEvent move(QEvent::MouseMove, world, canvas_->mapToGlobal(world), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(canvas_, &move);
    EXPECT_EQ(window_->findChild<QLabel*>("AtlasStatus")->text(), "Bree  0120  W0120  A788799-C  ImDd");
    // The tiles the window shows are drawn one at a time and kept; the world's hex is drawn in them.
    const QImage shown = drawn();
    EXPECT_GT(canvas_->tilesKept(), 0u);
    EXPECT_NE(shown.pixelColor(world), QColor(kMapBackground.r, kMapBackground.g, kMapBackground.b));
    choose("atlasJump1");  // Alda 3220 and Bree 0120, a jump apart, get their link
    const QRect between = QRect(over(spaceHexOf(0, 0, 32, 20)), world).normalized();
    EXPECT_NE(drawn().copy(between), shown.copy(between));

    QTest::mouseDClick(canvas_, Qt::LeftButton, {}, over(spaceHexOf(1, 0, 2, 2)));  // no world there
    ASSERT_NE(desktop_->sectorWindow(), nullptr);
    EXPECT_EQ(desktop_->sectorWindow()->sector().name, "Bree");
    bool detailsShown = false;
    whenModalShown("Form2", [&](QWidget* details) {
        detailsShown = true;
        details->close();
    });
    QTest::mouseDClick(canvas_, Qt::LeftButton, {}, world);
    EXPECT_TRUE(detailsShown);
    EXPECT_EQ(store().subsectorLetter, "E");  // 0120 lies in subsector E
    EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(AtlasWindowTest, AfterAZoomTheTilesBeforeStandScaledUntilTheNewOnesAreDrawn) {
    choose("atlasActualSize");
    const QPoint world = over(spaceHexOf(1, 0, 1, 20));
    drawn();
    const std::size_t kept = canvas_->tilesKept();
    ASSERT_GT(kept, 0u);
    window_->setZoom(2);
    EXPECT_EQ(canvas_->tilesKept(), 0u);
    const QColor background(kMapBackground.r, kMapBackground.g, kMapBackground.b);
    EXPECT_NE(canvas_->grab().toImage().pixelColor(world * 2), background);  // the scaled tile
    choose("atlasRoutes");  // a change of what is drawn drops the tiles before
    EXPECT_EQ(canvas_->grab().toImage().pixelColor(world * 2), background);
}

TEST_F(AtlasWindowTest, ExportAndPrintMakeTheCommandLinesFiles) {
    prompter_.saveAnswers.push_back(path("atlas.png"));
    choose("atlasExport");
    EXPECT_EQ(readFileBytes(path("atlas.png"))->substr(1, 3), "PNG");
    choose("atlasPrint");
    const std::string text = pdfText(pdf());
    EXPECT_NE(text.find("Alda"), std::string::npos);
    EXPECT_NE(text.find("Bree"), std::string::npos);
}

}  // namespace qelvar::testing
