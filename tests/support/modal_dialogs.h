#pragma once
// Drives modal dialogs in window tests: an action queued for the next modal window with a given object
// name runs as soon as that window is shown, inside its own event loop.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qelvar::testing {

// Runs action(window) once a visible modal window named objectName is active. Gives up after 5 s.
inline void whenModalShown(const QString& objectName, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, objectName, action, deadline = QDeadlineTimer(5000)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool shown = modal && modal->isVisible() && modal->objectName() == objectName;
        if (!shown && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (shown) return action(modal);
        ADD_FAILURE() << "no modal window " << objectName.toStdString() << " appeared";
        if (modal) modal->close();
    });
    timer->start(5);
}

}  // namespace qelvar::testing
