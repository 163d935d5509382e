// The 相量图 window: opened from the 复数 menu or its shortcut, it draws the registers
// as arrows and follows every change of them; its views, grouping and export.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <complex>
#include <numbers>

#include "model/phasor_diagram.h"
#include "panel/phasor_painter.h"
#include "panel/phasor_window.h"
#include "panel_fixture.h"

using kalvox::PhasorWindow;
using kalvox::test::PanelTest;

namespace {

// How many pixels of the picture have the colour, give or take the smoothing of edges.
int pixelsOf(const QImage& image, const kalvox::Rgb& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.r) + std::abs(c.green() - colour.g) +
                    std::abs(c.blue() - colour.b) <
                30)
                ++n;
        }
    }
    return n;
}

// Whether the colour is found within 5 pixels of the point.
bool colourNear(const QImage& image, QPoint at, const kalvox::Rgb& colour) {
    for (int dy = -5; dy <= 5; ++dy) {
        for (int dx = -5; dx <= 5; ++dx) {
            const QColor c = image.pixelColor(at.x() + dx, at.y() + dy);
            if (std::abs(c.red() - colour.r) + std::abs(c.green() - colour.g) +
                    std::abs(c.blue() - colour.b) <
                30)
                return true;
        }
    }
    return false;
}

}  // namespace

class PanelPhasorTest : public PanelTest {
    Q_OBJECT

    PhasorWindow* open() {
        f->form().findChild<QAction*>(QStringLiteral("phasorDiagramEntry"))->trigger();
        return f->form().findChild<PhasorWindow*>(QStringLiteral("PhasorWindow"));
    }

    void store(const QString& value, int index) {
        f->evaluate(value);
        f->click(QStringLiteral("storeKey_%1").arg(index));
    }

private slots:
    void storedValueAppearsAsAnArrow() {
        PhasorWindow* w = open();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("相量图"));
        QVERIFY(w->diagram().empty());
        QCOMPARE(w->diagram().message, std::string(kalvox::kNoPhasorMessage));
        const kalvox::Rgb first = kalvox::phasorColours()[0];
        QCOMPARE(pixelsOf(w->picture(), first), 0);

        store(QStringLiteral("230ej-120"), 0);
        QCOMPARE(w->diagram().arrows.size(), std::size_t{1});
        QCOMPARE(w->diagram().arrows[0].name, std::string("MW1"));
        QCOMPARE(w->diagram().arrows[0].valueText, std::string("230∠-120°"));
        QVERIFY(pixelsOf(w->picture(), first) > 50);
        // The calculator keeps working: the focus stays in its input box.
        QCOMPARE(QApplication::focusWidget(), f->inputBox());

        // A tag edit renames the arrow; an error stored over the value removes it.
        f->tag(0)->setEditText(QStringLiteral("Ua"));
        QCOMPARE(w->diagram().arrows[0].name, std::string("Ua"));
        store(QStringLiteral("1/0"), 0);
        QVERIFY(w->diagram().empty());
        QCOMPARE(pixelsOf(w->picture(), first), 0);
    }

    void shortcutOpensIt() {
        QVERIFY(!f->form().findChild<PhasorWindow*>());
        QTest::keyClick(&f->form(), Qt::Key_P, Qt::AltModifier | Qt::ShiftModifier);
        auto* w = f->form().findChild<PhasorWindow*>();
        QVERIFY(w && w->isVisible());
        QVERIFY(f->form()
                    .findChild<QAction*>(QStringLiteral("phasorDiagramEntry"))
                    ->text()
                    .startsWith(QStringLiteral("相量图\t")));
    }

    void followsSymmetricalComponentsAndViews() {
        store(QStringLiteral("230"), 0);
        store(QStringLiteral("200ej-110"), 1);
        store(QStringLiteral("250ej125"), 2);
        f->tag(0)->setEditText(QStringLiteral("Ua"));
        PhasorWindow* w = open();
        QCOMPARE(w->diagram().arrows.size(), std::size_t{3});
        f->form().findChild<QAction*>(QStringLiteral("symmetricalComponentsEntry"))->trigger();
        QCOMPARE(w->diagram().arrows.size(), std::size_t{6});
        QCOMPARE(w->diagram().arrows[3].name, std::string("U0"));

        auto* headToTail = w->findChild<QRadioButton*>(QStringLiteral("headToTailView"));
        QTest::mouseClick(headToTail, Qt::LeftButton, {}, QPoint(6, headToTail->height() / 2));
        QCOMPARE(w->diagram().view, kalvox::PhasorView::HeadToTail);
        QCOMPARE(w->diagram().sums.size(), std::size_t{1});
        const kalvox::Phasor u0 = *kalvox::readPhasor(f->content(3)->text().toStdString());
        const kalvox::Phasor sum = w->diagram().sums[0].value;
        QVERIFY(std::abs(sum.magnitude - 3 * u0.magnitude) < 1e-9);
        QVERIFY(std::abs(sum.angle - u0.angle) < 1e-9);
        QVERIFY(pixelsOf(w->picture(), kalvox::kSumColour) > 0);
    }

    // As a user checks the picture: every arrow's colour is found at the point its
    // register's value gives, the circle standing for the largest magnitude; U1 of a
    // balanced set lies on Ua and both colours show.
    void arrowEndsLieWhereTheValuesPoint() {
        store(QStringLiteral("220"), 0);
        store(QStringLiteral("220ej-120"), 1);
        store(QStringLiteral("220ej120"), 2);
        store(QStringLiteral("100ej-40"), 6);
        f->tag(0)->setEditText(QStringLiteral("Ua"));
        f->form().findChild<QAction*>(QStringLiteral("symmetricalComponentsEntry"))->trigger();
        PhasorWindow* w = open();
        const QImage picture = w->picture();
        const kalvox::PhasorFrame frame =
            kalvox::phasorPictureFrame(w->diagram(), QRectF(picture.rect()));
        int checked = 0;
        for (int k = 0; k < 9; ++k) {
            const QString content = f->content(k)->text();
            if (content.isEmpty()) continue;
            // The register's value as the text says, magnitude "ej" angle or a real.
            const QStringList parts = content.split(QStringLiteral("ej"));
            const double degrees = parts.size() == 2 ? parts[1].toDouble() : 0;
            const std::complex<double> v =
                std::polar(parts[0].toDouble(), degrees * std::numbers::pi / 180);
            const QString tag = f->tag(k)->currentText();
            const std::string name =
                (tag.isEmpty() ? QStringLiteral("MW%1").arg(k + 1) : tag).toStdString();
            const auto arrow = std::find_if(w->diagram().arrows.begin(), w->diagram().arrows.end(),
                                            [&](const auto& a) { return a.name == name; });
            QVERIFY2(arrow != w->diagram().arrows.end(), name.c_str());
            const double r = std::abs(v) / 220 * frame.pixelsPerUnit;
            if (r < 20) continue;  // U0 and U2: dots at the origin
            // Back from the tip, at the back of the head.
            const std::complex<double> back = v / std::abs(v) * (r - 12);
            const QPoint at(qRound(frame.centreX + back.real()),
                            qRound(frame.centreY - back.imag()));
            QVERIFY2(colourNear(picture, at, arrow->colour), name.c_str());
            ++checked;
        }
        QCOMPARE(checked, 5);  // Ua, Ub, Uc, U1, MW7
    }

    void groupingOfferedForFarApartMagnitudes() {
        PhasorWindow* w = open();
        auto* group = w->findChild<QCheckBox*>(QStringLiteral("groupByUnit"));
        QVERIFY(!group->isEnabled());
        store(QStringLiteral("230"), 0);
        store(QStringLiteral("5ej-30"), 1);
        QVERIFY(!group->isEnabled());  // untagged registers say no unit
        f->tag(0)->setEditText(QStringLiteral("U"));
        f->tag(1)->setEditText(QStringLiteral("I"));
        QVERIFY(group->isEnabled());
        group->click();
        QVERIFY(w->diagram().grouped);
        QCOMPARE(w->diagram().scales.size(), std::size_t{2});
    }

    void savesPngAndSvgThroughTheDialog() {
        QTemporaryDir dir;
        store(QStringLiteral("3+j4"), 0);
        store(QStringLiteral("-5"), 1);
        PhasorWindow* w = open();
        f->dialogs().saveAnswers = {dir.filePath(QStringLiteral("三相"))};
        f->dialogs().saveFilter = 1;
        w->findChild<QPushButton*>(QStringLiteral("saveAs"))->click();
        QCOMPARE(f->dialogs().saveRequests.size(), 1);
        QCOMPARE(f->dialogs().saveRequests[0].size(), 2);
        const QByteArray svg = kalvox::test::fileBytes(dir.filePath(QStringLiteral("三相.svg")));
        QVERIFY(svg.startsWith("<?xml"));
        QCOMPARE(svg.count("<path class=\"phasor\""), 2);

        f->dialogs().saveAnswers = {dir.filePath(QStringLiteral("picture"))};
        f->dialogs().saveFilter = 0;
        w->findChild<QPushButton*>(QStringLiteral("saveAs"))->click();
        const QImage png(dir.filePath(QStringLiteral("picture.png")));
        QCOMPARE(png.size(), w->picture().size());

        // A folder that cannot be written is reported, not passed over.
        f->dialogs().saveAnswers = {dir.filePath(QStringLiteral("missing/picture.png"))};
        w->findChild<QPushButton*>(QStringLiteral("saveAs"))->click();
        QCOMPARE(f->dialogs().messages.size(), 1);

        w->findChild<QPushButton*>(QStringLiteral("copyImage"))->click();
        QCOMPARE(QApplication::clipboard()->image().size(), w->picture().size());
    }
};

QTEST_MAIN(PanelPhasorTest)
#include "tst_panel_phasors.moc"
