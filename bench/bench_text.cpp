// Text boundary costs: CP932 decoding of a settings-sized and a data-sized file and of files
// with a long tail of bad bytes, CSV fields.

#include "core/Cp932.h"
#include "core/CsvField.h"

#include <benchmark/benchmark.h>

namespace {

std::string SampleCp932(std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) text += "1011,深度,砂混じりシルト質粘土,ｼﾙﾄ,12.35,①～\r\n";
    return stracol::core::Utf8ToCp932(text);
}

void BM_Cp932ToUtf8(benchmark::State& state) {
    std::string bytes = SampleCp932(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(stracol::core::Cp932ToUtf8(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Cp932ToUtf8)->Arg(121)->Arg(1000);

// A file whose tail is bytes that are never CP932 (KiB of them): time per byte stays flat.
void BM_Cp932ToUtf8BadTail(benchmark::State& state) {
    std::string bytes = SampleCp932(100) + std::string(static_cast<std::size_t>(state.range(0)) * 1024, '\xFD');
    for (auto _ : state) benchmark::DoNotOptimize(stracol::core::Cp932ToUtf8(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Cp932ToUtf8BadTail)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_CsvField(benchmark::State& state) {
    std::string line = "1011 深度,8.5,深度,5,-1,-1,,-1,-1,-1,,-1,-1,-1,,-1,-1,-1,99 Auto,1,";
    std::string field;
    for (auto _ : state) {
        for (int n = 1; n <= 21; ++n) benchmark::DoNotOptimize(stracol::core::CsvField(field, line, n));
    }
}
BENCHMARK(BM_CsvField);

}  // namespace

BENCHMARK_MAIN();
