#pragma once
// The tag box of a memory register: an editable drop-down box that keeps exactly
// what the user types and offers the preset tags in a list wide enough to show
// each of them whole.

class QComboBox;
class QWidget;

namespace kalvox {

QComboBox* makeTagBox(QWidget* parent);

}  // namespace kalvox
