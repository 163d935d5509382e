#include "tests/memory/gbk_table.h"

#include <QFile>

namespace kalvox::test {

std::optional<QByteArray> recordedGbk(char16_t c) {
    static const QByteArray table = [] {
        QFile file(QStringLiteral(":/gbk_table.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    if (table.size() != 0x20000) return std::nullopt;
    const auto high = static_cast<unsigned char>(table[2 * c]);
    const auto low = static_cast<unsigned char>(table[2 * c + 1]);
    if (high == 0xFF && low == 0xFF) return std::nullopt;
    if (high == 0) return QByteArray(1, static_cast<char>(low));
    QByteArray bytes;
    bytes += static_cast<char>(high);
    bytes += static_cast<char>(low);
    return bytes;
}

}  // namespace kalvox::test
