// Building the expression: entry keys at the caret, typing through the key filter,
// backspace, clear, shortcuts, Enter, and the "=" driver's effect on both boxes.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "panel_fixture.h"

using kalvox::test::PanelTest;

class PanelEntryTest : public PanelTest {
    Q_OBJECT

private slots:
    void keyInsertsAtTheCaret_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("digit between 1 and 2") << "12" << 1 << 0 << "digitKey_5"
                                               << "152" << 2;
        QTest::newRow("digit at the start") << "12" << 0 << 0 << "digitKey_0"
                                            << "012" << 1;
        QTest::newRow("digit replaces selection") << "1234" << 1 << 2 << "digitKey_9"
                                                  << "194" << 2;
        QTest::newRow("point") << "1" << 1 << 0 << "digitKey_10"
                               << "1." << 2;
        QTest::newRow("* replaces selected +") << "1+2" << 1 << 1 << "operatorKey_2"
                                               << "1*2" << 2;
        QTest::newRow("minus") << "" << 0 << 0 << "operatorKey_1"
                               << "-" << 1;
        QTest::newRow("ej") << "2" << 1 << 0 << "complexKey_0"
                            << "2ej" << 3;
        QTest::newRow("j") << "3+" << 2 << 0 << "complexKey_1"
                           << "3+j" << 3;
        QTest::newRow("open bracket") << "2" << 0 << 0 << "complexKey_2"
                                      << "(2" << 1;
        QTest::newRow("close bracket") << "(2" << 2 << 0 << "complexKey_3"
                                       << "(2)" << 3;
        QTest::newRow("a on empty box") << "" << 0 << 0 << "complexKey_4"
                                        << "ej120" << 5;
        QTest::newRow("a^2 after a") << "ej120" << 5 << 0 << "complexKey_5"
                                     << "ej120*ej-120" << 12;
        QTest::newRow("a after a value") << "230" << 3 << 0 << "complexKey_4"
                                         << "230*ej120" << 9;
        QTest::newRow("E") << "1" << 1 << 0 << "complexKey_6"
                           << "1E" << 2;
        QTest::newRow("pi") << "2*" << 2 << 0 << "piKey"
                            << "2*3.14159265358979" << 18;
        QTest::newRow("pi replaces selection") << "2*x" << 2 << 1 << "piKey"
                                               << "2*3.14159265358979" << 18;
        QTest::newRow("pi after a digit") << "2" << 1 << 0 << "piKey"
                                          << "2*3.14159265358979" << 18;
        QTest::newRow("pi before a digit") << "2" << 0 << 0 << "piKey"
                                           << "3.14159265358979*2" << 17;
    }
    void keyInsertsAtTheCaret() {
        QFETCH(QString, before);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, key);
        QFETCH(QString, after);
        QFETCH(int, caret);
        f->prepareInput(before, start, length);
        f->click(key);
        QCOMPARE(f->inputBox()->text(), after);
        QCOMPARE(f->inputBox()->cursorPosition(), caret);
        QVERIFY(!f->inputBox()->hasSelectedText());
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    // The selection made in inputBox survives a visit of the focus to the output box.
    void selectionSurvivesFocusElsewhere() {
        f->prepareInput("1+2", 1, 1);
        QTest::mouseClick(f->outputBox(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f->outputBox());
        f->click("operatorKey_3");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1/2"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void digitKeyFarIntoALongText() {
        const QString longText(40000, QLatin1Char('1'));
        f->prepareInput(longText, 33000);
        f->click("digitKey_7");
        QCOMPARE(f->inputBox()->text().at(33000), QLatin1Char('7'));
        QCOMPARE(f->inputBox()->text().size(), 40001);
        QCOMPARE(f->inputBox()->cursorPosition(), 33001);
    }

    void backspace_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("caret at 0") << "1234" << 0 << 0 << "1234" << 0;
        QTest::newRow("caret at end") << "1234" << 4 << 0 << "123" << 3;
        QTest::newRow("caret in the middle") << "1234" << 2 << 0 << "134" << 1;
        QTest::newRow("selection 23: the 1 goes") << "1234" << 1 << 2 << "234" << 0;
        QTest::newRow("selection from 0: nothing") << "1234" << 0 << 2 << "1234" << -1;
        QTest::newRow("character of two code units") << QStringLiteral("1😀") << 3 << 0 << "1" << 1;
    }
    void backspace() {
        QFETCH(QString, before);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, after);
        QFETCH(int, caret);
        f->prepareInput(before, start, length);
        f->click("backspaceKey");
        QCOMPARE(f->inputBox()->text(), after);
        if (caret >= 0) {
            QCOMPARE(f->inputBox()->cursorPosition(), caret);
            QVERIFY(!f->inputBox()->hasSelectedText());
        }
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void clearEmptiesBothBoxesButNotTheRegisters() {
        f->evaluate("1+2");
        f->click("storeKey_0");
        f->click("clearKey");
        QCOMPARE(f->inputBox()->text(), QString());
        QCOMPARE(f->outputBox()->text(), QString());  // not "0"
        QCOMPARE(f->content(0)->text(), QStringLiteral("3"));
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111100111011"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void typing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits, operators, brackets") << "(1+2)*3/4-5.6,7890"
                                                     << "(1+2)*3/4-5.6,7890";
        QTest::newRow("upper J and E arrive lower") << "2J3E4"
                                                    << "2j3e4";
        QTest::newRow("ej passes") << "2ej30"
                                   << "2ej30";
        QTest::newRow("power, letters, blank") << "^s a"
                                               << "^s a";
        QTest::newRow("function name") << "sin30"
                                       << "sin30";
        QTest::newRow("other capitals as typed") << "SIN30!"
                                                 << "SIN30!";
        QTest::newRow("Chinese character") << QStringLiteral("1中2") << QStringLiteral("1中2");
    }

    // Typed as a person types it, Enter, and both boxes read.
    void typedPowerAndEnter() {
        f->type(f->inputBox(), "2^3");
        QTest::keyClick(f->inputBox(), Qt::Key_Return);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("2^3"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("8"));
        QCOMPARE(f->inputBox()->cursorPosition(), 3);
    }

    void typedUnknownWordIsRefusedAndSelected() {
        f->type(f->inputBox(), "2^3 + pi");
        QTest::keyClick(f->inputBox(), Qt::Key_Return);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("错误:无法识别的输入“pi”。"));
        QCOMPARE(f->inputBox()->selectedText(), QStringLiteral("pi"));
    }
    void typing() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        f->type(f->inputBox(), typed);
        QCOMPARE(f->inputBox()->text(), shown);
    }

    void keysWithoutCharacterEdit() {
        f->type(f->inputBox(), "1234");
        QTest::keyClick(f->inputBox(), Qt::Key_Left);
        QTest::keyClick(f->inputBox(), Qt::Key_Backspace);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("124"));
        QTest::keyClick(f->inputBox(), Qt::Key_Home);
        QTest::keyClick(f->inputBox(), Qt::Key_Delete);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("24"));
        QTest::keyClick(f->inputBox(), Qt::Key_End);
        QCOMPARE(f->inputBox()->cursorPosition(), 2);
    }

    void shortcutsWorkInBothBoxes() {
        QClipboard* clipboard = QApplication::clipboard();
        f->type(f->inputBox(), "12+3");
        QTest::keyClick(f->inputBox(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f->inputBox()->selectedText(), QStringLiteral("12+3"));
        QTest::keyClick(f->inputBox(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("12+3"));
        QTest::keyClick(f->inputBox(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f->inputBox()->text(), QString());
        QTest::keyClick(f->inputBox(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("12+3"));

        // Pasted text is not filtered.
        clipboard->setText(QStringLiteral("sin30"));
        QTest::keyClick(f->inputBox(), Qt::Key_End);
        QTest::keyClick(f->inputBox(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("12+3sin30"));

        f->evaluate("1+2");
        f->outputBox()->setFocus();
        QTest::keyClick(f->outputBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f->outputBox(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("3"));
    }

    void evaluation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("empty is 0") << ""
                                    << "0"
                                    << "0";
        QTest::newRow("precedence") << "1+2*3"
                                    << "1+2*3"
                                    << "7";
        QTest::newRow("power first") << "2^2*3-1"
                                     << "2^2*3-1"
                                     << "11";
        QTest::newRow("implicit *") << "2(1+1)(3)"
                                    << "2*(1+1)*(3)"
                                    << "12";
        QTest::newRow("functions") << "sin30+arcsin1"
                                   << "sin30+arcsin1"
                                   << "90.5";
        QTest::newRow("factorials") << "3!+4!"
                                    << "3!+4!"
                                    << "30";
        QTest::newRow("minus after times is a sign") << "2*-3"
                                                     << "2*-3"
                                                     << "-6";
        QTest::newRow("complex product") << "2ej30*2ej60"
                                         << "2ej30*2ej60"
                                         << "4ej90";
        QTest::newRow("180 degrees as negative real") << "2ej90*2ej90"
                                                      << "2ej90*2ej90"
                                                      << "-4";
        QTest::newRow("division by zero") << "10/0"
                                          << "10/0"
                                          << "错误:除数为零。";
        QTest::newRow("ln 0") << "ln0"
                              << "ln0"
                              << "错误:不能对小于等于零的值求对数。";
    }
    void evaluation() {
        QFETCH(QString, typed);
        QFETCH(QString, input);
        QFETCH(QString, output);
        f->evaluate(typed);
        QCOMPARE(f->inputBox()->text(), input);
        QCOMPARE(f->outputBox()->text(), output);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        if (!kalvox::isErrorDisplay(output.toStdString())) {
            QCOMPARE(f->inputBox()->cursorPosition(), input.size());
            QVERIFY(!f->inputBox()->hasSelectedText());
        }
    }

    void unbalancedBracketIsSelected_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("offset");
        QTest::newRow("open") << "(1+2" << 0;
        QTest::newRow("close") << "1+2)" << 3;
    }
    void unbalancedBracketIsSelected() {
        QFETCH(QString, typed);
        QFETCH(int, offset);
        f->type(f->inputBox(), typed);
        f->click("equalsKey");
        QCOMPARE(f->inputBox()->text(), typed);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("错误:括号不匹配。"));
        QCOMPARE(f->inputBox()->selectionStart(), offset);
        QCOMPARE(f->inputBox()->selectedText().size(), 1);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void secondEvaluationAfterAnErrorStartsClean() {
        f->evaluate("10/0");
        f->evaluate("1+1");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("2"));
    }

    void calculateKeyRunsTheDriver() {
        f->type(f->inputBox(), "2(3)");
        f->click("calculateKey");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("2*(3)"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("6"));
        QCOMPARE(f->inputBox()->cursorPosition(), 5);
    }

    void enterEvaluates_data() {
        QTest::addColumn<bool>("fromOutputBox");
        QTest::addColumn<int>("key");
        QTest::newRow("Return in the input box") << false << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in the input box") << false << int(Qt::Key_Enter);
        QTest::newRow("Return in the output box") << true << int(Qt::Key_Return);
    }
    void enterEvaluates() {
        QFETCH(bool, fromOutputBox);
        QFETCH(int, key);
        f->type(f->inputBox(), "1+2*3");
        QLineEdit* box = fromOutputBox ? f->outputBox() : f->inputBox();
        box->setFocus();
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("7"));
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+2*3"));  // Enter adds nothing
    }

    void escapeDoesNothing() {
        f->type(f->inputBox(), "1+2");
        QTest::keyClick(f->inputBox(), Qt::Key_Escape);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+2"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0"));
        QVERIFY(f->form().isVisible());
    }

    void typingInTheOutputBoxIsNotFiltered() {
        f->outputBox()->clear();
        f->type(f->outputBox(), "abc 1");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("abc 1"));
    }
};

QTEST_MAIN(PanelEntryTest)
#include "tst_panel_entry.moc"
