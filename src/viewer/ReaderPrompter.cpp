#include "viewer/ReaderPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "qtcommon/MessageBoxIcon.h"
#include "qtcommon/QtText.h"
#include "reader/ReaderTexts.h"

namespace nbx::viewer {

ReaderPrompter::ReaderPrompter(const reader::ReaderTexts& texts, QString title)
    : texts_(texts), title_(std::move(title)) {}

void ReaderPrompter::Show(std::string_view text, MessageIcon icon) {
    QMessageBox box(MessageBoxIcon(icon),
                    icon == MessageIcon::Error ? Q(texts_.Text(LanguageKey::TitleError)) : title_,
                    Q(text), QMessageBox::NoButton, parent_);
    box.addButton(Q(texts_.Text(LanguageKey::CaptionOk)), QMessageBox::AcceptRole);
    box.exec();
}

Answer ReaderPrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                           MessageIcon icon) {
    QMessageBox box(MessageBoxIcon(icon), title_, Q(text), QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(Q(texts_.Text(LanguageKey::CaptionYes)), QMessageBox::YesRole);
    QPushButton* no = box.addButton(Q(texts_.Text(LanguageKey::CaptionNo)), QMessageBox::NoRole);
    QPushButton* cancel = nullptr;
    if (buttons == Buttons::YesNoCancel) {
        cancel = box.addButton(Q(texts_.Text(LanguageKey::CaptionCancel)), QMessageBox::RejectRole);
    }
    box.setDefaultButton(defaultAnswer == Answer::Yes  ? yes
                         : defaultAnswer == Answer::No ? no
                         : cancel                      ? cancel
                                                       : no);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::Yes;
    }
    if (cancel && box.clickedButton() == cancel) {
        return Answer::Cancel;
    }
    return Answer::No;
}

void ReaderPrompter::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ReaderPrompter::EndBusy() {
    QApplication::restoreOverrideCursor();
}

}  // namespace nbx::viewer
