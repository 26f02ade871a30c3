#include "cli_prompter.h"

#include "store/codes.h"
#include "store/cp1252.h"

namespace qelvar {

namespace {

// A message as a terminal line: CR LF inside it becomes a plain new line, the bytes become UTF-8 and
// control characters blanks.
std::string terminalLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return terminalText(out);
}

}  // namespace

void CliPrompter::message(const std::string& text, MessageIcon, const std::string&) {
    // One command reads and writes one subsector: its unknown letter is worth saying once.
    if (text == kDuffLetterMessage) {
        if (letterReported_) return;
        letterReported_ = true;
    }
    err_ << "qelvar-cli: " << terminalLine(text) << '\n';
}

bool CliPrompter::askYesNo(const std::string& text, MessageIcon, const std::string&, bool) {
    err_ << "qelvar-cli: " << terminalLine(text) << (yesAnswer ? " Yes" : " No") << '\n';
    return yesAnswer;
}

std::string CliPrompter::inputBox(const std::string& prompt, const std::string&, const std::string&) {
    if (inputAnswer.empty()) err_ << "qelvar-cli: " << terminalLine(prompt) << ": no answer given\n";
    return inputAnswer;
}

}  // namespace qelvar
