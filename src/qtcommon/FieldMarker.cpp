#include "qtcommon/FieldMarker.h"

namespace nbx {

QLabel* MakeFieldMarker(bool required, QWidget* parent) {
    auto* label =
        new QLabel(required ? QStringLiteral("Required") : QStringLiteral("Optional"), parent);
    QFont font = label->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 0.85);
    }
    font.setWeight(required ? QFont::Bold : QFont::Normal);
    label->setFont(font);
    const QColor colour = required ? QColor(128, 0, 0) : QColor(0, 0, 255);
    QPalette palette = label->palette();
    // The disabled group keeps the style's grey.
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace nbx
