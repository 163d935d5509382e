// The keyboard: shortcuts made from the shortcut table, the shortcut list, and the
// walk through the inputs of this run with Up and Down in the input box.

#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>

#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/input_box.h"
#include "panel/shortcut_table.h"

namespace kalvox {

void Form1::buildShortcuts() {
    for (const Shortcut& row : shortcutTable()) {
        auto* shortcut = new QShortcut(row.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const auto& action = row.action;
        connect(shortcut, &QShortcut::activated, this, [this, &action] { action(*this); });
    }
}

void Form1::showShortcutList() {
    QList<QPair<QString, QString>> rows;
    for (const Shortcut& row : shortcutTable()) {
        rows.append({row.keys.toString(QKeySequence::NativeText), row.text});
    }
    dialogs_.showShortcuts(this, rows);
}

void Form1::chooseMode(const QString& optionName) {
    auto* option = findChild<QRadioButton*>(optionName);
    if (!option) return;
    if (!option->isChecked()) {
        option->setChecked(true);  // runs the option's handler
        return;
    }
    // Already chosen: the focus goes where the option's handler puts it.
    if (option == shuchuxz) {
        Text2->setFocus();
    } else {
        Text1->setFocus();
    }
}

void Form1::walkHistory(bool older) {
    const std::optional<QString> text = older ? history_.older(Text1->text()) : history_.newer();
    if (!text) return;
    Text1->setText(*text);
    Text1->setCursorPosition(static_cast<int>(text->size()));
}

}  // namespace kalvox
