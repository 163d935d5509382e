// Tags kept as typed, the reciprocal of a complex output, ej-j on an error display,
// saving over a writable file in a read-only folder, and both forms of a complex
// value in the tooltips and the menu of the output box.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "panel_fixture.h"

using kalvox::test::functionKeyName;
using kalvox::test::PanelTest;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class PanelFormsTest : public PanelTest {
    Q_OBJECT

private slots:
    void tagKeptAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("I is not Ia") << "I";
        QTest::newRow("U is not Ua") << "U";
        QTest::newRow("lower-case ia") << "ia";
        QTest::newRow("lower-case p") << "p";
        QTest::newRow("cos without φ") << "cos";
        QTest::newRow("CT") << "CT";
        QTest::newRow("preset typed whole") << "Ub";
    }
    void tagKeptAsTyped() {
        QFETCH(QString, typed);
        QComboBox* tag = f->tag(2);
        f->type(tag->lineEdit(), typed);
        QCOMPARE(tag->currentText(), typed);
        QTest::keyClick(tag->lineEdit(), Qt::Key_Return);
        f->inputBox()->setFocus();  // leaving the box ends the edit
        QCOMPARE(tag->currentText(), typed);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("r.txt"));
        f->evaluate(QStringLiteral("1+2"));
        f->click(QStringLiteral("storeKey_2"));
        f->dialogs().saveAnswers = {file};
        f->click(QStringLiteral("saveKey"));
        QCOMPARE(readAll(file), (QStringLiteral("1+2=3\r\n") + typed + "=1+2=3\r\n").toLatin1());
    }

    void dropDownShowsEveryPresetWhole() {
        QComboBox* tag = f->tag(0);
        tag->showPopup();
        QAbstractItemView* list = tag->view();
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < tag->count(); ++i) {
            const QRect item = list->visualRect(list->model()->index(i, 0));
            QVERIFY2(item.isValid(), qPrintable(tag->itemText(i)));  // on show, no scrolling
            QVERIFY2(item.width() > metrics.horizontalAdvance(tag->itemText(i)),
                     qPrintable(tag->itemText(i)));
        }
        tag->hidePopup();
    }

    void reciprocalInOutputMode_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("algebraic");  // ej-j pressed before 1/x
        QTest::addColumn<QString>("result");
        QTest::newRow("impedance 3+j4") << "3+j4" << false << "0.2ej-53.130102354156";
        QTest::newRow("algebraic on show") << "3+j4" << true << "0.2ej-53.130102354156";
        QTest::newRow("imaginary j2") << "j2" << false << "0.5ej-90";
        QTest::newRow("230/(3+j4)")
            << "230/(3+j4)" << false << "0.0217391304347826ej53.130102354156";
        QTest::newRow("real 4") << "4" << false << "0.25";
        QTest::newRow("real -0.5") << "-0.5" << false << "-2";
        QTest::newRow("real 0") << "0" << false << "错误:除数为零。";
    }
    void reciprocalInOutputMode() {
        QFETCH(QString, expression);
        QFETCH(bool, algebraic);
        QFETCH(QString, result);
        f->evaluate(expression);
        f->clickOption(QStringLiteral("outputOption"));
        if (algebraic) f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        f->click(functionKeyName(kalvox::FunctionKey::Reciprocal));
        QCOMPARE(f->outputBox()->text(), result);
        QVERIFY(f->dialogs().messages.isEmpty());
    }

    void factorialOfComplexRefused() {
        f->evaluate(QStringLiteral("3+j4"));
        f->clickOption(QStringLiteral("outputOption"));
        f->click(functionKeyName(kalvox::FunctionKey::Factorial));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("错误:只能对0到170的整数求阶乘"));
    }

    void ejjOnAnErrorDisplay_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("函数符号") << "symbolOption";
        QTest::newRow("整式输入") << "wholeInputOption";
    }
    void ejjOnAnErrorDisplay() {
        QFETCH(QString, mode);
        f->clickOption(mode);
        f->evaluate(QStringLiteral("10/0"));
        const QString error = QStringLiteral("错误:除数为零。");
        QCOMPARE(f->outputBox()->text(), error);
        for (int press = 0; press < 3; ++press) {
            f->click(functionKeyName(kalvox::FunctionKey::EjJ));
            QCOMPARE(f->outputBox()->text(), error);
        }
        // A value put into the output box after the error converts normally.
        f->typeOutput(QStringLiteral("5ej53.130102354156"));
        f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
        f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("5ej53.130102354156"));
        // So does the next result of "=".
        f->evaluate(QStringLiteral("3+j4"));
        f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
    }

    void saveOverWritableFileInReadOnlyFolder() {
#ifdef _WIN32
        QSKIP("A Windows folder has no permission bit that stops new files in it");
#endif
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + QStringLiteral("/r.txt");
        {
            QFile earlier(file);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("old content that is longer than the new one\r\n");
        }
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        f->evaluate(QStringLiteral("1+2"));
        f->dialogs().saveAnswers = {file, folder + QStringLiteral("/new.txt")};
        f->click(QStringLiteral("saveKey"));
        const QByteArray saved = readAll(file);
        const auto messagesAfterFirst = f->dialogs().messages;
        // A new file in the same folder is still refused, as before.
        f->click(QStringLiteral("saveKey"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(messagesAfterFirst.isEmpty());
        QCOMPARE(saved, QByteArray("1+2=3\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});
        QCOMPARE(f->dialogs().messages.size(), 1);
        QVERIFY2(f->dialogs().messages.front().text.contains(QStringLiteral("只读")),
                 qPrintable(f->dialogs().messages.front().text));
    }

    void outputTooltip_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("ejjPresses");
        QTest::addColumn<QString>("tooltip");
        const QString box = QStringLiteral("计算结果输出框");
        QTest::newRow("exponential") << "3+j4" << 0 << box + "\n3+j4";
        QTest::newRow("algebraic on show") << "3+j4" << 1 << box + "\n5ej53.130102354156";
        QTest::newRow("back to exponential") << "3+j4" << 2 << box + "\n3+j4";
        QTest::newRow("negative angle") << "230*ej-120" << 0 << box + "\n-115-j199.185842870421";
        QTest::newRow("real") << "1+2" << 0 << box;
        QTest::newRow("error") << "10/0" << 0 << box;
    }
    void outputTooltip() {
        QFETCH(QString, expression);
        QFETCH(int, ejjPresses);
        QFETCH(QString, tooltip);
        f->evaluate(expression);
        for (int i = 0; i < ejjPresses; ++i) f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        QCOMPARE(f->outputBox()->toolTip(), tooltip);
    }

    // Reading the other form leaves the ej-j key's direction alone.
    void tooltipDoesNotTouchTheToggle() {
        f->evaluate(QStringLiteral("3+j4"));
        QVERIFY(f->outputBox()->toolTip().endsWith(QStringLiteral("3+j4")));
        delete f->form().createOutputMenu();
        f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3+j4"));
    }

    void registerTooltip_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("complex")
            << "(3+j4)*(1-j0.5)"
            << "5.59016994374945ej26.565051177078\n4.99999999999998+j2.49999999999999";
        QTest::newRow("long real") << "1/3"
                                   << "0.333333333333333";
        QTest::newRow("error") << "10/0"
                               << "错误:除数为零。";
    }
    void registerTooltip() {
        QFETCH(QString, expression);
        QFETCH(QString, tooltip);
        f->evaluate(expression);
        f->click(QStringLiteral("storeKey_4"));
        QCOMPARE(f->content(4)->toolTip(), tooltip);
        QCOMPARE(f->content(3)->toolTip(), QString());
    }

    void registerTooltipFollowsAStoreOfAlgebraic() {
        f->evaluate(QStringLiteral("3+j4"));
        f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        f->click(QStringLiteral("storeKey_0"));
        QCOMPARE(f->content(0)->toolTip(), QStringLiteral("3+j4\n5ej53.130102354156"));
        f->click(QStringLiteral("clearKey"));
        f->click(QStringLiteral("storeKey_0"));
        QCOMPARE(f->content(0)->toolTip(), QString());
    }

    void menuCopiesEitherForm_data() {
        QTest::addColumn<int>("ejjPresses");
        QTest::newRow("exponential on show") << 0;
        QTest::newRow("algebraic on show") << 1;
    }
    void menuCopiesEitherForm() {
        QFETCH(int, ejjPresses);
        f->evaluate(QStringLiteral("3+j4"));
        for (int i = 0; i < ejjPresses; ++i) f->click(functionKeyName(kalvox::FunctionKey::EjJ));
        const QString shown = f->outputBox()->text();
        std::unique_ptr<QMenu> menu(f->form().createOutputMenu());
        auto* exponential = menu->findChild<QAction*>(QStringLiteral("copyExponential"));
        auto* algebraic = menu->findChild<QAction*>(QStringLiteral("copyAlgebraic"));
        QVERIFY(exponential && algebraic);
        QCOMPARE(exponential->text(), QStringLiteral("复制指数形式"));
        QCOMPARE(algebraic->text(), QStringLiteral("复制代数形式"));
        exponential->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5ej53.130102354156"));
        algebraic->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("3+j4"));
        QCOMPARE(f->outputBox()->text(), shown);
    }

    void menuOffersNoFormForAReal() {
        f->evaluate(QStringLiteral("1+2"));
        std::unique_ptr<QMenu> menu(f->form().createOutputMenu());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("copyExponential"))->isEnabled());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("copyAlgebraic"))->isEnabled());
    }
};

QTEST_MAIN(PanelFormsTest)
#include "tst_panel_forms.moc"
