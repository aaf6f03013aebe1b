#pragma once
// A Prompter for tests: records every message and question, and answers questions from a
// script (the default button once the script runs out).

#include <deque>
#include <string>
#include <vector>

#include "common/Prompter.h"

namespace nbx::test {

class RecordingPrompter final : public Prompter {
public:
    struct Question {
        std::string text;
        Buttons buttons;
        Answer defaultAnswer;
    };

    void Show(std::string_view text, MessageIcon icon) override {
        messages.emplace_back(text);
        icons.push_back(icon);
    }
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer, MessageIcon) override {
        questions.push_back({std::string(text), buttons, defaultAnswer});
        if (answers.empty()) {
            return defaultAnswer;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void BeginBusy() override { ++busyDepth, ++busyCount; }
    void EndBusy() override { --busyDepth; }

    // The answers the next questions get, in order.
    std::deque<Answer> answers;

    std::vector<std::string> messages;
    std::vector<MessageIcon> icons;
    std::vector<Question> questions;
    int busyDepth = 0;
    int busyCount = 0;
};

}  // namespace nbx::test
