// Load time of exchange XML files through the open road (read, decode, detect, read every
// line into a fresh record, post-load): per corpus file (median and maximum over the files,
// each file timed by its fastest run), the corpus file nearest the median size, and a
// synthetic file with every table at capacity; and the UTF-8 check alone on the median-sized
// file.

#include "borehole/DocumentOpen.h"
#include "borehole/XmlText.h"
#include "core/Messages.h"
#include "geology/NameTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace stracol;
using namespace stracol::borehole;

namespace {

const geology::NameTable& Names() {
    static const geology::NameTable names = geology::BuiltInNameTable(0);
    return names;
}

const std::string& Home() {
    static const std::string home = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "stracol-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        return tmpl;
    }();
    return home;
}

// The larger corpus when it is present, else the repository's test data.
std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    const char* folder = std::filesystem::is_directory(STRACOL_CORPUS_DIR) ? STRACOL_CORPUS_DIR : STRACOL_TEST_DATA_DIR;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (entry.is_regular_file() && ext == ".xml") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The file nearest the median size.
std::filesystem::path MedianSized(std::vector<std::filesystem::path> files) {
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return std::filesystem::file_size(a) < std::filesystem::file_size(b); });
    return files[files.size() / 2];
}

bool Load(const std::string& path, BoreholeRecord& record) {
    core::SilentMessages messages;
    OpenOptions options;
    options.rememberFolder = false;
    return OpenDocument(path, record, Names(), Home(), messages, nullptr, options).loaded;
}

// A 4.00 file with every table the reader fills at its capacity.
std::string SyntheticFile() {
    const std::string path = Home() + "/full.xml";
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\n"
                    "<ボーリング情報 DTD_version=\"4.00\">\n<標題情報>\n<調査名>合成データ</調査名>\n"
                    "<調査期間_開始年月日>2020-01-01</調査期間_開始年月日>\n</標題情報>\n<コア情報>\n";
    auto el = [&](const std::string& name, const std::string& value) { x += "\t<" + name + ">" + value + "</" + name + ">\n"; };
    auto depth = [](int i) { char t[16]; std::snprintf(t, sizeof t, "%.2f", i * 0.5); return std::string(t); };
    const char* soils[] = {"砂混じりシルト質粘土", "砂礫", "砂岩・泥岩互層", "シルト質砂", "埋土"};
    for (int i = 200; i >= 1; --i) {  // written deepest first, so sorting has work to do
        x += "<工学的地質区分名現場土質名>\n";
        el("工学的地質区分名現場土質名_下端深度", depth(i));
        el("工学的地質区分名現場土質名_工学的地質区分名現場土質名", soils[i % 5]);
        el("工学的地質区分名現場土質名_工学的地質区分名現場土質名記号", "S");
        x += "</工学的地質区分名現場土質名>\n<色調>\n";
        el("色調_下端深度", depth(i));
        el("色調_色調名", "暗灰");
        x += "</色調>\n";
    }
    for (int i = 1; i <= 200; ++i) {
        x += "<観察記事>\n";
        el("観察記事_上端深度", depth(i - 1));
        el("観察記事_下端深度", depth(i));
        el("観察記事_記事", "細砂主体。\\n含水中位。");
        x += "</観察記事>\n<標準貫入試験>\n";
        el("標準貫入試験_開始深度", depth(i));
        for (const char* inc : {"0_100", "100_200", "200_300"}) {
            el(std::string("標準貫入試験_") + inc + "打撃回数", "5");
            el(std::string("標準貫入試験_") + inc + "貫入量", "100");
        }
        el("標準貫入試験_合計打撃回数", "15");
        el("標準貫入試験_合計貫入量", "300");
        x += "</標準貫入試験>\n<相対密度稠度>\n";
        el("相対密度稠度_下端深度", depth(i));
        el("相対密度_コード", "30");
        x += "</相対密度稠度>\n<試料採取>\n";
        el("試料採取_上端深度", depth(i - 1));
        el("試料採取_下端深度", depth(i));
        el("試料採取_試料番号", "T-" + std::to_string(i));
        el("試料採取_採取方法コード", "250");
        x += "</試料採取>\n<コア採取率>\n";
        el("コア採取率_下端深度", depth(i));
        el("コア採取率_採取率", "95");
        x += "</コア採取率>\n<最大コア長>\n";
        el("最大コア長_下端深度", depth(i));
        el("最大コア長_コア長", "30");
        x += "</最大コア長>\n";
    }
    for (int i = 1; i <= 200; ++i) {
        x += "<風化の程度区分>\n";
        el("風化の程度区分_下端深度", depth(i));
        el("風化の程度区分_風化の程度区分", "052");
        x += "</風化の程度区分>\n";
    }
    for (int i = 1; i <= 50; ++i) {
        x += "<孔内水位>\n";
        el("孔内水位_測定年月日", "2020-01-05");
        el("孔内水位_孔内水位", depth(i));
        el("孔内水位_水位種別備考", "清水位");
        x += "</孔内水位>\n";
    }
    for (int i = 1; i <= 160; ++i) {
        x += "<削孔工程>\n";
        el("削孔工程_測定年月日", "2020-01-05");
        el("削孔工程_削孔深度", depth(i));
        x += "</削孔工程>\n<削孔速度>\n";
        el("削孔速度_下端深度", depth(i));
        el("削孔速度_削孔速度", "12");
        x += "</削孔速度>\n";
    }
    for (int i = 1; i <= 100; ++i) {
        x += "<孔径孔壁保護>\n";
        el("孔径孔壁保護_下端深度", depth(i));
        el("孔径孔壁保護_孔径", "66");
        el("孔径孔壁保護_孔壁保護コード", "2");
        x += "</孔径孔壁保護>\n<その他原位置試験>\n";
        el("その他原位置試験_試験名", "PS検層");
        el("その他原位置試験_上端深度", depth(i - 1));
        el("その他原位置試験_下端深度", depth(i));
        x += "</その他原位置試験>\n";
    }
    x += "</コア情報>\n</ボーリング情報>\n";
    std::ofstream(path, std::ios::binary) << x;
    return path;
}

void BM_LoadCorpusPerFile(benchmark::State& state) {
    const auto files = CorpusFiles();
    if (files.empty()) {
        state.SkipWithError("corpus folder not found");
        return;
    }
    std::vector<double> best(files.size(), 1e18);
    BoreholeRecord record;
    for (auto _ : state) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            auto t0 = std::chrono::steady_clock::now();
            bool ok = Load(files[i].string(), record);
            auto t1 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(ok);
            best[i] = std::min(best[i], std::chrono::duration<double, std::micro>(t1 - t0).count());
        }
    }
    std::vector<double> sorted = best;
    std::sort(sorted.begin(), sorted.end());
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["median_us"] = sorted[sorted.size() / 2];
    state.counters["max_us"] = sorted.back();
}
BENCHMARK(BM_LoadCorpusPerFile)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_LoadMedianSizedFile(benchmark::State& state) {
    const auto files = CorpusFiles();
    if (files.empty()) {
        state.SkipWithError("corpus folder not found");
        return;
    }
    const auto median = MedianSized(files);
    state.SetLabel(median.filename().string() + " " + std::to_string(std::filesystem::file_size(median) / 1024) + " KB");
    BoreholeRecord record;
    for (auto _ : state) benchmark::DoNotOptimize(Load(median.string(), record));
}
BENCHMARK(BM_LoadMedianSizedFile)->Unit(benchmark::kMicrosecond);

// The UTF-8 check alone, on the bytes of the corpus file nearest the median size.
void BM_Utf8CheckMedianFile(benchmark::State& state) {
    const auto files = CorpusFiles();
    if (files.empty()) {
        state.SkipWithError("corpus folder not found");
        return;
    }
    const auto median = MedianSized(files);
    std::ifstream in(median, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    state.SetLabel(median.filename().string() + " " + std::to_string(bytes.size() / 1024) + " KB");
    for (auto _ : state) benchmark::DoNotOptimize(IsUtf8Text(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Utf8CheckMedianFile)->Unit(benchmark::kMicrosecond);

// The largest Shift_JIS file of the corpus (the national data set is mostly Shift_JIS, the
// larger corpus mostly UTF-8): the load with its CP932 decoding.
void BM_LoadLargestShiftJisFile(benchmark::State& state) {
    std::filesystem::path largest;
    for (const auto& file : CorpusFiles()) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (DetectEncoding(bytes) == TextEncoding::Cp932 &&
            (largest.empty() || std::filesystem::file_size(file) > std::filesystem::file_size(largest)))
            largest = file;
    }
    if (largest.empty()) {
        state.SkipWithError("no Shift_JIS file in the corpus");
        return;
    }
    state.SetLabel(largest.filename().string() + " " + std::to_string(std::filesystem::file_size(largest) / 1024) + " KB");
    BoreholeRecord record;
    for (auto _ : state) benchmark::DoNotOptimize(Load(largest.string(), record));
}
BENCHMARK(BM_LoadLargestShiftJisFile)->Unit(benchmark::kMicrosecond);

void BM_LoadSyntheticFullFile(benchmark::State& state) {
    static const std::string path = SyntheticFile();
    state.SetLabel(std::to_string(std::filesystem::file_size(path) / 1024) + " KB");
    BoreholeRecord record;
    for (auto _ : state) {
        if (!Load(path, record)) state.SkipWithError("synthetic file did not load");
    }
}
BENCHMARK(BM_LoadSyntheticFullFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
