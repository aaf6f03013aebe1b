#include "app/RequiredLabel.h"

namespace nbx::app {

void SetRequiredLabel(QLabel* label, bool required) {
    label->setText(required ? "Required" : "Optional");
    label->setStyleSheet(required ? "color: rgb(128, 0, 0); font-weight: 700;"
                                  : "color: rgb(0, 0, 255); font-weight: 400;");
}

}  // namespace nbx::app
