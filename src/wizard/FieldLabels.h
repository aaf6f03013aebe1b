#pragma once
// The "Required" and "Optional" marks beside the wizard's fields: bold dark red for a field
// that must be filled, blue for one that may stay empty.

#include <QLabel>

namespace nbx::wizard {

inline QLabel* RequiredLabel() {
    auto* label = new QLabel(QStringLiteral("Required"));
    label->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); font-weight: bold;"));
    return label;
}

inline QLabel* OptionalLabel() {
    auto* label = new QLabel(QStringLiteral("Optional"));
    label->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    return label;
}

}  // namespace nbx::wizard
