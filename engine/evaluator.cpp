// The evaluator: lexer, precedence parser and computation.
//
// The parser is a shunting-yard parser with explicit stacks, one shared stack
// of operators and one of values; each open bracket is a level that records
// where its part of both stacks begins. An operator is computed as soon as the
// precedence table lets it go, on value texts (see engine/operations.h), so the
// whole text is read once and no bracket depth reaches the call stack.
//
// A bracket's value is settled when its ")" comes: written again as the kernel
// writes a result, as the value of a whole text is. Then a "!" right behind the
// ")" takes the whole value, and an angle written right behind it ("(2)ej30")
// makes one number with a real value and multiplies a complex one; behind a
// function's bracket ("sqrt(3)ej30") it multiplies the function's value.
//
// A computation that fails leaves a failed value behind and the level goes on,
// so that the fault reported is the first one in the order of the evaluation
// steps (grammar.h), not the first one computed.

#include "engine/evaluator.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/detail/characters.h"
#include "engine/error_messages.h"
#include "engine/function_names.h"
#include "engine/grammar.h"
#include "engine/lexer.h"
#include "engine/number_text.h"
#include "engine/operations.h"
#include "engine/si_prefix.h"

namespace kalvox {

namespace {

// The order in which the steps of one level meet their faults: by step; among
// functions, an inner one before the one that takes its value, then in the
// order of kFunctionNames; then from the left.
struct Rank {
    std::uint32_t step = kNoStep;
    std::uint32_t sweep = 0;  // functions: how many functions make the argument
    std::uint32_t name = 0;
    std::uint32_t position = 0;

    static constexpr std::uint32_t kNoStep = 0xFFFFFFFFu;
    bool operator<(const Rank& o) const {
        if (step != o.step) return step < o.step;
        if (sweep != o.sweep) return sweep < o.sweep;
        if (name != o.name) return name < o.name;
        return position < o.position;
    }
};
constexpr Rank kNoFault{};

Rank rankOf(Step step, std::size_t position, std::size_t sweep = 0, std::size_t name = 0) {
    return {static_cast<std::uint32_t>(step), static_cast<std::uint32_t>(sweep),
            static_cast<std::uint32_t>(name), static_cast<std::uint32_t>(position)};
}

struct Value {
    std::string text;
    bool failed = false;
    // Made by a function: a "!" right behind it is computed with the function,
    // as one step.
    bool fromFunction = false;
    Rank functionRank;
    std::uint32_t functionDepth = 0;  // functions applied one inside the other
    std::size_t firstToken = 0;       // the first token of the operand it was read from
    bool euler = false;               // Euler's number as written: e^x is exp(x)
    // A degree sign written in it that no function of degrees has taken
    // ("30°" in "e^(j30°)"), as its place in the text; kNoDegree for none.
    std::uint32_t degreeAt = kNoDegree;
    static constexpr std::uint32_t kNoDegree = 0xFFFFFFFFu;
};

// sin, cos, tan and ctn: their argument is in degrees.
bool takesDegrees(std::size_t name) { return name >= 4 && name <= 7; }
constexpr std::size_t kExp = 16;
static_assert(kFunctionNames[4] == "sin" && kFunctionNames[7] == "ctn" &&
              kFunctionNames[kExp] == "exp");

// A "!" of a level, as the factorial step of the steps' order reads it when a
// function of the level has failed: the factorials are then still computed, on
// the texts the functions before the failed one have left, and the first
// failing factorial is the fault reported.
struct FactorialRecord {
    std::string item;          // the number item before the "!"
    Rank nameRank = kNoFault;  // the rank of the function that takes it, if any
    // The functions of a chain before the "!" ("lncos199!"), innermost first:
    // their ranks and values, and what the text shows in front of each value.
    struct Link {
        Rank rank;
        std::string value;   // without its sign
        std::string before;  // "j" of "conj" or "e" of "re" (with a sign) of the next name
    };
    std::vector<Link> chain;
    bool chained = false;  // right behind another "!" of this level ("5!!")
};

struct Level {
    std::size_t valuesBase = 0;
    std::size_t operatorsBase = 0;
    std::size_t factorialsBase = 0;
    bool imaginary = false;  // opened by "j("
    std::size_t openToken = 0;
    std::size_t sums = 0;  // "+" and "-" computed
    Rank faultRank = kNoFault;
    std::string_view fault;
    bool faultOfFunction = false;  // the fault is a function's, not its factorial's
};

// The evaluator's stacks. They outlive one evaluation, so that a typical
// evaluation allocates nothing once the first has run: the values keep the
// storage of their texts, and `count` says how many are in use.
struct Stacks {
    std::vector<Value> values;
    std::size_t count = 0;
    std::vector<Token> operators;
    std::vector<Level> levels;
    std::vector<FactorialRecord> factorials;
    std::string scratch;  // the next result, swapped with the value it replaces

    void clear() {
        count = 0;
        operators.clear();
        levels.clear();
        factorials.clear();
    }
};

// Whether the degree marker at item[at] stands in the angle of an exponential item.
bool isAngleDegree(std::string_view item, std::size_t at) {
    const std::string_view before = item.substr(0, at);
    const std::size_t e = before.find_first_of("eE");
    return e != std::string_view::npos && e + 1 < before.size() && isJ(before[e + 1]);
}

bool holdsSign(std::string_view text) { return text.find_first_of("+-") != std::string_view::npos; }

class Machine {
public:
    Machine(std::string_view text, const std::vector<Token>& tokens, std::string* postfix,
            Stacks& stacks)
        : text_(text),
          tokens_(tokens),
          postfix_(postfix),
          values_(stacks.values),
          count_(stacks.count),
          operators_(stacks.operators),
          levels_(stacks.levels),
          factorials_(stacks.factorials),
          scratch_(stacks.scratch) {
        stacks.clear();
        for (const Token& t : tokens) hasNames_ = hasNames_ || t.kind == TokenKind::Name;
    }

    Evaluation run();

private:
    Evaluation failed() {
        Evaluation e{{}, std::move(failure_)};
        if (failureAt_ != Value::kNoDegree) {
            e.errorStart = failureAt_;
            e.errorLength = 1;
        }
        return e;
    }

    std::string_view text_;
    const std::vector<Token>& tokens_;
    std::string* postfix_;
    bool hasNames_ = false;
    std::size_t lastFactorial_ = std::string_view::npos;  // the last "!" factorial() read
    std::vector<Value>& values_;
    std::size_t& count_;
    std::vector<Token>& operators_;
    std::vector<Level>& levels_;
    std::vector<FactorialRecord>& factorials_;
    std::string& scratch_;
    std::string failure_;                         // a fault that ends the evaluation at once
    std::uint32_t failureAt_ = Value::kNoDegree;  // the degree sign it selects, if any

    std::string_view written(const Token& t) const { return text_.substr(t.start, t.length); }

    void note(std::string_view part) {
        if (!postfix_) return;
        if (!postfix_->empty()) *postfix_ += ' ';
        *postfix_ += part;
    }

    void fault(Rank rank, std::string_view message, bool ofFunction = false) {
        Level& level = levels_.back();
        if (rank < level.faultRank) {
            level.faultRank = rank;
            level.fault = message;
            level.faultOfFunction = ofFunction;
        }
    }

    // A degree sign in an argument read in radians ends the evaluation.
    bool degreeRefused(const Value& v) {
        failure_ = kDegreeInRadians;
        failureAt_ = v.degreeAt;
        return false;
    }

    bool missing(const Token& t) {
        failure_ = missingOperandMessage(written(t));
        return false;
    }

    std::size_t valuesInLevel() const { return count_ - levels_.back().valuesBase; }
    Value& top() { return values_[count_ - 1]; }
    // A new value on the stack, its text empty.
    Value& push() {
        if (count_ == values_.size()) values_.emplace_back();
        Value& v = values_[count_++];
        v.text.clear();
        v.failed = false;
        v.fromFunction = false;
        v.functionDepth = 0;
        v.firstToken = 0;
        v.euler = false;
        v.degreeAt = Value::kNoDegree;
        return v;
    }
    // Computes into the scratch text; on success the value takes it.
    bool compute(Value& v, std::string_view left, std::string_view right, char op,
                 std::string_view& error) {
        error = operate(left, right, op, scratch_);
        if (!error.empty()) return false;
        v.text.swap(scratch_);
        return true;
    }

    bool apply(const Token& op);
    bool reduceWhile(int precedence);
    bool factorial(std::size_t i);
    std::string_view functionFault(const Level& level) const;
    bool closeLevel(std::size_t& i);
    bool settle(Value& v, const Level& level);
    void takeAngle(Value& v, std::size_t& i);
};

bool Machine::apply(const Token& op) {
    const OperatorRule& rule = *operatorRule(op.kind);
    // An implicit "*" has the place of what it stands before, no text of its own.
    note(op.kind == TokenKind::Sign || op.kind == TokenKind::ArgumentSign ? "neg"
         : op.kind == TokenKind::Times                                    ? "*"
                                                                          : written(op));
    if (rule.fixity == Fixity::Prefix) {
        if (valuesInLevel() < 1) return missing(op);
        Value& v = top();
        v.fromFunction = false;
        v.euler = false;
        if (op.kind == TokenKind::Polar) {
            // The angle is in degrees: a degree sign in it is at home.
            v.degreeAt = Value::kNoDegree;
            if (v.failed) return true;
            std::string_view magnitude = written(op);
            magnitude.remove_suffix(2);  // "ej"
            Computed c = polarValue(expandMarkers(magnitude), v.text);
            if (c.failed()) {
                v.failed = true;
                fault(rankOf(Step::Functions, op.start, v.functionDepth, kFunctionNames.size()),
                      c.error);
                return true;
            }
            v.text = std::move(c.text);
            return true;
        }
        if (op.kind != TokenKind::Name) {
            if (!v.failed) v.text = negated(v.text);
            return true;
        }
        if (takesDegrees(op.name)) v.degreeAt = Value::kNoDegree;
        if (op.name == kExp && v.degreeAt != Value::kNoDegree) return degreeRefused(v);
        const Rank rank = rankOf(Step::Functions, op.start, v.functionDepth, op.name);
        ++v.functionDepth;
        if (v.failed) return true;
        Computed c = applyFunction(op.name, v.text);
        if (c.failed()) {
            v.failed = true;
            fault(rank, c.error, true);
            return true;
        }
        v.text = std::move(c.text);
        v.fromFunction = true;
        v.functionRank = rank;
        return true;
    }
    // Infix.
    if (valuesInLevel() < 2) return missing(op);
    Value& right = top();
    Value& left = values_[count_ - 2];
    --count_;
    left.fromFunction = false;
    left.functionDepth = 0;
    const bool eulerBase = left.euler;
    left.euler = false;
    if (rule.step == Step::Powers && right.degreeAt != Value::kNoDegree)
        return degreeRefused(right);
    if (left.degreeAt == Value::kNoDegree) left.degreeAt = right.degreeAt;
    if (rule.step == Step::Sums) ++levels_.back().sums;
    if (left.failed || right.failed) {
        left.failed = true;
        return true;
    }
    std::string_view error;
    if (eulerBase && rule.step == Step::Powers) {
        // e^x is exp(x), in radians as in Euler's formula.
        Computed c = applyFunction(kExp, right.text);
        if (c.failed()) {
            left.failed = true;
            fault(rankOf(rule.step, op.start), c.error);
        } else {
            left.text = std::move(c.text);
        }
        return true;
    }
    if (!compute(left, left.text, right.text, rule.kernelOperator, error)) {
        left.failed = true;
        fault(rankOf(rule.step, op.start), error);
    }
    return true;
}

bool Machine::reduceWhile(int precedence) {
    const std::size_t base = levels_.back().operatorsBase;
    while (operators_.size() > base) {
        const Token op = operators_.back();
        if (operatorRule(op.kind)->precedence < precedence) break;
        operators_.pop_back();
        if (!apply(op)) return false;
    }
    return true;
}

bool Machine::factorial(std::size_t i) {
    const Token& bang = tokens_[i];
    // Which name, if any, takes the number item before the "!" (only looked at
    // when the text has a name: without one no function can fail).
    FactorialRecord record;
    const Token* name = nullptr;
    if (hasNames_ && valuesInLevel() >= 1) {
        const Value& operand = top();
        std::size_t k = operand.firstToken;
        const bool signed_ = k >= 1 && tokens_[k - 1].kind == TokenKind::ArgumentSign;
        if (signed_) --k;
        if (k >= 1 && tokens_[k - 1].kind == TokenKind::Name) name = &tokens_[k - 1];
        // The "j" of "conj" and the "e" of "re" read as part of the item.
        const char last = name ? text_[name->start + name->length - 1] : '\0';
        if (last == 'j' || last == 'e') {
            record.item += last;
            if (signed_) record.item += '-';
        }
        record.item += operand.text;
    }
    // The functions before the "!" take their operands first.
    const int tighter = operatorRule(TokenKind::Factorial)->precedence + 1;
    if (hasNames_) {
        const std::size_t base = levels_.back().operatorsBase;
        while (operators_.size() > base &&
               operatorRule(operators_.back().kind)->precedence >= tighter) {
            const Token op = operators_.back();
            operators_.pop_back();
            if (!apply(op)) return false;
            const Value& w = top();
            if (op.kind == TokenKind::Name && w.fromFunction) {
                FactorialRecord::Link link{w.functionRank, w.text, {}};
                if (!link.value.empty() && link.value[0] == '-') link.value.erase(0, 1);
                // The name that takes this value next, and a sign between them.
                std::size_t k = operators_.size();
                const bool signed_ = k > base && operators_[k - 1].kind == TokenKind::ArgumentSign;
                if (signed_) --k;
                if (k > base && operators_[k - 1].kind == TokenKind::Name) {
                    const Token& next = operators_[k - 1];
                    const char last = text_[next.start + next.length - 1];
                    if (last == 'j' || last == 'e') {
                        link.before += last;
                        // A negative value behind the sign drops both signs.
                        if (signed_ && w.text[0] != '-') link.before += '-';
                    }
                }
                record.chain.push_back(std::move(link));
            }
        }
    } else if (!reduceWhile(tighter)) {
        return false;
    }
    if (valuesInLevel() < 1) return missing(bang);
    note("!");
    Value& v = top();
    if (name != nullptr && v.fromFunction) record.nameRank = v.functionRank;
    if (hasNames_) {
        record.chained = i >= 1 && lastFactorial_ == i - 1;
        lastFactorial_ = i;
        factorials_.push_back(std::move(record));
    }
    const bool withFunction = v.fromFunction;
    v.fromFunction = false;
    v.functionDepth = 0;
    v.euler = false;
    if (v.failed) return true;
    Computed c = factorialOf(v.text);
    if (c.failed()) {
        v.failed = true;
        // The factorial of a function of complex values counts as that
        // function's own fault, the way the functions' step has always met it.
        const bool ofWord = withFunction && v.functionRank.name >= kFirstComplexWord;
        fault(withFunction ? v.functionRank : rankOf(Step::Factorials, bang.start), c.error,
              ofWord);
        return true;
    }
    v.text = std::move(c.text);
    return true;
}

// An angle right behind a value that ends with ")" or "!" ("(2)ej30", "5!ej30"):
// with a real value it makes one number; a complex value is multiplied by it,
// as by a factor written behind a "*".
void Machine::takeAngle(Value& v, std::size_t& i) {
    if (i + 1 >= tokens_.size()) return;
    const Token& next = tokens_[i + 1];
    if (next.kind != TokenKind::Number || !isAngleItem(written(next))) return;
    if (!v.failed && v.text.find('j') != std::string::npos) return;  // see closeLevel
    if (!v.failed) v.text += written(next);
    note(written(next));
    note("angle");
    ++i;
}

bool Machine::settle(Value& v, const Level& level) {
    // The last step of every level, as a sum is: a single value is written
    // again; one with a sign in its text, and every sum whose text has no "+",
    // once more.
    const bool again = level.sums > 0 || holdsSign(v.text);
    std::string_view error;
    if (level.sums == 0) {
        if (!compute(v, v.text, {}, '+', error)) {
            failure_ = error;
            return false;
        }
        if (!again) return true;
    }
    if (v.text.find('+') == std::string::npos && !compute(v, v.text, {}, '+', error)) {
        failure_ = error;
        return false;
    }
    return true;
}

std::string_view Machine::functionFault(const Level& level) const {
    std::string operand;
    std::string previous;  // the factorial before, when it was computed here
    bool havePrevious = false;
    for (std::size_t k = level.factorialsBase; k < factorials_.size(); ++k) {
        const FactorialRecord& r = factorials_[k];
        const bool afterPrevious = r.chained && havePrevious;
        havePrevious = false;
        // A function computed before took its "!" with it.
        if (r.nameRank < level.faultRank) continue;
        // The item in front of the "!": the factorial right before it, the value
        // of the last function of the chain computed before the fault, or the
        // item as written.
        operand = r.item;
        for (const FactorialRecord::Link& link : r.chain) {
            if (!(link.rank < level.faultRank)) break;
            operand = link.before + link.value;
        }
        if (afterPrevious) operand = previous;
        Computed c = factorialOf(operand);
        if (c.failed()) return c.error;
        previous = std::move(c.text);
        havePrevious = true;
    }
    return level.fault;
}

bool Machine::closeLevel(std::size_t& i) {
    if (!reduceWhile(0)) return false;
    Level level = levels_.back();
    if (level.fault.data() != nullptr) {
        failure_ = level.faultOfFunction ? functionFault(level) : level.fault;
        return false;
    }
    factorials_.resize(level.factorialsBase);
    if (valuesInLevel() != 1) {
        if (valuesInLevel() == 0) return missing(tokens_[i]);
        failure_ = kInvalidCall;
        return false;
    }
    Value& v = top();
    v.fromFunction = false;
    v.functionDepth = 0;
    if (!settle(v, level)) return false;
    levels_.pop_back();
    if (levels_.empty()) return true;  // the whole text
    note("()");
    if (level.imaginary) {
        note("j*");
        std::string_view error;
        if (!compute(v, "j1", v.text, '*', error)) {
            failure_ = error;
            return false;
        }
    }
    if (i + 1 < tokens_.size() && tokens_[i + 1].kind == TokenKind::Factorial) {
        // A "!" right behind the bracket takes its whole value.
        ++i;
        note("!");
        Computed c = factorialOf(v.text);
        if (c.failed()) {
            failure_ = c.error;
            return false;
        }
        v.text = std::move(c.text);
    }
    v.firstToken = level.openToken;
    // A function's bracket is its argument: an angle behind it multiplies the
    // function's value ("sqrt(3)ej30" is sqrt(3)*ej30), never joins the argument.
    const std::size_t base = levels_.back().operatorsBase;
    const bool argument =
        operators_.size() > base &&
        (operators_.back().kind == TokenKind::Name || operators_.back().kind == TokenKind::Polar ||
         operators_.back().kind == TokenKind::ArgumentSign);
    if (!argument) takeAngle(v, i);
    const bool complexBeforeAngle = i + 1 < tokens_.size() &&
                                    tokens_[i + 1].kind == TokenKind::Number &&
                                    isAngleItem(written(tokens_[i + 1]));
    if (complexBeforeAngle) {
        // "(1+j)ej30" is (1+j)*ej30.
        const Token times{TokenKind::Times, 0, tokens_[i + 1].start, 0};
        if (!reduceWhile(operatorRule(TokenKind::Times)->precedence)) return false;
        operators_.push_back(times);
    }
    return true;
}

Evaluation Machine::run() {
    levels_.push_back(Level{});
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const Token& t = tokens_[i];
        switch (t.kind) {
            case TokenKind::Number: {
                Value& v = push();
                const std::string_view item = written(t);
                v.firstToken = i;
                note(item);
                if (!holdsMarker(item)) {
                    v.text.assign(item);
                    break;
                }
                // A prefix is the power of ten it stands for: "4.7k" is 4.7e3.
                v.text = expandMarkers(item);
                v.euler = item.size() == 1 && item[0] == kEulerMarker;
                // A degree sign of a real or an imaginary part; one in the angle
                // of "2ej30°" is at home there.
                const std::size_t degree = item.find(kDegreeMarker);
                if (degree != std::string_view::npos && !isAngleDegree(item, degree))
                    v.degreeAt = static_cast<std::uint32_t>(t.start + degree);
                break;
            }
            case TokenKind::Polar:
                // "(1+j)ej(30)" is (1+j)*ej(30), as "(1+j)ej30" is.
                if (i > 0 && (tokens_[i - 1].kind == TokenKind::Close ||
                              tokens_[i - 1].kind == TokenKind::Factorial)) {
                    if (!reduceWhile(operatorRule(TokenKind::Times)->precedence)) return failed();
                    operators_.push_back(Token{TokenKind::Times, 0, t.start, t.length});
                }
                operators_.push_back(t);
                break;
            case TokenKind::Name:
            case TokenKind::Sign:
            case TokenKind::ArgumentSign:
                operators_.push_back(t);
                break;
            case TokenKind::Factorial:
                if (!factorial(i)) return failed();
                if (!top().failed) takeAngle(top(), i);
                break;
            case TokenKind::Open:
            case TokenKind::ImaginaryOpen:
                levels_.emplace_back();
                levels_.back().valuesBase = count_;
                levels_.back().operatorsBase = operators_.size();
                levels_.back().imaginary = t.kind == TokenKind::ImaginaryOpen;
                levels_.back().openToken = i;
                levels_.back().factorialsBase = factorials_.size();
                break;
            case TokenKind::Close:
                if (levels_.size() < 2) return {{}, std::string(kBracketMismatch)};
                if (!closeLevel(i)) return failed();
                break;
            default:
                if (!reduceWhile(operatorRule(t.kind)->precedence)) return failed();
                operators_.push_back(t);
                break;
        }
    }
    if (levels_.size() != 1) return {{}, std::string(kBracketMismatch)};
    if (tokens_.empty()) {
        push().text.assign(1, '0');
    }
    std::size_t end = tokens_.size() - (tokens_.empty() ? 0 : 1);
    if (!closeLevel(end)) return failed();
    return {top().text, {}};
}

std::string tokenList(std::string_view text, const std::vector<Token>& tokens) {
    std::string out;
    for (const Token& t : tokens) {
        if (!out.empty()) out += ' ';
        out += tokenKindWord(t.kind);
        out += " \"";
        out += text.substr(t.start, t.length);
        out += '"';
    }
    return out;
}

}  // namespace

Evaluation evaluateText(std::string_view input, const TraceSink* trace) {
    thread_local Lexed lexed;
    thread_local Stacks stacks;
    thread_local std::string text;
    text.assign(input);
    lowerCase(text);
    lex(text, lexed);
    if (lexed.unreadable != std::string_view::npos) {
        const std::size_t at = lexed.unreadable;
        return {{}, unrecognisedInputMessage(std::string_view(text).substr(at, 1))};
    }
    const bool tracing = trace && *trace;
    if (tracing) (*trace)("tokens", tokenList(text, lexed.tokens));
    std::string postfix;
    Machine machine(text, lexed.tokens, tracing ? &postfix : nullptr, stacks);
    Evaluation result = machine.run();
    if (tracing) {
        (*trace)("postfix", postfix);
        (*trace)("result", result.failed() ? result.error : result.value);
    }
    return result;
}

}  // namespace kalvox
