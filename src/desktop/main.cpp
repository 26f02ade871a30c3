// qelvar: the desktop program.
#include <QApplication>
#include <QIcon>

#include "desktop.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("qelvar");
    QApplication::setApplicationDisplayName("Qelvar");
    QApplication::setWindowIcon(QIcon::fromTheme("qelvar", QIcon(":/qelvar.svg")));
    // The whole command line, as one text: a folder to open, or ATLAS.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    qelvar::Desktop desktop;
    desktop.startUp(commandLine);
    return QApplication::exec();
}
