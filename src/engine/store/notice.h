#pragma once
// How the engine reports problems.
//
// Pure computations (codes, formatting, listing lines, geometry, drawing) take no Prompter: they return
// their result, with any problem as a value. Readers collect their per-line messages, in order, as
// Notices. Writers return an empty text on success, else the reason naming the file. Only the handlers
// that a user action runs (load, save, redraw, generate, print, a command-line command) hold a Prompter
// and turn these values into messages, with the exact texts and in the order they arose.

#include <string>
#include <utility>
#include <vector>

namespace qelvar {

enum class MessageIcon { None, Information, Question, Exclamation, Critical };

// One message for the user, as an OK box would show it. An empty title means the application's title.
struct Notice {
    Notice(std::string text, MessageIcon icon = MessageIcon::None, std::string title = {})
        : text(std::move(text)), icon(icon), title(std::move(title)) {}

    std::string text;
    MessageIcon icon = MessageIcon::None;
    std::string title;

    bool operator==(const Notice&) const = default;
};

using Notices = std::vector<Notice>;

// A result together with the notices that arose while computing it.
template <class T>
struct WithNotices {
    T value;
    Notices notices;
};

}  // namespace qelvar
