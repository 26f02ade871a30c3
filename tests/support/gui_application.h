#pragma once
// The one QGuiApplication of a test program that draws without windows, made on first use. Qt allows one
// application object to a process; two would crash when the program ends.

#include <QGuiApplication>

namespace qelvar::testing {

inline QGuiApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "qelvar_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace qelvar::testing
