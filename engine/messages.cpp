// The error vocabulary's texts put together and taken apart.

#include "engine/error_messages.h"

namespace kalvox {

namespace {
std::string displayWithoutStop(std::string_view message) {
    std::string display;
    display.reserve(kErrorWord.size() + kDisplayColon.size() + message.size() +
                    kDisplayStop.size());
    display += kErrorWord;
    display += kDisplayColon;
    display += message;
    return display;
}
}  // namespace

std::span<const std::string_view> fixedErrorMessages() { return kFixedErrorMessages; }

namespace {
std::string framed(std::string_view open, std::string_view item) {
    std::string message(open);
    message += item;
    message += kUnrecognisedClose;
    return message;
}

std::optional<std::string_view> framedItem(std::string_view open, std::string_view message) {
    if (message.size() <= open.size() + kUnrecognisedClose.size() || !message.starts_with(open) ||
        !message.ends_with(kUnrecognisedClose))
        return std::nullopt;
    return message.substr(open.size(), message.size() - open.size() - kUnrecognisedClose.size());
}
}  // namespace

std::string unrecognisedInputMessage(std::string_view item) {
    return framed(kUnrecognisedOpen, item);
}

std::optional<std::string_view> unrecognisedItem(std::string_view message) {
    return framedItem(kUnrecognisedOpen, message);
}

std::string malformedNumberMessage(std::string_view item) {
    return framed(kMalformedNumberOpen, item);
}

std::string missingOperandMessage(std::string_view part) {
    return framed(kMissingOperandOpen, part);
}

std::optional<std::string_view> refusedPart(std::string_view message) {
    for (std::string_view open : {kUnrecognisedOpen, kMalformedNumberOpen, kMissingOperandOpen})
        if (auto item = framedItem(open, message)) return item;
    return std::nullopt;
}

bool isEngineMessage(std::string_view message) {
    for (std::string_view fixed : kFixedErrorMessages)
        if (message == fixed) return true;
    return refusedPart(message).has_value();
}

std::string errorDisplay(std::string_view message) {
    std::string display = displayWithoutStop(message);
    display += kDisplayStop;
    return display;
}

std::string keyErrorDisplay(std::string_view message) { return displayWithoutStop(message); }

std::optional<std::string_view> displayedMessage(std::string_view text) {
    const std::size_t frame = kErrorWord.size() + kDisplayColon.size() + kDisplayStop.size();
    if (text.size() < frame || !text.starts_with(kErrorWord) ||
        text.substr(kErrorWord.size(), kDisplayColon.size()) != kDisplayColon ||
        !text.ends_with(kDisplayStop))
        return std::nullopt;
    return text.substr(kErrorWord.size() + kDisplayColon.size(), text.size() - frame);
}

bool isErrorDisplay(std::string_view text) {
    return text.find(kErrorWord) != std::string_view::npos;
}

}  // namespace kalvox
