#include "splash_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "window_placement.h"

namespace qelvar {

namespace {

// The hex emblem of the splash window.
class HexShape : public QWidget {
public:
    explicit HexShape(QWidget* parent) : QWidget(parent) {
        setObjectName("Shape1");
        setFixedSize(72, 64);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c(width() / 2.0, height() / 2.0);
        const double r = height() / 2.0 - 2;
        QPainterPath hex;
        for (int i = 0; i < 6; ++i) {
            const double a = M_PI / 3 * i;
            const QPointF corner(c.x() + r * 1.1 * std::cos(a), c.y() + r * std::sin(a));
            i == 0 ? hex.moveTo(corner) : hex.lineTo(corner);
        }
        hex.closeSubpath();
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(24, 32, 56));
        p.drawPath(hex);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(c, r / 2.6, r / 2.6);
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(QPointF(c.x() + r * 0.6, c.y() - r * 0.35), r / 8, r / 8);
    }
};

}  // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("Splash");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel3D1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(3);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(24, 32, 56));
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(28, 20, 28, 20);
    auto* shape = new HexShape(panel);
    auto* title = new QLabel(tr("Qelvar Star Chart Mapper"), panel);
    title->setObjectName("Label3");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* setting = new QLabel(tr("Kestrane"), panel);
    setting->setObjectName("Label4");
    layout->addWidget(shape, 0, Qt::AlignHCenter);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(setting, 0, Qt::AlignHCenter);
    outer->addWidget(panel);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Centred across, a quarter of the free height down.
    placeOnScreen(*this, 0.25);
}

}  // namespace qelvar
