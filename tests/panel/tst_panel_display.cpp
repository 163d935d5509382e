// The 显示 menu: what the output box shows under each setting, and that the
// tooltip, the registers and the result file keep the full value text.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "panel/display_menu.h"
#include "panel_fixture.h"

using kalvox::test::fileBytes;
using kalvox::test::PanelFixture;
using kalvox::test::PanelTest;

class PanelDisplayTest : public PanelTest {
    Q_OBJECT

    void choose(const char* name) {
        auto* action = f->form().findChild<QAction*>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }

    // Evaluates the journey's two values, stores the first into MW1 and saves; the
    // file's bytes.
    QByteArray journey(const QString& path) {
        f->evaluate(QStringLiteral("1/(2π*50*100µ)"));
        f->click(QStringLiteral("storeKey_0"));
        f->evaluate(QStringLiteral("10ej30"));
        f->dialogs().saveAnswers << path;
        f->click(QStringLiteral("saveKey"));
        return fileBytes(path);
    }

private slots:
    void menuOffersEverySettingAndStartsPlain() {
        auto* menu = f->form().findChild<QMenu*>(QStringLiteral("displayMenu"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("显示"));
        QStringList captions;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            captions << action->text() + (action->isChecked() ? QStringLiteral("*") : QString());
        }
        QCOMPARE(captions, (QStringList{"常规*", "工程", "有效数字 15*", "有效数字 12",
                                        "有效数字 10", "有效数字 6"}));
    }

    // The journey: 工程 and 10 digits change only what the output box shows.
    void engineeringTenDigitsSavesTheSameBytesAsPlain() {
        QTemporaryDir dir;
        const QByteArray plain = journey(dir.filePath(QStringLiteral("plain.txt")));
        const QString plainContent = f->content(0)->text();
        f.reset();
        f = std::make_unique<PanelFixture>();
        choose("displayEngineering");
        choose("displayDigits10");
        const QByteArray engineering = journey(dir.filePath(QStringLiteral("eng.txt")));
        QCOMPARE(engineering, plain);
        QCOMPARE(plain, QByteArray("10ej30=10ej30.0000000000011\r\n"
                                   // The micro sign is saved as GBK's Greek mu.
                                   "1/(2*3.14159265358979*50*100\xA6\xCC)=31.8309886183791\r\n"));
        QCOMPARE(f->content(0)->text(), plainContent);
        QCOMPARE(f->outputBox()->text(), QStringLiteral("10ej30"));
        QVERIFY(f->outputBox()->toolTip().contains(QStringLiteral("10ej30.0000000000011")));
        f->evaluate(QStringLiteral("1/(2π*50*100E-6)*100"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3.183098862k"));
        // Back to 常规: the same value, as the engine wrote it.
        choose("displayPlain");
        choose("displayDigits15");
        QCOMPARE(f->outputBox()->text(), QStringLiteral("3183.09886183791"));
    }

    void choiceIsKeptForTheNextRun() {
        choose("displayEngineering");
        choose("displayDigits6");
        QCOMPARE(kalvox::loadDisplaySetting(),
                 (kalvox::DisplaySetting{kalvox::DisplayNotation::Engineering, 6}));
        // A new window in the same settings folder starts with the choice.
        kalvox::test::RecordingDialogSeam seam;
        kalvox::MainWindow next(seam);
        auto* action = next.findChild<QAction*>(QStringLiteral("displayDigits6"));
        QVERIFY(action && action->isChecked());
        QVERIFY(next.findChild<QAction*>(QStringLiteral("displayEngineering"))->isChecked());
    }
};

QTEST_MAIN(PanelDisplayTest)
#include "tst_panel_display.moc"
