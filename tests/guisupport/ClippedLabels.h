#pragma once
// The texts of a window's shown one-line labels whose end is cut: the ink of the text (which may
// reach past its advance), placed as the label aligns it, against the label's own width.

#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

namespace nbx::test {

inline std::vector<std::string> ClippedLabels(const QWidget& window) {
    std::vector<std::string> clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() ||
            label->textFormat() == Qt::RichText || label->text().contains(QLatin1Char('\n'))) {
            continue;
        }
        QString text = label->text();
        text.remove(QLatin1Char('&'));
        const QFontMetrics metrics = label->fontMetrics();
        const QRect inside = label->contentsRect();
        const int advance = metrics.horizontalAdvance(text);
        const Qt::Alignment align = label->alignment();
        const int start = align & Qt::AlignRight ? inside.right() + 1 - advance
                          : align & Qt::AlignHCenter
                              ? inside.left() + (inside.width() - advance) / 2
                              : inside.left();
        const QRect ink = metrics.tightBoundingRect(text).translated(start, 0);
        if (ink.right() >= label->width()) {
            clipped.push_back(text.toStdString());
        }
    }
    return clipped;
}

}  // namespace nbx::test
