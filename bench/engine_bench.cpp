// Cost of one press of "=": typical expressions, and texts of the input box's
// full length (32,767 characters) in every shape that stresses one stage.

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
    // The function keys' evaluation and the ej-j conversion on a typical value.
    benchmark::RegisterBenchmark("typical/jsqys sin(2ej30)", [](benchmark::State& s) {
        kalvox::Engine engine;
        for (auto _ : s) benchmark::DoNotOptimize(engine.jsqys("sin(2ej30)"));
    });
    benchmark::RegisterBenchmark("typical/ej_j 5ej53.130102354156", [](benchmark::State& s) {
        kalvox::Engine engine;
        for (auto _ : s) {
            engine.resetConversion();
            benchmark::DoNotOptimize(engine.ej_j("5ej53.130102354156"));
        }
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
