#include "panel/input_box.h"

#include <QKeyEvent>

#include "model/panel_model.h"

namespace kalvox {
namespace {

// A typed character is one printable character without Ctrl or Meta.
// Keys that produce no character (arrows, Delete, Home, End, Enter) and the toolkit's
// shortcuts for copy, cut, paste, undo and select-all are not typed characters.
bool isTypedCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = event->text();
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
    }
    return true;
}

}  // namespace

InputBox::InputBox(QWidget* parent) : QLineEdit(parent) {
    // Characters come one key at a time through the filter; an input method would
    // commit text past it.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        if (event->key() == Qt::Key_Up) {
            emit historyBack();
        } else {
            emit historyForward();
        }
        event->accept();
        return;
    }
    // Alt with a key is a shortcut of the window; one the window does not use types
    // nothing either.
    if ((modifiers & Qt::AltModifier) && !event->text().isEmpty()) {
        event->accept();
        return;
    }
    if (!isTypedCharacter(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString accepted;
    for (QChar c : event->text()) {
        const std::int16_t code = filterKey(static_cast<std::int16_t>(c.unicode()));
        if (code != 0) accepted.append(QChar(static_cast<char16_t>(code)));
    }
    if (accepted.isEmpty()) {
        event->accept();  // discarded
        return;
    }
    if (accepted == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), accepted,
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void InputBox::focusOutEvent(QFocusEvent* event) {
    // QLineEdit drops the selection when it loses the focus; keep it, with the caret at
    // the same end as before.
    const bool hadSelection = hasSelectedText();
    const int start = selectionStart();
    const int length = selectedText().size();
    const bool caretAtStart = cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (hadSelection && !hasSelectedText()) {
        if (caretAtStart) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }
}

}  // namespace kalvox
