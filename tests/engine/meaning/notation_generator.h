#pragma once
// Random expression texts in the shapes engineers write: signs after operators,
// coefficients before and after "j", phasors, SI prefixes, Euler's number, angles
// that are expressions, degree signs, implicit products, factorials, functions
// of complex values, and now and then a malformed number or a missing operand.

#include <cstdint>
#include <string>

namespace kalvox::meaning {

class NotationGenerator {
public:
    explicit NotationGenerator(std::uint64_t seed) : state_(seed) {}

    // One text; about one in five holds a malformed number or a missing operand.
    std::string text();

private:
    std::uint64_t state_;

    std::uint64_t next();
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

    std::string expression(int depth);
    std::string term(int depth);
    std::string operand(int depth);  // a value that ends a factor: number, bracket, function
    std::string number();
    std::string realNumber();
    std::string function(int depth);
    std::string bracket(int depth);
    std::string power(int depth);
    std::string implicitProduct(int depth);
    std::string euler(int depth);                    // Euler's number "e", alone or raised
    std::string phasorOfAngleExpression(int depth);  // "100∠-arccos(0.9)", "1ej(90+30)"
    std::string degreeSign();  // "sin30°", "2ej30°"; refused in radians: "exp(j30°)"
    std::string broken();      // a malformed number or a missing operand
};

}  // namespace kalvox::meaning
