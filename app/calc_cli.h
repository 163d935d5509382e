#pragma once
// kalvox-calc: the engine on the command line.

#include <iosfwd>

namespace kalvox {

// Runs kalvox-calc with its arguments (argv[0] is the program name), reading
// expressions from `in` when none are given. Returns the exit code: 0 when every
// expression gave a result, 1 when any gave an error message, 2 on a usage error.
int runCalc(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace kalvox
