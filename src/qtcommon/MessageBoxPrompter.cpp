#include "qtcommon/MessageBoxPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "qtcommon/MessageBoxIcon.h"
#include "qtcommon/QtText.h"

namespace nbx {
namespace {

void SetCaption(QMessageBox& box, QMessageBox::StandardButton which, const QString& caption) {
    if (QAbstractButton* button = box.button(which); button && !caption.isEmpty()) {
        button->setText(caption);
    }
}

}  // namespace

void MessageBoxPrompter::Show(std::string_view text, MessageIcon icon) {
    QMessageBox box(MessageBoxIcon(icon), title_, ToQString(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Answer MessageBoxPrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                               MessageIcon icon) {
    QMessageBox::StandardButtons choices = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) {
        choices |= QMessageBox::Cancel;
    }
    QMessageBox box(MessageBoxIcon(icon), title_, ToQString(text), choices, parent_);
    box.setTextFormat(Qt::PlainText);
    SetCaption(box, QMessageBox::Yes, captions_.yes);
    SetCaption(box, QMessageBox::No, captions_.no);
    SetCaption(box, QMessageBox::Cancel, captions_.cancel);
    const bool withCancel = buttons == Buttons::YesNoCancel;
    box.setDefaultButton(defaultAnswer == Answer::Yes                    ? QMessageBox::Yes
                         : defaultAnswer == Answer::Cancel && withCancel ? QMessageBox::Cancel
                                                                         : QMessageBox::No);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::No;
    }
}

void MessageBoxPrompter::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MessageBoxPrompter::EndBusy() {
    QApplication::restoreOverrideCursor();
}

}  // namespace nbx
