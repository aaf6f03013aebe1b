#pragma once
// What the commands that change a project share: the argument forms, paths as a shell user
// types them, and a prompter that keeps the rules' messages so that a command can put its own
// name and the file's name in front of them.

#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "common/Prompter.h"
#include "project/CTamselDoc.h"

namespace nbx::cli {

// The folder as the chooser would hand it over: absolute, without a trailing separator.
std::string ChosenFolder(const std::string& typed);

// A path made absolute against the current folder (empty stays empty).
std::string AbsolutePath(const std::string& typed);

// "on" / "off" as 1 / 0; nullopt for anything else.
std::optional<int> OnOff(const std::string& word);

// Takes --yes or --no out of args; the answer they force, if any.
std::optional<bool> TakeYesNo(Args& args);

// Prints "tamselc COMMAND: message" on the console's err.
void Complain(Console& console, const char* command, const std::string& message);

// Prints "tamselc COMMAND: message. Nothing was written." on err (the full stop added when
// the message ends in none of ".?!").
void Refuse(Console& console, const char* command, std::string message);

// Prints a command's usage on err and gives the usage exit code.
int UsageError(Console& console, const char* usage);

// The steps every command that changes a project starts with: at least minArgs
// words, the project (args[0]) opened into doc. nullopt when the command goes on; else the
// exit code to end with.
std::optional<int> StartEdit(Console& console, const Args& args, std::size_t minArgs,
                             const char* usage, CTamselDoc& doc, Prompter& prompter);

// Keeps every message and question; questions get the answer forced by --yes/--no, else
// their default.
class KeepingPrompter final : public Prompter {
public:
    explicit KeepingPrompter(std::optional<bool> forced = std::nullopt) : forced_(forced) {}
    void Show(std::string_view text, MessageIcon) override { messages.emplace_back(text); }
    Answer Ask(std::string_view text, Buttons, Answer defaultAnswer, MessageIcon) override {
        messages.emplace_back(text);
        if (!forced_) {
            return defaultAnswer;
        }
        return *forced_ ? Answer::Yes : Answer::No;
    }
    std::vector<std::string> messages;

private:
    std::optional<bool> forced_;
};

}  // namespace nbx::cli
