// Hostile input shapes through the readers, from 100 KB to 10 MB each: time per byte should
// stay flat as the input grows (bytes_per_second in the output). The shapes: a run of "<"
// after an XML header, a valid file with a tail of invalid Shift_JIS, a whole file on one line,
// tens of thousands of records in one group, absurd depths, a tracer logging of countless
// measuring times, a style file of one line or of invalid bytes, a settings file of one line,
// and text full of characters CP932 lacks encoded for writing.
//
//   bench_hostile                      run the benchmarks
//   bench_hostile --write-shapes DIR   write each shape at 10 MB (the one-line file also at 50 MB,
//                                      the style files also at 4.0 MB) into DIR, to time whole
//                                      commands on them

#include "app/SystemSettings.h"
#include "borehole/DocumentOpen.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "geology/NameTable.h"
#include "style/StyleReader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace stracol;

namespace {

const std::string kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\n"
    "<ボーリング情報 DTD_version=\"4.00\">\n<標題情報>\n<調査基本情報>\n<調査名>hostile</調査名>\n"
    "<ボーリング名>H-1</ボーリング名>\n</調査基本情報>\n</標題情報>\n<コア情報>\n";
const std::string kFooter = "</コア情報>\n</ボーリング情報>\n";

std::string Layer(const std::string& depth) {
    return "<工学的地質区分名現場土質名>\n<工学的地質区分名現場土質名_下端深度>" + depth +
           "</工学的地質区分名現場土質名_下端深度>\n<工学的地質区分名現場土質名_工学的地質区分名現場土質名>砂礫"
           "</工学的地質区分名現場土質名_工学的地質区分名現場土質名>\n</工学的地質区分名現場土質名>\n";
}

// Repeats piece(i) until the text reaches size bytes.
std::string Repeat(std::size_t size, const std::function<std::string(int)>& piece) {
    std::string text;
    text.reserve(size + 256);
    for (int i = 0; text.size() < size; ++i) text += piece(i);
    return text;
}

std::string WithoutLineBreaks(std::string text) {
    std::erase(text, '\n');
    return text;
}

struct Shape {
    const char* name;
    std::function<std::string(std::size_t)> make;  // the bytes of a file of about that size
    enum Reader { Document, Style, Settings, Encode } reader;
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        {"RunOfLt", [](std::size_t n) { return kHeader + std::string(n, '<'); }, Shape::Document},
        {"LtFarFromGt", [](std::size_t n) { return kHeader + "<" + std::string(n, 'a') + ">" + kFooter; }, Shape::Document},
        {"InvalidShiftJisTail",
         [](std::size_t n) {
             return core::Utf8ToCp932(kHeader + Layer("1.00")) + Repeat(n, [](int i) { return i % 2 ? "\xff\x81" : "\x80"; });
         },
         Shape::Document},
        {"OneLineFile",
         [](std::size_t n) {
             return WithoutLineBreaks(kHeader + Repeat(n, [](int i) { return Layer(std::to_string(i % 5000) + ".5"); }) + kFooter);
         },
         Shape::Document},
        {"RecordsInOneGroup",
         [](std::size_t n) { return kHeader + Repeat(n, [](int i) { return Layer(std::to_string(i % 9000) + ".25"); }) + kFooter; },
         Shape::Document},
        {"AbsurdDepths",
         [](std::size_t n) {
             static const char* const kDepths[] = {"1e9", "1e18", "1e308", "NaN", "inf", "９９", "-1e999"};
             return kHeader + Repeat(n, [](int i) { return Layer(kDepths[i % 7]); }) + kFooter;
         },
         Shape::Document},
        {"TracerTimes",
         [](std::size_t n) {
             return kHeader + "<トレーサーによる地下水流動層検層>\n" +
                    Repeat(n, [](int i) { return "<トレーサーによる地下水流動層検層_測定時間>" + std::to_string(i) +
                                                 "</トレーサーによる地下水流動層検層_測定時間>\n"; }) +
                    "</トレーサーによる地下水流動層検層>\n" + kFooter;
         },
         Shape::Document},
        // The older formats: an article that never ends, one endless record line, a section of
        // countless records, a one-value-per-line file of countless values.
        {"TesselEndlessArticle",
         [](std::size_t n) { return "$$_TQTOK1\r\n$$K_\r\n0.0\r\n1.0\r\n\r\n" + Repeat(n, [](int) { return "記事の行\r\n"; }); },
         Shape::Document},
        {"TesselOneLine", [](std::size_t n) { return "$$_TQTOK1\r\n$$A_\r\n" + Repeat(n, [](int) { return "1.0,"; }); },
         Shape::Document},
        {"TesselManyRecords",
         [](std::size_t n) { return "$$_TQTOK1\r\n$$A_\r\n" + Repeat(n, [](int i) { return std::to_string(i % 300) + ".0,砂礫,\r\n"; }); },
         Shape::Document},
        {"TpjValues", [](std::size_t n) { return "TPJ data\r\n-1\r\n" + Repeat(n, [](int) { return "1.0\r\n"; }); },
         Shape::Document},
        {"StyleOneLine", [](std::size_t n) { return "$$_TQSTL1\r\n$$X_\r\n" + Repeat(n, [](int) { return "1001 標尺,6,"; }); },
         Shape::Style},
        {"StyleInvalidShiftJis", [](std::size_t n) { return "$$_TQSTL1\r\n$$X_\r\n" + std::string(n, '\x81'); }, Shape::Style},
        {"SettingsOneLine", [](std::size_t n) { return "500\r\n" + std::string(n, '9'); }, Shape::Settings},
        // Text the program writes back in CP932 (a style, a master) full of characters CP932 lacks.
        {"EncodeUnencodable", [](std::size_t n) { return Repeat(n, [](int i) { return i % 2 ? "\xEF\xBF\xBD" : "砂"; }); },
         Shape::Encode},
    };
    return shapes;
}

std::size_t ReadShape(const Shape& shape, const std::string& bytes) {
    switch (shape.reader) {
        case Shape::Document: {
            static const geology::NameTable names = geology::BuiltInNameTable(0);
            core::SilentMessages messages;
            borehole::BoreholeRecord record;
            borehole::OpenOptions options;
            options.rememberFolder = false;
            options.writeReformatFile = false;
            return borehole::OpenDocumentBytes(bytes, "hostile.xml", record, names, ".", messages, nullptr, options).loaded;
        }
        case Shape::Style: return style::StyleLinesOfBytes(bytes).size();
        case Shape::Encode: return core::Utf8ToCp932(bytes).size();
        case Shape::Settings: {
            std::vector<std::string> lines;
            for (std::string_view line : core::SplitLineViews(core::Cp932ToUtf8(bytes)))
                lines.push_back(core::Cp932Truncate(line, 100));
            return static_cast<std::size_t>(app::ParseSystemSettings(lines).NMaxBlows);
        }
    }
    return 0;
}

void BM_Hostile(benchmark::State& state, const Shape* shape) {
    const std::string bytes = shape->make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ReadShape(*shape, bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}

int WriteShapes(const std::string& folder) {
    for (const Shape& shape : Shapes()) {
        if (shape.reader == Shape::Encode) continue;  // no file of the program holds UTF-8 text
        const std::string ext = shape.reader == Shape::Style ? ".tls" : shape.reader == Shape::Settings ? ".ndx" : ".xml";
        // Style files are read up to 4 MB: one just below it is read, one above it refused.
        const std::vector<std::size_t> sizes = shape.reader == Shape::Style ? std::vector<std::size_t>{4000000, std::size_t{10} << 20}
                                               : std::strcmp(shape.name, "OneLineFile") == 0
                                                   ? std::vector<std::size_t>{std::size_t{10} << 20, std::size_t{50} << 20}
                                                   : std::vector<std::size_t>{std::size_t{10} << 20};
        for (std::size_t size : sizes) {
            char megabytes[32];
            std::snprintf(megabytes, sizeof megabytes, "-%.1fMB", static_cast<double>(size) / (1 << 20));
            const std::string path = folder + "/" + shape.name + megabytes + ext;
            std::ofstream out(path, std::ios::binary);
            const std::string bytes = shape.make(size);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s\n", path.c_str());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-shapes") == 0) return WriteShapes(argv[2]);
    for (const Shape& shape : Shapes()) {
        benchmark::RegisterBenchmark(shape.name, BM_Hostile, &shape)
            ->Arg(100 << 10)
            ->Arg(1 << 20)
            ->Arg(10 << 20)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
