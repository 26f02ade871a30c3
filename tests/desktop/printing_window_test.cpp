// The print options window and the printing commands of the desktop program, offscreen, printing into a
// PDF file through $QELVAR_PRINT_PDF.
#include <QtPrintSupport>
#include <cstdio>

#include "desktop_printer.h"
#include "print_options_window.h"
#include "store/startup.h"
#include "support/desktop_fixture.h"

namespace qelvar::testing {

// "Map only" (0) or "Map and listing" (1) of the print options window.
static QRadioButton* layoutButton(QWidget* window, int index) {
    for (auto* b : window->findChildren<QRadioButton*>("Option3D1")) {
        if (b->property("index").toInt() == index) return b;
    }
    ADD_FAILURE() << "no Option3D1 index " << index;
    return nullptr;
}

TEST(PrintOptionsWindow, FirstLoadChoicesTheirInterplayAndDone) {
    SubsectorStore store;
    ScriptedPrompter prompter;
    PrintOptionsWindow window(store, prompter);
    EXPECT_EQ(window.options(), PrintOptions{});  // "Landscape" ticked, the rest not, "Map only"
    // "Map and listing" unticks "Landscape" and keeps "Scale to one page"; "Map only" (also chosen again)
    // unticks "Scale to one page" and keeps "Landscape".
    for (const auto& [tick, layout, scaled, landscape] :
         {std::tuple{"Check3D1", 1, true, false}, {"Check3D2", 0, false, true}, {"Check3D1", 0, false, true}}) {
        SCOPED_TRACE(::testing::Message() << tick << " " << layout);
        QTest::mouseClick(window.findChild<QCheckBox*>(tick), Qt::LeftButton);
        QTest::mouseClick(layoutButton(&window, layout), Qt::LeftButton);
        EXPECT_EQ(window.findChild<QCheckBox*>("Check3D1")->isChecked(), scaled);
        EXPECT_EQ(window.findChild<QCheckBox*>("Check3D2")->isChecked(), landscape);
    }
    // Shown modally; "Done" hides it and the choices stay for the next time.
    whenModalShown("Form3", [](QWidget* w) {
        QTest::mouseClick(w->findChild<QCheckBox*>("Check3D3"), Qt::LeftButton);
        press(w, "Command1");
    });
    const PrintOptions chosen = window.choose();
    EXPECT_TRUE(chosen.colour && chosen.landscape && !chosen.withListing);
    whenModalShown("Form3", [](QWidget* w) { press(w, "Command1"); });
    EXPECT_EQ(window.choose(), chosen);
}

// The printing commands of the main window print into the fixture's PDF file.
using PrintingTest = SampleFolderTest;

TEST_F(PrintingTest, PrintShowsTheOptionsThenPrintsTheMapAndListingOnPagesTurnedAsChosen) {
    if (!havePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    load("Ostrel.sbs");
    // "Map only" keeps "Landscape": one wide page. "Map and listing" unticks it; at full size the map's job,
    // then the listing's, one after another in the file.
    for (const auto& [layout, pages, wide] : {std::tuple{0, 1, true}, {1, 2, false}}) {
        SCOPED_TRACE(layout);
        whenModalShown("Form3", [layout = layout](QWidget* w) {
            QTest::mouseClick(layoutButton(w, layout), Qt::LeftButton);
            press(w, "Command1");
        });
        trigger("mnuprint");
        EXPECT_EQ(pdfPages(pdf()), pages);
        double width = 0, height = 0;
        ASSERT_EQ(std::sscanf(pdfInfo(pdf(), "Page size:").c_str(), " %lf x %lf", &width, &height), 2);
        EXPECT_EQ(width > height, wide);
        const std::string text = pdfText(pdf());
        EXPECT_NE(text.find("Ostrel/Kestrane Reach (A)"), std::string::npos);
        EXPECT_EQ(text.find("Subsector Ostrel contains") != std::string::npos, layout == 1);
    }
}

TEST_F(PrintingTest, PrintAllSelectedInReverseShowsTheOptionsOnceAndOncePerFile) {
    if (!havePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    chooseType(0);
    files()->item(0)->setSelected(true);
    files()->item(2)->setSelected(true);
    control<QCheckBox>("Check3D1")->setChecked(true);  // "Reverse order ?"
    auto shown = std::make_shared<int>(0);
    std::function<void(QWidget*)> done = [shown, &done](QWidget* w) {
        ++*shown;
        press(w, "Command1");
        if (*shown < 3) whenModalShown("Form3", done);
    };
    whenModalShown("Form3", done);
    click("Command5");
    EXPECT_EQ(*shown, 3);
    EXPECT_EQ(prompter_.beeps, 2);
    EXPECT_EQ(pdfPages(pdf()), 2);  // landscape map only: one page each
    const std::string text = pdfText(pdf());
    EXPECT_NE(text.find("Ostrel/Kestrane Reach (A)", text.find("Third/Kestrane Reach (A)")), std::string::npos);
    EXPECT_EQ(text.find("Second/"), std::string::npos);
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Ostrel.sbs");
    EXPECT_TRUE(enabled("mnuprint") && enabled("mnuredisplay"));
}

TEST_F(PrintingTest, PrintOptionsAndPrintPreviewShowTheirWindowsAndPrintNothing) {
    load("Ostrel.sbs");
    whenModalShown("Form3", [](QWidget* w) { press(w, "Command1"); });
    trigger("mnuprintopt");
    auto pages = std::make_shared<int>(-1);
    whenModalShown("Form3", [pages](QWidget* w) {
        QTest::mouseClick(layoutButton(w, 1), Qt::LeftButton);  // map and listing at full size: two jobs
        press(w, "Command1");
        whenModalShown("PrintPreview", [pages](QWidget* preview) {
            if (auto* view = preview->findChild<QPrintPreviewWidget*>()) *pages = view->pageCount();
            preview->close();
        });
    });
    trigger("mnuprintpreview");
    EXPECT_EQ(*pages, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf()));
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PrintingTest, WithoutAPrinterPrintSaysSoAndDoesNothingElse) {
    ::unsetenv("QELVAR_PRINT_PDF");
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    load("Ostrel.sbs");
    trigger("mnuprint");
    click("Command5");
    trigger("mnuprintsetup");
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>(3, DesktopPrinter::kNoPrinterMessage));
    EXPECT_EQ(prompter_.beeps, 0);
}

}  // namespace qelvar::testing
