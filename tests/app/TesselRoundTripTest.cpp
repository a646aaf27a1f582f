// Exchange XML written as Tessel v1 and read back: the same heading, every table and the
// same drawn pages, for every file of the test data and of the larger corpus. The differences
// the format itself makes are named one by one in Expected*.

#include "app/TesselExport.h"
#include "app/Workspace.h"
#include "borehole/FormatDetect.h"
#include "borehole/SoilName.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "render/LogPainter.h"
#include "render/Output.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace stracol;
using borehole::BoreholeRecord;
using borehole::TableId;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("TesselRoundTripTest");

constexpr int kDpi = 150;

// A heading as it reads back: one line (a line break inside becomes a space), the
// coordinates in 14 and 15 as the writer joins them, no data-kind label (it names the format
// of the loaded file).
std::string ExpectedHeading(const BoreholeRecord& xml, int index) {
    if (index == 102) return {};
    if (index == 14 || index == 15) {
        const int first = index == 14 ? 51 : 54;
        const std::string joined = xml.Heading(first) + "," + xml.Heading(first + 1) + "," + xml.Heading(first + 2);
        return joined == ",," ? xml.Heading(index) : joined;
    }
    std::string text;
    const std::string& h = xml.Heading(index);
    for (std::size_t i = 0; i < h.size(); ++i) {
        if (h[i] == '\r' && i + 1 < h.size() && h[i + 1] == '\n') continue;
        text.push_back(h[i] == '\r' || h[i] == '\n' ? ' ' : h[i]);
    }
    return text;
}

// A cell as it reads back: the presence flags of DrillTable are recomputed after a Tessel v1
// load, and a layer without a symbol gets the symbol of its name.
std::string ExpectedCell(const BoreholeRecord& xml, const geology::NameTable& names, TableId id, int row, int column) {
    const auto& t = xml.Table(id);
    if (id == TableId::Drill && column == 9) {
        int flags = 0;
        for (int c = 1; c <= 8; ++c)
            if (!t.Cell(row, c).empty()) flags |= 1 << (c - 1);
        return core::Sprintf("%d", flags);
    }
    if (id == TableId::Layer && column == 7 && t.Cell(row, 7).empty() && !t.Cell(row, 1).empty()) {
        return borehole::DecomposeName(names, t.Cell(row, 1), t.Cell(row, 4)).symbol;
    }
    return t.Cell(row, column);
}

std::string Describe(const render::RecordedOperation& op) {
    std::ostringstream s;
    s << "kind " << static_cast<int>(op.kind) << " text「" << op.text << "」 points";
    for (const auto& p : op.points) s << " (" << p.x << "," << p.y << ")";
    s << " rect " << op.rect.left << "," << op.rect.top << "," << op.rect.right << "," << op.rect.bottom;
    return s.str();
}

bool SameOperation(const render::RecordedOperation& a, const render::RecordedOperation& b) {
    auto sameRect = [](const render::Rect& x, const render::Rect& y) {
        return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
    };
    return a.kind == b.kind && a.points == b.points && sameRect(a.rect, b.rect) && a.text == b.text &&
           a.flags == b.flags && a.pen == b.pen && a.brush == b.brush && a.font == b.font &&
           a.textColour == b.textColour && a.align == b.align && a.fillColour == b.fillColour &&
           a.rasterOp == b.rasterOp && a.imageSize == b.imageSize && sameRect(a.covered, b.covered) &&
           a.clipped == b.clipped && sameRect(a.clip, b.clip);
}

struct Session {
    app::Workspace w;
    core::RecordingMessages messages;
    borehole::OpenResult opened;

    Session(const std::string& home, const std::string& path) {
        w.folder = app::InstallFolder(home);
        app::LoadWorkspaceSettings(w, messages);
        app::SetWorkspacePaper(w, 297, 420);
        borehole::OpenOptions options;
        options.rememberFolder = false;
        options.scratchFolder = home;
        opened = app::OpenIntoWorkspace(w, path, messages, options);
    }

    // The operations of every page, drawn with the file name of shownPath in the footer.
    std::vector<std::vector<render::RecordedOperation>> Pages(const std::string& shownPath) {
        w.documentPath = shownPath;
        render::LogSources sources{w.geometry, w.settings, w.fonts, w.style, w.titleForm, w.record, w.patternColours,
                                   &messages, w.folder.PatternFolder(), w.documentPath, w.footer, w.freeArticles,
                                   nullptr, {}};
        std::vector<std::vector<render::RecordedOperation>> pages;
        const int count = render::PageCount(w.geometry);
        for (int page = 1; page <= count; ++page) {
            render::RecordingSurface surface(kDpi, kDpi);
            render::LogContext ctx = render::LogContextFor(sources, surface);
            render::PrintPages(w.geometry, {page}, [&](int) { render::PaintLog(ctx); });
            pages.push_back(std::move(surface.operations));
        }
        return pages;
    }
};

// Differences of one file, as lines; empty when the round trip keeps everything.
std::vector<std::string> RoundTripDifferences(const std::filesystem::path& file) {
    std::vector<std::string> out;
    stracol::testing::TempDir home;
    Session xml(home.Path(), file.string());
    if (!xml.opened.loaded) return {"the exchange file does not load: " + xml.opened.message};
    const std::string tlw = home.File("roundtrip.tlw");
    if (!app::WriteTessel(tlw, xml.w.record, xml.w.style, nullptr)) return {"cannot write " + tlw};
    Session back(home.Path(), tlw);
    if (!back.opened.loaded) return {"the Tessel v1 file does not load: " + back.opened.message};
    if (back.opened.formatCode != borehole::format::kTessel) out.push_back("not read as Tessel v1");

    // The exchange data with the differences the format makes: it must read back exactly,
    // and draw exactly the pages of the file read back.
    const BoreholeRecord& a = xml.w.record;
    BoreholeRecord expected = a;
    const BoreholeRecord& b = back.w.record;
    for (int index = 1; index <= borehole::kHeadingCount; ++index) {
        expected.SetHeading(index, ExpectedHeading(a, index));
        if (b.Heading(index) != expected.Heading(index))
            out.push_back(core::Sprintf("Heading %d: 「", index) + expected.Heading(index) + "」 read back as 「" +
                          b.Heading(index) + "」");
    }
    for (const borehole::TableDef& def : borehole::TableDefs()) {
        const auto& ta = a.Table(def.id);
        const auto& tb = b.Table(def.id);
        if (ta.RowCount() != tb.RowCount()) {
            out.push_back(std::string(def.name) + core::Sprintf(": %d rows read back as %d", ta.RowCount(), tb.RowCount()));
            continue;
        }
        for (int row = def.id == TableId::AuxF ? 0 : 1; row <= ta.RowCount(); ++row) {
            for (int column = 0; column < def.columns; ++column) {
                const std::string cell = ExpectedCell(a, xml.w.patternNames, def.id, row, column);
                expected.Table(def.id).SetCell(row, column, cell);
                if (tb.Cell(row, column) != cell)
                    out.push_back(std::string(def.name) + core::Sprintf(" row %d column %d: 「", row, column) + cell +
                                  "」 read back as 「" + tb.Cell(row, column) + "」");
            }
        }
    }
    if (!(back.w.style == xml.w.style)) out.push_back("the style read back differs");

    xml.w.record = std::move(expected);
    const auto pagesA = xml.Pages(file.string());
    const auto pagesB = back.Pages(file.string());
    if (pagesA.size() != pagesB.size()) {
        out.push_back(core::Sprintf("%zu pages drawn as %zu", pagesA.size(), pagesB.size()));
        return out;
    }
    for (std::size_t page = 0; page < pagesA.size(); ++page) {
        const auto& opsA = pagesA[page];
        const auto& opsB = pagesB[page];
        std::size_t i = 0;
        while (i < opsA.size() && i < opsB.size() && SameOperation(opsA[i], opsB[i])) ++i;
        if (i < opsA.size() || i < opsB.size()) {
            out.push_back(core::Sprintf("page %zu: %zu operations drawn as %zu, first difference at %zu: ", page + 1,
                                        opsA.size(), opsB.size(), i) +
                          (i < opsA.size() ? Describe(opsA[i]) : std::string("-")) + " / " +
                          (i < opsB.size() ? Describe(opsB[i]) : std::string("-")));
        }
    }
    return out;
}

void CheckFiles(const std::vector<std::filesystem::path>& files) {
    ASSERT_FALSE(files.empty());
    int clean = 0;
    for (const auto& file : files) {
        const std::vector<std::string> differences = RoundTripDifferences(file);
        if (differences.empty()) {
            ++clean;
            continue;
        }
        std::string shown;
        for (std::size_t i = 0; i < differences.size() && i < 8; ++i) shown += "\n  " + differences[i];
        ADD_FAILURE() << file.string() << ": " << differences.size() << " differences" << shown;
    }
    std::printf("round trip through Tessel v1: %d of %zu files the same\n", clean, files.size());
}

}  // namespace

TEST(TesselRoundTrip, TestDataReadsBackTheSameRecordStyleAndPages) {
    CheckFiles(stracol::testing::ExchangeFilesIn(stracol::testing::TestDataDir()));
}

// The larger corpus when it lies beside the project; a fresh clone without it reads its own
// data here too, so that no test is skipped for want of data.
TEST(TesselRoundTrip, CorpusReadsBackTheSameRecordStyleAndPages) {
    const auto corpus = stracol::testing::LargeCorpusDir();
    CheckFiles(stracol::testing::ExchangeFilesIn(corpus.empty() ? stracol::testing::TestDataDir() : corpus));
}

TEST(TesselRoundTrip, TheFileCarriesItsStyleAndAnInvalidFileLeavesDataAndStyle) {
    stracol::testing::TempDir home;
    Session s(home.Path(), stracol::testing::TestDataFile("v400/boringrs_BED0400.XML"));
    ASSERT_TRUE(s.opened.loaded);
    // A style other than the one the data chooses travels with the exported file.
    style::LogStyle other = s.w.style;
    other.titleLines[0] = "別の柱状図";
    other.items[1] = style::LogStyle().items[1];
    const std::string tlw = home.File("styled.tlw");
    ASSERT_TRUE(app::WriteTessel(tlw, s.w.record, other, nullptr));
    const std::string bad = home.Write("bad.tlw", "$$_TQTOK1\r\n$$A_\r\n\x01,\r\n");

    const BoreholeRecord before = s.w.record;
    const style::LogStyle styleBefore = s.w.style;
    const auto refused = app::OpenIntoWorkspace(s.w, bad, s.messages);
    EXPECT_FALSE(refused.loaded);
    EXPECT_EQ(refused.message, "読み込み可能な柱状図データファイルではありません");
    EXPECT_EQ(s.w.record.Heading(5), before.Heading(5));
    EXPECT_TRUE(s.w.style == styleBefore);

    const auto opened = app::OpenIntoWorkspace(s.w, tlw, s.messages);
    ASSERT_TRUE(opened.loaded);
    EXPECT_EQ(s.w.style.Title(), "別の柱状図");
    EXPECT_EQ(s.w.style.ItemCount(), 1);
}
