// The lexer. Each kind of token is one rule: a function that says how many
// characters at a place it reads (0: not its kind). The rules are tried in
// order, the first that reads anything wins; a new kind of token is a new rule.

#include "engine/lexer.h"

#include <array>

#include "engine/detail/characters.h"
#include "engine/function_names.h"
#include "engine/number_item.h"

namespace kalvox {

namespace {

// What a rule sees: the text, the place, and the kind of the token before.
struct Place {
    std::string_view text;
    std::size_t at;
    bool afterToken;   // some token comes before
    TokenKind before;  // its kind (when afterToken)
};

struct Rule {
    std::size_t (*read)(const Place& p, Token& token);
};

// Whether a value has to begin here: at the start, behind "(", an operator or a sign.
bool valueBegins(const Place& p) {
    if (!p.afterToken) return true;
    switch (p.before) {
        case TokenKind::Number:
        case TokenKind::Close:
        case TokenKind::Factorial:
        case TokenKind::Name:
            return false;
        default:
            return true;
    }
}

char at(const Place& p, std::size_t k) {
    return p.at + k < p.text.size() ? p.text[p.at + k] : '\0';
}

std::size_t readName(const Place& p, Token& token) {
    const std::size_t length = functionNameAt(p.text, p.at);
    if (length == 0) return 0;
    const std::string_view written = p.text.substr(p.at, length);
    for (std::size_t k = 0; k < kFunctionNames.size(); ++k) {
        if (kFunctionNames[k].size() != length) continue;
        bool same = true;
        for (std::size_t i = 0; i < length && same; ++i)
            same = static_cast<char>(written[i] | 0x20) == kFunctionNames[k][i];
        if (same) {
            token.kind = TokenKind::Name;
            token.name = static_cast<std::uint8_t>(k);
            return length;
        }
    }
    return 0;
}

// A bare "j" right before "(": the imaginary coefficient of the bracket.
std::size_t readImaginaryOpen(const Place& p, Token& token) {
    if (!isJ(at(p, 0)) || at(p, 1) != '(') return 0;
    token.kind = TokenKind::ImaginaryOpen;
    return 2;
}

// A number item, or the magnitude and "ej" of a phasor whose angle is the
// operand behind: a bracket or a function, maybe signed ("100ej-arccos0.9").
std::size_t readNumber(const Place& p, Token& token) {
    if (!isNumberItemChar(at(p, 0))) return 0;
    token.kind = TokenKind::Number;
    const std::size_t end = numberItemEnd(p.text, p.at);
    if (const std::size_t ej = phasorEjEnd(p.text, p.at, end); ej != 0) {
        token.kind = TokenKind::Polar;
        return ej - p.at;
    }
    return end - p.at;
}

std::size_t readSign(const Place& p, Token& token) {
    if (at(p, 0) != '-') return 0;
    if (p.afterToken && (p.before == TokenKind::Name || p.before == TokenKind::Polar)) {
        token.kind = TokenKind::ArgumentSign;
    } else {
        token.kind = valueBegins(p) ? TokenKind::Sign : TokenKind::Minus;
    }
    return 1;
}

// The one-character symbols and their kinds; "||" is read as one parallel operator.
struct Symbol {
    char written;
    TokenKind kind;
};
constexpr Symbol kSymbols[] = {
    {'+', TokenKind::Plus},     {'*', TokenKind::Times}, {'/', TokenKind::Divide},
    {'|', TokenKind::Parallel}, {'^', TokenKind::Power}, {'!', TokenKind::Factorial},
    {'(', TokenKind::Open},     {')', TokenKind::Close},
};

std::size_t readSymbol(const Place& p, Token& token) {
    const char c = at(p, 0);
    for (const Symbol& symbol : kSymbols) {
        if (symbol.written != c) continue;
        token.kind = symbol.kind;
        return c == '|' && at(p, 1) == '|' ? 2 : 1;
    }
    return 0;
}

// In this order: "exp" begins with the exponent letter and "j(" with a number's "j".
constexpr std::array<Rule, 5> kRules = {{
    {readName},
    {readImaginaryOpen},
    {readNumber},
    {readSign},
    {readSymbol},
}};

}  // namespace

void lex(std::string_view text, Lexed& out) {
    out.tokens.clear();
    out.unreadable = std::string_view::npos;
    Place p{text, 0, false, TokenKind::Open};
    while (p.at < text.size()) {
        Token token{TokenKind::Number, 0, static_cast<std::uint32_t>(p.at), 0};
        std::size_t length = 0;
        const char c = text[p.at];
        if (isDigit(c) || c == '.') {
            // Only the number rule reads a digit or a point.
            length = readNumber(p, token);
        } else if (c == '*' || c == '/' || c == '+' || c == '^' || c == '(' || c == ')' ||
                   c == '!' || c == '|') {
            // Nor does any rule but the symbols' read these.
            length = readSymbol(p, token);
        } else if (c == '-') {
            length = readSign(p, token);
        } else {
            for (const Rule& rule : kRules) {
                length = rule.read(p, token);
                if (length != 0) break;
            }
        }
        if (length == 0) {
            out.unreadable = p.at;
            return;
        }
        token.length = static_cast<std::uint32_t>(length);
        out.tokens.push_back(token);
        p.afterToken = true;
        p.before = token.kind;
        p.at += length;
    }
}

bool isAngleItem(std::string_view item) { return item.size() >= 2 && isE(item[0]) && isJ(item[1]); }

std::string_view tokenKindWord(TokenKind kind) {
    switch (kind) {
        case TokenKind::Number:
            return "number";
        case TokenKind::Name:
            return "function";
        case TokenKind::Polar:
            return "angle of";
        case TokenKind::Sign:
            return "sign";
        case TokenKind::ArgumentSign:
            return "argument sign";
        case TokenKind::Plus:
        case TokenKind::Minus:
        case TokenKind::Times:
        case TokenKind::Divide:
        case TokenKind::Parallel:
        case TokenKind::Power:
            return "operator";
        case TokenKind::Factorial:
            return "factorial";
        case TokenKind::Open:
            return "open";
        case TokenKind::ImaginaryOpen:
            return "j open";
        case TokenKind::Close:
            return "close";
    }
    return "";
}

}  // namespace kalvox
