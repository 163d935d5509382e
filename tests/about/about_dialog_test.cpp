// The About dialog as a user meets it: its texts shown whole and apart, the
// version the build is, its icon, and closing it with 确定, Enter and Esc while it
// is modal.
#include "about/about_dialog.h"

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
#include "kalvox_version.h"

using kalvox::AboutDialog;

namespace {

const QString kWarningOne = QStringLiteral(
    "警各:1.本计算器对负数的小于1的除(1/2,1/3)次方外的其他各次方的计算将出现错误,"
    "计算时应输入正数。对反正切、反佘切函数的计算不能正确区分象限,还有其他未知的错误,"
    "请使用者注意。");

}  // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndWindow();
    void texts();
    void versionMatchesTheBuild();
    void disclaimerHasThreeNumberedPoints();
    void controlsInsideTheDialogAndApart();
    void everyLineShownWhole();
    void etchedSeparatorColours();
    void iconInEverySize();
    void closeKeys_data();
    void closeKeys();
    void modalOverItsParent_data();
    void modalOverItsParent();
};

void AboutDialogTest::captionAndWindow() {
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("关于Kalvox"));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());  // fixed size
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog.windowIcon().isNull());
}

void AboutDialogTest::texts() {
    AboutDialog dialog;
    const auto shown = [&dialog](const char* name) {
        auto* label = dialog.findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<missing>");
    };
    QCOMPARE(shown("title"), QStringLiteral("Kalvox"));
    QCOMPARE(shown("description"),
             QStringLiteral(
                 "本计算器专门针对电工计算中复杂的复数运算及常用函数设计 ,在输入框中可直接输入"
                 "表达式即计算公式,按计算按钮或=计算出结果,可暂将结果保存,最多可同时保存9"
                 "个中间结果,还可将计算结果保存至文件。"));
    QVERIFY(!shown("contactLine").trimmed().isEmpty());
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
}

// The dialog calls the program a test version (测试版) as long as the build's version
// is below 1.0, and no longer once it is a release.
void AboutDialogTest::versionMatchesTheBuild() {
    AboutDialog dialog;
    auto* version = dialog.findChild<QLabel*>("version");
    QVERIFY(version);
    QVERIFY2(version->text().startsWith(QStringLiteral("版本:")), qPrintable(version->text()));
    const bool preRelease = QByteArray(KALVOX_VERSION).startsWith("0.");
    QCOMPARE(version->text() == QStringLiteral("版本:测试版"), preRelease);
}

void AboutDialogTest::disclaimerHasThreeNumberedPoints() {
    AboutDialog dialog;
    auto* label = dialog.findChild<QLabel*>("disclaimer");
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

// Every control lies wholly inside the dialog, and no two overlap, so nothing is
// hidden behind another control or cut off by the dialog's edge.
void AboutDialogTest::controlsInsideTheDialogAndApart() {
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QVERIFY(controls.size() >= 8);
    for (QWidget* control : controls) {
        QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        QVERIFY2(dialog.rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (QWidget* other : controls) {
            if (other == control) continue;
            QVERIFY2(!control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + QStringLiteral(" overlaps ") +
                                other->objectName()));
        }
    }
}

// Every line of every text is shown whole: wrapped texts have room for all their
// lines, one-line texts for their width.
void AboutDialogTest::everyLineShownWhole() {
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
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
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    QVERIFY(ok->fontMetrics().horizontalAdvance(ok->text()) < ok->width());
}

void AboutDialogTest::etchedSeparatorColours() {
    AboutDialog dialog;
    auto* line = dialog.findChild<kalvox::EtchedLine*>("separator");
    QVERIFY(line);
    const QImage image = line->grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(image.width() - 1, 0), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(1, 1), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(image.width() - 1, 2), QColor(255, 255, 255));
}

void AboutDialogTest::iconInEverySize() {
    const QIcon icon = kalvox::appIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 32, 48, 256})
        QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
    QCOMPARE(kalvox::appIconPixmap32().size(), QSize(32, 32));

    AboutDialog dialog;
    auto* picture = dialog.findChild<QLabel*>("icon");
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
}

void AboutDialogTest::closeKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter (return)") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter (keypad)") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void AboutDialogTest::closeKeys() {
    QFETCH(int, key);
    QFETCH(int, result);
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::keyClick(&dialog, Qt::Key(key));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), result);
    QVERIFY(!dialog.isVisible());
}

void AboutDialogTest::modalOverItsParent_data() {
    QTest::addColumn<int>("key");  // 0: click 确定
    QTest::newRow("click 确定") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void AboutDialogTest::modalOverItsParent() {
    QFETCH(int, key);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool sawDialog = false;
    QString seenTitle;
    // Runs once the modal loop of the dialog is up.
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        seenTitle = dialog->windowTitle();
        if (key == 0) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        } else {
            QTest::keyClick(dialog, Qt::Key(key));
        }
    });
    kalvox::showAboutDialog(&window);  // returns only when the dialog is closed
    QVERIFY(sawDialog);
    QCOMPARE(seenTitle, QStringLiteral("关于Kalvox"));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window.findChildren<AboutDialog*>().isEmpty());
}

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
