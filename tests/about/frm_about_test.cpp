// The About dialog: its texts, its geometry, its icon, and closing it with
// 确定, Enter and Esc while it is modal.
#include "about/frm_about.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "about/app_icon.h"
#include "about/etched_line.h"
#include "about/tight_label.h"

using kalvox::FrmAbout;

namespace {

const QString kWarningOne = QStringLiteral(
    "警各:1.本计算器对负数的小于1的除(1/2,1/3)次方外的其他各次方的计算将出现错误,"
    "计算时应输入正数。对反正切、反佘切函数的计算不能正确区分象限,还有其他未知的错误,"
    "请使用者注意。");

}  // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndWindow();
    void labelTexts_data();
    void labelTexts();
    void disclaimerHasThreeNumberedPoints();
    void geometry_data();
    void geometry();
    void textsFitTheirLabels();
    void etchedSeparatorColours();
    void iconInEverySize();
    void closeKeys_data();
    void closeKeys();
    void modalOverItsParent_data();
    void modalOverItsParent();
};

void FrmAboutTest::captionAndWindow() {
    FrmAbout dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("关于Kalvox"));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.size(), QSize(382, 316));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog.windowIcon().isNull());
}

void FrmAboutTest::labelTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "lblTitle"
                           << "Kalvox";
    QTest::newRow("version") << "lblVersion"
                             << "版本:测试版";
    QTest::newRow("description") << "lblDescription"
                                 << "本计算器专门针对电工计算中复杂的复数运算及常用函数设计 "
                                    ",在输入框中可直接输入表达式即计算"
                                    "公式,按计算按钮或=计算出结果,可暂将结果保存,"
                                    "最多可同时保存9个中间结果,还可将计算结果保存"
                                    "至文件。";
    QTest::newRow("contact") << "Label1" << kalvox::aboutContact();
}

void FrmAboutTest::labelTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    FrmAbout dialog;
    auto* label = dialog.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(!label->text().trimmed().isEmpty());
    auto* ok = dialog.findChild<QPushButton*>("cmdOK");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
}

void FrmAboutTest::disclaimerHasThreeNumberedPoints() {
    FrmAbout dialog;
    auto* label = dialog.findChild<QLabel*>("lblDisclaimer");
    QVERIFY(label);
    const QString text = label->text();
    QVERIFY2(text.startsWith(kWarningOne), qPrintable(text));
    const QString rest = text.mid(kWarningOne.size());
    const qsizetype two = rest.indexOf(QStringLiteral("2."));
    const qsizetype three = rest.indexOf(QStringLiteral("3."));
    QVERIFY(two >= 0);
    QVERIFY(three > two);
    // Each further point has words of its own, ended like the first one.
    QVERIFY(rest.mid(two + 2, three - two - 2).trimmed().endsWith(u'。'));
    QVERIFY(rest.mid(three + 2).trimmed().endsWith(u'。'));
}

void FrmAboutTest::geometry_data() {
    // Twips divided by 15, rounded to the nearest pixel.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36);
    QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 259, 23);
    QTest::newRow("lblVersion") << "lblVersion" << QRect(70, 52, 259, 15);
    QTest::newRow("lblDescription") << "lblDescription" << QRect(70, 75, 259, 62);
    QTest::newRow("Label1") << "Label1" << QRect(72, 152, 179, 16);
    QTest::newRow("Line1") << "Line1" << QRect(6, 179, 372, 3);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(17, 192, 266, 102);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(299, 192, 76, 23);
}

void FrmAboutTest::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    FrmAbout dialog;
    dialog.show();
    auto* widget = dialog.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), rect);
    QVERIFY(widget->isVisible());
}

void FrmAboutTest::textsFitTheirLabels() {
    FrmAbout dialog;
    dialog.show();
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;  // the icon
        if (auto* tight = qobject_cast<kalvox::TightLabel*>(label)) {
            QVERIFY2(tight->lineCount() * tight->linePitch() <= tight->height(),
                     qPrintable(label->objectName()));
        } else {
            const QSize needed = label->fontMetrics().size(0, label->text());
            QVERIFY2(needed.width() <= label->width(), qPrintable(label->objectName()));
            QVERIFY2(needed.height() <= label->height() + 2, qPrintable(label->objectName()));
        }
    }
}

void FrmAboutTest::etchedSeparatorColours() {
    FrmAbout dialog;
    auto* line = dialog.findChild<kalvox::EtchedLine*>("Line1");
    QVERIFY(line);
    const QImage image = line->grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(image.width() - 1, 0), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(1, 1), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(image.width() - 1, 2), QColor(255, 255, 255));
}

void FrmAboutTest::iconInEverySize() {
    const QIcon icon = kalvox::appIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 32, 48, 256})
        QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
    QCOMPARE(kalvox::appIconPixmap32().size(), QSize(32, 32));

    FrmAbout dialog;
    auto* picture = dialog.findChild<QLabel*>("picIcon");
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
}

void FrmAboutTest::closeKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter (return)") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter (keypad)") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void FrmAboutTest::closeKeys() {
    QFETCH(int, key);
    QFETCH(int, result);
    FrmAbout dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::keyClick(&dialog, Qt::Key(key));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), result);
    QVERIFY(!dialog.isVisible());
}

void FrmAboutTest::modalOverItsParent_data() {
    QTest::addColumn<int>("key");  // 0: click 确定
    QTest::newRow("click 确定") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void FrmAboutTest::modalOverItsParent() {
    QFETCH(int, key);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool sawDialog = false;
    QString seenTitle;
    // Runs once the modal loop of the dialog is up.
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        seenTitle = dialog->windowTitle();
        if (key == 0) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        } else {
            QTest::keyClick(dialog, Qt::Key(key));
        }
    });
    kalvox::showAboutDialog(&window);  // returns only when the dialog is closed
    QVERIFY(sawDialog);
    QCOMPARE(seenTitle, QStringLiteral("关于Kalvox"));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window.findChildren<FrmAbout*>().isEmpty());
}

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
