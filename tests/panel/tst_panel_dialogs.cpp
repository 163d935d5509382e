// The dialogs as the user gets them (the real seam), and the test fixture's guard
// against dialogs that slip past the seam.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

#include "modal_guard.h"
#include "panel/qt_dialog_seam.h"
#include "ui/qt_translation.h"

class PanelDialogTest : public QObject {
    Q_OBJECT

private slots:
    void guardClosesAStrayMessageBox() {
        kalvox::test::ModalGuard guard;
        QMessageBox::information(nullptr, QStringLiteral("t"), QStringLiteral("stray"));
        QCOMPARE(guard.seen.size(), 1);
        QVERIFY(guard.seen.first().contains(QStringLiteral("stray")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void messageBoxHasOneChineseOkButton() {
        QTranslator qt;
        QVERIFY(kalvox::loadQtChineseTranslation(qt));
        QApplication::installTranslator(&qt);
        kalvox::test::ModalGuard guard;
        kalvox::QtDialogSeam seam;
        seam.showMessage(nullptr, QStringLiteral("Kalvox"), QStringLiteral("溢出"));
        QApplication::removeTranslator(&qt);
        QCOMPARE(guard.seen, QStringList{QStringLiteral("QMessageBox|Kalvox|溢出|确定")});
    }

    void cancelledSaveDialogGivesAnEmptyName() {
        kalvox::test::ModalGuard guard;
        kalvox::QtDialogSeam seam;
        const kalvox::SaveFileChoice choice = seam.askSaveFileName(
            nullptr, {QStringLiteral("文本文件(*.txt)"), QStringLiteral("计算结果(*.jsq)")});
        QCOMPARE(choice.fileName, QString());
        QCOMPARE(guard.seen.size(), 1);
        QVERIFY(guard.seen.first().startsWith(QStringLiteral("QFileDialog")));
    }
};

QTEST_MAIN(PanelDialogTest)
#include "tst_panel_dialogs.moc"
