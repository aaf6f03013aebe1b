#pragma once
// The windowed programs' Prompter: modal message boxes over a parent window, and the wait
// cursor. Texts are shown as plain text, never as rich text, so a message that quotes a book
// or a file cannot bring markup of its own into the box.

#include <QString>

#include "common/Prompter.h"

class QWidget;

namespace nbx {

// Captions for the question buttons (Save / Don't Save for a save question); an empty text
// keeps Qt's own.
struct MessageBoxCaptions {
    QString yes;
    QString no;
    QString cancel;
};

class MessageBoxPrompter final : public Prompter {
public:
    MessageBoxPrompter() = default;
    explicit MessageBoxPrompter(QString title, MessageBoxCaptions captions = {})
        : title_(std::move(title)), captions_(std::move(captions)) {}

    // Message boxes are shown over parent (may be null) with title as their caption.
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Show(std::string_view text, MessageIcon icon) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    QWidget* parent_ = nullptr;
    QString title_;
    MessageBoxCaptions captions_;
};

}  // namespace nbx
