#pragma once
// kalvox-calc on Windows: the command line and the console in Unicode.
//
// The C runtime hands main() its arguments in the ANSI code page, where "∠" or "°"
// become "?"; the console, too, speaks that code page. The engine reads and writes
// UTF-8, so the arguments are taken from the UTF-16 command line, a console is
// written and read in UTF-16, and pipes and files carry UTF-8 bytes unchanged.

#ifdef _WIN32

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kalvox {

// The program's arguments, argv[0] included, in UTF-8.
std::vector<std::string> utf8Arguments();

// The standard streams as UTF-8 streams: each is the console in UTF-16 where it is
// one, else the raw handle in binary mode (no CR added before LF, no Ctrl-Z as end).
struct Utf8StandardStreams {
    Utf8StandardStreams();
    ~Utf8StandardStreams();
    Utf8StandardStreams(const Utf8StandardStreams&) = delete;
    Utf8StandardStreams& operator=(const Utf8StandardStreams&) = delete;

    std::istream& in();
    std::ostream& out();
    std::ostream& err();

    struct Parts;
    std::unique_ptr<Parts> parts;
};

}  // namespace kalvox

#endif
