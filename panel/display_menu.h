#pragma once
// The 显示 menu: 常规 or 工程, and 有效数字 15, 12, 10 or 6; and where the choice is
// kept from run to run. The portable folder keeps it in a kalvox.ini beside the
// program, so that it leaves nothing behind on the computer; otherwise it is kept
// where the system keeps a user's settings (the registry on Windows).

#include <functional>

#include "model/value_display.h"

class QMenu;
class QMenuBar;

namespace kalvox {

// The kept display setting; the default one when none is kept or it is unreadable.
DisplaySetting loadDisplaySetting();

// Keeps the display setting for the next run.
void storeDisplaySetting(const DisplaySetting& setting);

// Adds the 显示 menu to the bar, its entries checked as `current` says; a choice
// calls `chosen` with the new setting.
QMenu* addDisplayMenu(QMenuBar* bar, const DisplaySetting& current,
                      std::function<void(const DisplaySetting&)> chosen);

}  // namespace kalvox
