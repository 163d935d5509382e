#pragma once
// The shortcut list: a window beside the calculator that lists every keyboard
// shortcut and what it does, and says which characters are simply typed.

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace kalvox {

// Shows the shortcut list of `parent`, creating it on first use, and brings it to
// the front. rows: (keys, what they do). Returns the window.
QWidget* showShortcutHelp(QWidget* parent, const QList<QPair<QString, QString>>& rows);

}  // namespace kalvox
