#pragma once
// Random and long expression texts built from the calculator's own vocabulary,
// shared by the differential test, the benchmarks and the fuzz seed corpus.

#include <cstdint>
#include <string>
#include <vector>

namespace kalvox::reference {

// A small deterministic generator (the same texts on every platform).
class ExpressionGenerator {
public:
    explicit ExpressionGenerator(std::uint64_t seed) : state_(seed) {}

    // An expression of up to maxTokens tokens: numbers in every form, "ej", "j",
    // operators, brackets, function names, "!", blanks, stray points and signs,
    // upper-case letters and non-ASCII characters.
    std::string expression(int maxTokens);

    std::uint64_t next();
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_;
};

// Texts of about `length` bytes in the shapes that stress each stage.
struct LongShape {
    std::string name;
    std::string text;
};
std::vector<LongShape> longShapes(std::size_t length);

// The example inputs of the engine's tables (whole evaluations and stage texts).
const std::vector<std::string>& tableExpressions();

}  // namespace kalvox::reference
