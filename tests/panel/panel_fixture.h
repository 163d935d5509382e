#pragma once
// One fresh main window per test, shown offscreen and active, with a recording
// dialog seam and a guard that fails the test on any modal dialog.

#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "modal_guard.h"
#include "panel/main_window.h"
#include "recording_dialog_seam.h"

namespace kalvox::test {

// The object name of a function key: functionKey_<its place in the array>.
QString functionKeyName(FunctionKey key);

// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString& path);

// Keeps the window's settings in a folder of the test's own for as long as it
// lives, so that no test reads another's choice or the user's.
struct SettingsSandbox {
    SettingsSandbox();
    QTemporaryDir folder;
};

class PanelFixture {
public:
    PanelFixture();
    ~PanelFixture();

    MainWindow& form() { return *form_; }
    RecordingDialogSeam& dialogs() { return dialogs_; }
    ModalGuard& guard() { return guard_; }

    QLineEdit* inputBox();
    QLineEdit* outputBox();
    QPushButton* key(const QString& objectName);
    QLabel* content(int index);  // contentBox_<index>
    QComboBox* tag(int index);   // tagBox_<index>

    // Clicks a control with the mouse, as a user does.
    void click(const QString& objectName);
    // Selects a mode option or toggles the inverse box with the mouse.
    void clickOption(const QString& objectName);
    // Types text into a box, one key at a time.
    void type(QLineEdit* box, const QString& text);
    // Replaces the text of the output box by typing a value into it, as a user may.
    void typeOutput(const QString& value);
    // Gives inputBox the text, the focus and a caret or selection (start, length).
    void prepareInput(const QString& text, int start, int length = 0);
    // Puts an expression into inputBox (as pasting does) and presses the "=" key.
    void evaluate(const QString& expression);

    // Which of functionKey_0 ... functionKey_11 are enabled, as a string of 12 "1"/"0".
    QString enabledFunctionKeys();

    // A description of every modal dialog seen so far; empty when there was none.
    QString unexpectedDialogs() const { return guard_.seen.join(QStringLiteral("; ")); }

private:
    SettingsSandbox settings_;  // before the window, which reads its settings
    RecordingDialogSeam dialogs_;
    ModalGuard guard_;
    std::unique_ptr<MainWindow> form_;
};

// The base of the window test classes: a fresh fixture f for every test
// function, and after it a check that no modal dialog appeared.
class PanelTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<PanelFixture> f;

private slots:
    void init();
    void cleanup();
};

}  // namespace kalvox::test

// Fails the current test when a modal dialog appeared.
#define VERIFY_NO_MODAL(fixture)                                                                 \
    QVERIFY2(                                                                                    \
        (fixture).unexpectedDialogs().isEmpty() && QApplication::activeModalWidget() == nullptr, \
        qPrintable(QStringLiteral("unexpected modal dialog: ") + (fixture).unexpectedDialogs()))
