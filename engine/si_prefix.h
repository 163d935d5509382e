#pragma once
// SI prefixes directly behind a number ("4.7k", "100µ", "2.2n"). The front marks
// each prefix with one control byte of its own, so that the steps over the text
// (the vocabulary check, the repair, the well-formedness check, the lexer) read
// it as part of the number item and a letter such as "m" is never confused with
// "M" or with a word; the input box gets the prefix back as typed.

#include <string>
#include <string_view>

namespace kalvox {

// The text with every prefix that directly follows a digit marked: "p" "n" "u"
// "µ" "μ" "m" "k" "M" "G" "T" (case as written). A letter run that splits into
// words ("2tan45", "2ej30", "1E3") keeps its meaning; a prefix letter whose
// rest splits into words ("4.7kj", "2kej30") or stands alone is a prefix. A text
// that holds marker bytes already is returned as it is.
std::string markPrefixes(std::string_view text);

// The text with each marker written back as typed: a prefix as its letter,
// Euler's number as "e", a degree marker as "°" when degreeSigns is true and
// as nothing otherwise (the input box shows "sin30°" as "sin30"). A byte range
// [*start, *start + *length) of the text, when given, moves along.
std::string writtenText(std::string_view text, bool degreeSigns = false,
                        std::size_t* start = nullptr, std::size_t* length = nullptr);

// A number item with each marker as the value it stands for: a prefix as its
// power of ten ("4.7e3"), Euler's number as its digits, a degree marker as nothing.
std::string expandMarkers(std::string_view item);

// The text with each marker as the digit "0": what the vocabulary check reads,
// at the same places (a marker byte that stands in a typed text is refused).
std::string markersAsDigits(std::string_view text);

// Whether the text holds a marker of any kind.
bool holdsMarker(std::string_view text);

}  // namespace kalvox
