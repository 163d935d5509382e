// The memory registers (store and recall), the save key and the About command.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "memory/result_file.h"
#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/input_box.h"

namespace kalvox {

void Form1::congchu_Click(int index) {
    Text1->setFocus();
    tiqushuju[index]->setText(Text2->text());
    storedExpression_[static_cast<std::size_t>(index)] = Text1->text();
    updateContentTooltip(index);
}

void Form1::tiqu_Click(int index) {
    Text1->setFocus();
    insertIntoInput(tiqushuju[index]->text());
}

void Form1::commsave_Click() {
    Command2_Click();
    const QString fileName = dialogs_.askSaveFileName(this, saveDialogFilters());
    if (fileName.trimmed().isEmpty()) return;

    MemoryRegisters registers;
    for (int i = 0; i < kRegisterCount; ++i) {
        MemoryRegister& reg = registers[static_cast<std::size_t>(i)];
        reg.tag = ccjgbz[i]->currentText();
        reg.content = tiqushuju[i]->text();
        reg.storedExpression = storedExpression_[static_cast<std::size_t>(i)];
    }
    const SaveResult result = saveResultFile(fileName, Text1->text(), Text2->text(), registers);
    if (!result.ok()) dialogs_.showMessage(this, QStringLiteral("Kalvox"), result.message);
}

void Form1::guangyucom_Click() { dialogs_.showAbout(this); }

}  // namespace kalvox
