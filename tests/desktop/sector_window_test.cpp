// The Sector window opened from the main window's File menu on a folder of the sample sector's files.
#include "files/sbs.h"
#include "details_window.h"
#include "files/sector_file.h"
#include "sector_canvas.h"
#include "sector_window.h"
#include "space/trade_routes.h"
#include "support/desktop_fixture.h"
#include "support/sample_sector.h"

namespace qelvar::testing {

class SectorWindowTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        SubsectorStore store;
        for (int index = 0; index < kSubsectorCount; ++index) {
            sectorToStore(sample_, index, store);
            write(std::string(1, static_cast<char>('a' + index)) + ".sbs", formatSbs(store).value);
        }
        write("routes.xml", "<Routes><Route Start=\"0101\" End=\"0303\" Style=\"Dotted\" Color=\"#ff0000\"/></Routes>");
        start();
        trigger("mnuopensector");
        window_ = desktop_->sectorWindow();
        ASSERT_NE(window_, nullptr);
        canvas_ = window_->findChild<SectorCanvas*>("SectorMap");
        scroll_ = window_->findChild<QScrollArea*>("SectorScroll");
    }
    // The canvas pixel over the centre of a sector hex, scrolled into view.
    QPoint over(int column, int row) const {
        const MapPoint centre = hexCentre(sectorHexAnchor(column, row, kScreenHexScale), kScreenHexScale);
        const QPoint point = canvas_->toWidget(centre).toPoint();
        scroll_->ensureVisible(point.x(), point.y());
        return point;
    }
    void hover(QPoint point) const {
        QMouseEvent move(QEvent::MouseMove, point, canvas_->mapToGlobal(point), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(canvas_, &move);
    }
    QString status() const { return window_->findChild<QLabel*>("SectorStatus")->text(); }
    void choose(const char* item) const { window_->findChild<QAction*>(item)->trigger(); }

    const Sector sample_ = sampleSector();
    SectorWindow* window_ = nullptr;
    SectorCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

TEST_F(SectorWindowTest, OpensFittedAndZoomsWithCtrlAndTheWheelAndPansByDragging) {
    EXPECT_EQ(window_->sector().worlds.size(), sample_.worlds.size());
    const QSize room = scroll_->viewport()->size();  // fitted: inside, and as wide or as high as the room
    EXPECT_TRUE(canvas_->width() <= room.width() && canvas_->height() <= room.height());
    EXPECT_GE(std::max(canvas_->width() - room.width(), canvas_->height() - room.height()), -1);
    EXPECT_EQ(window_->mapOptions().routes.size(), 1u);
    choose("sectorRoutes");
    choose("sectorJump2");
    EXPECT_TRUE(window_->mapOptions().routes.empty());
    EXPECT_EQ(window_->mapOptions().jump, 2);
    choose("sectorTradeRoutes");  // the sector's own trade, by class
    const std::vector<Route> trade = window_->mapOptions().routes;
    ASSERT_FALSE(trade.empty());
    EXPECT_EQ(trade, sectorTradeRoutes(window_->sector()));
    choose("sectorRoutes");
    EXPECT_EQ(window_->mapOptions().routes.size(), trade.size() + 1);
    choose("sectorTradeRoutes");
    choose("sectorRoutes");
    EXPECT_TRUE(window_->mapOptions().routes.empty());

    choose("sectorActualSize");
    EXPECT_NEAR(canvas_->width(), 385.2 / 25.4 * canvas_->logicalDpiX(), 1);
    for (const auto modifiers : {Qt::ControlModifier, Qt::NoModifier}) {
        QWheelEvent event(QPointF(50, 50), canvas_->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas_, &event);
    }
    EXPECT_DOUBLE_EQ(window_->zoom(), 1.25);
    for (int i = 0; i < 6; ++i) choose("sectorZoomIn");
    EXPECT_DOUBLE_EQ(window_->zoom(), 3);
    choose("sectorZoomOut");
    EXPECT_DOUBLE_EQ(window_->zoom(), 2.4);

    window_->setZoom(1);
    scroll_->horizontalScrollBar()->setValue(200);
    scroll_->verticalScrollBar()->setValue(300);
    QTest::mousePress(canvas_, Qt::LeftButton, {}, QPoint(400, 500));
    QTest::mouseMove(canvas_, QPoint(350, 420));
    QTest::mouseRelease(canvas_, Qt::LeftButton, {}, QPoint(350, 420));
    EXPECT_EQ(scroll_->horizontalScrollBar()->value(), 250);
    EXPECT_EQ(scroll_->verticalScrollBar()->value(), 380);
    EXPECT_TRUE(store().subsectorLetter.empty() || store().subsectorLetter == " ");
    EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(SectorWindowTest, PlanARouteDrawsTheJumpsBetweenTwoWorlds) {
    choose("sectorRoutes");  // the folder's own route out of the way
    const auto hexOf = [](const SectorWorld& w) { return w.column * 100 + w.row; };
    const SectorWorld& first = sample_.worlds.front();
    const SectorWorld& last = *std::max_element(sample_.worlds.begin(), sample_.worlds.end(),
                                                [&](const auto& a, const auto& b) { return hexOf(a) < hexOf(b); });
    const std::string from = formatFourDigits(hexOf(first));
    const std::string to = "ost" + formatFourDigits(hexOf(last));  // a world's name in any letter case
    prompter_.inputAnswers = {from, to, "1"};
    choose("sectorPlanRoute");
    EXPECT_TRUE(window_->mapOptions().routes.empty());
    ASSERT_EQ(prompter_.prompts.back().kind, "message");
    EXPECT_EQ(prompter_.prompts.back().text, "No route at jump 1 from " + from + " to " + to);

    prompter_.inputAnswers = {from, to, "6"};
    choose("sectorPlanRoute");
    const std::vector<Route> lines = window_->mapOptions().routes;
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front().start, (RouteEnd{first.column, first.row, 0, 0}));  // in this sector
    EXPECT_EQ(lines.back().end, (RouteEnd{last.column, last.row, 0, 0}));
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].start, lines[i - 1].end);
    const QString said = window_->findChild<QLabel*>("SectorRouteStatus")->text();
    EXPECT_TRUE(
        said.startsWith(QString::fromStdString(from + " to " + to + ": " + std::to_string(lines.size()) + " jumps, ")))
        << said.toStdString();
    prompter_.inputAnswers = {from, formatFourDigits(hexOf(sample_.worlds[1])), "6"};  // a neighbour
    choose("sectorPlanRoute");
    EXPECT_TRUE(window_->findChild<QLabel*>("SectorRouteStatus")->text().contains(": 1 jump, "));

    prompter_.inputAnswers = {"Nowhere", to, "2"};
    choose("sectorPlanRoute");
    EXPECT_EQ(prompter_.prompts.back().text, "No world \"Nowhere\" in this sector");
    EXPECT_TRUE(window_->mapOptions().routes.empty());
}

TEST_F(SectorWindowTest, ThePointerShowsItsHexAndWorldAndAClickLoadsTheSubsector) {
    window_->setZoom(1);
    const SectorWorld& world = sample_.worlds.back();
    hover(over(world.column, world.row));
    const QString hex = QString::fromStdString(formatFourDigits(world.column * 100 + world.row));
    const QString name = QString::fromStdString(std::string(world.record.name.trimmed()));
    EXPECT_TRUE(QRegularExpression("^" + hex + "  subsector " + QChar(subsectorLetterOf(world.column, world.row)) +
                                   "  " + name + "  [A-EX]-\\w{6}-\\w ")
                    .match(status())
                    .hasMatch())
        << status().toStdString();
    hover(QPoint(1, 1));
    EXPECT_EQ(status(), "-");

    // A press that moves 4 pixels is a drag; one that moves 3 still a click, on subsector F.
    for (const int moved : {4, 3}) {
        const QPoint at = over(13, 15);
        QTest::mousePress(canvas_, Qt::LeftButton, {}, at);
        QTest::mouseMove(canvas_, at + QPoint(moved, 0));
        QTest::mouseRelease(canvas_, Qt::LeftButton, {}, at + QPoint(moved, 0));
        EXPECT_EQ(store().subsectorLetter == "F", moved == 3);
    }
    EXPECT_EQ(store().subsectorName, "Reach F");
    EXPECT_EQ(store().worldCount, sample_.worldCount(5));
    EXPECT_TRUE(enabled("mnuredisplay"));

    window().undoStack().resetClean();
    prompter_.yesNoAnswers.push_back(false);
    QTest::mouseClick(canvas_, Qt::LeftButton, {}, over(30, 38));  // subsector P: No keeps the changes
    EXPECT_EQ(store().subsectorLetter, "F");
}

TEST_F(SectorWindowTest, ASubsectorOfASectorFileKeepsThatFile) {
    ASSERT_TRUE(writeSectorFile(sample_, path("s.tab"), SectorFormat::Tab).ok());
    ASSERT_TRUE(desktop_->openSector(path("s.tab")));
    window_->setZoom(1);
    QTest::mouseClick(canvas_, Qt::LeftButton, {}, over(13, 15));  // subsector F
    EXPECT_EQ(store().subsectorLetter, "F");
    EXPECT_EQ(window().documentPath(), path("s.tab"));
    EXPECT_TRUE(enabled("mnushowsector"));
    // Esc and Ctrl+W close the window.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        window_->show();
        QApplication::setActiveWindow(window_);
        QTest::keySequence(window_, key);
        EXPECT_FALSE(window_->isVisible()) << key.toString().toStdString();
    }
}

TEST_F(SectorWindowTest, ADoubleClickOnAWorldOpensItsDetailsAndEditsComeBack) {
    window_->setZoom(1);
    const SectorWorld& world = sample_.worlds[sample_.worlds.size() / 2];
    const std::string original(world.record.name.trimmed());
    const auto nameInSector = [&] {
        for (const SectorWorld& w : window_->sector().worlds) {
            if (w.column == world.column && w.row == world.row) return std::string(w.record.name.trimmed());
        }
        return std::string("(none)");
    };
    // An edit through the details' own editors is a step of the main window's history; the sector shows it,
    // and its undo.
    whenModalShown("Form2", [](QWidget* details) {
        QTest::mouseClick(details->findChild<QLabel*>("Label2"), Qt::LeftButton);
        details->close();
    });
    prompter_.inputAnswers = {"Typed"};
    QTest::mouseDClick(canvas_, Qt::LeftButton, {}, over(world.column, world.row));
    EXPECT_EQ(store().subsectorLetter, std::string(1, subsectorLetterOf(world.column, world.row)));
    EXPECT_EQ(nameInSector(), "Typed");
    EXPECT_TRUE(window().isWindowModified());
    action("mnuundo")->trigger();
    EXPECT_EQ(nameInSector(), original);
}

TEST_F(SectorWindowTest, ExportAndPrintMakeTheCommandLinesFiles) {
    prompter_.saveAnswers.push_back(path("map.png"));
    choose("sectorDpi0");
    choose("sectorExport");
    EXPECT_EQ(QImage(QString::fromStdString(path("map.png"))).width(), 1456);
    prompter_.saveAnswers.push_back(path("map.gif"));
    choose("sectorExport");
    EXPECT_EQ(prompter_.messages().size(), 1u);

    if (!havePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    choose("sectorTile1");  // A4
    prompter_.saveAnswers.push_back(path("poster.pdf"));
    choose("sectorExport");
    EXPECT_EQ(pdfPages(path("poster.pdf")), 6);

    choose("sectorTile0");
    choose("sectorPrint");
    EXPECT_NE(pdfText(pdf()).find(std::string(sample_.worlds.front().record.name.trimmed())), std::string::npos);
}

TEST_F(SectorWindowTest, ASectorWithoutBordersInItsMetadataShowsMadeOnes) {
    ASSERT_NE(window_->mapOptions().overlay, nullptr);
    EXPECT_FALSE(window_->mapOptions().overlay->borders.empty());
    EXPECT_TRUE(window_->findChild<QAction*>("sectorBorders1")->isChecked());
    choose("sectorBorders2");
    EXPECT_EQ(window_->mapOptions().overlay, nullptr);
    // Borders in the metadata are shown as given.
    write("routes.xml", "<Sector><Borders><Border Allegiance=\"Im\">0101 0102</Border></Borders></Sector>");
    trigger("mnuopensector");
    EXPECT_TRUE(window_->findChild<QAction*>("sectorBorders0")->isChecked());
}

}  // namespace qelvar::testing
