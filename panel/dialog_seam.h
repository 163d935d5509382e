#pragma once
// Every dialog the main window opens goes through this seam, so that tests can answer
// them without a modal window ever appearing.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QWidget;

namespace kalvox {

// The answer of a file-save dialog: the name chosen ("" when the user cancels) and
// the filter that was chosen with it.
struct SaveFileChoice {
    QString fileName;
    QString filter;
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;

    // A modal message box with a single OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text) = 0;

    // A file-save dialog offering the given filters; returns the chosen file name, or ""
    // when the user cancels, and the chosen filter. It asks before an existing file is
    // replaced, under the name the file is then saved as (savedFileName).
    virtual SaveFileChoice askSaveFileName(QWidget* parent, const QStringList& filters) = 0;

    // A file-open dialog offering the given filters; returns the chosen file name, or ""
    // when the user cancels. Only an existing file can be chosen.
    virtual QString askOpenFileName(QWidget* parent, const QStringList& filters) = 0;

    // The modal About dialog.
    virtual void showAbout(QWidget* parent) = 0;

    // The window listing the keyboard shortcuts, one (keys, what they do) pair a row.
    // It is not modal: the calculator stays usable while it is open.
    virtual void showShortcuts(QWidget* parent, const QList<QPair<QString, QString>>& rows) = 0;
};

}  // namespace kalvox
