#pragma once
// Everything the user is told or asked goes through a Prompter, so that core code never opens a window:
// the desktop program shows Qt dialogs, the command line writes to stderr and answers from its options,
// and tests answer from a script. Texts are bytes in the Windows-1252 code page.

#include <optional>
#include <string>

#include "store/notice.h"

namespace qelvar {

class Prompter {
public:
    virtual ~Prompter() = default;

    // An OK message box. An empty title means the application's default title.
    virtual void message(const std::string& text, MessageIcon icon = MessageIcon::None,
                         const std::string& title = {}) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title, bool defaultYes) = 0;
    // The one-line input box; empty on cancel.
    virtual std::string inputBox(const std::string& prompt, const std::string& title, const std::string& proposed) = 0;
    // The file-save dialog, starting in folder with the given pattern ("*.sbs"); nothing on cancel.
    virtual std::optional<std::string> saveFileName(const std::string& folder, const std::string& pattern) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void beep() = 0;
    // Lets pending window events run (a repaint during long work).
    virtual void processEvents() = 0;

    // A Save/Cancel question before a save that cannot keep everything; true for Save. Cancel is the
    // default. A prompter without such a box asks Yes/No.
    virtual bool askSave(const std::string& text, const std::string& title) {
        return askYesNo(text, MessageIcon::Exclamation, title, false);
    }

    // Shows each notice in turn (a window may gather several in one box).
    virtual void tell(const Notices& notices) {
        for (const Notice& n : notices) message(n.text, n.icon, n.title);
    }

    // The one confirmation before something unsaved is thrown away: Yes/No, exclamation, No as default.
    bool confirmDiscard(const std::string& title) {
        return askYesNo(kUnsavedQuestion, MessageIcon::Exclamation, title, false);
    }

    static constexpr const char* kUnsavedQuestion = "You have unsaved changes, are you sure?";
};

// Shows the busy pointer for the lifetime of the guard.
class BusyPointer {
public:
    explicit BusyPointer(Prompter& prompter) : prompter_(prompter) { prompter_.setBusy(true); }
    ~BusyPointer() { prompter_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Prompter& prompter_;
};

}  // namespace qelvar
