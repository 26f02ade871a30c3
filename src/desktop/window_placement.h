#pragma once
// Where a window opens: centred across the free area of the primary screen and `downFraction` of the
// height left over down (0.5 centres it, 0.25 puts it a quarter down).

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace qelvar {

inline void placeOnScreen(QWidget& window, double downFraction) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(free.x() + (free.width() - size.width()) / 2,
                free.y() + std::max(0, static_cast<int>((free.height() - size.height()) * downFraction)));
}

}  // namespace qelvar
