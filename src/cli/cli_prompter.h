#pragma once
// The command line's prompter: messages go to stderr as "qelvar-cli: TEXT" (UTF-8, control characters as
// blanks), questions are answered from the command's options, and nothing waits for a person.

#include <ostream>
#include <string>

#include "seams/prompter.h"

namespace qelvar {

class CliPrompter : public Prompter {
public:
    explicit CliPrompter(std::ostream& err) : err_(err) {}

    std::string inputAnswer;  // answer to any input box (the subsector letter of a DAT file)
    bool yesAnswer = false;   // answer to any Yes/No question

    void message(const std::string& text, MessageIcon, const std::string&) override;
    bool askYesNo(const std::string& text, MessageIcon, const std::string&, bool) override;
    std::string inputBox(const std::string& prompt, const std::string&, const std::string&) override;
    std::optional<std::string> saveFileName(const std::string&, const std::string&) override { return std::nullopt; }
    void setBusy(bool) override {}
    void beep() override {}
    void processEvents() override {}

private:
    std::ostream& err_;
    bool letterReported_ = false;
};

}  // namespace qelvar
