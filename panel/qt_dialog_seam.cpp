#include "panel/qt_dialog_seam.h"

#include <QFileDialog>
#include <QMessageBox>

#include "about/about_dialog.h"
#include "model/save_name.h"
#include "panel/shortcut_help.h"

namespace kalvox {

void QtDialogSeam::showMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

SaveFileChoice QtDialogSeam::askSaveFileName(QWidget* parent, const QStringList& filters) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    // The dialog adds the chosen filter's extension to a name typed without one before
    // it asks about replacing a file, so it asks about the file that is then written.
    const auto followFilter = [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(QString::fromStdString(filterExtension(filter.toStdString())));
    };
    followFilter(filters.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

QString QtDialogSeam::askOpenFileName(QWidget* parent, const QStringList& filters) {
    // Qt's dialog accepts only a file that exists.
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        filters.join(QStringLiteral(";;")));
}

void QtDialogSeam::showAbout(QWidget* parent) { showAboutDialog(parent); }

void QtDialogSeam::showShortcuts(QWidget* parent, const QList<QPair<QString, QString>>& rows) {
    showShortcutHelp(parent, rows);
}

}  // namespace kalvox
