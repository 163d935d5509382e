// The texts of every error the engine can raise.

#include <array>

#include "engine/engine.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
constexpr std::string_view kUnrecognisedOpen = "无法识别的输入“";
constexpr std::string_view kUnrecognisedClose = "”";

constexpr std::array<std::string_view, 12> kFixedMessages = {
    "括号不匹配",
    kDivisionByZero,
    kOverflow,
    kInvalidCall,
    "不能对负数求小于1的各次方",
    "不能对大于1的数求反正弦函数",
    "不能对大于1的数求反余弦函数",
    "不能对90度求正切函数",
    "不能对0求余切函数",
    "不能对小于等于零的值求对数",
    "阶乘计算出现溢出",
    "内存不足",
};
}  // namespace

std::span<const std::string_view> fixedErrorMessages() { return kFixedMessages; }

std::string unrecognisedInputMessage(std::string_view item) {
    std::string message(kUnrecognisedOpen);
    message += item;
    message += kUnrecognisedClose;
    return message;
}

bool isEngineMessage(std::string_view message) {
    for (std::string_view fixed : kFixedMessages)
        if (message == fixed) return true;
    return message.size() > kUnrecognisedOpen.size() + kUnrecognisedClose.size() &&
           message.starts_with(kUnrecognisedOpen) && message.ends_with(kUnrecognisedClose);
}

}  // namespace kalvox
