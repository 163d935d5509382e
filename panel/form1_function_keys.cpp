// The function keys, the inverse box, the three function modes and the output box's
// change handler that keeps the function keys' enabled state in line.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "panel/control_tables.h"
#include "panel/dialog_seam.h"
#include "panel/form1.h"
#include "panel/input_box.h"

namespace kalvox {
namespace {

constexpr int kPowerKey = 6;
constexpr int kFactorialKey = 10;
constexpr int kEjjKey = 11;

}  // namespace

void Form1::comfunction_Click(int index) {
    Text1->setFocus();
    if (index == kEjjKey) {
        setOutput(QString::fromStdString(engine_.ejjKey(Text2->text().toStdString())));
    }
    switch (functionMode()) {
        case FunctionMode::Symbol: {
            const std::string symbol = functionSymbol(index, inverse());
            // Keys without a symbol leave the input box alone, selection included.
            if (!symbol.empty()) insertIntoInput(QString::fromStdString(symbol));
            break;
        }
        case FunctionMode::WholeInput:
            if (index != kEjjKey) {
                Text1->setText(QString::fromStdString(
                    wrapWholeInput(index, inverse(), Text1->text().toStdString())));
                Text1->setCursorPosition(0);
            }
            break;
        case FunctionMode::Output:
            // The ej-j key only converts: its algebraic form stays on show.
            if (index != kEjjKey) {
                const KeyOutcome outcome =
                    engine_.applyToOutput(index, inverse(), Text2->text().toStdString());
                if (!outcome.failure.empty()) {
                    dialogs_.showMessage(this, QStringLiteral("Kalvox"),
                                         QString::fromStdString(outcome.failure));
                }
                setOutput(QString::fromStdString(outcome.text2));
            }
            break;
    }
}

void Form1::Check1_Click() {
    for (int i = 0; i <= 9; ++i) {
        comfunction[i]->setToolTip(QString::fromUtf8(functionTooltip(i, inverse())));
    }
    comfunction[kPowerKey]->setEnabled(!inverse());
}

void Form1::hsfhxz_Click() {
    Text1->setFocus();
    Text1->setCursorPosition(Text1->text().size());
    for (QPushButton* key : comfunction) key->setEnabled(true);
    for (int i : {4, 5, 9}) comfunction[i]->setEnabled(false);
    comfunction[kPowerKey]->setEnabled(!inverse());
}

void Form1::qbshuruxz_Click() {
    Text1->setFocus();
    for (QPushButton* key : comfunction) key->setEnabled(true);
    comfunction[kPowerKey]->setEnabled(!inverse());
}

void Form1::shuchuxz_Click() {
    Text2->setFocus();
    for (int i : {4, 5, 9}) comfunction[i]->setEnabled(true);
    comfunction[kPowerKey]->setEnabled(false);
    comfunction[kFactorialKey]->setEnabled(factorialAllowed(Text2->text().toStdString()));
}

void Form1::Text2_Change() {
    const std::array<bool, 12> enabled =
        functionKeysEnabled(functionMode(), Text2->text().toStdString());
    for (int i = 0; i < comfunction.size(); ++i) {
        comfunction[i]->setEnabled(enabled[static_cast<std::size_t>(i)]);
    }
}

}  // namespace kalvox
