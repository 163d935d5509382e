// Forwarding: every event goes to the panel model, and the window draws what the
// model then holds.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/input_box.h"

namespace kalvox {

QAbstractButton* Form1::button(KeyId key) const {
    for (const auto& [id, b] : keys_) {
        if (id == key) return b;
    }
    return nullptr;
}

void Form1::syncInput(bool edited) {
    const bool selected = Text1->hasSelectedText();
    model_.syncInput(Text1->text().toStdU16String(), Text1->cursorPosition(),
                     selected ? Text1->selectionStart() : Text1->cursorPosition(),
                     selected ? static_cast<int>(Text1->selectedText().size()) : 0, edited);
}

void Form1::forward(KeyId key) {
    syncInput(false);
    model_.press(key);
    if (!model_.message().empty()) {
        dialogs_.showMessage(this, QStringLiteral("Kalvox"),
                             QString::fromStdString(model_.message()));
    }
    render();
    afterCommand(key);
}

void Form1::renderInput() {
    const InputEdit& edit = model_.lastEdit();
    switch (edit.kind) {
        case InputEdit::Kind::None:
            return;
        case InputEdit::Kind::Replace:
            // As the box's own insert, so that its undo keeps the step.
            if (edit.length > 0) {
                Text1->setSelection(edit.from, edit.length);
            } else {
                Text1->setCursorPosition(edit.from);
            }
            if (!edit.text.empty()) {
                Text1->insert(QString::fromStdU16String(edit.text));
            } else if (edit.length > 0) {
                Text1->del();
            }
            Text1->deselect();
            return;
        case InputEdit::Kind::SetText:
            Text1->setText(QString::fromStdU16String(edit.text));
            break;
        case InputEdit::Kind::Caret:
            break;
    }
    if (model_.selectionLength() > 0) {
        Text1->setSelection(model_.selectionStart(), model_.selectionLength());
    } else {
        Text1->setCursorPosition(model_.caret());
    }
}

void Form1::renderRegister(int index, bool withTag) {
    const MemoryRegister& reg = model_.registers()[static_cast<std::size_t>(index)];
    if (withTag) {
        QComboBox* box = ccjgbz[index];
        box->setCurrentIndex(-1);
        box->setEditText(QString::fromStdString(reg.tag));
        box->setToolTip(QString::fromStdString(tagTooltip(index + 1, reg.tag)));
        // A long tag shows its beginning, as one picked from the list does.
        if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
    }
    tiqushuju[index]->setText(QString::fromStdString(reg.content));
    tiqushuju[index]->setToolTip(QString::fromStdString(model_.contentTooltip(index)));
}

void Form1::render() {
    rendering_ = true;
    if (model_.focus() == Focus::Input) Text1->setFocus();
    if (model_.focus() == Focus::Output) Text2->setFocus();
    renderInput();
    const QString output = QString::fromStdString(model_.displayedOutput());
    if (Text2->text() != output) Text2->setText(output);
    Text2->setToolTip(QString::fromStdString(model_.outputTooltip(text2Tooltip_.toStdString())));
    for (const auto& [id, b] : keys_) {
        b->setEnabled(model_.enabled(id));
        if (id.group == KeyGroup::Function)
            b->setToolTip(QString::fromStdString(model_.tooltip(id)));
        if (id.group == KeyGroup::Mode) b->setChecked(static_cast<int>(model_.mode()) == id.index);
        if (id.group == KeyGroup::Inverse) b->setChecked(model_.inverse());
    }
    for (const auto& [id, action] : complexEntries_) action->setEnabled(model_.enabled(id));
    for (int i = 0; i < kRegisterCount; ++i) renderRegister(i, model_.registersReplaced());
    rendering_ = false;
}

}  // namespace kalvox
