#pragma once
// Qt's own texts (the buttons of its dialogs) in Chinese.

class QTranslator;

namespace kalvox {

// Loads Qt's Simplified Chinese translation into the translator: from Qt's
// translations folder where Qt is installed, else from the copy built into the
// program (on Windows, where Qt is part of the program). False when neither exists.
bool loadQtChineseTranslation(QTranslator& translator);

}  // namespace kalvox
