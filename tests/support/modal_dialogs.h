#pragma once
// Drives modal dialogs in window tests: an action queued for the next modal window with a given object
// name runs as soon as that window is shown, inside its own event loop.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qelvar::testing {

// Runs action(window) once a visible modal window named objectName is active. Gives up after 5 s.
inline void whenModalShown(const QString& objectName, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, objectName, action, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->objectName() == objectName) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (++*waited > 1000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window " << objectName.toStdString() << " appeared";
            if (modal) modal->close();
        }
    });
    timer->start(5);
}

}  // namespace qelvar::testing
