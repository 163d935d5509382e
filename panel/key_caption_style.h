#pragma once
// Room for the captions of the window's small keys under the Windows styles.

class QPushButton;

namespace kalvox {

// Under the Windows styles, whose push buttons keep wide margins around their text,
// the key's caption gets the whole button but a thin frame, so that "MW1" or "MR9"
// fit the narrow keys. The button keeps its place and size; under other styles
// nothing changes.
void giveCaptionRoom(QPushButton* key);

}  // namespace kalvox
