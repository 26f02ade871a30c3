#pragma once
// SPICKBOX: a small box with one button per option; a click picks that option and closes the box.

#include <QDialog>
#include <array>
#include <string>

class QPushButton;

namespace qelvar {

class Prompter;

struct PickedOption {
    int number = 0;    // counted from 1; 0 when the box was closed without a choice
    std::string text;  // the caption of the button chosen
};

class PickBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kButtons = 20;

    explicit PickBox(Prompter& prompter, QWidget* parent = nullptr);

    // options: the items separated by "/" (at most 19). Shows the box modally, centred on the screen.
    PickedOption pickOption(const std::string& options, const std::string& title);

private:
    std::array<QPushButton*, kButtons> buttons_{};
    PickedOption picked_;
};

}  // namespace qelvar
