#pragma once
// A one-line label for a layout that sizes it to its text alone (a form's label column, a
// label before a field in a row). Some letters' glyphs reach past their advance, and a label
// exactly as wide as the advances cuts them: "Toolbar Positio". This one keeps a little room
// on its right.

#include <QLabel>

namespace nbx {

inline QLabel* MakeWholeLabel(const QString& text, QWidget* parent = nullptr) {
    auto* label = new QLabel(text, parent);
    label->setContentsMargins(0, 0, label->fontMetrics().averageCharWidth() / 2 + 1, 0);
    return label;
}

}  // namespace nbx
