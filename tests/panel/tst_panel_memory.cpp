// The memory rows of the window, the save key and the About command, all through
// the dialog seam.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "panel_fixture.h"

using kalvox::test::fileBytes;
using kalvox::test::PanelTest;

class PanelMemoryTest : public PanelTest {
    Q_OBJECT

private slots:
    void storeAndRecall() {
        f->evaluate("1+2");
        f->click("storeKey_0");
        QCOMPARE(f->content(0)->text(), QStringLiteral("3"));
        QCOMPARE(f->form().storedExpression(1), QStringLiteral("1+2"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        f->prepareInput("10*", 3);
        f->click("recallKey_0");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("10*3"));
        QCOMPARE(f->inputBox()->cursorPosition(), 4);
    }

    void storeKeepsCaretAndSelection() {
        f->evaluate("2*4");
        f->inputBox()->setSelection(0, 1);
        f->click("storeKey_4");
        QCOMPARE(f->inputBox()->selectedText(), QStringLiteral("2"));
        f->click("recallKey_4");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("8*4"));
    }

    void storeAnErrorMessage() {
        f->evaluate("10/0");
        f->click("storeKey_1");
        QCOMPARE(f->content(1)->text(), QStringLiteral("错误:除数为零。"));
        f->prepareInput(QString(), 0);
        f->click("recallKey_1");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("错误:除数为零。"));
    }

    void storeAfterClearRecallsNothing() {
        f->evaluate("1+2");
        f->click("clearKey");
        f->click("storeKey_0");
        QCOMPARE(f->content(0)->text(), QString());
        f->prepareInput("12345", 1, 3);
        f->click("recallKey_0");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("15"));
    }

    void storingTwiceKeepsTheSecond() {
        f->evaluate("1+2");
        f->click("storeKey_2");
        f->evaluate("2+2");
        f->click("storeKey_2");
        QCOMPARE(f->content(2)->text(), QStringLiteral("4"));
        QCOMPARE(f->form().storedExpression(3), QStringLiteral("2+2"));
        for (int k : {1, 2, 4, 5, 6, 7, 8, 9, 10})
            QCOMPARE(f->form().storedExpression(k), QString());
    }

    void storedTextIsShownAsItStands() {
        f->outputBox()->setText(QStringLiteral("<b>x</b>"));
        f->click("storeKey_8");
        QCOMPARE(f->content(8)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(f->content(8)->textFormat(), Qt::PlainText);
    }

    void storeDoesNotEvaluate() {
        f->evaluate("1+2");
        f->type(f->inputBox(), "+5");
        f->click("storeKey_0");
        QCOMPARE(f->content(0)->text(), QStringLiteral("3"));
        QCOMPARE(f->form().storedExpression(1), QStringLiteral("1+2+5"));
    }

    void saveWritesTheCalculationAndTheRegisters() {
        QTemporaryDir dir;
        const QString path = dir.filePath("result.txt");
        f->evaluate("1+2");
        f->click("storeKey_1");
        f->tag(1)->setEditText(QStringLiteral("Ia"));
        f->tag(4)->setEditText(QStringLiteral("P"));
        f->type(f->inputBox(), "*2");
        f->dialogs().saveAnswers << path;
        f->click("saveKey");
        QCOMPARE(f->dialogs().saveRequests.size(), 1);
        QCOMPARE(
            f->dialogs().saveRequests.first(),
            (QStringList{QStringLiteral("文本文件(*.txt)"), QStringLiteral("计算结果(*.jsq)")}));
        // The save key evaluates first.
        QCOMPARE(f->outputBox()->text(), QStringLiteral("5"));
        QCOMPARE(fileBytes(path), QByteArray("1+2*2=5\r\nIa=1+2=3\r\nP==\r\n"));
        QVERIFY(f->dialogs().messages.isEmpty());
    }

    // The file takes each tag as the box shows it at the moment of saving, however
    // it got there: typed key by key, picked from the list, or both.
    void savedTagFollowsTheTagBox_data() {
        QTest::addColumn<int>("preset");  // -1: nothing picked from the list
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("typed") << -1 << "Ub" << QByteArray("Ub=7=7\r\n");
        QTest::newRow("typed with spaces") << -1 << " U " << QByteArray(" U =7=7\r\n");
        QTest::newRow("picked") << 8 << "" << QByteArray("P=7=7\r\n");
        QTest::newRow("picked then typed on") << 0 << "2" << QByteArray("Ia2=7=7\r\n");
        QTest::newRow("typed then erased") << -1 << "Q\b" << QByteArray("7=7\r\n");
    }
    void savedTagFollowsTheTagBox() {
        QFETCH(int, preset);
        QFETCH(QString, typed);
        QFETCH(QByteArray, line);
        QTemporaryDir dir;
        const QString path = dir.filePath("tags.txt");
        f->evaluate("7");
        f->click("storeKey_2");
        QComboBox* box = f->tag(2);
        if (preset >= 0) box->setCurrentIndex(preset);
        box->setFocus();
        for (QChar c : typed) {
            if (c == u'\b') {
                QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
            } else {
                f->type(box->lineEdit(), QString(c));
            }
        }
        f->dialogs().saveAnswers << path;
        f->click("saveKey");
        QCOMPARE(fileBytes(path), QByteArray("7=7\r\n") + line);
    }

    // A name typed without an extension gets the chosen filter's; one with an
    // extension is kept.
    void saveAddsTheChosenFiltersExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("saved");
        QTest::newRow("text file")
            << QStringLiteral("三相计算") << 0 << QStringLiteral("三相计算.txt");
        QTest::newRow("result file")
            << QStringLiteral("三相计算") << 1 << QStringLiteral("三相计算.jsq");
        QTest::newRow("extension kept")
            << QStringLiteral("三相计算.jsq") << 0 << QStringLiteral("三相计算.jsq");
    }
    void saveAddsTheChosenFiltersExtension() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, saved);
        QTemporaryDir dir;
        f->evaluate("1+2");
        f->dialogs().saveAnswers << dir.filePath(typed);
        f->dialogs().saveFilter = filter;
        f->click("saveKey");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{saved});
        QCOMPARE(fileBytes(dir.filePath(saved)), QByteArray("1+2=3\r\n"));
    }

    void saveInGbk() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.jsq");
        f->evaluate("1");
        f->click("storeKey_0");
        f->tag(0)->setCurrentIndex(11);  // cosφ
        f->dialogs().saveAnswers << path;
        f->click("saveKey");
        QCOMPARE(fileBytes(path), QByteArray("1=1\r\ncos\xa6\xd5=1=1\r\n"));
    }

    void cancelledSaveStillEvaluatesAndWritesNothing() {
        QTemporaryDir dir;
        f->type(f->inputBox(), "2(3)");
        f->click("saveKey");  // no scripted answer: the user cancels
        QCOMPARE(f->dialogs().saveRequests.size(), 1);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("2*(3)"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("6"));
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(f->dialogs().messages.isEmpty());
    }

    void saveFailureIsReportedAndNothingIsWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/result.txt");
        f->evaluate("1+1");
        f->dialogs().saveAnswers << path;
        f->click("saveKey");
        QCOMPARE(f->dialogs().messages.size(), 1);
        QVERIFY2(f->dialogs().messages.first().text.contains(QStringLiteral("result.txt")),
                 qPrintable(f->dialogs().messages.first().text));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("2"));
    }

    void aboutMenuAsksForTheAboutDialog() {
        QAction* about = f->form().menuBar()->actions().first();
        about->trigger();
        QCOMPARE(f->dialogs().aboutShown, 1);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(PanelMemoryTest)
#include "tst_panel_memory.moc"
