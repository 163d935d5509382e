// From the bytes of a result file back to the calculation and the registers.
//
// The bytes are cut into lines at LF before anything is decoded: in GBK the
// byte 0x0A is never part of a two-byte character (trail bytes start at 0x40),
// so the cut is safe and every fault can be pinned to its line. Each line is
// then decoded on its own with the same stateless converter the writer uses.
#include "memory/result_file_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cerrno>

#include "engine/blank.h"
#include "memory/gbk_codec.h"
#include "memory/result_file.h"

namespace kalvox {
namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

OpenedResultFile refused(const QString& fileName, ReadError error, int line,
                         const QString& reason) {
    OpenedResultFile file;
    file.error = error;
    file.line = line;
    const QString where = line > 0 ? QStringLiteral("第%1行").arg(line) : QString();
    file.message = QStringLiteral("文件“%1”没有打开:%2%3。").arg(shown(fileName), where, reason);
    return file;
}

OpenedResultFile tooLarge(const QString& fileName) {
    return refused(fileName, ReadError::TooLarge, 0,
                   QStringLiteral("文件大于1 MiB(%1字节)").arg(kMaxResultFileSize));
}

// The lines of the file without their line ends (CR LF or LF). A final line
// end does not start another line; an empty file is one empty line. A CR that
// does not stand right before an LF stays in its line.
QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    const bool lastLineEnded = lines.size() > 1 && lines.last().isEmpty();
    if (lastLineEnded) lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool ended = i + 1 < lines.size() || lastLineEnded;
        if (ended && lines[i].endsWith('\r')) lines[i].chop(1);
    }
    return lines;
}

// The first control character of the text and its place (counted from 1 in
// characters); column 0 when there is none.
struct ControlCharacter {
    char32_t code = 0;
    int column = 0;
};
ControlCharacter firstControl(const QString& text) {
    int column = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
        ++column;
        if (c.category() == QChar::Other_Control) return {c.unicode(), column};
    }
    return {};
}

// A register line: content after the last "=", stored expression between the
// last two, tag before them. The line holds at least one "=". A blank tag is
// read as none: the save key never writes one, so a register keeps no tag of
// spaces that the next save would drop.
MemoryRegister registerFromLine(const QString& line) {
    MemoryRegister reg;
    const qsizetype last = line.lastIndexOf(u'=');
    reg.content = line.mid(last + 1).toStdString();
    const qsizetype before = last > 0 ? line.lastIndexOf(u'=', last - 1) : -1;
    if (before < 0) {
        reg.storedExpression = line.left(last).toStdString();
    } else {
        reg.tag = line.left(before).toStdString();
        if (isBlank(reg.tag)) reg.tag.clear();
        reg.storedExpression = line.mid(before + 1, last - before - 1).toStdString();
    }
    return reg;
}

// Whether the save key writes a line for the register: not when its tag and its
// content are both blank.
bool savedAsLine(const MemoryRegister& reg) { return !isBlank(reg.tag) || !isBlank(reg.content); }

}  // namespace

OpenedResultFile decodeResultFile(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > kMaxResultFileSize) return tooLarge(fileName);
    if (!gbkAvailable()) {
        return refused(fileName, ReadError::NoDecoder, 0,
                       QStringLiteral("本机没有GBK编码转换程序"));
    }
    OpenedResultFile file;
    const QList<QByteArray> lines = splitLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::optional<QString> decoded = fromGbk(lines[i]);
        if (!decoded) {
            return refused(fileName, ReadError::NotGbk, number,
                           QStringLiteral("不是GBK编码的文本"));
        }
        const QString& text = *decoded;
        if (const ControlCharacter c = firstControl(text); c.column != 0) {
            OpenedResultFile bad = refused(
                fileName, ReadError::ControlCharacter, number,
                QStringLiteral("第%1个字符是控制字符%2").arg(c.column).arg(codePointText(c.code)));
            bad.character = c.code;
            return bad;
        }
        const qsizetype last = text.lastIndexOf(u'=');
        if (last < 0) {
            return refused(fileName, ReadError::NoEquals, number,
                           number == 1 ? QStringLiteral("没有“=”,不是“表达式=计算结果”")
                                       : QStringLiteral("没有“=”"));
        }
        if (number == 1) {
            file.input = text.left(last);
            file.output = text.mid(last + 1);
            continue;
        }
        // A register the save key would not write fills no row: the file says no
        // more of it than an empty row would, and the rows after it move up as they
        // do on the next save.
        const MemoryRegister reg = registerFromLine(text);
        if (!savedAsLine(reg)) continue;
        if (file.registerLines == kRegisterCount) {
            return refused(fileName, ReadError::TooManyRegisters, number,
                           QStringLiteral("是第%1个存储结果,存储结果最多%2个")
                               .arg(kRegisterCount + 1)
                               .arg(kRegisterCount));
        }
        file.registers[static_cast<std::size_t>(file.registerLines++)] = reg;
    }
    return file;
}

OpenedResultFile readResultFile(const QString& fileName) {
    if (isBlank(fileName)) {
        OpenedResultFile file;
        file.error = ReadError::Unreadable;
        file.message = QStringLiteral("没有给出文件名,文件没有打开。");
        return file;
    }
    const QFileInfo info(fileName);
    if (!info.exists()) {
        return refused(fileName, ReadError::Unreadable, 0, QStringLiteral("文件不存在"));
    }
    if (info.isDir()) {
        return refused(fileName, ReadError::Unreadable, 0, QStringLiteral("这个名字是一个文件夹"));
    }
    if (info.isFile() && info.size() > kMaxResultFileSize) {
        return tooLarge(fileName);
    }
    QFile source(fileName);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly)) {
        if (errno == EACCES || errno == EPERM) {
            return refused(fileName, ReadError::Unreadable, 0,
                           QStringLiteral("没有读这个文件的权限"));
        }
        return refused(fileName, ReadError::Unreadable, 0,
                       QStringLiteral("读取时出错(%1)").arg(source.errorString()));
    }
    // One byte more than allowed tells a file that grew past the limit.
    const QByteArray bytes = source.read(kMaxResultFileSize + 1);
    if (source.error() != QFileDevice::NoError) {
        return refused(fileName, ReadError::Unreadable, 0,
                       QStringLiteral("读取时出错(%1)").arg(source.errorString()));
    }
    return decodeResultFile(bytes, fileName);
}

}  // namespace kalvox
