#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pf {

// The one conversion between the core's UTF-8 text and Qt's strings. Invalid UTF-8 bytes
// become U+FFFD on the way in.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string FromQString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace pf
