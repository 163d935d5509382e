#include "panel/qt_dialog_seam.h"

#include <QFileDialog>
#include <QMessageBox>

#include "about/frm_about.h"
#include "panel/shortcut_help.h"

namespace kalvox {

void QtDialogSeam::showMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogSeam::askSaveFileName(QWidget* parent, const QStringList& filters) {
    // Qt's dialog asks before it replaces an existing file.
    return QFileDialog::getSaveFileName(parent, QString(), QString(),
                                        filters.join(QStringLiteral(";;")));
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
