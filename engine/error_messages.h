#pragma once
// The engine's error vocabulary: every message an evaluation or a function key
// may raise, and the display the output box shows for it. Each text is written
// here and nowhere else.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvox {

// Messages of the evaluation.
inline constexpr std::string_view kBracketMismatch = "括号不匹配";
inline constexpr std::string_view kDivisionByZero = "除数为零";
inline constexpr std::string_view kOverflow = "溢出";
// A nonzero number or result below 1E-308 in size, where a double no longer
// holds 15 significant digits ("1E-320", "1E-300/1E20").
inline constexpr std::string_view kUnderflow = "下溢";
inline constexpr std::string_view kInvalidCall = "无效的过程调用或参数";
inline constexpr std::string_view kNegativeRoot = "不能对负数求小于1的各次方";
inline constexpr std::string_view kArcsinDomain = "不能对大于1的数求反正弦函数";
inline constexpr std::string_view kArccosDomain = "不能对大于1的数求反余弦函数";
inline constexpr std::string_view kTangentOf90 = "不能对90度求正切函数";
inline constexpr std::string_view kCotangentOf0 = "不能对0求余切函数";
inline constexpr std::string_view kLogDomain = "不能对小于等于零的值求对数";
inline constexpr std::string_view kFactorialOverflow = "阶乘计算出现溢出";
// A factorial of a negative, fractional or complex value.
inline constexpr std::string_view kFactorialDomain = "只能对0到170的整数求阶乘";
// A degree sign in an argument that is read in radians: the exponent of a
// power or e^, or the argument of exp ("exp(j30°)").
inline constexpr std::string_view kDegreeInRadians = "指数以弧度计,不能带“°”";
// An angle behind "ej" or "∠" that is no real number ("1ej(j30)").
inline constexpr std::string_view kAngleNotReal = "相角必须是实数";
// An evaluation that ran out of memory.
inline constexpr std::string_view kOutOfMemory = "内存不足";
// "ans" with no last result to stand for.
inline constexpr std::string_view kNoPreviousResult = "没有可用的上一个结果";

// The frame of the message for an input item outside the vocabulary.
inline constexpr std::string_view kUnrecognisedOpen = "无法识别的输入“";
inline constexpr std::string_view kUnrecognisedClose = "”";
// The frame of the message for a number item that is not a number
// ("2.5.5", "4j5"): kMalformedNumberOpen + item + kUnrecognisedClose.
inline constexpr std::string_view kMalformedNumberOpen = "无法识别的数“";
// The frame of the message for an operator, "()", "!" or function name that
// lacks its operand: kMissingOperandOpen + part + kUnrecognisedClose.
inline constexpr std::string_view kMissingOperandOpen = "缺少运算对象“";

// The frame of the error display: kErrorWord + kDisplayColon + message + kDisplayStop.
inline constexpr std::string_view kErrorWord = "错误";
inline constexpr std::string_view kDisplayColon = ":";
inline constexpr std::string_view kDisplayStop = "。";

// Every fixed message an evaluation may leave in errorText.
inline constexpr std::array<std::string_view, 17> kFixedErrorMessages = {
    kBracketMismatch, kDivisionByZero,    kOverflow,        kUnderflow,       kInvalidCall,
    kNegativeRoot,    kArcsinDomain,      kArccosDomain,    kTangentOf90,     kCotangentOf0,
    kLogDomain,       kFactorialOverflow, kFactorialDomain, kDegreeInRadians, kAngleNotReal,
    kOutOfMemory,     kNoPreviousResult,
};

// The list above as a span.
std::span<const std::string_view> fixedErrorMessages();

// The message for an input item outside the calculator's vocabulary:
// kUnrecognisedOpen + item + kUnrecognisedClose.
std::string unrecognisedInputMessage(std::string_view item);

// The item an unrecognised-input message names; nullopt for any other message.
std::optional<std::string_view> unrecognisedItem(std::string_view message);

// The message for a number item that is not a number:
// kMalformedNumberOpen + item + kUnrecognisedClose.
std::string malformedNumberMessage(std::string_view item);

// The message for a part that lacks its operand:
// kMissingOperandOpen + part + kUnrecognisedClose.
std::string missingOperandMessage(std::string_view part);

// The part of the input a refusal names and selects: the item of an
// unrecognised-input, malformed-number or missing-operand message; nullopt for
// any other message.
std::optional<std::string_view> refusedPart(std::string_view message);

// Whether a message is one the engine raises: a fixed one, or the message for an
// unrecognised input item, a malformed number or a missing operand.
bool isEngineMessage(std::string_view message);

// The output box after a failed evaluation: the message in the display's frame.
std::string errorDisplay(std::string_view message);

// The output box after a function key in the mode 输出求值 failed inside its
// evaluation: the display without kDisplayStop. The key has always shown
// its failures so, unlike the "=" key and the ej-j key.
std::string keyErrorDisplay(std::string_view message);

// The message of an error display built by errorDisplay; nullopt for any other text.
std::optional<std::string_view> displayedMessage(std::string_view text);

// Whether an output text stands for an error: it holds the word of the error
// display anywhere. So every display above counts, with or without its full
// stop, and so does a text typed into the output box that holds the word.
bool isErrorDisplay(std::string_view text);

}  // namespace kalvox
