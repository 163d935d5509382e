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

FunctionKeyStates Form1::functionKeyStates() const {
    FunctionKeyStates states{};
    for (int i = 0; i < comfunction.size(); ++i)
        states[static_cast<std::size_t>(i)] = comfunction[i]->isEnabled();
    return states;
}

void Form1::applyFunctionKeyStates(const FunctionKeyStates& states) {
    for (int i = 0; i < comfunction.size(); ++i)
        comfunction[i]->setEnabled(states[static_cast<std::size_t>(i)]);
}

void Form1::comfunction_Click(int index) {
    const auto key = static_cast<FunctionKey>(index);
    Text1->setFocus();
    if (key == FunctionKey::EjJ) {
        setOutput(QString::fromStdString(engine_.ejjKey(Text2->text().toStdString())));
    }
    switch (functionMode()) {
        case FunctionMode::Symbol: {
            const std::string symbol = functionSymbol(key, inverse());
            // Keys without a symbol leave the input box alone, selection included.
            if (!symbol.empty()) insertIntoInput(QString::fromStdString(symbol));
            break;
        }
        case FunctionMode::WholeInput:
            if (key != FunctionKey::EjJ) {
                Text1->setText(QString::fromStdString(
                    wrapWholeInput(key, inverse(), Text1->text().toStdString())));
                Text1->setCursorPosition(0);
            }
            break;
        case FunctionMode::Output:
            // The ej-j key only converts: its algebraic form stays on show.
            if (key != FunctionKey::EjJ) {
                const KeyOutcome outcome =
                    engine_.applyToOutput(key, inverse(), Text2->text().toStdString());
                if (!outcome.failure.empty()) {
                    dialogs_.showMessage(this, QStringLiteral("Kalvox"),
                                         QString::fromStdString(outcome.failure));
                }
                setOutput(QString::fromStdString(outcome.text2));
            }
            break;
    }
}

void Form1::showFunctionTooltips() {
    for (int i = 0; i < functionTooltipCount(); ++i) {
        comfunction[i]->setToolTip(QString::fromUtf8(functionTooltip(i, inverse())));
    }
}

void Form1::Check1_Click() {
    showFunctionTooltips();
    applyFunctionKeyStates(functionKeysForInverse(inverse(), functionKeyStates()));
}

void Form1::applyModeKeyStates(FunctionMode mode) {
    applyFunctionKeyStates(
        functionKeysForMode(mode, inverse(), Text2->text().toStdString(), functionKeyStates()));
}

void Form1::hsfhxz_Click() {
    Text1->setFocus();
    Text1->setCursorPosition(Text1->text().size());
    applyModeKeyStates(FunctionMode::Symbol);
}

void Form1::qbshuruxz_Click() {
    Text1->setFocus();
    applyModeKeyStates(FunctionMode::WholeInput);
}

void Form1::shuchuxz_Click() {
    Text2->setFocus();
    applyModeKeyStates(FunctionMode::Output);
}

void Form1::Text2_Change() {
    applyFunctionKeyStates(functionKeysEnabled(functionMode(), Text2->text().toStdString()));
}

}  // namespace kalvox
