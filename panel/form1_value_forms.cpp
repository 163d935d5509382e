// The copy of a complex value in either form from the output box's menu. The
// other form comes from the engine, which leaves the ej-j key's direction alone.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include "engine/value_forms.h"
#include "panel/form1.h"

namespace kalvox {
namespace {

QAction* addCopy(QMenu* menu, const QString& name, const QString& caption,
                 const std::optional<std::string>& text) {
    QAction* copy = menu->addAction(caption);
    copy->setObjectName(name);
    copy->setEnabled(text.has_value());
    if (text) {
        const QString value = QString::fromStdString(*text);
        QObject::connect(copy, &QAction::triggered, menu,
                         [value] { QGuiApplication::clipboard()->setText(value); });
    }
    return copy;
}

}  // namespace

QMenu* Form1::createOutputMenu() {
    QMenu* menu = Text2->createStandardContextMenu();
    menu->addSeparator();
    const auto forms = valueForms(model_.output());  // the full value, whatever is shown
    addCopy(menu, QStringLiteral("copyExponential"), QStringLiteral("复制指数形式"),
            forms ? std::optional(forms->exponential) : std::nullopt);
    addCopy(menu, QStringLiteral("copyAlgebraic"), QStringLiteral("复制代数形式"),
            forms ? std::optional(forms->algebraic) : std::nullopt);
    return menu;
}

}  // namespace kalvox
