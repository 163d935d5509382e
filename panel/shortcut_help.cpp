#include "panel/shortcut_help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/constants.h"

namespace kalvox {
namespace {

const QString kWindowName = QStringLiteral("shortcutHelp");

// What needs no shortcut: the characters typing enters and the keys of the box.
QString typingNote() {
    QString typed;
    for (char c : kTypedCharacters) typed += QLatin1Char(c) + QStringLiteral(" ");
    return QStringLiteral("直接键入:") + typed +
           QStringLiteral(
               "(E 和 J 输入为 e 和 j;e 用于 ej 和科学计数法)。\n"
               "回车:= (计算)。上、下箭头:在输入框中翻看本次运行输入过的表达式。\n"
               "函数和 ^ 只能用按键或上面的快捷键输入。");
}

QDialog* createWindow(QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(kWindowName);
    window->setWindowTitle(QStringLiteral("Kalvox 快捷键"));
    window->setModal(false);

    auto* table = new QTableWidget(0, 2, window);
    table->setObjectName(QStringLiteral("shortcutTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("按键"), QStringLiteral("作用")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setStretchLastSection(true);

    auto* note = new QLabel(typingNote(), window);
    note->setObjectName(QStringLiteral("typingNote"));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
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
