#pragma once
// The inputs of this run, newest first, for walking back and forth with Up and Down
// in the input box. Kept only while the window is open.

#include <deque>
#include <optional>
#include <string>

namespace kalvox {

class InputHistory {
public:
    static constexpr int kMaxEntries = 200;

    // Records an evaluated input as the newest entry and ends any walk. A blank text
    // and a repeat of the newest entry are not recorded; the oldest entry goes when
    // the list is full.
    void add(const std::u16string& input);

    // One step back (Up). The first step remembers `editing`, the text being edited.
    // nullopt when there is nothing older to show.
    std::optional<std::u16string> older(const std::u16string& editing);

    // One step forward (Down); past the newest entry, the text that was being edited
    // when the walk began. nullopt when no walk is under way.
    std::optional<std::u16string> newer();

    // Ends the walk without changing anything (the user edits the shown text).
    void endWalk() { position_ = -1; }

    int size() const { return static_cast<int>(entries_.size()); }

private:
    std::deque<std::u16string> entries_;  // newest first
    int position_ = -1;                   // entry on show, -1 when not walking
    std::u16string editing_;              // the text being edited when the walk began
};

}  // namespace kalvox
