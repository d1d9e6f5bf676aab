// Conversions between the core's strings and colours and Qt's.
#pragma once

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "documents/text_buffer.h"

namespace umlo {

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<size_t>(text.size()));
}

// Host texts are UTF-8.
inline QString Utf8ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string QStringToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// Colours keep red in the low byte.
inline QColor ToQColor(Color color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

inline Color FromQColor(const QColor& color) {
    return static_cast<Color>(color.red()) | (static_cast<Color>(color.green()) << 8) |
           (static_cast<Color>(color.blue()) << 16);
}

} // namespace umlo
