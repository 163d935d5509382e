// The desktop program's result file for a state given as JSON on standard input,
// {"input": ..., "output": ..., "registers": [{"tag", "content", "storedExpression"}]},
// written to standard output: the bytes the browser tests hold the page's download to.
#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "memory/result_file.h"

int main() {
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
