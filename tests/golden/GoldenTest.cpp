// Reference images of whole pages: the title part of a built-in style and the first page of
// a real exchange file, drawn at 96 dpi with the IPA fonts and compared with the PNGs beside
// this file within a small colour tolerance. UPDATE_GOLDEN=1 rewrites the references.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "render/FontResolver.h"
#include "render/Output.h"
#include "render/PageGeometry.h"
#include "style/BuiltInStyles.h"
#include "style/StyleApplication.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"
#include "support/TestData.h"

using namespace stracol;
using namespace stracol::render;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("GoldenTest");

constexpr int kDpi = 96;
// A pixel matches when no channel differs by more than this; a page matches when at most
// kMaxMismatch of its pixels do not (font rasterising differs a little between versions).
constexpr int kChannelTolerance = 64;
constexpr double kMaxMismatch = 0.002;

std::string GoldenPath(const std::string& name) { return std::string(STRACOL_SOURCE_DIR) + "/tests/golden/" + name; }

// Compares with the reference, or writes it under UPDATE_GOLDEN=1. The image drawn is kept in
// the working folder as "actual-NAME" when it does not match.
void ExpectMatchesGolden(const QImage& actual, const std::string& name) {
    const std::string path = GoldenPath(name);
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(actual.save(QString::fromStdString(path), "PNG")) << path;
        GTEST_SKIP() << "reference written: " << path;
    }
    QImage expected(QString::fromStdString(path));
    ASSERT_FALSE(expected.isNull()) << "no reference " << path << " (run with UPDATE_GOLDEN=1 to make it)";
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), e.size()) << name;
    long mismatched = 0;
    long inkActual = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pe = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if ((pa[x] & 0xffffff) != 0xffffff) ++inkActual;
            if (std::abs(qRed(pa[x]) - qRed(pe[x])) > kChannelTolerance ||
                std::abs(qGreen(pa[x]) - qGreen(pe[x])) > kChannelTolerance ||
                std::abs(qBlue(pa[x]) - qBlue(pe[x])) > kChannelTolerance)
                ++mismatched;
        }
    }
    const double share = static_cast<double>(mismatched) / (static_cast<double>(a.width()) * a.height());
    if (share > kMaxMismatch) actual.save(QString::fromStdString("actual-" + name), "PNG");
    EXPECT_LE(share, kMaxMismatch) << name << ": " << mismatched << " pixels differ (actual-" << name
                                   << " written to the working folder)";
    EXPECT_GT(inkActual, 1000) << name << ": the page is nearly blank";
}

// A session on an empty install folder (built-in defaults), A3 portrait.
struct Session {
    Session() {
        w.folder = app::InstallFolder(home.Path());
        app::LoadWorkspaceSettings(w, messages);
        w.geometry.titleHeight = 11.0;
        app::SetWorkspacePaper(w, 297, 420);
    }
    LogSources Sources() {
        return LogSources{w.geometry, w.settings,     w.fonts,      w.style,        w.titleForm, w.record,
                          w.patternColours, &messages, w.folder.PatternFolder(), w.documentPath, w.footer,
                          w.freeArticles,   nullptr,   {}};
    }
    stracol::testing::TempDir home;
    core::RecordingMessages messages;
    app::Workspace w;
    FontResolver fonts;
};

TEST(Golden, TitlePartOfTheStandardPenetrationStyle) {
    Session s;
    style::ApplyStyleText(s.w.style, style::BuiltInStyleLines(3));
    borehole::BoreholeRecord& r = s.w.record;
    r.SetHeading(1, "県道福井加賀線道路改良工事に伴う地質調査");
    r.SetHeading(2, "県道福井加賀線道路改良工事");
    r.SetHeading(3, "福井県坂井市丸岡町");
    r.SetHeading(4, "福井県土木部");
    r.SetHeading(5, "No.3");
    for (auto [index, text] : std::initializer_list<std::pair<int, const char*>>{
             {6, "2019"}, {7, "10"}, {8, "1"}, {9, "2019"}, {10, "10"}, {11, "8"}, {13, "12.345"}, {16, "山田太郎"},
             {17, "鈴木一郎"}, {18, "佐藤花子"}, {19, "田中実"}, {76, "12345"}, {20, "YBM-05"}, {21, "半自動"},
             {22, "NFAD-8"}, {23, "V-5"}, {24, "0"}, {25, "90"}, {26, "5"}, {37, "15.45"}, {39, "北陸地質株式会社"},
             {40, "0776-00-1234"}, {51, "36"}, {52, "10"}, {53, "5.2"}, {54, "136"}, {55, "15"}, {56, "30.1"}})
        r.SetHeading(index, text);
    r.Table(borehole::TableId::Layer).SetCell(1, 0, "15.45");
    s.w.geometry.maxDepth = MaxDepthOf(r);
    QImage page;
    ASSERT_TRUE(RenderPageImage(s.Sources(), s.fonts, 1, 297, 420, kDpi, page));
    // The title part: from the paper's top to the top of the depth area (5 mm + 110 mm).
    const int titleBottom = static_cast<int>((5 + 110) * kDpi / 25.4) + 2;
    ExpectMatchesGolden(page.copy(0, 0, page.width(), titleBottom), "title_style3.png");
}

TEST(Golden, FirstPageOfACorpusFile) {
    const std::string file = stracol::testing::TestDataFile("v300/fukui_18000230751201304_BED0001.XML");
    Session s;
    borehole::OpenOptions options;
    options.rememberFolder = false;
    auto opened = app::OpenIntoWorkspace(s.w, file, s.messages, options);
    ASSERT_TRUE(opened.loaded) << opened.message;
    QImage page;
    ASSERT_TRUE(RenderPageImage(s.Sources(), s.fonts, 1, 297, 420, kDpi, page));
    ExpectMatchesGolden(page, "corpus_fukui_v300_page1.png");
}

}  // namespace
