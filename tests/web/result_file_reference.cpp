// What the desktop program's result-file code does, for the browser tests to hold the
// page to:
//   web_result_file_reference            the file for a state given as JSON on standard
//     input, {"input", "output", "registers": [{"tag", "content", "storedExpression"}]},
//     written to standard output;
//   web_result_file_reference read NAME  "loaded", or the message a refused file gives.
#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "memory/result_file.h"
#include "memory/result_file_reader.h"

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "read") {
        const kalvox::OpenedResultFile file = kalvox::readResultFile(QString::fromUtf8(argv[2]));
        std::fputs(file.ok() ? "loaded" : file.message.toStdString().c_str(), stdout);
        return 0;
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return 2;
    const QJsonObject state = QJsonDocument::fromJson(in.readAll()).object();
    kalvox::MemoryRegisters registers;
    const QJsonArray rows = state.value(QStringLiteral("registers")).toArray();
    for (qsizetype i = 0; i < rows.size() && i < kalvox::kRegisterCount; ++i) {
        const QJsonObject row = rows[i].toObject();
        kalvox::MemoryRegister& reg = registers[static_cast<std::size_t>(i)];
        reg.tag = row.value(QStringLiteral("tag")).toString().toStdString();
        reg.content = row.value(QStringLiteral("content")).toString().toStdString();
        reg.storedExpression =
            row.value(QStringLiteral("storedExpression")).toString().toStdString();
    }
    const kalvox::EncodedFile file = kalvox::encodeResultFile(
        kalvox::resultLines(state.value(QStringLiteral("input")).toString(),
                            state.value(QStringLiteral("output")).toString(), registers));
    if (!file.result.ok()) {
        std::fputs(file.result.message.toStdString().c_str(), stderr);
        return 1;
    }
    std::fwrite(file.bytes.constData(), 1, static_cast<std::size_t>(file.bytes.size()), stdout);
    return 0;
}
