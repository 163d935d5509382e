// The 打开 command: a saved result file back into the window.

#include <QAction>
#include <QMenuBar>

#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/input_box.h"

namespace kalvox {

void Form1::buildOpenCommand() {
    // Beside 关于, which keeps its place as the first command of the menu bar.
    // Its shortcut, Ctrl+O, comes from the shortcut table with all the others.
    dakaicom = menuBar()->addAction(QStringLiteral("打开"));
    dakaicom->setObjectName(QStringLiteral("dakaicom"));
    connect(dakaicom, &QAction::triggered, this, [this] { dakaicom_Click(); });
}

void Form1::dakaicom_Click() {
    // The same two filters as the save dialog: both kinds of file hold the same lines.
    const QString fileName = dialogs_.askOpenFileName(this, saveDialogFilters());
    if (fileName.trimmed().isEmpty()) return;
    openResultFile(fileName);
}

bool Form1::openResultFile(const QString& fileName) {
    // The whole file is read and checked before anything in the window changes.
    const OpenedResultFile file = readResultFile(fileName);
    if (!file.ok()) {
        dialogs_.showMessage(this, QStringLiteral("Kalvox"), file.message);
        return false;
    }
    registers_ = file.registers;
    for (int i = 0; i < kRegisterCount; ++i) showRegister(i);
    // The result is not taken from the file: "=" computes it afresh.
    Text1->setFocus();
    Text1->setText(file.input);
    Command2_Click();
    return true;
}

}  // namespace kalvox
