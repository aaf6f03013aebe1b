#include "rebrander/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace nbx {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MessageBoxPrompter::Show(std::string_view text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), title_, FromText(text), QMessageBox::Ok, parent_);
    box.exec();
}

Answer MessageBoxPrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                               MessageIcon icon) {
    QMessageBox::StandardButtons choices = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) {
        choices |= QMessageBox::Cancel;
    }
    QMessageBox box(BoxIcon(icon), title_, FromText(text), choices, parent_);
    box.setDefaultButton(defaultAnswer == Answer::Yes  ? QMessageBox::Yes
                         : defaultAnswer == Answer::No ? QMessageBox::No
                                                       : QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void MessageBoxPrompter::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MessageBoxPrompter::EndBusy() {
    QApplication::restoreOverrideCursor();
}

}  // namespace nbx
