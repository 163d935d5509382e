// The copy of a complex value in either form from the output box's menu: the
// entries and what they copy come from the model.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include "panel/main_window.h"

namespace kalvox {

QMenu* MainWindow::createOutputMenu() {
    QMenu* menu = outputBox_->createStandardContextMenu();
    menu->addSeparator();
    for (const CopyForm& form : model_.copyForms()) {
        QAction* copy = menu->addAction(QString::fromStdString(form.caption));
        copy->setObjectName(QString::fromStdString(form.name));
        copy->setEnabled(!form.text.empty());
        const QString value = QString::fromStdString(form.text);
        QObject::connect(copy, &QAction::triggered, menu,
                         [value] { QGuiApplication::clipboard()->setText(value); });
    }
    return menu;
}

}  // namespace kalvox
