#include "model/input_history.h"

#include "engine/blank.h"
#include "model/utf16.h"

namespace kalvox {

void InputHistory::add(const std::u16string& input) {
    position_ = -1;
    if (isBlank(toUtf8(input))) return;
    if (!entries_.empty() && entries_.front() == input) return;
    entries_.push_front(input);
    if (size() > kMaxEntries) entries_.pop_back();
}

std::optional<std::u16string> InputHistory::older(const std::u16string& editing) {
    if (position_ + 1 >= size()) return std::nullopt;
    if (position_ == -1) editing_ = editing;
    ++position_;
    return entries_[static_cast<std::size_t>(position_)];
}

std::optional<std::u16string> InputHistory::newer() {
    if (position_ == -1) return std::nullopt;
    --position_;
    if (position_ == -1) return editing_;
    return entries_[static_cast<std::size_t>(position_)];
}

}  // namespace kalvox
