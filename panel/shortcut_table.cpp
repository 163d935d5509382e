#include "panel/shortcut_table.h"

#include <QAbstractButton>
#include <QAction>

#include "memory/registers.h"
#include "panel/control_tables.h"
#include "panel/form1.h"

namespace kalvox {
namespace {

// What a click on the named control does: a key that is disabled does nothing,
// just as it ignores the mouse.
std::function<void(Form1&)> clickOn(const QString& objectName) {
    return [objectName](Form1& form) {
        if (auto* button = form.findChild<QAbstractButton*>(objectName)) {
            if (button->isEnabled()) button->click();
        } else if (auto* action = form.findChild<QAction*>(objectName)) {
            action->trigger();
        }
    };
}

QString functionKeyName(FunctionKey key) {
    return QStringLiteral("comfunction_%1").arg(keyIndex(key));
}

QString functionKeyText(FunctionKey functionKey) {
    const int index = static_cast<int>(keyIndex(functionKey));
    const KeyRow& key = functionKeys()[keyIndex(functionKey)];
    QString text = QString::fromUtf8(key.caption);
    const char* plain = functionTooltip(index, false);
    if (!*plain) plain = key.tooltip;
    const char* inverse = functionTooltip(index, true);
    text += QStringLiteral(":") + QString::fromUtf8(plain);
    if (*inverse && qstrcmp(inverse, plain) != 0) {
        text += QStringLiteral("(反函数:%1)").arg(QString::fromUtf8(inverse));
    }
    return text;
}

std::vector<Shortcut> buildTable() {
    std::vector<Shortcut> rows;
    auto add = [&rows](const QString& keys, const QString& text,
                       std::function<void(Form1&)> action) {
        rows.push_back({QKeySequence(keys, QKeySequence::PortableText), text, std::move(action)});
    };

    add(QStringLiteral("F1"), QStringLiteral("快捷键一览(本窗口)"),
        [](Form1& form) { form.showShortcutList(); });
    add(QStringLiteral("Ctrl+S"), QStringLiteral("保存:将计算结果保存至文件"),
        clickOn(QStringLiteral("commsave")));
    add(QStringLiteral("Ctrl+O"), QStringLiteral("打开:打开保存的计算结果文件"),
        clickOn(QStringLiteral("dakaicom")));
    add(QStringLiteral("Ctrl+L"), QStringLiteral("清零:清空输入框和输出框"),
        clickOn(QStringLiteral("command3")));
    add(QStringLiteral("Ctrl+B"), QStringLiteral("退格:删除光标前的一个字符"),
        clickOn(QStringLiteral("comtuige")));
    add(QStringLiteral("Ctrl+F1"), QStringLiteral("关于"), clickOn(QStringLiteral("guangyucom")));

    add(QStringLiteral("F2"), QStringLiteral("整式输入:对整个输入表达式输入函数符号"),
        [](Form1& form) { form.chooseMode(QStringLiteral("qbshuruxz")); });
    add(QStringLiteral("F3"), QStringLiteral("函数符号:在输入框输入函数符号"),
        [](Form1& form) { form.chooseMode(QStringLiteral("hsfhxz")); });
    add(QStringLiteral("F4"), QStringLiteral("输出求值:计算输出值的函数"),
        [](Form1& form) { form.chooseMode(QStringLiteral("shuchuxz")); });
    add(QStringLiteral("F5"), QStringLiteral("反函数:选中或取消"),
        clickOn(QStringLiteral("Check1")));

    // The function keys: a letter of the name with Alt; ej-j on F9.
    struct FunctionShortcut {
        const char* keys;
        FunctionKey key;
    };
    using enum FunctionKey;
    constexpr FunctionShortcut kFunctionShortcuts[] = {
        {"Alt+S", Sin},    {"Alt+C", Cos},        {"Alt+T", Tan},       {"Alt+N", Ctn},
        {"Alt+Q", Square}, {"Alt+U", Cube},       {"Alt+P", Power},     {"Alt+L", Ln},
        {"Alt+G", Log},    {"Alt+R", Reciprocal}, {"Alt+F", Factorial}, {"F9", EjJ},
    };
    for (const FunctionShortcut& f : kFunctionShortcuts) {
        add(QString::fromLatin1(f.keys), functionKeyText(f.key), clickOn(functionKeyName(f.key)));
    }

    add(QStringLiteral("Ctrl+P"), QStringLiteral("π:圆周率 3.14159265358979"),
        clickOn(QStringLiteral("pifh")));
    add(QStringLiteral("Alt+A"), QStringLiteral("a:旋转因子,逆时针旋转120度(输入 *ej120)"),
        clickOn(QStringLiteral("fushufh_4")));
    add(QStringLiteral("Alt+Shift+A"), QStringLiteral("a^2:旋转因子,顺时针旋转120度(输入 *ej-120)"),
        clickOn(QStringLiteral("fushufh_5")));

    for (int k = 1; k <= kRegisterCount; ++k) {
        add(QStringLiteral("Ctrl+%1").arg(k),
            storeCaption(k) + QStringLiteral(":") + storeTooltip(k),
            clickOn(QStringLiteral("congchu_%1").arg(k - 1)));
    }
    for (int k = 1; k <= kRegisterCount; ++k) {
        add(QStringLiteral("Alt+%1").arg(k),
            recallCaption(k) + QStringLiteral(":") + recallTooltip(k),
            clickOn(QStringLiteral("tiqu_%1").arg(k - 1)));
    }
    return rows;
}

}  // namespace

const std::vector<Shortcut>& shortcutTable() {
    static const std::vector<Shortcut> table = buildTable();
    return table;
}

}  // namespace kalvox
