#include "panel/input_history.h"

namespace kalvox {

void InputHistory::add(const QString& input) {
    position_ = -1;
    if (input.trimmed().isEmpty()) return;
    if (!entries_.isEmpty() && entries_.front() == input) return;
    entries_.prepend(input);
    if (entries_.size() > kMaxEntries) entries_.removeLast();
}

std::optional<QString> InputHistory::older(const QString& editing) {
    if (position_ + 1 >= entries_.size()) return std::nullopt;
    if (position_ == -1) editing_ = editing;
    ++position_;
    return entries_.at(position_);
}

std::optional<QString> InputHistory::newer() {
    if (position_ == -1) return std::nullopt;
    --position_;
    if (position_ == -1) return editing_;
    return entries_.at(position_);
}

}  // namespace kalvox
