#pragma once
// The small "Required" and "Optional" labels beside the fields of the settings dialogs and
// the wizard: "Required" bold in dark red, "Optional" at normal weight in blue. A label that
// is disabled with its field is drawn in the disabled text colour like the field's own label.

#include <QLabel>

namespace nbx {

QLabel* MakeFieldMarker(bool required, QWidget* parent = nullptr);

}  // namespace nbx
