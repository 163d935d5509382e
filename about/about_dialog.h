#pragma once
// The About dialog (aboutDialog): the program's icon, name, version, what the
// calculator does, its known limitations and an OK button.
//
// The dialog is laid out in twips like the main window: one pixel stands for
// 15 twips. It is built anew for every opening and changes nothing in the
// main window.

#include <QDialog>
#include <QString>

namespace kalvox {

// Texts of the dialog, exactly as shown.
QString aboutCaption();      // the window title, "关于Kalvox"
QString aboutTitle();        // title
QString aboutVersion();      // version
QString aboutDescription();  // description
QString aboutContact();      // contactLine
QString aboutDisclaimer();   // disclaimer: three numbered warnings

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // The controls' object names: icon, title,
    // version, description, contactLine, separator, disclaimer, okButton.
    explicit AboutDialog(QWidget* parent = nullptr);
};

// Opens the dialog modally over `parent` and returns when it is closed
// (确定, Enter, Esc or the close box).
void showAboutDialog(QWidget* parent);

}  // namespace kalvox
