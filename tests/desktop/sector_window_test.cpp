// The Sector window opened from the main window's File menu on a folder of the sample sector's files.
#include "sector_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>

#include "desktop.h"
#include "files/sbs.h"
#include "main_window.h"
#include "sector_canvas.h"
#include "store/file_io.h"
#include "support/command_output.h"
#include "support/modal_dialogs.h"
#include "support/sample_sector.h"
#include "support/menu_action.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

class SectorWindowTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ::setenv("QELVAR_SETTINGS", path("qelvar.ini").c_str(), 1);
        ::setenv("_ZIP", "1", 1);
        SubsectorStore store;
        for (int index = 0; index < kSubsectorCount; ++index) {
            sectorToStore(sample_, index, store);
            write(std::string(1, static_cast<char>('a' + index)) + ".sbs", formatSbs(store).value);
        }
        write("routes.xml", "<Routes><Route Start=\"0101\" End=\"0303\" Style=\"Dotted\" Color=\"#ff0000\"/></Routes>");
        desktop_ = std::make_unique<Desktop>(&prompter_);
        desktop_->startUp(dir_.string());
        testing::menuAction(desktop_->mainWindow(), "mnuopensector")->trigger();
        window_ = desktop_->sectorWindow();
        ASSERT_NE(window_, nullptr);
        canvas_ = window_->findChild<SectorCanvas*>("SectorMap");
        scroll_ = window_->findChild<QScrollArea*>("SectorScroll");
    }
    void TearDown() override {
        desktop_.reset();
        ::unsetenv("QELVAR_SETTINGS");
        ::unsetenv("_ZIP");
        ::unsetenv("QELVAR_PRINT_PDF");
        TempFolderTest::TearDown();
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

    const Sector sample_ = testing::sampleSector();
    testing::ScriptedPrompter prompter_;
    std::unique_ptr<Desktop> desktop_;
    SectorWindow* window_ = nullptr;
    SectorCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

TEST_F(SectorWindowTest, OpensFittedAndZoomsWithCtrlAndTheWheelAndPansByDragging) {
    EXPECT_EQ(window_->sector().worlds.size(), sample_.worlds.size());
    EXPECT_EQ(window_->windowTitle(), "Sector Kestrane Reach");
    EXPECT_LE(canvas_->height(), scroll_->viewport()->height());
    EXPECT_EQ(window_->mapOptions().routes.size(), 1u);
    window_->findChild<QAction*>("sectorRoutes")->trigger();
    window_->findChild<QAction*>("sectorJump2")->trigger();
    EXPECT_TRUE(window_->mapOptions().routes.empty());
    EXPECT_EQ(window_->mapOptions().jump, 2);

    window_->findChild<QAction*>("sectorActualSize")->trigger();
    EXPECT_NEAR(canvas_->width(), 385.2 / 25.4 * canvas_->logicalDpiX(), 1);
    for (const auto modifiers : {Qt::ControlModifier, Qt::NoModifier}) {
        QWheelEvent event(QPointF(50, 50), canvas_->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas_, &event);
    }
    EXPECT_DOUBLE_EQ(window_->zoom(), 1.25);
    for (int i = 0; i < 6; ++i) window_->zoomIn();
    EXPECT_DOUBLE_EQ(window_->zoom(), 3);

    window_->setZoom(1);
    scroll_->horizontalScrollBar()->setValue(200);
    scroll_->verticalScrollBar()->setValue(300);
    QTest::mousePress(canvas_, Qt::LeftButton, {}, QPoint(400, 500));
    QTest::mouseMove(canvas_, QPoint(350, 420));
    QTest::mouseRelease(canvas_, Qt::LeftButton, {}, QPoint(350, 420));
    EXPECT_EQ(scroll_->horizontalScrollBar()->value(), 250);
    EXPECT_EQ(scroll_->verticalScrollBar()->value(), 380);
    EXPECT_TRUE(desktop_->store().subsectorLetter.empty() || desktop_->store().subsectorLetter == " ");
    EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(SectorWindowTest, ThePointerShowsItsHexAndWorldAndAClickLoadsTheSubsector) {
    window_->setZoom(1);
    const SectorWorld& world = sample_.worlds.back();
    hover(over(world.column, world.row));
    const QString hex = QString::fromStdString(formatFourDigits(world.column * 100 + world.row));
    EXPECT_TRUE(status().startsWith(hex + "  subsector " + QChar(subsectorLetterOf(world.column, world.row)) + "  " +
                                    QString::fromStdString(std::string(world.record.name.trimmed()))))
        << status().toStdString();
    hover(QPoint(1, 1));
    EXPECT_EQ(status(), "-");

    QTest::mouseClick(canvas_, Qt::LeftButton, {}, over(13, 15));  // subsector F
    EXPECT_EQ(desktop_->store().subsectorLetter, "F");
    EXPECT_EQ(desktop_->store().subsectorName, "Reach F");
    EXPECT_TRUE(testing::menuAction(desktop_->mainWindow(), "mnuredisplay")->isEnabled());

    desktop_->store().unsavedChanges = 1;
    prompter_.yesNoAnswers.push_back(false);
    QTest::mouseClick(canvas_, Qt::LeftButton, {}, over(30, 38));  // subsector P, changes kept
    EXPECT_EQ(desktop_->store().subsectorLetter, "F");
    prompter_.yesNoAnswers.push_back(true);
    QTest::mouseClick(canvas_, Qt::LeftButton, {}, over(30, 38));
    EXPECT_EQ(desktop_->store().subsectorLetter, "P");
}

TEST_F(SectorWindowTest, ADoubleClickOnAWorldOpensItsDetailsAndEditsComeBack) {
    window_->setZoom(1);
    const SectorWorld& world = sample_.worlds[sample_.worlds.size() / 2];
    bool shown = false;
    testing::whenModalShown("Form2", [&](QWidget* details) {
        shown = true;
        desktop_->store().worlds[static_cast<std::size_t>(desktop_->store().detailIndex)].name = "Renamed";
        details->close();
    });
    QTest::mouseDClick(canvas_, Qt::LeftButton, {}, over(world.column, world.row));
    EXPECT_TRUE(shown);
    EXPECT_EQ(desktop_->store().subsectorLetter, std::string(1, subsectorLetterOf(world.column, world.row)));
    const auto renamed =
        std::find_if(window_->sector().worlds.begin(), window_->sector().worlds.end(),
                     [&](const SectorWorld& w) { return w.column == world.column && w.row == world.row; });
    ASSERT_NE(renamed, window_->sector().worlds.end());
    EXPECT_EQ(renamed->record.name.trimmed(), "Renamed");
}

TEST_F(SectorWindowTest, ExportAndPrintMakeTheCommandLinesFiles) {
    prompter_.saveAnswers.push_back(path("map.png"));
    window_->findChild<QAction*>("sectorDpi0")->trigger();
    window_->findChild<QAction*>("sectorExport")->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(path("map.png"))).width(), 1456);
    prompter_.saveAnswers.push_back(path("map.gif"));
    window_->findChild<QAction*>("sectorExport")->trigger();
    EXPECT_EQ(prompter_.messages().size(), 1u);

    if (testing::commandOutput("command -v pdfinfo").empty()) GTEST_SKIP() << "poppler-utils not installed";
    window_->findChild<QAction*>("sectorTile1")->trigger();  // A4
    prompter_.saveAnswers.push_back(path("poster.pdf"));
    window_->findChild<QAction*>("sectorExport")->trigger();
    const std::string info = testing::commandOutput("pdfinfo '" + path("poster.pdf") + "'");
    EXPECT_EQ(std::atoi(info.c_str() + info.find("Pages:") + 6), 6);

    ::setenv("QELVAR_PRINT_PDF", path("printed.pdf").c_str(), 1);
    window_->findChild<QAction*>("sectorTile0")->trigger();
    window_->findChild<QAction*>("sectorPrint")->trigger();
    const std::string printed = testing::commandOutput("pdftotext '" + path("printed.pdf") + "' -");
    EXPECT_NE(printed.find(std::string(sample_.worlds.front().record.name.trimmed())), std::string::npos);
}

}  // namespace
}  // namespace qelvar
