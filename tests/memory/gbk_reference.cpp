#include "tests/memory/gbk_reference.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <QString>

#include "tests/memory/gbk_table.h"
#else
#include <iconv.h>
#endif

namespace kalvox::test {

#ifdef _WIN32

// Windows has no iconv: the recorded table, which the GBK tests hold both the
// system's code page and ICU to, stands in for it.
QByteArray gbk(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QByteArray out;
    for (const QChar c : text) {
        const std::optional<QByteArray> bytes = recordedGbk(c.unicode());
        if (!bytes) {
            ADD_FAILURE() << "no recorded GBK code for " << std::string(utf8);
            return {};
        }
        out += *bytes;
    }
    return out;
}

#else

QByteArray gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no CP936";
        return {};
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        ADD_FAILURE() << "iconv cannot encode " << in;
    }
    iconv_close(cd);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

#endif

}  // namespace kalvox::test
