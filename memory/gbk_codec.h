#pragma once
// The code page of result files: conversions between text and GBK bytes, and how a
// character is named in their messages.
//
// Result files are GBK, the code page they have always used on Simplified Chinese
// systems. On Windows the conversion is the system's code page 936; elsewhere Qt
// reaches GBK through ICU. Both give the same bytes and refuse the same characters.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace kalvox {

// Whether this system can convert GBK at all.
bool gbkAvailable();

// The GBK bytes of the text; nullopt when a character (or a lone surrogate) has
// no GBK code. Nothing is ever replaced by "?".
std::optional<QByteArray> toGbk(QStringView text);

// The text the GBK bytes stand for; nullopt when they are not GBK.
std::optional<QString> fromGbk(QByteArrayView bytes);

// A code point as messages name it: "U+" and at least four upper-case hex digits.
QString codePointText(char32_t c);

}  // namespace kalvox
