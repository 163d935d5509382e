#pragma once
// Every keyboard shortcut of the main window, in one table: the keys, what they do
// in words, and the action. The window creates its shortcuts from this table and
// the shortcut list (F1) shows the same rows, so the two never disagree. A new
// command needs one more row.
//
// Shortcuts use Ctrl, Alt or a function key, so none of them ever types a character.

#include <QKeySequence>
#include <QString>
#include <functional>
#include <vector>

namespace kalvox {

class Form1;

struct Shortcut {
    QKeySequence keys;
    QString text;  // what the shortcut does, as the shortcut list shows it
    std::function<void(Form1&)> action;
};

// In the order the shortcut list shows them.
const std::vector<Shortcut>& shortcutTable();

}  // namespace kalvox
