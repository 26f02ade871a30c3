#pragma once
// What the window tests share: Qt's widgets and test functions, the scripted prompter, modal dialogs driven
// as they are shown, and the desktop program started for real, offscreen, in a folder of its own (also the
// current folder, and where its settings, autosaves and printouts go). It is driven as a user would: answers
// come from the scripted prompter, files are chosen in the main window's list, buttons are clicked and menu
// items triggered by their object names.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <cstdlib>
#include <memory>

#include "desktop.h"
#include "main_window.h"
#include "store/file_io.h"
#include "support/command_output.h"
#include "support/modal_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar::testing {

// A world line of an SBS file: the name in columns 1-20, the location from 21, the profile from 27.
inline std::string sbsWorld(std::string name, const char* location, const char* uwp) {
    name.resize(20, ' ');
    return name + location + "  " + uwp + "\r\n";
}

// An SBS file of subsector A of "Kestrane Reach" with the given world lines.
inline std::string sbsFile(const std::string& name, const std::string& worlds) {
    std::string header = "Name                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=";
    header.resize(78, ' ');
    return name + "\r\nKestrane Reach\r\n" + header + "A\r\n" + worlds;
}

// Clicks the push button of `window` named `button`.
inline void press(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
}

class DesktopTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ::setenv("QELVAR_SETTINGS", path("settings/qelvar.ini").c_str(), 1);
        ::setenv("QELVAR_AUTOSAVE_DIR", path("autosave").c_str(), 1);
        ::setenv("QELVAR_AUTOSAVE_MS", "0", 1);
        ::setenv("_ZIP", "1", 1);                        // no start-up message unless a test wants it
        ::setenv("QELVAR_PRINT_PDF", pdf().c_str(), 1);  // and no printer
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        desktop_.reset();
        std::filesystem::current_path(previous_);
        for (const char* name : {"QELVAR_SETTINGS", "QELVAR_AUTOSAVE_DIR", "QELVAR_AUTOSAVE_MS", "_ZIP", "QELVAR_ATLAS",
                                 "QELVAR_PRINT_PDF"}) {
            ::unsetenv(name);
        }
        TempFolderTest::TearDown();
    }

    Desktop& start(const std::string& commandLine = {}) {
        desktop_ = std::make_unique<Desktop>(&prompter_);
        desktop_->startUp(commandLine);
        return *desktop_;
    }
    std::string pdf() const { return path("printed.pdf"); }
    std::string folder() const { return std::filesystem::canonical(dir_).string(); }
    std::string title() { return window().windowTitle().toStdString(); }
    MainWindow& window() { return desktop_->mainWindow(); }
    SubsectorStore& store() { return desktop_->store(); }
    template <class T = QPushButton>
    T* control(const char* name) {
        return window().centralWidget()->findChild<T*>(name);
    }
    void click(const char* button) { press(window().centralWidget(), button); }
    QAction* action(const char* name) { return window().findChild<QAction*>(name); }  // a menu item
    void trigger(const char* name) { action(name)->trigger(); }
    bool enabled(const char* name) { return action(name)->isEnabled(); }

    QListWidget* files() { return control<QListWidget>("File1"); }
    QStringList listed() {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i) names << files()->item(i)->text();
        return names;
    }
    // 0 SBS, 1 ARP, 2 DAT, 3 sector files.
    void chooseType(int index) { control<QComboBox>("Combo1")->setCurrentIndex(index); }
    void selectFile(const QString& name) {
        const auto found = files()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        files()->setCurrentItem(found.front());
    }
    // Loads a file of the list as a user does: select it and press Enter.
    void load(const QString& name, int type = 0) {
        chooseType(type);
        selectFile(name);
        QTest::keyClick(files(), Qt::Key_Return);
    }

    ScriptedPrompter prompter_;
    std::unique_ptr<Desktop> desktop_;
    std::filesystem::path previous_;
};

// Started on a folder of three SBS files (two worlds, one, none), an ARP file, a text file and a folder.
class SampleFolderTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        write("Ostrel.sbs",
              sbsFile("Ostrel", sbsWorld("Draven", "0101", "X26A0002") + sbsWorld("Coldharbour", "0203", "A788899C")));
        write("second.SBS", sbsFile("Second", sbsWorld("Lone", "0505", "B5446539")));
        write("third.Sbs", sbsFile("Third", ""));
        write("atlas.arp", "not for the SBS list");
        write("notes.txt", "not a subsector");
        std::filesystem::create_directory(path("inner"));
        start();
    }
};

}  // namespace qelvar::testing
