#pragma once
// The Qt application the drawing benchmarks need, made once (offscreen unless a platform is set).

#include <QGuiApplication>

namespace qelvar::bench {

inline void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qelvar_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace qelvar::bench
