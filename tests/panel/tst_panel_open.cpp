// The 打开 command: a result file comes back into the window through the dialog
// seam, a refused file changes nothing, and opening then saving gives the bytes
// of the file again.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "panel/qt_dialog_seam.h"
#include "panel_fixture.h"

using kalvox::test::fileBytes;
using kalvox::test::PanelFixture;
using kalvox::test::PanelTest;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QStringList kFilters{QStringLiteral("文本文件(*.txt)"), QStringLiteral("计算结果(*.jsq)")};

// "cos" "φ" (A6 D5) and "CT" "变比" (B1 E4 B1 C8) in GBK.
const QByteArray kThreePhase =
    "230/(3+j4)=46ej-53.130102354156\r\n"
    "Ia=2ej30=2ej30\r\n"
    "3+j4=5ej53.130102354156\r\n"
    "cos\xa6\xd5=0.8=0.8\r\n"
    "CT\xb1\xe4\xb1\xc8=600/5=120\r\n";

}  // namespace

class PanelOpenTest : public PanelTest {
    Q_OBJECT
    QTemporaryDir dir;

    // Fills every register, so that a load must also empty rows.
    void fillAllRegisters() {
        for (int i = 0; i < 9; ++i) {
            f->evaluate(QStringLiteral("%1+1").arg(i));
            f->click(QStringLiteral("storeKey_%1").arg(i));
            f->tag(i)->setEditText(QStringLiteral("T%1").arg(i));
        }
    }

    // Every text of the window that a load may change, for comparing before and after.
    QStringList windowState() {
        QStringList state{f->inputBox()->text(), f->outputBox()->text()};
        for (int i = 0; i < 9; ++i) {
            state << f->tag(i)->currentText() << f->content(i)->text()
                  << f->form().storedExpression(i + 1);
        }
        return state;
    }

private slots:
    void openLoadsCalculationAndRegisters() {
        const QString path = dir.filePath(QStringLiteral("三相.jsq"));
        writeFile(path, kThreePhase);
        fillAllRegisters();
        f->dialogs().openAnswers << path;
        f->form().menuBar()->actions().at(1)->trigger();

        QCOMPARE(f->dialogs().openRequests,
                 QList<QStringList>{kFilters + QStringList{QStringLiteral("所有文件(*)")}});
        QVERIFY(f->dialogs().messages.isEmpty());
        QCOMPARE(f->inputBox()->text(), QStringLiteral("230/(3+j4)"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("46ej-53.130102354156"));
        const QStringList tags{"Ia", "", "cosφ", "CT变比"};
        const QStringList contents{"2ej30", "5ej53.130102354156", "0.8", "120"};
        const QStringList expressions{"2ej30", "3+j4", "0.8", "600/5"};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(f->tag(i)->currentText(), tags.value(i));
            QCOMPARE(f->content(i)->text(), contents.value(i));
            QCOMPARE(f->form().storedExpression(i + 1), expressions.value(i));
        }
        // A loaded register recalls like a stored one.
        f->prepareInput(QStringLiteral("1/"), 2);
        f->click(QStringLiteral("recallKey_3"));
        QCOMPARE(f->inputBox()->text(), QStringLiteral("1/120"));
    }

    void ctrlOAsksForAFileAndCancelChangesNothing() {
        fillAllRegisters();
        const QStringList before = windowState();
        QTest::keyClick(f->inputBox(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->dialogs().openRequests.size(), 1);
        QCOMPARE(windowState(), before);
        QVERIFY(f->dialogs().messages.isEmpty());
    }

    void refusedFileIsReportedAndChangesNothing() {
        const QString path = dir.filePath(QStringLiteral("bad.jsq"));
        writeFile(path, "1+2=3\r\nIa=1=1\r\nno equals sign\r\n");
        fillAllRegisters();
        f->type(f->inputBox(), "+5");
        const QStringList before = windowState();
        f->dialogs().openAnswers << path;
        f->form().menuBar()->actions().at(1)->trigger();
        QCOMPARE(f->dialogs().messages.size(), 1);
        const QString message = f->dialogs().messages.first().text;
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)) &&
                     message.contains(QStringLiteral("第3行")),
                 qPrintable(message));
        QCOMPARE(windowState(), before);
        QCOMPARE(fileBytes(path), QByteArray("1+2=3\r\nIa=1=1\r\nno equals sign\r\n"));
    }

    void refusedFileAtStartLeavesTheWindowEmpty() {
        QVERIFY(!f->form().openResultFile(dir.filePath(QStringLiteral("missing.jsq"))));
        QCOMPARE(f->dialogs().messages.size(), 1);
        QVERIFY(f->dialogs().messages.first().text.contains(QStringLiteral("missing.jsq")));
        QCOMPARE(f->inputBox()->text(), QString());
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0"));
        for (int i = 0; i < 9; ++i) QCOMPARE(f->content(i)->text(), QString());
    }

    void saveOpenSaveGivesTheSameBytes() {
        // Registers 2, 5 and 9 used, the others blank: the file keeps no row numbers.
        f->evaluate(QStringLiteral("230/(3+j4)"));
        f->click(QStringLiteral("storeKey_1"));
        f->tag(1)->setCurrentIndex(0);  // Ia
        f->evaluate(QStringLiteral("2ej30*3"));
        f->click(QStringLiteral("storeKey_4"));
        f->tag(8)->setCurrentIndex(12);  // CT变比, nothing stored
        f->evaluate(QStringLiteral("1ej120^2"));
        const QString first = dir.filePath(QStringLiteral("first.jsq"));
        f->dialogs().saveAnswers << first;
        f->click(QStringLiteral("saveKey"));

        VERIFY_NO_MODAL(*f);
        f.reset();
        f = std::make_unique<PanelFixture>();  // a new run of the program
        const QString second = dir.filePath(QStringLiteral("second.jsq"));
        f->dialogs().openAnswers << first;
        f->dialogs().saveAnswers << second;
        f->form().menuBar()->actions().at(1)->trigger();
        f->click(QStringLiteral("saveKey"));
        QVERIFY(f->dialogs().messages.isEmpty());
        QCOMPARE(fileBytes(second), fileBytes(first));
        QVERIFY(fileBytes(first).contains("\r\nCT\xb1\xe4\xb1\xc8==\r\n"));
    }

    void realOpenDialogCancelledGivesAnEmptyName() {
        kalvox::QtDialogSeam seam;
        QCOMPARE(seam.askOpenFileName(&f->form(), kFilters), QString());
        // An open dialog (titled "Open" without translations), not a save dialog.
        QCOMPARE(f->guard().seen, QStringList{QStringLiteral("QFileDialog|Open")});
        f->guard().seen.clear();
    }

    // Files made by hand: opening and saving at once gives the bytes the save key
    // writes for them, which are the same bytes whenever the file is one it could
    // have written.
    void openThenSave_data() {
        QTest::addColumn<QByteArray>("opened");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("written by the save key") << kThreePhase << kThreePhase;
        QTest::newRow("LF alone becomes CR LF")
            << QByteArray("1+2=3\nIa=1=1\n") << QByteArray("1+2=3\r\nIa=1=1\r\n");
        QTest::newRow("stale result recomputed")
            << QByteArray("1+2=4\r\n") << QByteArray("1+2=3\r\n");
        QTest::newRow("expression repaired by =")
            << QByteArray("2(3)=6\r\n") << QByteArray("2*(3)=6\r\n");
        QTest::newRow("blank tag dropped")
            << QByteArray("1=1\r\n  =2=3\r\n") << QByteArray("1=1\r\n2=3\r\n");
        QTest::newRow("empty register line dropped")
            << QByteArray("1=1\r\n=\r\nX=Y\r\n") << QByteArray("1=1\r\nX=Y\r\n");
    }
    void openThenSave() {
        QFETCH(QByteArray, opened);
        QFETCH(QByteArray, saved);
        const QString in = dir.filePath(QStringLiteral("in.txt"));
        const QString out = dir.filePath(QStringLiteral("out.txt"));
        writeFile(in, opened);
        QFile::remove(out);
        f->dialogs().openAnswers << in;
        f->dialogs().saveAnswers << out;
        f->form().menuBar()->actions().at(1)->trigger();
        f->click(QStringLiteral("saveKey"));
        QVERIFY(f->dialogs().messages.isEmpty());
        QCOMPARE(fileBytes(out), saved);
    }
};

QTEST_MAIN(PanelOpenTest)
#include "tst_panel_open.moc"
