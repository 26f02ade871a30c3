// main() for window tests: one QApplication for the whole run, destroyed before the program exits so
// that Qt's input devices go with it. The windows are drawn offscreen unless a platform is named.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Autosaves of the windows under test go to a folder of this run, never the user's data folder.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir autosaves;
    if (qEnvironmentVariableIsEmpty("QELVAR_AUTOSAVE_DIR"))
        qputenv("QELVAR_AUTOSAVE_DIR", autosaves.path().toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
