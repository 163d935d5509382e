#include "memory/registers.h"

namespace kalvox {

const QStringList& presetTags() {
    static const QStringList tags{
        QStringLiteral("Ia"),     QStringLiteral("Ib"),     QStringLiteral("Ic"),
        QStringLiteral("Ua"),     QStringLiteral("Ub"),     QStringLiteral("Uc"),
        QStringLiteral("I"),      QStringLiteral("U"),      QStringLiteral("P"),
        QStringLiteral("Q"),      QStringLiteral("S"),      QStringLiteral("cosφ"),
        QStringLiteral("CT变比"), QStringLiteral("PT变比"),
    };
    return tags;
}

QString storeCaption(int k) { return QStringLiteral("MW") + QString::number(k); }

QString recallCaption(int k) { return QStringLiteral("MR") + QString::number(k); }

QString storeTooltip(int k) {
    return QStringLiteral("存储第") + QString::number(k) + QStringLiteral("个计算结果");
}

QString recallTooltip(int k) {
    return QStringLiteral("提取第") + QString::number(k) + QStringLiteral("个计算结果");
}

QString tagTooltip(int k) {
    return QStringLiteral("选择或输入第") + QString::number(k) + QStringLiteral("个存储标志");
}

void storeInto(MemoryRegister& reg, const QString& output, const QString& input) {
    reg.content = output;
    reg.storedExpression = input;
}

bool isBlank(QStringView text) {
    for (QChar c : text) {
        if (c != u' ') return false;
    }
    return true;
}

}  // namespace kalvox
