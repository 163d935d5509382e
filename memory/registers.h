#pragma once
// The nine memory registers of the calculator, as plain data (standard C++ only).
//
// Register k (k = 1 to 9) is one row of the window's memory block. Every array of
// the window uses index k - 1 for register k. Register contents are texts exactly
// as they stood in the output box; nothing is parsed or converted on store or
// recall. Texts are UTF-8.

#include <array>
#include <string>

namespace kalvox {

// Number of memory registers (rows MW1/MR1 to MW9/MR9).
inline constexpr int kRegisterCount = 9;

// State of one register.
struct MemoryRegister {
    std::string tag;      // text of the register's tag box (存储结果标志), free text
    std::string content;  // text of the register's content box (提取数据): the stored output
    std::string storedExpression;  // the input text at the moment of the last store; never shown
};

// All nine registers; index k - 1 holds register k.
using MemoryRegisters = std::array<MemoryRegister, kRegisterCount>;

}  // namespace kalvox
