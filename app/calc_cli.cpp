#include "app/calc_cli.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/phasor_file.h"
#include "engine/engine.h"
#include "kalvox_version.h"
#include "memory/result_file_reader.h"
#include "model/value_display.h"

namespace kalvox {

namespace {
constexpr const char* kUsage =
    "Usage: kalvox-calc [OPTION]... [EXPR]...\n"
    "  or:  kalvox-calc --open FILE\n"
    "Evaluates each EXPR as the calculator's \"=\" key does and prints the output box,\n"
    "one line per expression. Without EXPR, reads one expression per line from\n"
    "standard input.\n"
    "\n"
    "The word ans stands for the result of the expression before in the same run\n"
    "(refused for the first expression and after an error).\n"
    "\n"
    "  -a, --algebraic  show a complex result in algebraic form a+jb (one press of ej-j)\n"
    "      --echo       print the normalised input, \"=\" and the output\n"
    "      --eng        show results in engineering notation: an exponent that is a\n"
    "                   multiple of 3, as an SI prefix p n \u00B5 m k M G T (4.7k, 22\u00B5)\n"
    "      --digits N   show results with N significant digits, N = 15, 12, 10 or 6\n"
    "                   (ans keeps the full result)\n"
    "      --trace      print the text after every stage under each result\n"
    "      --open FILE  print what a result file saved by the calculator holds, one\n"
    "                   field a line, fields separated by a tab: \"expression\" and\n"
    "                   \"value\", then \"register K\", the tag and the content of each\n"
    "                   register it fills\n"
    "      --phasors FILE.svg\n"
    "                   also draw the results as a phasor diagram into FILE.svg, one\n"
    "                   arrow per expression, labelled with its text (or #n when long)\n"
    "      --head-to-tail\n"
    "                   draw the diagram's arrows head to tail, their sum dashed\n"
    "  -h, --help       show this help and exit\n"
    "      --version    show the version and exit\n"
    "      --           end of options (an EXPR may then begin with \"-\")\n"
    "\n"
    "Exit status: 0 when every expression gave a result, 1 when any gave an error\n"
    "message (then no diagram is written), the file could not be opened or the\n"
    "diagram could not be written, 2 on a usage error.\n";

struct Options {
    bool echo = false;
    bool algebraic = false;
    bool trace = false;
    const char* open = nullptr;  // --open FILE
    std::string phasorFile;      // "" for no diagram
    bool headToTail = false;
    DisplaySetting display;
};

// The N of --digits N, or 0 when the text is none of the counts offered.
int displayDigits(const std::string& text) {
    for (int n : kDisplayDigits)
        if (text == std::to_string(n)) return n;
    return 0;
}

// --open: the file's calculation and registers, a field a line. The texts of a file
// hold no tab or line end (the reader refuses control characters), so a tab
// separates the fields without ambiguity.
int printResultFile(const std::string& fileName, std::ostream& out, std::ostream& err) {
    const OpenedResultFile file = readResultFile(fileName);
    if (!file.ok()) {
        err << "kalvox-calc: " << file.message << '\n';
        return 1;
    }
    out << "expression\t" << file.input << "\nvalue\t" << file.output << '\n';
    for (int k = 1; k <= file.registerLines; ++k) {
        const MemoryRegister& reg = file.registers[static_cast<std::size_t>(k - 1)];
        out << "register " << k << '\t' << reg.tag << '\t' << reg.content << '\n';
    }
    out.flush();
    return 0;
}

// An argument is an option when it starts with "--" or is "-" and one letter;
// anything else beginning with "-" ("-5+3", "-j4", "-(1)") is an expression.
bool looksLikeOption(const std::string& arg) {
    if (arg.rfind("--", 0) == 0) return true;
    return arg.size() == 2 && arg[0] == '-' &&
           ((arg[1] >= 'a' && arg[1] <= 'z') || (arg[1] >= 'A' && arg[1] <= 'Z'));
}

// Evaluates one expression and writes its lines; returns false on an error display.
// The stage texts are collected only when they are to be printed. `previous` is
// what "ans" stands for: the result printed for the expression before (empty
// for the first and after an error); it becomes this expression's result.
bool evaluateLine(const Engine& engine, const Options& options, const TraceSink& sink,
                  std::vector<std::pair<std::string, std::string>>& stages,
                  const std::string& expression, std::string& previous, std::string& buffer) {
    stages.clear();
    Outcome outcome = engine.evaluate(expression, previous, sink);
    bool ok = !outcome.failed;
    if (options.algebraic && ok) {
        // One press of ej-j, which "=" has just pointed to the algebraic form.
        outcome.text2 = engine.switchForm(outcome.text2, FormDirection::ToAlgebraic);
        ok = !isErrorDisplay(outcome.text2);
    }
    if (ok) {
        previous = outcome.text2;
    } else {
        previous.clear();
    }
    if (options.echo) {
        buffer += outcome.text1;
        buffer += '=';
    }
    buffer += displayedText(outcome.text2, options.display);
    buffer += '\n';
    for (const auto& [name, text] : stages) {
        buffer += "  ";
        buffer += name;
        buffer += ": ";
        buffer += text;
        buffer += '\n';
    }
    return ok;
}
}  // namespace

int runCalc(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err) {
    Options options;
    std::vector<std::string> expressions;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            expressions.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--echo") {
            options.echo = true;
        } else if (arg == "--algebraic" || arg == "-a") {
            options.algebraic = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--open") {
            if (i + 1 == argc) {
                err << "kalvox-calc: option '--open' needs a file name\n" << kUsage;
                return 2;
            }
            options.open = argv[++i];
        } else if (arg == "--phasors" || arg.rfind("--phasors=", 0) == 0) {
            if (arg == "--phasors" && i + 1 >= argc) {
                err << "kalvox-calc: option '--phasors' needs a file name\n" << kUsage;
                return 2;
            }
            options.phasorFile = arg == "--phasors" ? argv[++i] : arg.substr(10);
            if (options.phasorFile.empty()) {
                err << "kalvox-calc: option '--phasors' needs a file name\n" << kUsage;
                return 2;
            }
        } else if (arg == "--head-to-tail") {
            options.headToTail = true;
        } else if (arg == "--eng") {
            options.display.notation = DisplayNotation::Engineering;
        } else if (arg == "--digits" || arg.rfind("--digits=", 0) == 0) {
            const bool joined = arg != "--digits";
            const std::string n = joined ? arg.substr(9) : i + 1 < argc ? argv[i + 1] : "";
            if (!joined) ++i;
            options.display.digits = displayDigits(n);
            if (options.display.digits == 0) {
                err << "kalvox-calc: --digits takes 15, 12, 10 or 6, not '" << n << "'\n" << kUsage;
                return 2;
            }
        } else if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        } else if (arg == "--version") {
            out << "kalvox-calc " << KALVOX_VERSION << '\n';
            return 0;
        } else {
            err << "kalvox-calc: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        }
    }

    if (options.open) {
        if (!expressions.empty() || options.echo || options.algebraic || options.trace ||
            !options.phasorFile.empty() || options.headToTail) {
            err << "kalvox-calc: '--open' takes no expressions and no other options\n" << kUsage;
            return 2;
        }
        return printResultFile(options.open, out, err);
    }

    Engine engine;
    std::vector<std::pair<std::string, std::string>> stages;
    TraceSink sink;
    if (options.trace) {
        sink = [&stages](std::string_view name, std::string_view text) {
            stages.emplace_back(std::string(name), std::string(text));
        };
    }
    bool allOk = true;
    std::string buffer;
    std::string previous;               // what "ans" stands for
    std::vector<PhasorResult> results;  // for the diagram
    auto run = [&](const std::string& expression) {
        const bool ok = evaluateLine(engine, options, sink, stages, expression, previous, buffer);
        if (ok && !options.phasorFile.empty()) results.push_back({expression, previous});
        allOk = ok && allOk;
    };
    auto flushIfLarge = [&] {
        if (buffer.size() > (1u << 16)) {
            out << buffer;
            buffer.clear();
        }
    };
    if (!expressions.empty()) {
        for (const auto& expression : expressions) {
            run(expression);
            flushIfLarge();
        }
    } else {
        std::string line;
        bool first = true;
        while (std::getline(in, line)) {
            // A byte order mark, which Windows editors put before UTF-8 text, is no input.
            if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
            first = false;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            run(line);
            flushIfLarge();
        }
    }
    out << buffer;
    out.flush();
    if (!options.phasorFile.empty()) {
        // A diagram without one of the values would look complete: none is written.
        if (!allOk) {
            err << "kalvox-calc: no phasor diagram written: an expression gave an error\n";
            return 1;
        }
        const std::string failure =
            writePhasorFile(options.phasorFile, results, options.headToTail);
        if (!failure.empty()) {
            err << "kalvox-calc: " << failure << '\n';
            return 1;
        }
    }
    return allOk ? 0 : 1;
}

}  // namespace kalvox
