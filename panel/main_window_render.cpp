// Forwarding: every event goes to the panel model, and the window draws what the
// model then holds.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "model/window_texts.h"
#include "panel/dialog_seam.h"
#include "panel/input_box.h"
#include "panel/main_window.h"
#include "panel/phasor_window.h"

namespace kalvox {
namespace {
QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
}  // namespace

QAbstractButton* MainWindow::button(KeyId key) const {
    for (const auto& [id, b] : keys_) {
        if (id == key) return b;
    }
    return nullptr;
}

void MainWindow::syncInput(bool edited) {
    const bool selected = inputBox_->hasSelectedText();
    model_.syncInput(inputBox_->text().toStdU16String(), inputBox_->cursorPosition(),
                     selected ? inputBox_->selectionStart() : inputBox_->cursorPosition(),
                     selected ? static_cast<int>(inputBox_->selectedText().size()) : 0, edited);
}

void MainWindow::forward(KeyId key) {
    syncInput(false);
    model_.press(key);
    showModelMessage();
    render();
    afterCommand(key);
}

void MainWindow::showModelMessage() {
    if (model_.message().empty()) return;
    dialogs_.showMessage(this, text(kMessageTitle), QString::fromStdString(model_.message()));
}

void MainWindow::renderInput() {
    const InputEdit& edit = model_.lastEdit();
    switch (edit.kind) {
        case InputEdit::Kind::None:
            return;
        case InputEdit::Kind::Replace:
            // As the box's own insert, so that its undo keeps the step.
            if (edit.length > 0) {
                inputBox_->setSelection(edit.from, edit.length);
            } else {
                inputBox_->setCursorPosition(edit.from);
            }
            if (!edit.text.empty()) {
                inputBox_->insert(QString::fromStdU16String(edit.text));
            } else if (edit.length > 0) {
                inputBox_->del();
            }
            inputBox_->deselect();
            return;
        case InputEdit::Kind::SetText:
            inputBox_->setText(QString::fromStdU16String(edit.text));
            break;
        case InputEdit::Kind::Caret:
            break;
    }
    if (model_.selectionLength() > 0) {
        inputBox_->setSelection(model_.selectionStart(), model_.selectionLength());
    } else {
        inputBox_->setCursorPosition(model_.caret());
    }
}

void MainWindow::renderRegister(int index, bool withTag) {
    const MemoryRegister& reg = model_.registers()[static_cast<std::size_t>(index)];
    if (withTag) {
        QComboBox* box = tagBoxes_[index];
        box->setCurrentIndex(-1);
        box->setEditText(QString::fromStdString(reg.tag));
        box->setToolTip(QString::fromStdString(tagTooltip(index + 1, reg.tag)));
        // A long tag shows its beginning, as one picked from the list does.
        if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
    }
    contentBoxes_[index]->setText(QString::fromStdString(reg.content));
    contentBoxes_[index]->setToolTip(QString::fromStdString(model_.contentTooltip(index)));
}

void MainWindow::render() {
    rendering_ = true;
    if (model_.focus() == Focus::Input) inputBox_->setFocus();
    if (model_.focus() == Focus::Output) outputBox_->setFocus();
    renderInput();
    const QString output = QString::fromStdString(model_.displayedOutput());
    if (outputBox_->text() != output) outputBox_->setText(output);
    outputBox_->setToolTip(
        QString::fromStdString(model_.outputTooltip(outputTooltip_.toStdString())));
    for (const auto& [id, b] : keys_) {
        b->setEnabled(model_.enabled(id));
        if (id.group == KeyGroup::Function) {
            // What the tooltip says, a screen reader says.
            const QString tooltip = QString::fromStdString(model_.tooltip(id));
            b->setToolTip(tooltip);
            b->setAccessibleDescription(tooltip);
        }
        if (id.group == KeyGroup::Mode) b->setChecked(static_cast<int>(model_.mode()) == id.index);
        if (id.group == KeyGroup::Inverse) b->setChecked(model_.inverse());
    }
    for (const auto& [id, action] : complexEntries_) action->setEnabled(model_.enabled(id));
    for (int i = 0; i < kRegisterCount; ++i) renderRegister(i, model_.registersReplaced());
    if (phasors_) phasors_->showRegisters(model_.registers());
    rendering_ = false;
}

}  // namespace kalvox
