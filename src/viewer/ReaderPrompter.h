#pragma once
// Messages and questions of the reader window, as message boxes whose title and buttons
// come from the book's language file.

#include <QString>

#include "common/Prompter.h"

class QWidget;

namespace nbx::reader {
class ReaderTexts;
}

namespace nbx::viewer {

class ReaderPrompter final : public Prompter {
public:
    // title: the book's title, the caption of every box but errors.
    ReaderPrompter(const reader::ReaderTexts& texts, QString title);

    void setParent(QWidget* parent) { parent_ = parent; }

    void Show(std::string_view text, MessageIcon icon) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    const reader::ReaderTexts& texts_;
    QString title_;
    QWidget* parent_ = nullptr;
};

}  // namespace nbx::viewer
