#include "pick_box.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "details/field_edits.h"
#include "map/hex_geometry.h"
#include "text_codec.h"

namespace qelvar {

PickBox::PickBox(Prompter&, QWidget* parent) : QDialog(parent) {
    setObjectName("SPICKBOX");
    setWindowTitle(tr("Select"));
    setModal(true);
    for (int i = 0; i < kButtons; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName("Command1");
        button->setProperty("index", i);
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        button->setToolTip(tr("Choose this"));
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, i, button] {
            picked_ = {i + 1, toBytes(button->text())};
            accept();
        });
        buttons_[static_cast<std::size_t>(i)] = button;
    }
}

PickedOption PickBox::pickOption(const std::string& options, const std::string& title) {
    setWindowTitle(fromBytes(title));
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const auto px = [dpi](int twips) { return twipsToDots(twips, dpi); };

    const PickBoxLayout layout = pickBoxLayout(options, title);
    for (QPushButton* button : buttons_) button->hide();
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        const PickBoxLayout::Button& b = layout.buttons[i];
        QPushButton* button = buttons_[i];
        button->setText(fromBytes(b.caption));
        button->setGeometry(px(b.left), px(b.top), px(b.width), px(b.height));
        button->show();
    }
    setFixedSize(px(layout.clientWidth), px(layout.clientHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - frameGeometry().width()) / 2, (area.height() - frameGeometry().height()) / 2);
    }
    picked_ = {};
    exec();
    return picked_;
}

}  // namespace qelvar
