// Both forms of a complex value at a glance: the tooltips of the output box and of
// the register content boxes, and the copy in either form from the output box's menu.
// The other form comes from the engine, which leaves the ej-j key's direction alone.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "engine/value_forms.h"
#include "panel/form1.h"

namespace kalvox {
namespace {

// The text and, for a complex value, its other form on a second line.
QString withOtherForm(const QString& first, const QString& value) {
    const std::string other = otherForm(value.toStdString());
    if (other.empty()) return first;
    return first + QLatin1Char('\n') + QString::fromStdString(other);
}

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

void Form1::updateOutputTooltip() {
    Text2->setToolTip(withOtherForm(QStringLiteral("计算结果输出框"), Text2->text()));
}

void Form1::updateContentTooltip(int index) {
    const QString& text = registerAt(index).content;
    tiqushuju[index]->setToolTip(text.isEmpty() ? QString() : withOtherForm(text, text));
}

QMenu* Form1::createOutputMenu() {
    QMenu* menu = Text2->createStandardContextMenu();
    menu->addSeparator();
    const auto forms = valueForms(Text2->text().toStdString());
    addCopy(menu, QStringLiteral("copyExponential"), QStringLiteral("复制指数形式"),
            forms ? std::optional(forms->exponential) : std::nullopt);
    addCopy(menu, QStringLiteral("copyAlgebraic"), QStringLiteral("复制代数形式"),
            forms ? std::optional(forms->algebraic) : std::nullopt);
    return menu;
}

}  // namespace kalvox
