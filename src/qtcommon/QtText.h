#pragma once
// Texts cross between the core (UTF-8 bytes in std::string) and Qt here. Header-only, so the
// reader and the Rebrander share it without another library in their size-bound stubs.

#include <QString>
#include <QTextDocument>
#include <string>
#include <string_view>

namespace nbx {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string U(const QString& text) {
    return text.toUtf8().toStdString();
}

// A tool tip shows its text as rich text when it looks like markup, and rich text loads
// pictures by their addresses. A text from a book or a file is shown as it stands.
inline QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    return "<p style='white-space:pre-wrap'>" + text.toHtmlEscaped() + "</p>";
}

}  // namespace nbx
