#pragma once
// How the rules talk to the person at the keyboard: a message with OK, a question with
// Yes/No or Yes/No/Cancel, and a wait cursor. The window programs show message boxes, the
// console program writes to stderr and reads a terminal, tests script the answers.

#include <string>
#include <string_view>

namespace nbx {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class Buttons { YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual void Show(std::string_view text, MessageIcon icon = MessageIcon::Warning) = 0;
    virtual Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                       MessageIcon icon = MessageIcon::Question) = 0;

    // The wait cursor; calls nest.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// Shows the wait cursor for the life of the scope.
class BusyScope {
public:
    explicit BusyScope(Prompter& prompter) : prompter_(prompter) { prompter_.BeginBusy(); }
    ~BusyScope() { prompter_.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Prompter& prompter_;
};

// Answers every question with its default and drops every message; for callers that have
// nobody to ask.
class SilentPrompter final : public Prompter {
public:
    void Show(std::string_view, MessageIcon) override {}
    Answer Ask(std::string_view, Buttons, Answer defaultAnswer, MessageIcon) override {
        return defaultAnswer;
    }
};

}  // namespace nbx
