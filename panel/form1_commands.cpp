// The window's own part of the commands: the dialogs, the result file and the
// keyboard shortcuts.

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QShortcut>

#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "model/save_name.h"
#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/phasor_window.h"

namespace kalvox {

void Form1::afterCommand(KeyId key) {
    switch (key.group) {
        case KeyGroup::Save:
            save();
            break;
        case KeyGroup::Open:
            open();
            break;
        case KeyGroup::About:
            dialogs_.showAbout(this);
            break;
        case KeyGroup::ShortcutList:
            showShortcutList();
            break;
        case KeyGroup::ComplexMenu:
            if (key.index == static_cast<int>(ComplexEntry::Phasors)) showPhasors();
            break;
        default:
            break;
    }
}

void Form1::save() {
    // The model has just evaluated, as "=" does.
    const SaveFileChoice choice = dialogs_.askSaveFileName(this, saveDialogFilters());
    if (isBlank(choice.fileName)) return;
    const QString fileName = QString::fromStdString(
        savedFileName(choice.fileName.toStdString(), choice.filter.toStdString()));
    const SaveResult result =
        saveResultFile(fileName, QString::fromStdU16String(model_.input()),
                       QString::fromStdString(model_.output()), model_.registers());
    if (!result.ok()) dialogs_.showMessage(this, QStringLiteral("Kalvox"), result.message);
}

void Form1::open() {
    // The save dialog's two filters, whose files hold the same lines, and every file.
    const QString fileName = dialogs_.askOpenFileName(this, openDialogFilters());
    if (isBlank(fileName)) return;
    openResultFile(fileName);
}

bool Form1::openResultFile(const QString& fileName) {
    // The whole file is read and checked before anything in the window changes.
    const OpenedResultFile file = readResultFile(fileName);
    if (!file.ok()) {
        dialogs_.showMessage(this, QStringLiteral("Kalvox"), file.message);
        return false;
    }
    syncInput(false);
    model_.loadResultFile(file.input.toStdString(), file.registers);
    render();
    return true;
}

void Form1::showPhasors() {
    if (!phasors_) phasors_ = new PhasorWindow(dialogs_, this);
    phasors_->showRegisters(model_.registers());
    phasors_->showBeside(this);
}

void Form1::buildShortcuts() {
    // Shortcuts use Ctrl, Alt or a function key, so none of them ever types a character.
    for (const PanelKey& row : panelKeys()) {
        if (row.shortcut.empty()) continue;
        auto* shortcut = new QShortcut(
            QKeySequence(QString::fromStdString(row.shortcut), QKeySequence::PortableText), this);
        shortcut->setContext(Qt::WindowShortcut);
        const KeyId id = row.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            // A key acts as its click does; a disabled key ignores its shortcut as it
            // ignores the mouse. The options say themselves where the focus goes.
            QAbstractButton* b = button(id);
            if (id.group == KeyGroup::Mode || !b) {
                forward(id);
            } else if (b->isEnabled()) {
                b->click();
            }
        });
    }
}

void Form1::showShortcutList() {
    QList<QPair<QString, QString>> rows;
    for (const PanelKey& row : panelKeys()) {
        if (row.shortcut.empty()) continue;
        const QKeySequence keys(QString::fromStdString(row.shortcut), QKeySequence::PortableText);
        rows.append(
            {keys.toString(QKeySequence::NativeText), QString::fromStdString(row.helpLine())});
    }
    dialogs_.showShortcuts(this, rows);
}

}  // namespace kalvox
