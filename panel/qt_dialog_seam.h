#pragma once
// The dialog seam as the user sees it: Qt's message box, Qt's file-save and file-open dialogs and
// the program's About dialog.

#include "panel/dialog_seam.h"

namespace kalvox {

class QtDialogSeam final : public DialogSeam {
public:
    void showMessage(QWidget* parent, const QString& title, const QString& text) override;
    SaveFileChoice askSaveFileName(QWidget* parent, const QStringList& filters) override;
    QString askOpenFileName(QWidget* parent, const QStringList& filters) override;
    void showAbout(QWidget* parent) override;
    void showShortcuts(QWidget* parent, const QList<QPair<QString, QString>>& rows) override;
};

}  // namespace kalvox
