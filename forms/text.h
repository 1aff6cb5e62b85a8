#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace forms {

// The boxes hold UTF-16 like the core's texts, so these conversions copy the
// 16-bit codes unchanged.
inline std::u16string toU16(const QString& text) {
    return std::u16string(QStringView(text).utf16(), std::size_t(text.size()));
}

inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

}  // namespace forms
