#include "panel_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

namespace kalvox::test {

SettingsSandbox::SettingsSandbox() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
#ifdef _WIN32
    // Windows keeps the native settings in the registry, which no path moves: each
    // test starts from none.
    QSettings(QStringLiteral("Kalvox"), QStringLiteral("kalvox")).clear();
#endif
}

PanelFixture::PanelFixture() : form_(std::make_unique<MainWindow>(dialogs_)) {
    form_->show();
    QApplication::setActiveWindow(form_.get());
    if (!QTest::qWaitForWindowActive(form_.get())) {
        QTest::qFail("the window did not become active", __FILE__, __LINE__);
    }
}

PanelFixture::~PanelFixture() = default;

QLineEdit* PanelFixture::inputBox() {
    return form_->findChild<QLineEdit*>(QStringLiteral("inputBox"));
}
QLineEdit* PanelFixture::outputBox() {
    return form_->findChild<QLineEdit*>(QStringLiteral("outputBox"));
}

QPushButton* PanelFixture::key(const QString& objectName) {
    auto* button = form_->findChild<QPushButton*>(objectName);
    if (!button) {
        QTest::qFail(qPrintable(QStringLiteral("no key ") + objectName), __FILE__, __LINE__);
    }
    return button;
}

QLabel* PanelFixture::content(int index) {
    return form_->findChild<QLabel*>(QStringLiteral("contentBox_%1").arg(index));
}

QComboBox* PanelFixture::tag(int index) {
    return form_->findChild<QComboBox*>(QStringLiteral("tagBox_%1").arg(index));
}

void PanelFixture::click(const QString& objectName) {
    if (QPushButton* button = key(objectName)) QTest::mouseClick(button, Qt::LeftButton);
}

void PanelFixture::clickOption(const QString& objectName) {
    auto* button = form_->findChild<QAbstractButton*>(objectName);
    if (!button) {
        QTest::qFail(qPrintable(QStringLiteral("no option ") + objectName), __FILE__, __LINE__);
        return;
    }
    // Clicked where the user clicks: on the indicator at the left end.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void PanelFixture::type(QLineEdit* box, const QString& text) {
    box->setFocus();
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            // Qt Test only knows keys of ASCII characters; others come as a bare key event
            // carrying the character, as a keyboard layout delivers them.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
    }
}

void PanelFixture::typeOutput(const QString& value) {
    outputBox()->setFocus();
    outputBox()->selectAll();
    QTest::keyClick(outputBox(), Qt::Key_Delete);
    type(outputBox(), value);
}

void PanelFixture::prepareInput(const QString& text, int start, int length) {
    QLineEdit* box = inputBox();
    box->setFocus();
    box->setText(text);
    if (length > 0) {
        box->setSelection(start, length);
    } else {
        box->setCursorPosition(start);
    }
}

void PanelFixture::evaluate(const QString& expression) {
    inputBox()->setFocus();
    inputBox()->setText(expression);  // as if pasted: letters of function names pass
    click(QStringLiteral("equalsKey"));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

QString functionKeyName(FunctionKey key) {
    return QStringLiteral("functionKey_%1").arg(keyIndex(key));
}

QString PanelFixture::enabledFunctionKeys() {
    QString mask;
    for (std::size_t i = 0; i < kFunctionKeyCount; ++i) {
        QPushButton* button = key(functionKeyName(static_cast<FunctionKey>(i)));
        mask += button && button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return mask;
}

void PanelTest::init() { f = std::make_unique<PanelFixture>(); }

void PanelTest::cleanup() {
    VERIFY_NO_MODAL(*f);
    f.reset();
}

}  // namespace kalvox::test
