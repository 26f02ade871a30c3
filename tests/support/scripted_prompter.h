#pragma once
// A prompter for tests: every prompt is recorded, answers come from queues, and a question with no answer
// queued fails the test instead of blocking.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "seams/prompter.h"

namespace qelvar::testing {

class ScriptedPrompter : public Prompter {
public:
    struct Prompt {
        std::string kind;  // "message", "yesno", "input", "save"
        std::string text;  // the save dialog's pattern
        MessageIcon icon = MessageIcon::None;
        std::string title;  // the save dialog's folder
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
        return next(yesNoAnswers, false);
    }
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string&) override {
        prompts.push_back({"input", prompt, MessageIcon::None, title});
        return next(inputAnswers, std::string());
    }
    std::optional<std::string> saveFileName(const std::string& folder, const std::string& pattern) override {
        prompts.push_back({"save", pattern, MessageIcon::None, folder});
        return next(saveAnswers, std::optional<std::string>());
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

private:
    template <typename T>
    T next(std::deque<T>& answers, T fallback) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << prompts.back().kind << ": " << prompts.back().text;
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace qelvar::testing
