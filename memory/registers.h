#pragma once
// The nine memory registers of the calculator window, as plain data.
//
// Register k (k = 1 to 9) is one row of the window's memory block: a store key
// (congchu, "MW" + k), a tag box (ccjgbz), a content box (tiqushuju) and a
// recall key (tiqu, "MR" + k). Every array of the window uses index k - 1 for
// register k. Register contents are texts exactly as they stood in the output
// box; nothing is parsed or converted on store or recall.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace kalvox {

// Number of memory registers (rows MW1/MR1 to MW9/MR9).
inline constexpr int kRegisterCount = 9;

// State of one register.
struct MemoryRegister {
    QString tag;      // text of the tag box ccjgbz (存储结果标志), free text
    QString content;  // caption of the content box tiqushuju (提取数据): the stored output
    QString storedExpression;  // the input text at the moment of the last store; never shown
};

// All nine registers; index k - 1 holds register k.
using MemoryRegisters = std::array<MemoryRegister, kRegisterCount>;

// The preset tags every tag box offers, in display order:
// "Ia", "Ib", "Ic", "Ua", "Ub", "Uc", "I", "U", "P", "Q", "S", "cosφ", "CT变比", "PT变比".
const QStringList& presetTags();

// Captions of the store and recall keys of register k (1 to 9): "MW" + k, "MR" + k.
QString storeCaption(int k);
QString recallCaption(int k);

// Tooltips of register k (1 to 9), set once when the window is created.
QString storeTooltip(int k);   // "存储第" + k + "个计算结果"
QString recallTooltip(int k);  // "提取第" + k + "个计算结果"
QString tagTooltip(int k);     // "选择或输入第" + k + "个存储标志"

// Store (the action of congchu, 存储): the register takes the output text as its content
// and the input text as its stored expression. The tag is left alone.
void storeInto(MemoryRegister& reg, const QString& output, const QString& input);

// Whether a text counts as blank: empty after removing leading and trailing
// spaces (U+0020 only; a tab or an ideographic space is not trimmed).
bool isBlank(QStringView text);

}  // namespace kalvox
