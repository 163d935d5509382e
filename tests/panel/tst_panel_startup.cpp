// The window as it opens: controls, captions, tooltips, geometry, colours and
// the start-up state.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

#include "model/panel_keys.h"
#include "panel/key_caption_style.h"
#include "panel_fixture.h"
#include "ui/twips.h"

using kalvox::test::PanelFixture;
using kalvox::test::PanelTest;

namespace {

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return QStringLiteral("<no caption>");
}

}  // namespace

class PanelStartupTest : public PanelTest {
    Q_OBJECT

private slots:
    void startState() {
        QCOMPARE(f->inputBox()->text(), QString());
        QCOMPARE(f->outputBox()->text(), QStringLiteral("0"));
        QCOMPARE(QApplication::focusWidget(), f->inputBox());
        QVERIFY(f->form().findChild<QRadioButton*>("symbolOption")->isChecked());
        QVERIFY(!f->form().findChild<QRadioButton*>("wholeInputOption")->isChecked());
        QVERIFY(!f->form().findChild<QRadioButton*>("outputOption")->isChecked());
        QVERIFY(!f->form().findChild<QCheckBox*>("inverseBox")->isChecked());
        // x^2, x^3 and 1/x are off; n! is on.
        QCOMPARE(f->enabledFunctionKeys(), QStringLiteral("111100111011"));
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(f->content(i)->text(), QString());
            QCOMPARE(f->tag(i)->currentText(), QString());
        }
        for (int k = 1; k <= kalvox::kRegisterCount; ++k)
            QCOMPARE(f->form().storedExpression(k), QString());
    }

    void window() {
        QCOMPARE(f->form().windowTitle(), QStringLiteral("Kalvox"));
        QCOMPARE(f->form().minimumSize(), f->form().maximumSize());
        QVERIFY(!(f->form().windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(f->form().centralWidget()->size(), QSize(619, 332));
        QList<QAction*> menu = f->form().menuBar()->actions();
        QCOMPARE(menu.size(), 4);
        QCOMPARE(menu.first()->objectName(), QStringLiteral("aboutCommand"));
        QCOMPARE(menu.first()->text(), QStringLiteral("关于"));
        QCOMPARE(menu.at(1)->objectName(), QStringLiteral("openCommand"));
        QCOMPARE(menu.at(2)->text(), QStringLiteral("复数"));
        QCOMPARE(menu.last()->text(), QStringLiteral("显示"));
    }

    void captionsAndTooltips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        auto row = [](const char* name, const char* caption, const char* tooltip) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption)
                                << QString::fromUtf8(tooltip);
        };
        row("inputBox", "", "表达式输入框");
        row("outputBox", "0", "计算结果输出框");
        row("inputLabel", "输入", "");
        row("outputLabel", "输出", "");
        row("contentBox_4", "", "");
    }
    void captionsAndTooltips() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        auto* w = f->form().findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(captionOf(w), caption);
        QCOMPARE(w->toolTip(), tooltip);
    }

    // Every key of the key table is one control of the window (or one menu command)
    // showing the table's caption and start-up tooltip.
    void everyKeyIsOneControl() {
        for (const kalvox::PanelKey& key : kalvox::panelKeys()) {
            if (key.name.empty()) continue;
            const QString name = QString::fromStdString(key.name);
            const auto widgets = f->form().findChildren<QWidget*>(name);
            const auto actions = f->form().findChildren<QAction*>(name);
            QVERIFY2(widgets.size() + actions.size() == 1, qPrintable(name));
            // A menu entry shows its shortcut after a tab.
            const QString caption = widgets.isEmpty()
                                        ? actions.front()->text().section(QLatin1Char('\t'), 0, 0)
                                        : captionOf(widgets.front());
            // A menu entry has its status tip; 关于 and 打开 have none.
            const QString tooltip =
                widgets.isEmpty() ? actions.front()->statusTip() : widgets.front()->toolTip();
            QCOMPARE(caption, QString::fromStdString(key.caption));
            QCOMPARE(tooltip, QString::fromStdString(key.tooltip));
        }
    }

    void everyArrayMemberExists_data() {
        QTest::addColumn<QString>("array");
        QTest::addColumn<int>("members");
        QTest::newRow("digitKey") << "digitKey" << 11;
        QTest::newRow("operatorKey") << "operatorKey" << 4;
        QTest::newRow("complexKey") << "complexKey" << 7;
        QTest::newRow("functionKey") << "functionKey" << 12;
        QTest::newRow("storeKey") << "storeKey" << 9;
        QTest::newRow("tagBox") << "tagBox" << 9;
        QTest::newRow("contentBox") << "contentBox" << 9;
        QTest::newRow("recallKey") << "recallKey" << 9;
    }
    void everyArrayMemberExists() {
        QFETCH(QString, array);
        QFETCH(int, members);
        for (int i = 0; i < members; ++i) {
            const QString name = array + QLatin1Char('_') + QString::number(i);
            QCOMPARE(f->form().findChildren<QWidget*>(name).size(), 1);
        }
        QCOMPARE(f->form()
                     .findChildren<QWidget*>(array + QLatin1Char('_') + QString::number(members))
                     .size(),
                 0);
    }

    void tagTooltips() {
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(f->tag(i)->toolTip(), QStringLiteral("选择或输入第%1个存储标志").arg(i + 1));
        }
    }

    // Each key sits in the key-pad cell the layout gives it: the control found at the
    // middle of the cell carries the caption of the grid.
    void keyPadGrid_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("caption");
        const int cols[] = {840, 1440, 2040, 2640, 3240, 3840};
        const int rows[] = {2160, 2520, 3120, 3480, 3840, 4200};
        const char* grid[6][6] = {
            {"sin", "cos", "tan", "ctn", "ln", "log"},
            {"x^2", "x^3", "^", "1/x", "n!", "ej-j"},
            {"7", "8", "9", "ej", "(", "+"},
            {"4", "5", "6", "j", ")", "-"},
            {"1", "2", "3", "E", "=", "*"},
            {"0", ".", "π", "a", "a^2", "/"},
        };
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 6; ++c) {
                QTest::addRow("%s", grid[r][c])
                    << cols[c] << rows[r] << QString::fromUtf8(grid[r][c]);
            }
        }
    }
    void keyPadGrid() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(QString, caption);
        const QRect cell = kalvox::toPixels({left, top, 500, 330});
        auto* w = qobject_cast<QPushButton*>(f->form().centralWidget()->childAt(cell.center()));
        QVERIFY(w);
        QCOMPARE(w->text(), caption);
        QCOMPARE(w->geometry(), cell);
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("inputLabel") << "inputLabel" << QRect(360, 300, 420, 210);
        QTest::newRow("inputBox") << "inputBox" << QRect(840, 240, 7815, 375);
        QTest::newRow("outputLabel") << "outputLabel" << QRect(360, 800, 420, 210);
        QTest::newRow("outputBox") << "outputBox" << QRect(840, 720, 3615, 375);
        QTest::newRow("calculateKey") << "calculateKey" << QRect(4920, 720, 735, 375);
        QTest::newRow("clearKey") << "clearKey" << QRect(5760, 720, 735, 375);
        QTest::newRow("backspaceKey") << "backspaceKey" << QRect(6600, 720, 735, 375);
        QTest::newRow("saveKey") << "saveKey" << QRect(7440, 720, 735, 375);
        QTest::newRow("modeFrame") << "modeFrame" << QRect(840, 1200, 3615, 495);
        QTest::newRow("wholeInputOption") << "wholeInputOption" << QRect(200, 200, 1215, 260);
        QTest::newRow("symbolOption") << "symbolOption" << QRect(1320, 200, 1095, 260);
        QTest::newRow("outputOption") << "outputOption" << QRect(2400, 200, 1095, 260);
        QTest::newRow("inverseBox") << "inverseBox" << QRect(1030, 1800, 1095, 255);
        QTest::newRow("MW1 top row") << "storeKey_0" << QRect(4680, 1320, 400, 300);
        QTest::newRow("MW3") << "storeKey_2" << QRect(4680, 2040, 400, 300);
        QTest::newRow("MW9 bottom row") << "storeKey_8" << QRect(4680, 4200, 400, 300);
        QTest::newRow("content 1") << "contentBox_0" << QRect(6120, 1320, 2175, 300);
        QTest::newRow("MR3") << "recallKey_2" << QRect(8400, 2040, 400, 300);
        QTest::newRow("MR9") << "recallKey_8" << QRect(8400, 4200, 400, 300);
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        auto* w = f->form().findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->geometry(),
                 kalvox::toPixels({twips.x(), twips.y(), twips.width(), twips.height()}));
    }

    void tagBoxesOfferThePresetTags() {
        const QStringList expected = {"Ia", "Ib", "Ic", "Ua", "Ub",   "Uc",     "I",
                                      "U",  "P",  "Q",  "S",  "cosφ", "CT变比", "PT变比"};
        for (int i = 0; i < 9; ++i) {
            QComboBox* box = f->tag(i);
            QVERIFY(box->isEditable());
            QStringList items;
            for (int j = 0; j < box->count(); ++j) items << box->itemText(j);
            QCOMPARE(items, expected);
        }
        // A typed tag is kept as typed, and Enter does not add it to the list.
        QComboBox* box = f->tag(3);
        box->setFocus();
        QTest::keyClicks(box, "Zx");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->currentText(), QStringLiteral("Zx"));
        QCOMPARE(box->count(), 14);
        box->setCurrentIndex(11);
        QCOMPARE(box->currentText(), QStringLiteral("cosφ"));
    }

    void colours() {
        auto base = [&](const char* name) {
            return f->form().findChild<QWidget*>(name)->palette().color(QPalette::Base);
        };
        QCOMPARE(base("inputBox"), QColor(192, 255, 255));
        QCOMPARE(base("outputBox"), QColor(192, 255, 192));
        QCOMPARE(base("tagBox_0"), QColor(192, 255, 192));
        QCOMPARE(f->content(0)->palette().color(QPalette::Window), QColor(192, 255, 192));
        for (const char* name : {"digitKey_3", "operatorKey_1", "complexKey_5", "piKey",
                                 "equalsKey", "functionKey_11"}) {
            QCOMPARE(f->key(name)->palette().color(QPalette::Button), QColor(Qt::white));
        }
    }

    void labelFontIsAChineseFontAtTenAndAHalfPoints() {
        auto* label = f->form().findChild<QLabel*>("inputLabel");
        QCOMPARE(label->font().pointSizeF(), 10.5);
        QCOMPARE(label->font().weight(), QFont::Normal);
        // Whatever family is used, it must be able to show the caption.
        QVERIFY(QFontMetrics(label->font()).inFont(QChar(u'输')));
    }

    // Under the Windows style, whose buttons keep wide margins, every key's caption
    // has the room it has under the style the window is laid out in ("MW1" once showed
    // as "/W1"), and no key moves.
    void captionsKeepTheirRoomUnderTheWindowsStyle() {
        const auto rooms = [this] {
            QMap<QString, QRect> found;
            for (QPushButton* key : f->form().findChildren<QPushButton*>()) {
                QStyleOptionButton option;
                option.initFrom(key);
                option.text = key->text();
                const QRect room =
                    key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key);
                found.insert(key->objectName(), room.translated(key->pos()));
            }
            return found;
        };
        const auto places = [this] {
            QMap<QString, QRect> found;
            for (QPushButton* key : f->form().findChildren<QPushButton*>()) {
                found.insert(key->objectName(), key->geometry());
            }
            return found;
        };
        const QMap<QString, QRect> ownRooms = rooms();
        const QMap<QString, QRect> ownPlaces = places();
        const QString own = QApplication::style()->name();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        f = std::make_unique<PanelFixture>();
        const QMap<QString, QRect> windowsRooms = rooms();
        const QMap<QString, QRect> windowsPlaces = places();
        f.reset();
        QApplication::setStyle(QStyleFactory::create(own));
        f = std::make_unique<PanelFixture>();

        QVERIFY(ownRooms.size() > 40);
        QCOMPARE(windowsPlaces, ownPlaces);
        QStringList cramped;
        for (auto it = ownRooms.cbegin(); it != ownRooms.cend(); ++it) {
            if (windowsRooms.value(it.key()).width() < it.value().width()) cramped << it.key();
        }
        QVERIFY2(cramped.isEmpty(), qPrintable(cramped.join(QLatin1Char(' '))));
    }

    // A caption wider than its key (a wide fallback font) is drawn smaller, not clipped.
    void captionFontShrinksToFit_data() {
        QTest::addColumn<qreal>("pointSize");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("unchanged");
        QTest::addColumn<bool>("fits");
        QTest::newRow("fits already") << 9.0 << "MW1" << 200 << true << true;
        QTest::newRow("too wide at 30 points") << 30.0 << "MW1" << 27 << false << true;
        QTest::newRow("too wide at 12 points") << 12.0 << "MR9" << 25 << false << true;
        QTest::newRow("no room even at 6 points") << 9.0 << "a^2x^3ej-j" << 5 << false << false;
    }
    void captionFontShrinksToFit() {
        QFETCH(qreal, pointSize);
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(bool, unchanged);
        QFETCH(bool, fits);
        QFont font = QApplication::font();
        font.setPointSizeF(pointSize);
        const QFont fitted = kalvox::fittingCaptionFont(font, caption, width);
        QCOMPARE(fitted == font, unchanged);
        QCOMPARE(QFontMetrics(fitted).horizontalAdvance(caption) <= width, fits);
        QVERIFY(fitted.pointSizeF() >= 6.0);
        QVERIFY(fitted.pointSizeF() <= pointSize);
        if (!unchanged && fits) {
            // The largest half-point size that fits: half a point more would not.
            QFont larger = fitted;
            larger.setPointSizeF(fitted.pointSizeF() + 0.5);
            QVERIFY(QFontMetrics(larger).horizontalAdvance(caption) > width);
        }
        if (!fits) QCOMPARE(fitted.pointSizeF(), 6.0);
    }
};

QTEST_MAIN(PanelStartupTest)
#include "tst_panel_startup.moc"
