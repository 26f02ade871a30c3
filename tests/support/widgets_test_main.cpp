// main() for window tests: one QApplication for the whole run, destroyed before the program exits so
// that Qt's input devices go with it. The windows are drawn offscreen unless a platform is named.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and data of the windows under test never go to the user's folders; each started program
    // autosaves into its test's own folder (see desktop_fixture.h).
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
