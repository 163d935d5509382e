#pragma once
// The lexer: a normalised text as tokens with their places in the text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvox {

enum class TokenKind : std::uint8_t {
    Number,         // a number item: "2.5", "1e-05", "j4", "4j", "2ej-30", "ej45"
    Name,           // a function name ("sin", "arccos", "conj" ...)
    Polar,          // "2ej", "ej" before an angle that is a bracket or a function: "1ej(90+30)"
    Sign,           // "-" where a value begins: the sign of the value behind it
    ArgumentSign,   // "-" right behind a function name: the sign of its argument
    Plus,           // "+"
    Minus,          // "-" behind a value: subtraction
    Times,          // "*"
    Divide,         // "/"
    Parallel,       // "||", held as "|" between the front and the evaluation
    Power,          // "^"
    Factorial,      // "!"
    Open,           // "("
    ImaginaryOpen,  // "j(": the bracket's value times j, one operand as "j4" is
    Close,          // ")"
};

struct Token {
    TokenKind kind;
    std::uint8_t name = 0;  // Name: the index in kFunctionNames
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

// The tokens of a text, or the place of the first character no rule reads.
struct Lexed {
    std::vector<Token> tokens;
    std::size_t unreadable = std::string_view::npos;
};

// Reads the text into `out` (whose storage is reused). The text's letters may
// be of either case.
void lex(std::string_view text, Lexed& out);

// Whether a number token is an angle written behind a value: "ej30" in "(1+j)ej30".
bool isAngleItem(std::string_view item);

// A token's kind as a short word, for the trace.
std::string_view tokenKindWord(TokenKind kind);

}  // namespace kalvox
