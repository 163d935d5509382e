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

std::string unrecognisedInputMessage(std::string_view item) {
    std::string message(kUnrecognisedOpen);
    message += item;
    message += kUnrecognisedClose;
    return message;
}

std::optional<std::string_view> unrecognisedItem(std::string_view message) {
    if (message.size() <= kUnrecognisedOpen.size() + kUnrecognisedClose.size() ||
        !message.starts_with(kUnrecognisedOpen) || !message.ends_with(kUnrecognisedClose))
        return std::nullopt;
    return message.substr(kUnrecognisedOpen.size(),
                          message.size() - kUnrecognisedOpen.size() - kUnrecognisedClose.size());
}

bool isEngineMessage(std::string_view message) {
    for (std::string_view fixed : kFixedErrorMessages)
        if (message == fixed) return true;
    return unrecognisedItem(message).has_value();
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
