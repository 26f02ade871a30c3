#include "cli/cli_prompter.h"

namespace qelvar {

namespace {

// Line breaks inside a message become plain new lines on the terminal.
std::string oneMessage(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

void CliPrompter::message(const std::string& text, MessageIcon, const std::string&) {
    ++messages;
    err_ << "qelvar-cli: " << oneMessage(text) << '\n';
}

bool CliPrompter::askYesNo(const std::string& text, MessageIcon, const std::string&, bool) {
    err_ << "qelvar-cli: " << oneMessage(text) << (yesAnswer ? " Yes" : " No") << '\n';
    return yesAnswer;
}

std::string CliPrompter::inputBox(const std::string& prompt, const std::string&, const std::string&) {
    if (inputAnswer.empty()) err_ << "qelvar-cli: " << oneMessage(prompt) << ": no answer given\n";
    return inputAnswer;
}

}  // namespace qelvar
