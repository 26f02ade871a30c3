#include "value_label.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qelvar {

ValueLabel::ValueLabel(const char* name, QWidget* parent, std::function<void()> onClick)
    : QLabel(parent), onClick_(std::move(onClick)) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QCoreApplication::translate("qelvar::DetailsWindow", "Click, or press Enter or Space, to change"));
    setFrameShape(QFrame::StyledPanel);
    setMargin(2);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
}

void ValueLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_) {
        onClick_();
    }
    QLabel::mouseReleaseEvent(event);
}

void ValueLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && event->modifiers() == 0) {
        if (onClick_) onClick_();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ValueLabel::focusInEvent(QFocusEvent* event) {
    shape_ = frameShape();
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    QLabel::focusInEvent(event);
}

void ValueLabel::focusOutEvent(QFocusEvent* event) {
    setFrameShape(shape_);
    setLineWidth(1);
    QLabel::focusOutEvent(event);
}

}  // namespace qelvar
