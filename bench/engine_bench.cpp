// Cost of one press of "=": typical expressions, and texts of the input box's
// full length (32,767 characters) in every shape that stresses one step, and
// brackets nested as deep as the text allows.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/engine.h"
#include "tests/support/expression_generator.h"

namespace {

constexpr std::size_t kInputBoxLength = 32767;

void evaluateText(benchmark::State& state, const std::string& text) {
    kalvox::Engine engine;
    for (auto _ : state) {
        kalvox::Outcome out = engine.evaluate(text);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void registerAll() {
    for (const char* typical : {"2ej30*3+j4", "sin30+arcsin1", "12*34+56/78-9"}) {
        benchmark::RegisterBenchmark(
            (std::string("typical/") + typical).c_str(),
            [text = std::string(typical)](benchmark::State& s) { evaluateText(s, text); });
    }
    for (const auto& shape : kalvox::reference::longShapes(kInputBoxLength)) {
        benchmark::RegisterBenchmark(("long32767/" + shape.name).c_str(), [text = shape.text](
                                                                              benchmark::State& s) {
            evaluateText(s, text);
        })->Unit(benchmark::kMillisecond);
    }
    // 16,383 brackets, one inside the other.
    {
        std::string deep(16383, '(');
        deep += '1';
        deep.append(16383, ')');
        benchmark::RegisterBenchmark("long32767/deepest_brackets", [text =
                                                                        deep](benchmark::State& s) {
            evaluateText(s, text);
        })->Unit(benchmark::kMillisecond);
    }
    // The function keys' evaluation and the ej-j conversion on a typical value.
    benchmark::RegisterBenchmark("typical/key sin(2ej30)", [](benchmark::State& s) {
        const kalvox::Engine engine;
        const std::string output = "2ej30";
        for (auto _ : s)
            benchmark::DoNotOptimize(engine.applyToOutput(kalvox::FunctionKey::Sin, false, output));
    });
    benchmark::RegisterBenchmark("typical/ej-j 3+j4", [](benchmark::State& s) {
        const kalvox::Engine engine;
        const std::string output = "3+j4";
        for (auto _ : s)
            benchmark::DoNotOptimize(
                engine.switchForm(output, kalvox::FormDirection::ToExponential));
    });
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
