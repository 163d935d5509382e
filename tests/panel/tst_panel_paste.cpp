// Text pasted into the input box: translated notation is evaluated, anything
// outside the vocabulary is refused with the offending item selected.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "panel_fixture.h"

using kalvox::test::PanelTest;

class PanelPasteTest : public PanelTest {
    Q_OBJECT

    // Pastes with the keyboard shortcut into the empty input box and presses Enter.
    void pasteAndEvaluate(const QString& text) {
        QApplication::clipboard()->setText(text);
        f->inputBox()->setFocus();
        QTest::keyClick(f->inputBox(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f->inputBox()->text(), text);
        QTest::keyClick(f->inputBox(), Qt::Key_Return);
    }

private slots:
    void refusedItemIsSelected_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("selected");
        QTest::newRow("unknown function")
            << QStringLiteral("2*sinh(4)") << QStringLiteral("2*sinh(4)")
            << QStringLiteral("错误:无法识别的输入“sinh”。") << 2 << QStringLiteral("sinh");
        QTest::newRow("after translated notation")
            << QStringLiteral("π×x") << QStringLiteral("3.14159265358979*x")
            << QStringLiteral("错误:无法识别的输入“x”。") << 17 << QStringLiteral("x");
        QTest::newRow("outside the BMP")
            << QStringLiteral("1+😀😀") << QStringLiteral("1+😀😀")
            << QStringLiteral("错误:无法识别的输入“😀😀”。") << 2 << QStringLiteral("😀😀");
    }

    void refusedItemIsSelected() {
        QFETCH(QString, pasted);
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(int, start);
        QFETCH(QString, selected);
        pasteAndEvaluate(pasted);
        QCOMPARE(f->inputBox()->text(), input);
        QCOMPARE(f->outputBox()->text(), output);
        QVERIFY(f->inputBox()->hasFocus());
        QCOMPARE(f->inputBox()->selectionStart(), start);
        QCOMPARE(f->inputBox()->selectedText(), selected);
    }

    void translatedNotationIsEvaluated() {
        pasteAndEvaluate(QStringLiteral("10∠30°"));
        QCOMPARE(f->inputBox()->text(), QStringLiteral("10ej30"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("10ej30.0000000000011"));
        QVERIFY(f->inputBox()->hasFocus());
        QVERIFY(!f->inputBox()->hasSelectedText());
        QCOMPARE(f->inputBox()->cursorPosition(), 6);
    }

    void typedCommaIsRefused() {
        // The key filter still lets "," through; the evaluation names it.
        f->type(f->inputBox(), QStringLiteral("2,5"));
        QCOMPARE(f->inputBox()->text(), QStringLiteral("2,5"));
        f->click(QStringLiteral("equalsKey"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("错误:无法识别的输入“,”。"));
        QCOMPARE(f->inputBox()->selectedText(), QStringLiteral(","));
    }
};

QTEST_MAIN(PanelPasteTest)
#include "tst_panel_paste.moc"
