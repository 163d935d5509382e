// The window's own part of the commands: the dialogs, the result file and the
// keyboard shortcuts.

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QShortcut>

#include "panel/dialog_seam.h"
#include "panel/main_window.h"
#include "panel/phasor_window.h"

namespace kalvox {

void MainWindow::afterCommand(KeyId key) {
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

namespace {
QStringList filterList(const std::vector<std::string>& filters) {
    QStringList list;
    for (const std::string& filter : filters) list << QString::fromStdString(filter);
    return list;
}
}  // namespace

void MainWindow::save() {
    // The model has just evaluated, as "=" does; it writes what the dialog chose.
    const SaveFileChoice choice =
        dialogs_.askSaveFileName(this, filterList(PanelModel::saveFilters()));
    model_.saveFile(choice.fileName.toStdString(), choice.filter.toStdString());
    showModelMessage();
}

void MainWindow::open() {
    // The save dialog's two filters, whose files hold the same lines, and every file.
    const QString fileName = dialogs_.askOpenFileName(this, filterList(PanelModel::openFilters()));
    if (fileName.isEmpty()) return;
    openResultFile(fileName);
}

bool MainWindow::openResultFile(const QString& fileName) {
    // The whole file is read and checked before anything in the window changes.
    syncInput(false);
    const bool loaded = model_.openFile(fileName.toStdString());
    showModelMessage();
    if (loaded) render();
    return loaded;
}

void MainWindow::showPhasors() {
    if (!phasors_) phasors_ = new PhasorWindow(dialogs_, this);
    phasors_->setDigits(model_.display().digits);
    phasors_->showRegisters(model_.registers());
    phasors_->showBeside(this);
}

void MainWindow::buildShortcuts() {
    // Shortcuts use Ctrl, Alt or a function key, so none of them ever types a character.
    for (const PanelKey& row : panelKeys()) {
        if (row.shortcut.empty()) continue;
        auto* shortcut = new QShortcut(
            QKeySequence(QString::fromStdString(row.shortcut), QKeySequence::PortableText), this);
        shortcut->setContext(Qt::WindowShortcut);
        const KeyId id = row.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            // A key acts as its click does; a key the model has switched off ignores
            // its shortcut as it ignores the mouse.
            if (model_.enabled(id)) forward(id);
        });
    }
}

void MainWindow::showShortcutList() {
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
