#pragma once
// The message box icon for a Prompter's icon.

#include <QMessageBox>

#include "common/Prompter.h"

namespace nbx {

inline QMessageBox::Icon MessageBoxIcon(MessageIcon icon) {
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

}  // namespace nbx
