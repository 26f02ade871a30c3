// qelvar: the desktop program.
#include <QApplication>

#include "desktop.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qelvar::setUpApplication();
    qelvar::Desktop desktop;
    desktop.startUp(qelvar::commandLineOf(argc, argv));
    return QApplication::exec();
}
