// The "=" driver and the keys that edit the input box: digits, operators,
// complex entry, π, backspace and clear.

#include <QLineEdit>
#include <QPushButton>

#include "panel/form1.h"
#include "panel/input_box.h"

namespace kalvox {
namespace {

// What the complex-entry keys insert, by index: ej, j, (, ), a, a^2, E.
constexpr const char* kComplexEntry[] = {"ej", "j", "(", ")", "*ej120", "*ej-120", "E"};

}  // namespace

void Form1::Command2_Click() {
    const Outcome outcome = engine_.evaluate(Text1->text().toStdString());
    Text1->setText(QString::fromStdString(outcome.text1));
    setOutput(QString::fromStdString(outcome.text2));
    if (outcome.focusInput) Text1->setFocus();
    const int start = static_cast<int>(outcome.selectionStart);
    if (outcome.selectionLength > 0) {
        Text1->setSelection(start, static_cast<int>(outcome.selectionLength));
    } else {
        Text1->setCursorPosition(start);
    }
    history_.add(Text1->text());
}

void Form1::comjs_Click() { Command2_Click(); }

void Form1::szsrfh_Click(int index) {
    Text1->setFocus();
    insertIntoInput(index == 10 ? QStringLiteral(".") : QString::number(index));
}

void Form1::ysfhsr_Click(int index) {
    Text1->setFocus();
    insertIntoInput(ysfhsr[index]->text());
}

void Form1::fushufh_Click(int index) {
    Text1->setFocus();
    insertIntoInput(QString::fromLatin1(kComplexEntry[index]));
}

void Form1::pifh_Click() {
    Text1->setFocus();
    insertIntoInput(QStringLiteral("3.14159265358979"));
}

void Form1::comtuige_Click() {
    Text1->setFocus();
    // The caret position is the start of the selection when there is one; only the
    // character before it goes, and the selection is dropped.
    const int p = Text1->hasSelectedText() ? Text1->selectionStart() : Text1->cursorPosition();
    if (p == 0) return;
    const QString text = Text1->text();
    int from = p - 1;
    // A character outside the basic plane is one character of two code units.
    if (from > 0 && text.at(from).isLowSurrogate() && text.at(from - 1).isHighSurrogate()) {
        --from;
    }
    Text1->setSelection(from, p - from);
    Text1->del();
}

void Form1::command3_Click() {
    Text1->setText(QString());
    setOutput(QString());
    Text1->setFocus();
}

}  // namespace kalvox
