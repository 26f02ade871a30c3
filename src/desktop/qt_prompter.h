#pragma once
// The desktop prompter: real Qt message boxes, input box, file dialog, busy pointer and beep.

#include <QPointer>
#include <QWidget>

#include "seams/prompter.h"

namespace qelvar {

class QtPrompter : public Prompter {
public:
    // parent: the window the boxes belong to; defaultTitle: the title of boxes that pass none.
    QtPrompter(QWidget* parent, std::string defaultTitle);

    void message(const std::string& text, MessageIcon icon, const std::string& title) override;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title, bool defaultYes) override;
    bool askSave(const std::string& text, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& proposed) override;
    std::optional<std::string> saveFileName(const std::string& folder, const std::string& pattern) override;
    void setBusy(bool busy) override;
    void beep() override;
    void processEvents() override;
    // Several notices (the problems of one load) in one box (object name "Messages"), one a line, the text
    // selectable for copying; the first twenty shown, all of them in the details.
    void tell(const Notices& notices) override;

    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void setDefaultTitle(std::string title) { defaultTitle_ = std::move(title); }

private:
    QPointer<QWidget> parent_;
    std::string defaultTitle_;
};

}  // namespace qelvar
