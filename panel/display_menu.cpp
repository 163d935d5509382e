// The 显示 menu and the kept display setting.

#include "panel/display_menu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <memory>

namespace kalvox {

namespace {

// The file whose presence beside the program makes it portable; the portable zip
// brings it along.
constexpr auto kPortableSettings = "kalvox.ini";
constexpr auto kNotationKey = "display/notation";
constexpr auto kDigitsKey = "display/digits";
constexpr auto kEngineeringValue = "engineering";
constexpr auto kPlainValue = "plain";

std::unique_ptr<QSettings> openSettings() {
    const QString portable = QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                             QLatin1String(kPortableSettings);
    if (QFileInfo(portable).isFile())
        return std::make_unique<QSettings>(portable, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Kalvox"), QStringLiteral("kalvox"));
}

}  // namespace

DisplaySetting loadDisplaySetting() {
    const auto settings = openSettings();
    DisplaySetting setting;
    if (settings->value(QLatin1String(kNotationKey)).toString() == QLatin1String(kEngineeringValue))
        setting.notation = DisplayNotation::Engineering;
    bool number = false;
    const int digits = settings->value(QLatin1String(kDigitsKey)).toInt(&number);
    if (number && isDisplayDigits(digits)) setting.digits = digits;
    return setting;
}

void storeDisplaySetting(const DisplaySetting& setting) {
    const auto settings = openSettings();
    settings->setValue(
        QLatin1String(kNotationKey),
        QLatin1String(setting.notation == DisplayNotation::Engineering ? kEngineeringValue
                                                                       : kPlainValue));
    settings->setValue(QLatin1String(kDigitsKey), setting.digits);
}

QMenu* addDisplayMenu(QMenuBar* bar, const DisplaySetting& current,
                      std::function<void(const DisplaySetting&)> chosen) {
    QMenu* menu = bar->addMenu(QStringLiteral("显示"));
    menu->setObjectName(QStringLiteral("displayMenu"));
    auto* notations = new QActionGroup(menu);
    auto* counts = new QActionGroup(menu);
    // The setting the menu's checked entries say.
    auto checked = std::make_shared<DisplaySetting>(current);
    auto add = [&](QActionGroup* group, const QString& caption, const QString& name, bool on) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(on);
        group->addAction(action);
        return action;
    };
    const struct {
        const char* caption;
        const char* name;
        DisplayNotation notation;
    } notationEntries[] = {{"常规", "displayPlain", DisplayNotation::Plain},
                           {"工程", "displayEngineering", DisplayNotation::Engineering}};
    for (const auto& entry : notationEntries) {
        QAction* action = add(notations, QString::fromUtf8(entry.caption),
                              QLatin1String(entry.name), current.notation == entry.notation);
        const DisplayNotation notation = entry.notation;
        QObject::connect(action, &QAction::triggered, menu, [checked, chosen, notation] {
            checked->notation = notation;
            chosen(*checked);
        });
    }
    menu->addSeparator();
    for (int digits : kDisplayDigits) {
        QAction* action =
            add(counts, QStringLiteral("有效数字 %1").arg(digits),
                QStringLiteral("displayDigits%1").arg(digits), current.digits == digits);
        QObject::connect(action, &QAction::triggered, menu, [checked, chosen, digits] {
            checked->digits = digits;
            chosen(*checked);
        });
    }
    return menu;
}

}  // namespace kalvox
