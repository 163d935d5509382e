#pragma once
// The expression input box: a single-line text box whose typed characters pass
// the key filter, and which keeps its caret and selection while another control has
// the focus, so that a key clicked with the mouse acts where the user left the caret.

#include <QLineEdit>

namespace kalvox {

class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(QWidget* parent = nullptr);

signals:
    // Up and Down without a modifier: a step back or forward through the inputs.
    void historyBack();
    void historyForward();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace kalvox
