// main() for window tests: one QApplication for the whole run, destroyed before the program exits so
// that Qt's input devices go with it. The windows are drawn offscreen unless a platform is named.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "desktop.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and data of the windows under test never go to the user's folders; each started program
    // autosaves into its test's own folder (see desktop_fixture.h).
    QStandardPaths::setTestModeEnabled(true);
    // The windows are measured and drawn with the fonts they are made for, whatever else the machine has
    // installed: fontconfig sees only DejaVu and Liberation.
    QTemporaryDir fonts;
    QFile conf(fonts.filePath("fonts.conf"));
    if (conf.open(QIODevice::WriteOnly)) {
        conf.write(
            "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><dir>/usr/share/fonts/truetype/liberation</dir>"
            "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>");
        conf.close();
        qputenv("FONTCONFIG_FILE", conf.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    qelvar::setUpApplication();  // the program's own names and icon
    return RUN_ALL_TESTS();
}
