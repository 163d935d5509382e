#include "panel/shortcut_help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/window_texts.h"

namespace kalvox {
namespace {

const QString kWindowName = QStringLiteral("shortcutHelp");

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// What needs no shortcut: the model's paragraphs, one a line.
QString typingNote() {
    QStringList rows;
    for (std::string_view row : kTypingNote) rows << text(row);
    return rows.join(u'\n');
}

QDialog* createWindow(QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(kWindowName);
    window->setWindowTitle(text(kShortcutListTitle));
    window->setModal(false);

    auto* table = new QTableWidget(0, 2, window);
    table->setObjectName(QStringLiteral("shortcutTable"));
    table->setHorizontalHeaderLabels({text(kShortcutKeysHeader), text(kShortcutMeaningHeader)});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setStretchLastSection(true);

    auto* note = new QLabel(typingNote(), window);
    note->setObjectName(QStringLiteral("typingNote"));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    buttons->button(QDialogButtonBox::Close)->setText(text(kShortcutListClose));
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(table);
    layout->addWidget(note);
    layout->addWidget(buttons);
    return window;
}

void fill(QDialog* window, const QList<QPair<QString, QString>>& rows) {
    auto* table = window->findChild<QTableWidget*>(QStringLiteral("shortcutTable"));
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(rows[r].first));
        table->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    const int width = table->columnWidth(0) + table->columnWidth(1) + 40;
    window->resize(std::max(width, 420), 560);
}

}  // namespace

QWidget* showShortcutHelp(QWidget* parent, const QList<QPair<QString, QString>>& rows) {
    auto* window =
        parent ? parent->findChild<QDialog*>(kWindowName, Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) window = createWindow(parent);
    fill(window, rows);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kalvox
