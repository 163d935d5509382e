#pragma once
// A dialog seam for tests: records every dialog the window asks for and answers
// with scripted replies, so nothing modal ever appears.

#include <QList>
#include <QString>
#include <QStringList>

#include "panel/dialog_seam.h"

namespace kalvox::test {

class RecordingDialogSeam final : public DialogSeam {
public:
    struct Message {
        QString title;
        QString text;
    };

    QList<Message> messages;          // every message box asked for
    QList<QStringList> saveRequests;  // the filters of every save dialog asked for
    QStringList saveAnswers;          // replies to the save dialogs, in order; "" = cancel
    int saveFilter = 0;               // the filter chosen with every reply, counted from 0
    QList<QStringList> openRequests;  // the filters of every open dialog asked for
    QStringList openAnswers;          // replies to the open dialogs, in order; "" = cancel
    int aboutShown = 0;               // how often the About dialog was asked for
    QList<QList<QPair<QString, QString>>> shortcutLists;  // the rows of every shortcut list shown

    void showMessage(QWidget*, const QString& title, const QString& text) override {
        messages.append({title, text});
    }
    SaveFileChoice askSaveFileName(QWidget*, const QStringList& filters) override {
        saveRequests.append(filters);
        if (saveAnswers.isEmpty()) return {};
        return {saveAnswers.takeFirst(), filters.value(saveFilter)};
    }
    QString askOpenFileName(QWidget*, const QStringList& filters) override {
        openRequests.append(filters);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    void showAbout(QWidget*) override { ++aboutShown; }
    void showShortcuts(QWidget*, const QList<QPair<QString, QString>>& rows) override {
        shortcutLists.append(rows);
    }
};

}  // namespace kalvox::test
