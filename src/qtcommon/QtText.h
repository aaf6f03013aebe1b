#pragma once
// Texts cross between the core (UTF-8 bytes in std::string) and Qt here.

#include <QString>
#include <string>
#include <string_view>

namespace nbx {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace nbx
