#include "panel/shortcut_help.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kalvox {
namespace {

const QString kWindowName = QStringLiteral("shortcutHelp");

// What needs no shortcut: what typing enters, how the value keys fit in, and the
// keys of the box.
QString typingNote() {
    return QStringLiteral(
        "直接键入:每个可打印字符都照样输入,包括数字、. + - * / ^ ( ) !、空格和字母"
        "(sin30、2^3;E 和 J 输入为 e 和 j)。计算器不认识的词或符号在按 = 时报错并选中。\n"
        "π、a、a^2 和 MR1…MR9 各输入一个完整的值:前面或后面紧挨数值时自动加 *"
        "(2 后按 π 为 2*3.14159265358979;a 单独为 ej120,即 1ej120);"
        "代数形式或带符号的存储值加括号输入,如 3*(6348+j8464)。\n"
        "复数菜单的词也可直接键入:conj abs arg re im sqrt exp(如 conj(3+j4)、√3 读作 sqrt3),"
        "并联 ||(与 * / 同级),ans 为按 = 时输出框中的值。\n"
        "函数也可作用于复数,得主值:sin、cos、tan、ctn 及其反函数仍以度为单位,"
        "exp 和复数次方以弧度为单位(如 ln(3+j4)、2^j4)。上标数字是指数:110² 即 110^2,"
        "10⁻³ 即 10^-3。\n"
        "显示菜单:常规、工程(4.7k、22µ)和有效数字 15/12/10/6,只改变输出框的显示;"
        "存储、保存、ans 和 ej-j 用完整的值。\n"
        "回车:= (计算)。上、下箭头:在输入框中翻看本次运行输入过的表达式。");
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
