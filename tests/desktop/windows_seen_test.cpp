// Every window of the desktop program as a user sees it, each described as in support/window_description.h.
#include "map_view.h"
#include "sector_window.h"
#include "splash_window.h"
#include "text_window.h"
#include "support/desktop_fixture.h"
#include "support/window_description.h"

namespace qelvar::testing {

namespace {

class WindowsSeenTest : public SampleFolderTest {
protected:
    void TearDown() override {
        for (auto& [name, text] : seen_) {
            text.replace(QString::fromStdString(folder()), "<folder>")
                .replace(QString::fromStdString(dir_.filename().string()), "<folder>");
            expectSeen(name, text);
        }
        SampleFolderTest::TearDown();
    }
    // Adds the window's description to the file `name`, headed by what was done.
    void see(const std::string& name, const QString& heading, QWidget* window) {
        if (auto* recent = window->findChild<QMenu*>("mnurecent")) emit recent->aboutToShow();
        QApplication::processEvents();
        seen_[name] += seen(heading, window);
        // Grown by the user, each control gets the room its layout gives it.
        if (window->minimumSize() == window->maximumSize()) return;
        const QRect was = window->geometry();
        window->setGeometry(was.adjusted(0, 0, 200, 120));
        seen_[name] += seen(heading + ", grown", window);
        window->setGeometry(was);
    }
    // Describes the next modal window named `modal` as it shows, then closes it (with the button `closing`).
    void seeNext(const char* modal, const QString& heading, const char* closing = "") {
        whenModalShown(modal, [=, this](QWidget* w) {
            see(modal, heading, w);
            if (*closing) return press(w, closing);
            w->close();
        });
    }
    void seeModal(const char* item, const char* modal, const char* closing = "") {
        seeNext(modal, item, closing);
        trigger(item);
    }

    std::map<std::string, QString> seen_;
};

TEST_F(WindowsSeenTest, EveryWindowShowsItsControlsAndMenus) {
    see("Form1", "started", &window());
    load("Ostrel.sbs");
    see("Form1", "Ostrel.sbs loaded", &window());
    seeModal("mnugopt", "Form4");
    seeModal("mnuprintopt", "Form3", "Command1");
    seeModal("mnuabout", "frmAbout", "cmdOK");
    prompter_.inputAnswers = {"Renamed"};
    whenModalShown("Form2", [this](QWidget* details) {
        see("Form2", "details of 0203", details);
        QTest::mouseClick(details->findChild<QLabel*>("Label2"), Qt::LeftButton);
        see("Form2", "name changed", details);
        seeNext("Form5", "zone", "Command2");
        QTest::mouseClick(details->findChild<QLabel*>("Label10"), Qt::LeftButton);
        seeNext("SPICKBOX", "UWP");
        QTest::mouseClick(details->findChild<QLabel*>("Label6"), Qt::LeftButton);
        press(details, "Command1");
    });
    MapView& map = window().mapView();
    map.setFocus();
    for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(&map, key);
    seeModal("mnuhistory", "UndoHistory");
    trigger("mnucheck");
    see("CheckWindow", "checked", window().findChild<QWidget*>("CheckWindow"));
    trigger("mnuopensector");
    see("SectorWindow", "opened on the folder", desktop_->sectorWindow());
    QImage sectorMap = desktop_->sectorWindow()->findChild<QWidget*>("SectorMap")->grab().toImage(), blank = sectorMap;
    blank.fill(sectorMap.pixel(0, 0));
    EXPECT_NE(sectorMap, blank);  // the map is drawn
    TextWindow text;
    seeNext("SLIST4", "notes", "Command2");
    QString notes = "A line\nand another";
    EXPECT_FALSE(text.edit("Edit notes for 0203", notes));
    SplashWindow splash;
    splash.show();
    see("Splash", "shown", &splash);
    prompter_.yesNoAnswers = {true};  // the renamed world given up
    window().close();                 // the program's other windows go with the main window
    EXPECT_FALSE(desktop_->sectorWindow()->isVisible() || window().findChild<QWidget*>("CheckWindow")->isVisible());
}

}  // namespace
}  // namespace qelvar::testing
