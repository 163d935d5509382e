#pragma once
// Both display forms of one complex value, for showing the form that is not on
// display (tooltips, copy in either form) without touching the ej-j toggle.

#include <optional>
#include <string>
#include <string_view>

namespace kalvox {

// One complex value in both of its display forms.
struct ValueForms {
    std::string exponential;  // magnitude "ej" angle, as the kernel writes it ("5ej53.13...")
    std::string algebraic;    // "a+jb" or "a-jb", as the ej-j key shows it
};

// Whether the text holds the imaginary unit anywhere ("j" or "J"), i.e. stands for
// a complex value rather than a real one.
bool holdsImaginaryUnit(std::string_view text);

// Both forms of a text that is one complex value in exponential form ("2ej30"),
// algebraic form ("3+j4", "3-j4") or imaginary form ("j4"). nullopt for a real,
// an error display, or any other text (an expression, a typed fragment).
std::optional<ValueForms> valueForms(std::string_view text);

// The form of a complex value that is not the one given: algebraic for an
// exponential text, exponential for an algebraic or imaginary one; "" when
// valueForms gives nothing.
std::string otherForm(std::string_view text);

}  // namespace kalvox
