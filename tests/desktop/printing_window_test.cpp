// The print options window and the printing commands of the desktop program, offscreen, printing into a
// PDF file through $QELVAR_PRINT_PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>

#include "support/command_output.h"
#include "desktop.h"
#include "desktop_printer.h"
#include "main_window.h"
#include "store/subsector_store.h"
#include "print_options_window.h"
#include "support/menu_action.h"
#include "support/modal_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using qelvar::testing::commandOutput;

using testing::menuAction;
using testing::ScriptedPrompter;
using testing::whenModalShown;

QRadioButton* optionButton(QWidget* window, int index) {
    for (auto* b : window->findChildren<QRadioButton*>("Option3D1")) {
        if (b->property("index").toInt() == index) return b;
    }
    ADD_FAILURE() << "no Option3D1 index " << index;
    return nullptr;
}

QCheckBox* box(QWidget* window, const char* name) {
    auto* found = window->findChild<QCheckBox*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void clickDone(QWidget* window) { QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton); }

TEST(PrintOptionsWindow, FirstLoadChoicesTheirInterplayAndDone) {
    SubsectorStore store;
    store.appTitle = "Qelvar 1.0";
    ScriptedPrompter prompter;
    PrintOptionsWindow window(store, prompter);
    EXPECT_EQ(window.objectName(), "Form3");
    EXPECT_EQ(window.windowTitle(), "Qelvar 1.0");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.options(), PrintOptions{});  // "Landscape" ticked, the rest not, "Map only"

    // "Map and listing" unticks "Landscape" and keeps "Scale to one page".
    QTest::mouseClick(box(&window, "Check3D1"), Qt::LeftButton);
    QTest::mouseClick(optionButton(&window, 1), Qt::LeftButton);
    EXPECT_TRUE(box(&window, "Check3D1")->isChecked());
    EXPECT_FALSE(box(&window, "Check3D2")->isChecked());
    // "Map only" unticks "Scale to one page" and keeps "Landscape".
    QTest::mouseClick(box(&window, "Check3D2"), Qt::LeftButton);
    QTest::mouseClick(optionButton(&window, 0), Qt::LeftButton);
    EXPECT_FALSE(box(&window, "Check3D1")->isChecked());
    EXPECT_TRUE(box(&window, "Check3D2")->isChecked());
    // Choosing "Map only" again applies its rule again.
    QTest::mouseClick(box(&window, "Check3D1"), Qt::LeftButton);
    QTest::mouseClick(optionButton(&window, 0), Qt::LeftButton);
    EXPECT_FALSE(box(&window, "Check3D1")->isChecked());

    // Shown modally; "Done" hides it and the choices stay for the next time.
    whenModalShown("Form3", [](QWidget* w) {
        QTest::mouseClick(w->findChild<QCheckBox*>("Check3D3"), Qt::LeftButton);
        clickDone(w);
    });
    const PrintOptions chosen = window.choose();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(chosen.colour && chosen.landscape && !chosen.withListing);
    whenModalShown("Form3", [](QWidget* w) { clickDone(w); });
    EXPECT_EQ(window.choose(), chosen);
}

std::string sbsFile(const std::string& name) {
    std::string header = "Name                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=";
    header.resize(78, ' ');
    std::string world = "Draven";
    world.resize(20, ' ');
    return name + "\r\nKestrane Reach\r\n" + header + "A\r\n" + world + "0101  X26A0002\r\n";
}

class PrintingTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ::setenv("QELVAR_SETTINGS", path("qelvar.ini").c_str(), 1);
        ::setenv("_ZIP", "1", 1);
        ::setenv("QELVAR_PRINT_PDF", path("printed.pdf").c_str(), 1);
        for (const char* name : {"alpha", "beta", "gamma"}) write(std::string(name) + ".sbs", sbsFile(name));
        desktop_ = std::make_unique<Desktop>(&prompter_);
        desktop_->startUp(dir_.string());
        window().centralWidget()->findChild<QComboBox*>("Combo1")->setCurrentIndex(0);  // SBS files
    }
    void TearDown() override {
        desktop_.reset();
        for (const char* name : {"QELVAR_SETTINGS", "_ZIP", "QELVAR_PRINT_PDF"}) ::unsetenv(name);
        TempFolderTest::TearDown();
    }
    MainWindow& window() { return desktop_->mainWindow(); }
    template <typename T = QPushButton>
    T* control(const char* name) {
        return window().centralWidget()->findChild<T*>(name);
    }
    QListWidget* files() { return control<QListWidget>("File1"); }
    void loadFirst() {
        files()->setCurrentRow(0);
        window().loadSelectedFile();
    }
    std::string pdfText() { return commandOutput("pdftotext -layout '" + path("printed.pdf") + "' - 2>/dev/null"); }
    int pdfPages() {
        const std::string info = commandOutput("pdfinfo '" + path("printed.pdf") + "' 2>/dev/null");
        const auto at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
    }
    bool haveTools() { return !commandOutput("command -v pdfinfo pdftotext").empty(); }

    ScriptedPrompter prompter_;
    std::unique_ptr<Desktop> desktop_;
};

TEST_F(PrintingTest, MenuItemsAndPrintAllSelectedFollowLoading) {
    auto* printSelected = control("Command5");
    EXPECT_TRUE(menuAction(window(), "mnuprintopt")->isEnabled() && menuAction(window(), "mnuprintsetup")->isEnabled());
    EXPECT_FALSE(menuAction(window(), "mnuprint")->isEnabled() || menuAction(window(), "mnuprintpreview")->isEnabled());
    EXPECT_FALSE(printSelected->isEnabled());
    files()->setCurrentRow(1);
    EXPECT_TRUE(printSelected->isEnabled());
    QTest::mouseClick(control("Command4"), Qt::LeftButton);  // "Load"
    EXPECT_TRUE(menuAction(window(), "mnuprint")->isEnabled() && menuAction(window(), "mnuprintpreview")->isEnabled());
    files()->clearSelection();
    EXPECT_FALSE(printSelected->isEnabled());

    // "Print Options..." shows the window and prints nothing.
    whenModalShown("Form3", [](QWidget* w) { clickDone(w); });
    menuAction(window(), "mnuprintopt")->trigger();
    EXPECT_FALSE(desktop_->printOptionsWindow().isVisible());
    EXPECT_FALSE(std::filesystem::exists(path("printed.pdf")));
}

TEST_F(PrintingTest, PrintShowsTheOptionsThenPrintsTheMapAndListing) {
    if (!haveTools()) GTEST_SKIP() << "poppler-utils not installed";
    loadFirst();
    whenModalShown("Form3", [](QWidget* w) {
        QTest::mouseClick(optionButton(w, 1), Qt::LeftButton);  // "Map and listing" (unticks "Landscape")
        clickDone(w);
    });
    menuAction(window(), "mnuprint")->trigger();
    // Full size: the map's job, then the listing's, one after another in the file.
    EXPECT_EQ(pdfPages(), 2);
    const std::string text = pdfText();
    for (const char* shown : {"alpha/Kestrane Reach (A)", "System Name", "Subsector alpha contains"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown;
    }
}

TEST_F(PrintingTest, LandscapeModesTurnThePage) {
    if (!haveTools()) GTEST_SKIP() << "poppler-utils not installed";
    loadFirst();
    whenModalShown("Form3", [](QWidget* w) { clickDone(w); });  // "Landscape", "Map only"
    menuAction(window(), "mnuprint")->trigger();
    const std::string info = commandOutput("pdfinfo '" + path("printed.pdf") + "' 2>/dev/null");
    const auto at = info.find("Page size:");
    ASSERT_NE(at, std::string::npos);
    double width = 0, height = 0;
    ASSERT_EQ(std::sscanf(info.c_str() + at + 10, " %lf x %lf", &width, &height), 2);
    EXPECT_GT(width, height);
}

TEST_F(PrintingTest, PrintAllSelectedInReverseShowsTheOptionsOnceAndOncePerFile) {
    if (!haveTools()) GTEST_SKIP() << "poppler-utils not installed";
    files()->setSelectionMode(QAbstractItemView::MultiSelection);
    files()->item(0)->setSelected(true);
    files()->item(2)->setSelected(true);
    control<QCheckBox>("Check3D1")->setChecked(true);  // "Reverse order ?"
    auto shown = std::make_shared<int>(0);
    std::function<void(QWidget*)> done = [shown, &done](QWidget* w) {
        ++*shown;
        clickDone(w);
        if (*shown < 3) whenModalShown("Form3", done);
    };
    whenModalShown("Form3", done);
    QTest::mouseClick(control("Command5"), Qt::LeftButton);
    EXPECT_EQ(*shown, 3);
    EXPECT_EQ(prompter_.beeps, 2);
    EXPECT_EQ(desktop_->store().batchMode, 0);
    EXPECT_EQ(pdfPages(), 2);  // landscape map only: one page each
    const std::string text = pdfText();
    const auto gamma = text.find("gamma/Kestrane Reach (A)");
    ASSERT_NE(gamma, std::string::npos);
    EXPECT_NE(text.find("alpha/Kestrane Reach (A)", gamma), std::string::npos);
    EXPECT_EQ(text.find("beta/"), std::string::npos);
    EXPECT_EQ(control<QLabel>("Label1")->text(), "alpha.sbs");
    EXPECT_TRUE(menuAction(window(), "mnuprint")->isEnabled() && menuAction(window(), "mnuredisplay")->isEnabled());
}

TEST_F(PrintingTest, PrintPreviewShowsTheSamePagesAndPrintsNothing) {
    loadFirst();
    auto pages = std::make_shared<int>(-1);
    whenModalShown("Form3", [pages](QWidget* w) {
        QTest::mouseClick(optionButton(w, 1), Qt::LeftButton);  // map and listing at full size: two jobs
        clickDone(w);
        whenModalShown("PrintPreview", [pages](QWidget* preview) {
            if (auto* view = preview->findChild<QPrintPreviewWidget*>()) *pages = view->pageCount();
            preview->close();
        });
    });
    menuAction(window(), "mnuprintpreview")->trigger();
    EXPECT_EQ(*pages, 2);
    EXPECT_FALSE(std::filesystem::exists(path("printed.pdf")));
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PrintingTest, WithoutAPrinterPrintSaysSoAndDoesNothingElse) {
    ::unsetenv("QELVAR_PRINT_PDF");
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    loadFirst();
    menuAction(window(), "mnuprint")->trigger();
    QTest::mouseClick(control("Command5"), Qt::LeftButton);
    EXPECT_EQ(prompter_.messages(),
              (std::vector<std::string>{DesktopPrinter::kNoPrinterMessage, DesktopPrinter::kNoPrinterMessage}));
    EXPECT_EQ(prompter_.beeps, 0);
    EXPECT_FALSE(desktop_->printOptionsWindow().isVisible());
}

}  // namespace
}  // namespace qelvar
