#pragma once
// The About dialog (frmAbout): the program's icon, name, version, what the
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
QString aboutTitle();        // lblTitle
QString aboutVersion();      // lblVersion
QString aboutDescription();  // lblDescription
QString aboutContact();      // Label1
QString aboutDisclaimer();   // lblDisclaimer: three numbered warnings

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    // Every control carries its design name as object name: picIcon, lblTitle,
    // lblVersion, lblDescription, Label1, Line1, lblDisclaimer, cmdOK.
    explicit FrmAbout(QWidget* parent = nullptr);
};

// Opens the dialog modally over `parent` and returns when it is closed
// (确定, Enter, Esc or the close box).
void showAboutDialog(QWidget* parent);

}  // namespace kalvox
