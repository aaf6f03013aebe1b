#pragma once
// The small "Required" and "Optional" labels beside dialog fields: "Required" bold in dark
// red, "Optional" in blue at normal weight.

#include <QLabel>

namespace nbx::app {

// Sets the text and its look; the same label may switch between the two.
void SetRequiredLabel(QLabel* label, bool required);

inline QLabel* MakeRequiredLabel(bool required, QWidget* parent) {
    auto* label = new QLabel(parent);
    SetRequiredLabel(label, required);
    return label;
}

}  // namespace nbx::app
