#pragma once
// A prompter for tests: every prompt is recorded, answers come from queues, and a prompt with no answer
// queued fails the test instead of blocking.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace qelvar::testing {

class ScriptedPrompter : public Prompter {
public:
    struct Prompt {
        std::string kind;  // "message", "yesno", "input", "save"
        std::string text;
        MessageIcon icon = MessageIcon::None;
        std::string title;
    };

    std::vector<Prompt> prompts;
    std::deque<bool> yesNoAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    int busyDepth = 0;
    int beeps = 0;

    void message(const std::string& text, MessageIcon icon, const std::string& title) override {
        prompts.push_back({"message", text, icon, title});
    }
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title, bool) override {
        prompts.push_back({"yesno", text, icon, title});
        if (yesNoAnswers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string&) override {
        prompts.push_back({"input", prompt, MessageIcon::None, title});
        if (inputAnswers.empty()) {
            ADD_FAILURE() << "unexpected input box: " << prompt;
            return {};
        }
        std::string answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> saveFileName(const std::string& folder, const std::string& pattern) override {
        prompts.push_back({"save", pattern, MessageIcon::None, folder});
        if (saveAnswers.empty()) {
            ADD_FAILURE() << "unexpected save dialog";
            return std::nullopt;
        }
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void beep() override { ++beeps; }
    void processEvents() override {}

    // The texts of the OK messages, in order.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& p : prompts) {
            if (p.kind == "message") texts.push_back(p.text);
        }
        return texts;
    }
};

}  // namespace qelvar::testing
