#include "app/calc_cli.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "kalvox_version.h"

namespace kalvox {

namespace {
constexpr const char* kUsage =
    "Usage: kalvox-calc [OPTION]... [EXPR]...\n"
    "Evaluates each EXPR as the calculator's \"=\" key does and prints the output box,\n"
    "one line per expression. Without EXPR, reads one expression per line from\n"
    "standard input.\n"
    "\n"
    "The word ans stands for the result of the expression before in the same run\n"
    "(refused for the first expression and after an error).\n"
    "\n"
    "  -a, --algebraic  show a complex result in algebraic form a+jb (one press of ej-j)\n"
    "      --echo       print the normalised input, \"=\" and the output\n"
    "      --trace      print the text after every stage under each result\n"
    "  -h, --help       show this help and exit\n"
    "      --version    show the version and exit\n"
    "      --           end of options (an EXPR may then begin with \"-\")\n"
    "\n"
    "Exit status: 0 when every expression gave a result, 1 when any gave an error\n"
    "message, 2 on a usage error.\n";

struct Options {
    bool echo = false;
    bool algebraic = false;
    bool trace = false;
};

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
    buffer += outcome.text2;
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
    std::string previous;  // what "ans" stands for
    auto flushIfLarge = [&] {
        if (buffer.size() > (1u << 16)) {
            out << buffer;
            buffer.clear();
        }
    };
    if (!expressions.empty()) {
        for (const auto& expression : expressions) {
            allOk =
                evaluateLine(engine, options, sink, stages, expression, previous, buffer) && allOk;
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
            allOk = evaluateLine(engine, options, sink, stages, line, previous, buffer) && allOk;
            flushIfLarge();
        }
    }
    out << buffer;
    out.flush();
    return allOk ? 0 : 1;
}

}  // namespace kalvox
