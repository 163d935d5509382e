// Function keys in the three modes, the inverse box, ej-j, and the function keys'
// enabled state after every change of the output box.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "panel_fixture.h"

using kalvox::test::PanelTest;

namespace {

const char* const kSymbol = "symbolOption";
const char* const kWhole = "wholeInputOption";
const char* const kOutput = "outputOption";

using enum kalvox::FunctionKey;
using kalvox::test::functionKeyName;

// A key as the tables hold it, by its place in the key array.
int key(kalvox::FunctionKey k) { return static_cast<int>(kalvox::keyIndex(k)); }
QString functionKey(int index) { return functionKeyName(static_cast<kalvox::FunctionKey>(index)); }
QString functionKey(kalvox::FunctionKey k) { return functionKeyName(k); }

}  // namespace

class PanelFunctionTest : public PanelTest {
    Q_OBJECT

    void setInverse(bool on) {
        if (f->form().findChild<QCheckBox*>("inverseBox")->isChecked() != on)
            f->clickOption("inverseBox");
    }
private slots:
    void symbolMode_data() {
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        // inputBox is "2*0.5" with the caret after "2*".
        QTest::newRow("arcsin") << true << key(Sin) << "2*arcsin0.5" << 8;
        QTest::newRow("sin") << false << key(Sin) << "2*sin0.5" << 5;
        QTest::newRow("arccos") << true << key(Cos) << "2*arccos0.5" << 8;
        QTest::newRow("tan") << false << key(Tan) << "2*tan0.5" << 5;
        QTest::newRow("arcctn") << true << key(Ctn) << "2*arcctn0.5" << 8;
        QTest::newRow("power") << false << key(Power) << "2*^0.5" << 3;
        QTest::newRow("ln") << false << key(Ln) << "2*ln0.5" << 4;
        QTest::newRow("inverse ln") << true << key(Ln) << "2*2.71828182845905^0.5" << 19;
        QTest::newRow("inverse log") << true << key(Log) << "2*10^0.5" << 5;
        QTest::newRow("factorial") << false << key(Factorial) << "2*!0.5" << 3;
    }
    void symbolMode() {
        QFETCH(bool, inverse);
        QFETCH(int, key);
        QFETCH(QString, after);
        QFETCH(int, caret);
        setInverse(inverse);
        f->prepareInput("2*0.5", 2);
        const QString output = f->outputBox()->text();
        f->click(functionKey(key));
        QCOMPARE(f->inputBox()->text(), after);
        QCOMPARE(f->inputBox()->cursorPosition(), caret);
        QCOMPARE(f->outputBox()->text(), output);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void symbolModeKeysWithoutSymbolLeaveTheSelection() {
        f->prepareInput("1+2", 1, 1);
        QVERIFY(!f->key(functionKey(Square))->isEnabled());  // x^2 is off in this mode
        f->click(functionKey(Square));
        f->click(functionKey(EjJ));  // ej-j converts the output only
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1+2"));
        QCOMPARE(f->inputBox()->selectedText(), QStringLiteral("+"));
    }

    void wholeInputMode_data() {
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("sin") << false << key(Sin) << "sin(1+2)";
        QTest::newRow("arccos") << true << key(Cos) << "arccos(1+2)";
        QTest::newRow("x^2") << false << key(Square) << "(1+2)^2";
        QTest::newRow("square root") << true << key(Square) << "(1+2)^(1/2)";
        QTest::newRow("x^3") << false << key(Cube) << "(1+2)^3";
        QTest::newRow("power") << false << key(Power) << "(1+2)^";
        QTest::newRow("inverse ln") << true << key(Ln) << "2.718281828^(1+2)";
        QTest::newRow("inverse log") << true << key(Log) << "10^(1+2)";
        QTest::newRow("1/x") << false << key(Reciprocal) << "1/(1+2)";
        QTest::newRow("n!") << false << key(Factorial) << "(1+2)!";
        QTest::newRow("ej-j leaves the input") << false << key(EjJ) << "1+2";
    }
    void wholeInputMode() {
        QFETCH(bool, inverse);
        QFETCH(int, key);
        QFETCH(QString, after);
        f->clickOption(kWhole);
        setInverse(inverse);
        f->prepareInput("1+2", 1);
        f->click(functionKey(key));
        QCOMPARE(f->inputBox()->text(), after);
        if (key != 11) {
            QCOMPARE(f->outputBox()->text(), QStringLiteral("0"));
            QCOMPARE(f->inputBox()->cursorPosition(), 0);
        }
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void wholeInputThenEvaluate() {
        f->clickOption(kWhole);
        f->type(f->inputBox(), "1+2");
        f->click(functionKey(Square));
        f->click("equalsKey");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("9"));
    }

    void outputMode_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("sin 30") << "30" << false << key(Sin) << "0.5";
        QTest::newRow("arcsin 1") << "1" << true << key(Sin) << "90";
        QTest::newRow("x^2 of 4") << "4" << false << key(Square) << "16";
        QTest::newRow("square root of 4") << "4" << true << key(Square) << "2";
        QTest::newRow("x^3 of 2") << "2" << false << key(Cube) << "8";
        QTest::newRow("log 100") << "100" << false << key(Log) << "2";
        QTest::newRow("10^2") << "2" << true << key(Log) << "100";
        QTest::newRow("1/x of 4") << "4" << false << key(Reciprocal) << "0.25";
        QTest::newRow("1/x of 5ej30 inverts the phasor")
            << "5ej30" << false << key(Reciprocal) << "0.2ej-29.999999999984";
        QTest::newRow("1/x of 8abc uses the 8") << "8abc" << false << key(Reciprocal) << "0.125";
        QTest::newRow("1/x of 0") << "0" << false << key(Reciprocal) << "错误:除数为零。";
        QTest::newRow("0! shows 1") << "0" << false << key(Factorial) << "1";
        QTest::newRow("5!") << "5" << false << key(Factorial) << "120";
        QTest::newRow("4.7! is refused")
            << "4.7" << false << key(Factorial) << "错误:只能对0到170的整数求阶乘";
        QTest::newRow("-3! is refused")
            << "-3" << false << key(Factorial) << "错误:只能对0到170的整数求阶乘";
        QTest::newRow("ln 0 without full stop")
            << "0" << false << key(Ln) << "错误:不能对小于等于零的值求对数";
    }
    void outputMode() {
        QFETCH(QString, value);
        QFETCH(bool, inverse);
        QFETCH(int, key);
        QFETCH(QString, result);
        f->prepareInput("7", 1);
        f->clickOption(kOutput);
        setInverse(inverse);
        f->typeOutput(value);
        f->click(functionKey(key));
        QCOMPARE(f->outputBox()->text(), result);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        QVERIFY(f->dialogs().messages.isEmpty());
        // The input shows what was evaluated, caret at its end, and "=" on it shows the
        // same output; a key that evaluates nothing leaves the input alone.
        const QString input = f->inputBox()->text();
        QCOMPARE(f->inputBox()->cursorPosition(), input.size());
        if (input != QStringLiteral("7")) {
            f->click("equalsKey");
            QCOMPARE(f->inputBox()->text(), input);
            if (!kalvox::isErrorDisplay(result.toStdString()))
                QCOMPARE(f->outputBox()->text(), result);
        }
    }

    // tan of arccos 0.85 in 输出求值, stored and saved: every box and line agrees.
    void outputModeKeepsInputStoreAndFileInStep() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.txt"));
        f->evaluate("arccos0.85");
        f->clickOption(kOutput);
        f->click(functionKey(Tan));
        QCOMPARE(f->inputBox()->text(), QStringLiteral("tan(31.7883306170517)"));
        QCOMPARE(f->inputBox()->cursorPosition(), f->inputBox()->text().size());
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0.619744338403103"));
        f->tag(3)->setCurrentIndex(13);  // PT变比
        f->click("storeKey_3");
        f->dialogs().saveAnswers << path;
        f->click("saveKey");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0.619744338403103"));
        QCOMPARE(kalvox::test::fileBytes(path),
                 QByteArray("tan(31.7883306170517)=0.619744338403103\r\n"
                            "PT\xb1\xe4\xb1\xc8=tan(31.7883306170517)=0.619744338403103\r\n"));
    }

    // An error left by "=" does not come back as the result of a function key.
    void oldErrorDoesNotReturn() {
        f->evaluate("10/0");
        f->clickOption(kOutput);  // selecting the mode does not look for errors
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111111011111"));
        f->typeOutput("100");
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111111111111"));
        f->click(functionKey(Log));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("2"));
    }

    void outputModeChainsResults() {
        f->evaluate("2+2");
        f->clickOption(kOutput);
        f->click(functionKey(Square));  // 16
        f->click(functionKey(Square));  // 256
        setInverse(true);
        f->click(functionKey(Square));  // 16
        QCOMPARE(f->outputBox()->text(), QStringLiteral("16"));
    }

    void ejjBackAndForth_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("函数符号") << kSymbol;
        QTest::newRow("整式输入") << kWhole;
        QTest::newRow("输出求值") << kOutput;
    }
    void ejjBackAndForth() {
        QFETCH(QString, mode);
        f->clickOption(mode);
        f->typeOutput("5ej53.130102354156");
        f->click(functionKey(EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
        f->click(functionKey(EjJ));
        QVERIFY2(f->outputBox()->text().startsWith(QStringLiteral("5ej53.13")),
                 qPrintable(f->outputBox()->text()));
        f->click(functionKey(EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
        // "=" starts the toggle afresh: the next press goes to the algebraic form.
        f->evaluate("5ej-53.130102354156");
        f->click(functionKey(EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3-j4"));
        f->evaluate("5ej53.130102354156");
        f->click(functionKey(EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
    }

    void ejjOnARealAndBackShowsANegativeReal() {
        f->evaluate("0-3");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("-3"));
        f->click(functionKey(EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("-3"));
        f->click(functionKey(EjJ));  // back through the kernel: 3ej180 shows as -3
        QCOMPARE(f->outputBox()->text(), QStringLiteral("-3"));
    }

    void inverseBoxTooltips_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("inverse");
        QTest::newRow("sin") << key(Sin) << "正弦函数"
                             << "反正弦函数";
        QTest::newRow("cos") << key(Cos) << "余弦函数"
                             << "反余弦函数";
        QTest::newRow("tan") << key(Tan) << "正切函数"
                             << "反正切函数";
        QTest::newRow("ctn") << key(Ctn) << "余切函数"
                             << "反余切函数";
        QTest::newRow("x^2") << key(Square) << "平方"
                             << "平方根";
        QTest::newRow("x^3") << key(Cube) << "立方"
                             << "立方根";
        QTest::newRow("^") << key(Power) << "X的Y次幂"
                           << "X的Y次幂";
        QTest::newRow("ln") << key(Ln) << "自然对数"
                            << "e次幂";
        QTest::newRow("log") << key(Log) << "常用对数"
                             << "10次幂";
        QTest::newRow("1/x") << key(Reciprocal) << "倒数"
                             << "倒数";
        QTest::newRow("n!") << key(Factorial) << "阶乘"
                            << "阶乘";
        QTest::newRow("ej-j") << key(EjJ) << "复数的指数形式、代数形式转换"
                              << "复数的指数形式、代数形式转换";
    }
    void inverseBoxTooltips() {
        QFETCH(int, key);
        QFETCH(QString, plain);
        QFETCH(QString, inverse);
        QPushButton* button = f->key(functionKey(key));
        QCOMPARE(button->toolTip(), plain);
        setInverse(true);
        QCOMPARE(button->toolTip(), inverse);
        setInverse(false);
        QCOMPARE(button->toolTip(), plain);
    }

    void inverseBoxSwitchesPowerInEveryMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("函数符号") << kSymbol;
        QTest::newRow("整式输入") << kWhole;
        QTest::newRow("输出求值") << kOutput;
    }
    void inverseBoxSwitchesPowerInEveryMode() {
        QFETCH(QString, mode);
        f->clickOption(mode);
        setInverse(true);
        QVERIFY(!f->key(functionKey(Power))->isEnabled());
        setInverse(false);
        QVERIFY(f->key(functionKey(Power))->isEnabled());
    }

    void modeSelection_data() {
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("函数符号") << false << kSymbol << "111100111011";
        QTest::newRow("函数符号 inverse") << true << kSymbol << "111100011011";
        QTest::newRow("整式输入") << false << kWhole << "111111111111";
        QTest::newRow("整式输入 inverse") << true << kWhole << "111111011111";
        QTest::newRow("输出求值") << false << kOutput << "111111011111";
    }
    void modeSelection() {
        QFETCH(bool, inverse);
        QFETCH(QString, mode);
        QFETCH(QString, enabled);
        // Start from another mode, so that selecting `mode` is a change.
        f->clickOption(mode == QLatin1String(kOutput) ? kWhole : kOutput);
        setInverse(inverse);
        f->clickOption(mode);
        QCOMPARE(f->enabledFunctionKeys(), enabled);
    }

    void modeSelectionFocusAndCaret() {
        f->prepareInput("12345", 2);
        f->clickOption(kOutput);
        QCOMPARE(QApplication::focusWidget(), f->outputBox());
        f->clickOption(kWhole);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        QCOMPARE(f->inputBox()->cursorPosition(), 2);
        f->clickOption(kSymbol);
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        QCOMPARE(f->inputBox()->cursorPosition(), 5);
    }

    void factorialThresholdOnSelectingOutputMode_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("factorial");
        QTest::newRow("170") << "170" << true;
        QTest::newRow("171") << "171" << false;
    }
    void factorialThresholdOnSelectingOutputMode() {
        QFETCH(QString, value);
        QFETCH(bool, factorial);
        f->typeOutput(value);
        f->clickOption(kOutput);
        QCOMPARE(f->key(functionKey(Factorial))->isEnabled(), factorial);
    }

    void keysAfterOutputChange_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("输出求值, error") << kOutput << "错误:除数为零。"
                                         << "000000000000";
        QTest::newRow("输出求值, 错误 inside") << kOutput << "x错误"
                                               << "000000000000";
        QTest::newRow("输出求值, 171") << kOutput << "171"
                                       << "111111111101";
        QTest::newRow("输出求值, 170") << kOutput << "170"
                                       << "111111111111";
        QTest::newRow("输出求值, 170.5") << kOutput << "170.5"
                                         << "111111111101";
        QTest::newRow("输出求值, 171ej30") << kOutput << "171ej30"
                                           << "111111111101";
        QTest::newRow("输出求值, 3+j4") << kOutput << "3+j4"
                                        << "111111111111";
        QTest::newRow("输出求值, -200") << kOutput << "-200"
                                        << "111111111111";
        QTest::newRow("输出求值, text") << kOutput << "abc"
                                        << "111111111111";
        QTest::newRow("函数符号, error") << kSymbol << "错误:除数为零。"
                                         << "111100111011";
        QTest::newRow("函数符号, 171") << kSymbol << "171"
                                       << "111100111011";
        QTest::newRow("整式输入, error") << kWhole << "错误:除数为零。"
                                         << "111111111111";
        QTest::newRow("整式输入, 171") << kWhole << "171"
                                       << "111111111111";
    }
    void keysAfterOutputChange() {
        QFETCH(QString, mode);
        QFETCH(QString, output);
        QFETCH(QString, enabled);
        f->clickOption(mode);
        f->typeOutput(output);
        QCOMPARE(f->enabledFunctionKeys(), enabled);
    }

    void failedEvaluationInOutputModeDisablesKeysUntilTheNextResult() {
        f->clickOption(kOutput);
        f->evaluate("1/0");
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("000000000000"));
        f->evaluate("1/2");
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111111111111"));
    }

    void evaluationReenablesPowerAfterTheInverseBox() {
        f->clickOption(kWhole);
        setInverse(true);
        QVERIFY(!f->key(functionKey(Power))->isEnabled());
        f->click("equalsKey");  // the output "0" is written again
        QVERIFY(f->key(functionKey(Power))->isEnabled());
    }

    void clearInOutputModeEnablesEveryKey() {
        f->clickOption(kOutput);
        f->evaluate("1/0");
        f->click("clearKey");
        QCOMPARE(f->outputBox()->text(), QString());
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111111111111"));
    }
    // The 复数 menu: beside the other menu commands, its entries from the key table.
    void complexMenu() {
        auto* menu = f->form().findChild<QMenu*>("complexMenu");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("复数"));
        QCOMPARE(menu->actions().size(), kalvox::kComplexEntryCount);
        QVERIFY(menu->actions().at(0)->text().startsWith(QStringLiteral("共轭 conj\t")));
        f->prepareInput(QStringLiteral("3+j4"), 4);
        f->clickOption(kWhole);
        f->form().findChild<QAction*>("conjugateEntry")->trigger();
        QCOMPARE(f->inputBox()->text(), QStringLiteral("conj(3+j4)"));
        f->click("equalsKey");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("5ej-53.130102354156"));
        // In 输出求值 an error on show turns the function words off, not || and ans.
        f->clickOption(kOutput);
        f->evaluate(QStringLiteral("1/0"));
        QVERIFY(!f->form().findChild<QAction*>("conjugateEntry")->isEnabled());
        QVERIFY(f->form().findChild<QAction*>("parallelEntry")->isEnabled());
    }

    // 对称分量 with an empty register says so in a message box and stores nothing.
    void symmetricalComponentsNeedThreePhases() {
        f->evaluate(QStringLiteral("220"));
        f->click("storeKey_0");
        f->form().findChild<QAction*>("symmetricalComponentsEntry")->trigger();
        QCOMPARE(f->dialogs().messages.size(), 1);
        QVERIFY(f->dialogs().messages.at(0).text.contains(QStringLiteral("第2个")));
        QCOMPARE(f->content(3)->text(), QString());
        f->evaluate(QStringLiteral("220ej-120"));
        f->click("storeKey_1");
        f->evaluate(QStringLiteral("220ej120"));
        f->click("storeKey_2");
        f->tag(0)->setEditText(QStringLiteral("Ua"));
        f->form().findChild<QAction*>("symmetricalComponentsEntry")->trigger();
        QCOMPARE(f->dialogs().messages.size(), 1);
        QCOMPARE(f->tag(3)->currentText(), QStringLiteral("U0"));
        QCOMPARE(f->tag(4)->currentText(), QStringLiteral("U1"));
        QCOMPARE(f->tag(5)->currentText(), QStringLiteral("U2"));
        QCOMPARE(f->content(4)->text(), QStringLiteral("220"));
    }
};

QTEST_MAIN(PanelFunctionTest)
#include "tst_panel_functions.moc"
