#pragma once
// A value label of the details window: it opens its editor when clicked, or when it has the keyboard focus
// and Enter or Space is pressed; a focused label shows a heavier frame.

#include <QLabel>
#include <functional>

namespace qelvar {

class ValueLabel : public QLabel {
public:
    ValueLabel(const char* name, QWidget* parent, std::function<void()> onClick);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<void()> onClick_;
    QFrame::Shape shape_ = QFrame::StyledPanel;
};

}  // namespace qelvar
