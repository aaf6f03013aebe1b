#pragma once
// Messages on the console's err, one per paragraph; a control or direction character in one (a
// name from a file, say) is shown as an escape, never sent to the terminal. Questions are read
// from the terminal when there is one; otherwise --yes / --no answer them, or the default
// button does.

#include <optional>

#include "cli/Command.h"
#include "common/Prompter.h"

namespace nbx::cli {

class ConsolePrompter final : public Prompter {
public:
    // forced: the answer given by --yes or --no, if any.
    explicit ConsolePrompter(Console& console, std::optional<bool> forced = std::nullopt)
        : console_(console), forced_(forced) {}

    void Show(std::string_view text, MessageIcon icon) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override;

private:
    Console& console_;
    std::optional<bool> forced_;
};

}  // namespace nbx::cli
