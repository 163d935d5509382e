// The window from the keyboard: every shortcut of the table, the shortcut list, where
// typing goes after a mode or the inverse box is chosen, and the input history.

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QSet>
#include <QShortcut>
#include <QTest>

#include "memory/registers.h"
#include "panel_fixture.h"

using kalvox::test::PanelTest;

class PanelKeyboardTest : public PanelTest {
    Q_OBJECT

    // Presses a key combination where the focus is, as the user does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &f->form(), key, modifiers);
    }
    QRadioButton* option(const char* name) { return f->form().findChild<QRadioButton*>(name); }
    QCheckBox* inverseBox() { return f->form().findChild<QCheckBox*>("inverseBox"); }

private slots:
    void storeWithCtrlDigit_data() {
        QTest::addColumn<int>("k");
        for (int k = 1; k <= kalvox::kRegisterCount; ++k)
            QTest::newRow(qPrintable(QStringLiteral("Ctrl+%1").arg(k))) << k;
    }
    void storeWithCtrlDigit() {
        QFETCH(int, k);
        f->evaluate(QStringLiteral("3+j4"));
        press(static_cast<Qt::Key>(Qt::Key_0 + k), Qt::ControlModifier);
        for (int i = 0; i < kalvox::kRegisterCount; ++i) {
            QCOMPARE(f->content(i)->text(),
                     i == k - 1 ? QStringLiteral("5ej53.130102354156") : QString());
        }
        QCOMPARE(f->inputBox()->text(), QStringLiteral("3+j4"));  // no digit typed
        QCOMPARE(f->form().storedExpression(k), QStringLiteral("3+j4"));
    }

    void recallWithAltDigit_data() {
        QTest::addColumn<int>("k");
        for (int k = 1; k <= kalvox::kRegisterCount; ++k)
            QTest::newRow(qPrintable(QStringLiteral("Alt+%1").arg(k))) << k;
    }
    void recallWithAltDigit() {
        QFETCH(int, k);
        for (int i = 1; i <= kalvox::kRegisterCount; ++i) {
            f->evaluate(QString::number(i * 11));
            f->click(QStringLiteral("storeKey_%1").arg(i - 1));
        }
        f->prepareInput(QStringLiteral("2*"), 2);
        press(static_cast<Qt::Key>(Qt::Key_0 + k), Qt::AltModifier);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("2*%1").arg(k * 11));
    }

    void f9ConvertsBothWays() {
        f->evaluate(QStringLiteral("3+j4"));
        press(Qt::Key_F9);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
        press(Qt::Key_F9);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("5ej53.130102354156"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void ctrlSSaves() {
        f->prepareInput(QStringLiteral("1+2"), 3);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->dialogs().saveRequests.size(), 1);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3"));  // evaluated first
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+2"));
    }

    // The list shows exactly the shortcuts the window has, each once, and none of
    // them types a character.
    void f1ListsTheShortcutsOfTheWindow() {
        press(Qt::Key_F1);
        QCOMPARE(f->dialogs().shortcutLists.size(), 1);
        const auto rows = f->dialogs().shortcutLists.front();
        QSet<QString> listed;
        for (const auto& row : rows) {
            QVERIFY2(!listed.contains(row.first), qPrintable(row.first));
            QVERIFY2(!row.second.isEmpty(), qPrintable(row.first));
            listed.insert(row.first);
        }
        QSet<QString> active;
        for (const QShortcut* shortcut : f->form().findChildren<QShortcut*>()) {
            const QKeyCombination combination = shortcut->key()[0];
            const bool functionKey =
                combination.key() >= Qt::Key_F1 && combination.key() <= Qt::Key_F35;
            QVERIFY2(functionKey || (combination.keyboardModifiers() &
                                     (Qt::ControlModifier | Qt::AltModifier)),
                     qPrintable(shortcut->key().toString()));
            active.insert(shortcut->key().toString(QKeySequence::NativeText));
        }
        QCOMPARE(listed, active);
        const QStringList expected = {
            "F1", "Ctrl+S", "Ctrl+O", "Ctrl+L", "Ctrl+B", "Ctrl+F1", "F2", "F3", "F4", "F5",
            "Alt+S", "Alt+C", "Alt+T", "Alt+N", "Alt+Q", "Alt+U", "Alt+P", "Alt+L", "Alt+G",
            "Alt+R", "Alt+F", "F9", "Ctrl+P", "Alt+A", "Alt+Shift+A",
            // the 复数 menu
            "Alt+Shift+C", "Alt+M", "Alt+D", "Alt+Shift+E", "Alt+I", "Alt+Shift+Q", "Alt+X",
            "Alt+B", "Alt+Shift+N", "Alt+Shift+S", "Alt+Shift+P"};
        for (const QString& k : expected) {
            const QString native =
                QKeySequence(k, QKeySequence::PortableText).toString(QKeySequence::NativeText);
            QVERIFY2(listed.contains(native), qPrintable(k));
        }
        QCOMPARE(listed.size(), expected.size() + 2 * kalvox::kRegisterCount);
    }

    // The shortcuts of the other controls act as a click on them.
    void shortcutActsAsTheControl_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text2");
        const int alt = Qt::AltModifier;
        const int ctrl = Qt::ControlModifier;
        // inputBox starts as "12" with the caret at the end, mode 函数符号.
        QTest::newRow("Alt+S sin") << int(Qt::Key_S) << alt << "12sin"
                                   << "0";
        QTest::newRow("Alt+C cos") << int(Qt::Key_C) << alt << "12cos"
                                   << "0";
        QTest::newRow("Alt+T tan") << int(Qt::Key_T) << alt << "12tan"
                                   << "0";
        QTest::newRow("Alt+N ctn") << int(Qt::Key_N) << alt << "12ctn"
                                   << "0";
        QTest::newRow("Alt+Q x^2 is off here") << int(Qt::Key_Q) << alt << "12"
                                               << "0";
        QTest::newRow("Alt+U x^3 is off here") << int(Qt::Key_U) << alt << "12"
                                               << "0";
        QTest::newRow("Alt+P power") << int(Qt::Key_P) << alt << "12^"
                                     << "0";
        QTest::newRow("Alt+L ln") << int(Qt::Key_L) << alt << "12ln"
                                  << "0";
        QTest::newRow("Alt+G log") << int(Qt::Key_G) << alt << "12log"
                                   << "0";
        QTest::newRow("Alt+R 1/x is off here") << int(Qt::Key_R) << alt << "12"
                                               << "0";
        QTest::newRow("Alt+F factorial") << int(Qt::Key_F) << alt << "12!"
                                         << "0";
        QTest::newRow("Ctrl+P pi") << int(Qt::Key_P) << ctrl << "12*3.14159265358979"
                                   << "0";
        QTest::newRow("Alt+A a") << int(Qt::Key_A) << alt << "12*ej120"
                                 << "0";
        QTest::newRow("Alt+Shift+A a^2")
            << int(Qt::Key_A) << (alt | int(Qt::ShiftModifier)) << "12*ej-120"
            << "0";
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Alt+Shift+C conj") << int(Qt::Key_C) << (alt | shift) << "12conj"
                                          << "0";
        QTest::newRow("Alt+M abs") << int(Qt::Key_M) << alt << "12abs"
                                   << "0";
        QTest::newRow("Alt+D arg") << int(Qt::Key_D) << alt << "12arg"
                                   << "0";
        QTest::newRow("Alt+Shift+E re") << int(Qt::Key_E) << (alt | shift) << "12re"
                                        << "0";
        QTest::newRow("Alt+I im") << int(Qt::Key_I) << alt << "12im"
                                  << "0";
        QTest::newRow("Alt+Shift+Q sqrt") << int(Qt::Key_Q) << (alt | shift) << "12sqrt"
                                          << "0";
        QTest::newRow("Alt+X exp") << int(Qt::Key_X) << alt << "12exp"
                                   << "0";
        QTest::newRow("Alt+B parallel") << int(Qt::Key_B) << alt << "12||"
                                        << "0";
        QTest::newRow("Alt+Shift+N ans") << int(Qt::Key_N) << (alt | shift) << "12ans"
                                         << "0";
        QTest::newRow("Ctrl+B backspace") << int(Qt::Key_B) << ctrl << "1"
                                          << "0";
        QTest::newRow("Ctrl+L clear") << int(Qt::Key_L) << ctrl << ""
                                      << "";
    }
    void shortcutActsAsTheControl() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        f->prepareInput(QStringLiteral("12"), 2);
        press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f->inputBox()->text(), text1);
        QCOMPARE(f->outputBox()->text(), text2);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void ctrlF1AsksForAbout() {
        press(Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(f->dialogs().aboutShown, 1);
    }

    // After a mode or the inverse box is chosen, typing goes on in the box the mode
    // gives the focus to, whether chosen with the keyboard or the mouse.
    void typingAfterChoosing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("into");  // "inputBox" or "outputBox"
        QTest::addColumn<QString>("mode");
        QTest::newRow("F2 整式输入") << "F2"
                                     << "inputBox"
                                     << "wholeInputOption";
        QTest::newRow("F3 函数符号 again") << "F3"
                                           << "inputBox"
                                           << "symbolOption";
        QTest::newRow("F4 输出求值") << "F4"
                                     << "outputBox"
                                     << "outputOption";
        QTest::newRow("F5 反函数") << "F5"
                                   << "inputBox"
                                   << "symbolOption";
        QTest::newRow("mouse 整式输入") << "wholeInputOption"
                                        << "inputBox"
                                        << "wholeInputOption";
        QTest::newRow("mouse 输出求值") << "outputOption"
                                        << "outputBox"
                                        << "outputOption";
        QTest::newRow("mouse 反函数") << "inverseBox"
                                      << "inputBox"
                                      << "symbolOption";
    }
    void typingAfterChoosing() {
        QFETCH(QString, how);
        QFETCH(QString, into);
        QFETCH(QString, mode);
        f->prepareInput(QStringLiteral("1"), 1);
        if (how.startsWith(QLatin1Char('F'))) {
            press(static_cast<Qt::Key>(Qt::Key_F1 + how.mid(1).toInt() - 1));
        } else {
            f->clickOption(how);
        }
        QVERIFY(option(qPrintable(mode))->isChecked());
        QCOMPARE(inverseBox()->isChecked(), how == "F5" || how == "inverseBox");
        QLineEdit* box = into == "inputBox" ? f->inputBox() : f->outputBox();
        const QString before = box->text();
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7, Qt::NoModifier);
        QVERIFY(box->text().endsWith(QLatin1Char('7')));
        QCOMPARE(box->text().size(), before.size() + 1);
    }

    void altWithALetterTypesNothing() {
        f->prepareInput(QStringLiteral("1"), 1);
        press(Qt::Key_E, Qt::AltModifier);
        press(Qt::Key_J, Qt::AltModifier);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1"));
    }

    // Up and Down walk the inputs of this run, newest first.
    void historyWalk() {
        f->evaluate(QStringLiteral("1+2"));
        f->evaluate(QStringLiteral("2(3)"));  // the repaired input is recorded
        const QString repaired = f->inputBox()->text();
        f->evaluate(repaired);  // a repeat of the newest entry is not added
        f->evaluate(QStringLiteral("5ej30"));
        f->prepareInput(QStringLiteral("7*"), 2);
        const QStringList up = {"5ej30", repaired, "1+2", "1+2"};
        for (const QString& expected : up) {
            press(Qt::Key_Up);
            QCOMPARE(f->inputBox()->text(), expected);
            QCOMPARE(f->inputBox()->cursorPosition(), expected.size());
        }
        const QStringList down = {repaired, "5ej30", "7*", "7*"};
        for (const QString& expected : down) {
            press(Qt::Key_Down);
            QCOMPARE(f->inputBox()->text(), expected);
        }
    }

    void editingEndsTheWalk() {
        f->evaluate(QStringLiteral("1+2"));
        f->evaluate(QStringLiteral("3*4"));
        f->prepareInput(QString(), 0);
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+2"));
        f->type(f->inputBox(), QStringLiteral("0"));
        press(Qt::Key_Up);  // the walk starts again at the newest entry
        QCOMPARE(f->inputBox()->text(), QStringLiteral("3*4"));
        press(Qt::Key_Down);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+20"));
    }
};

QTEST_MAIN(PanelKeyboardTest)
#include "tst_panel_keyboard.moc"
