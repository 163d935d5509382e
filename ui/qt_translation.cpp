#include "ui/qt_translation.h"

#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

namespace kalvox {

bool loadQtChineseTranslation(QTranslator& translator) {
    const QString name = QStringLiteral("qtbase_zh_CN");
    return translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
           translator.load(name, QStringLiteral(":/translations"));
}

}  // namespace kalvox
