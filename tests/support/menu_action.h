#pragma once
// Finds a window's menu item by its object name, as a user finds it by its caption.

#include <QAction>
#include <QWidget>

namespace qelvar::testing {

inline QAction* menuAction(QWidget& window, const char* objectName) { return window.findChild<QAction*>(objectName); }

}  // namespace qelvar::testing
