// The memory registers (store, recall and their display), the save key and the About
// command.

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
    storeInto(registerAt(index), Text2->text(), Text1->text());
    showContent(index);
}

void Form1::tiqu_Click(int index) {
    Text1->setFocus();
    insertIntoInput(registerAt(index).content);
}

MemoryRegister& Form1::registerAt(int index) { return registers_[static_cast<std::size_t>(index)]; }

const MemoryRegister& Form1::registerAt(int index) const {
    return registers_[static_cast<std::size_t>(index)];
}

void Form1::showRegister(int index) {
    // Every write of the tag box goes back into the register, the deselection's empty
    // text too: the tag is taken before.
    const QString tag = registerAt(index).tag;
    QComboBox* box = ccjgbz[index];
    box->setCurrentIndex(-1);
    box->setEditText(tag);
    // A long tag shows its beginning, as one picked from the list does.
    if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
    showContent(index);
}

void Form1::showContent(int index) {
    tiqushuju[index]->setText(registerAt(index).content);
    updateContentTooltip(index);
}

void Form1::commsave_Click() {
    Command2_Click();
    const QString fileName = dialogs_.askSaveFileName(this, saveDialogFilters());
    if (fileName.trimmed().isEmpty()) return;
    const SaveResult result = saveResultFile(fileName, Text1->text(), Text2->text(), registers_);
    if (!result.ok()) dialogs_.showMessage(this, QStringLiteral("Kalvox"), result.message);
}

void Form1::guangyucom_Click() { dialogs_.showAbout(this); }

}  // namespace kalvox
