#pragma once
// The Rebrander's Prompter: message boxes over its window and the wait cursor.

#include <QString>

#include "common/Prompter.h"

class QWidget;

namespace nbx {

class MessageBoxPrompter final : public Prompter {
public:
    // Message boxes are shown over parent (may be null) with title as their caption.
    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetTitle(const QString& title) { title_ = title; }

    void Show(std::string_view text, MessageIcon icon) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    QWidget* parent_ = nullptr;
    QString title_;
};

}  // namespace nbx
