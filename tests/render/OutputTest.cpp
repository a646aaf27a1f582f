#include "render/Output.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <iterator>
#include <regex>
#include <sys/stat.h>

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Messages.h"
#include "geology/PatternColours.h"
#include "render/FontResolver.h"
#include "render/PageGeometry.h"
#include "style/BuiltInStyles.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"
#include "style/TitleForm.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"

using namespace stracol;
using namespace stracol::render;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("OutputTest");

struct PageListCase {
    const char* text;
    bool ok;
    std::vector<int> pages;
};

TEST(OutputPages, ParsePageList) {
    const PageListCase cases[] = {
        {"1-3,5", true, {1, 2, 3, 5}},
        {"2", true, {2}},
        {"4,2", true, {4, 2}},
        {"7-7", true, {7}},
        {"", false, {}},
        {"a", false, {}},
        {"0", false, {}},
        {"3-1", false, {}},
        {"1,,2", false, {}},
        {"1-", false, {}},
        {"1;2", false, {}},
        {"-2", false, {}},
        {"1-99999999", false, {}},
    };
    for (const PageListCase& c : cases) {
        std::vector<int> pages;
        std::string error;
        EXPECT_EQ(ParsePageList(c.text, pages, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(pages, c.pages) << c.text;
        } else {
            EXPECT_FALSE(error.empty()) << c.text;
        }
    }
}

TEST(OutputPages, PagesToDrawAndFileNames) {
    EXPECT_EQ(PagesToDraw({}, 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(PagesToDraw({2, 5, 0}, 3), (std::vector<int>{2}));
    EXPECT_TRUE(PagesToDraw({4}, 3).empty());
    EXPECT_EQ(PageFileName("out/log.png", 3, true), "out/log-3.png");
    EXPECT_EQ(PageFileName("out/log.png", 3, false), "out/log.png");
    EXPECT_EQ(PageFileName("out.d/log", 2, true), "out.d/log-2");
    EXPECT_EQ(PageFileName("a/.svg", 2, true), "a/.svg-2");
}

// A three-page log (25.3 m at 10 m per page with 1 m overlap) of built-in style 3.
class OutputTest : public ::testing::Test {
protected:
    OutputTest() {
        form.ApplyDefaults();
        style::ApplyStyleText(style, style::BuiltInStyleLines(3));
        record.Table(borehole::TableId::Layer).SetCell(1, 0, "5.0");
        record.Table(borehole::TableId::Layer).SetCell(1, 1, "粘土");
        record.Table(borehole::TableId::Layer).SetCell(2, 0, "25.3");
        record.Table(borehole::TableId::Layer).SetCell(2, 1, "砂");
        record.SetHeading(5, "BV-17");
        g.depthPerPage = 10;
        g.pageOverlap = 1;
        g.maxDepth = MaxDepthOf(record);
    }

    LogSources Sources() {
        LogSources s{g, settings, fonts, style, form, record, colours, &messages, {}, {}, {}, {}, nullptr, {}};
        return s;
    }

    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    stracol::testing::TempDir dir;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm form;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    core::RecordingMessages messages;
    FontResolver resolver;
};

TEST_F(OutputTest, PdfHoldsEveryPageWithEmbeddedFonts) {
    ::umask(022);
    const std::string path = dir.File("log.pdf");
    OutputResult result = WritePdf(Sources(), resolver, path, PagesToDraw({}, PageCount(g)), 297, 420);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"log.pdf"}));
    const std::string pdf = Slurp(path);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 3);
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
    // Made like any new file (0666 less the umask), not private like a temporary file.
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0644));
    // The print loop leaves the geometry on page 1.
    EXPECT_EQ(g.currentPage, 1);
    EXPECT_FALSE(g.printing);
}

// The output of a command (stdout), or nullopt when it cannot be run.
std::optional<std::string> CommandOutput(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    if (::pclose(pipe) != 0) return std::nullopt;
    return out;
}

std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) out += c;
    return out;
}

TEST_F(OutputTest, PdfTextKeepsTheDatasCodePointsAndTheInfoNamesTheBoringAndSurvey) {
    // U+FF5E, as every CP932 file decodes "～"; the IPA fonts draw U+301C with the same glyph.
    record.SetHeading(1, "姉川～米原調査");
    record.SetHeading(5, " BV-17 ");
    const std::string path = dir.File("log.pdf");
    OutputResult result = WritePdf(Sources(), resolver, path, {1}, 297, 420);
    ASSERT_TRUE(result.ok) << result.error;
    const auto text = CommandOutput("pdftotext -raw -enc UTF-8 '" + path + "' - 2>&1");
    ASSERT_TRUE(text) << "pdftotext (poppler-utils) failed on " << path;
    EXPECT_NE(Squeezed(*text).find("姉川～米原調査"), std::string::npos) << *text;
    EXPECT_EQ(text->find("〜"), std::string::npos);
    const auto info = CommandOutput("pdfinfo '" + path + "' 2>&1");
    ASSERT_TRUE(info) << "pdfinfo failed on " << path;
    EXPECT_NE(info->find("Title:           BV-17\n"), std::string::npos) << *info;
    EXPECT_NE(info->find("Subject:         姉川～米原調査\n"), std::string::npos) << *info;
    EXPECT_NE(info->find("Creator:         Stracol\n"), std::string::npos) << *info;
    EXPECT_EQ(info->find("Error"), std::string::npos) << *info;  // the update reads cleanly
    EXPECT_NE(info->find("Pages:           1\n"), std::string::npos) << *info;
}

TEST_F(OutputTest, PngOnePerPageAtTheResolution) {
    const std::string path = dir.File("log.png");
    OutputResult result = WritePng(Sources(), resolver, path, {1, 3}, 210, 297, 96);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.files, (std::vector<std::string>{dir.File("log-1.png"), dir.File("log-3.png")}));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"log-1.png", "log-3.png"}));
    QImage image(QString::fromStdString(dir.File("log-1.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 794);    // 210 mm at 96 dpi
    EXPECT_EQ(image.height(), 1123);  // 297 mm
    EXPECT_NEAR(image.dotsPerMeterX(), 96 / 0.0254, 1);
    int ink = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff) ++ink;
    EXPECT_GT(ink, 1000);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1) & 0xffffff, 0xffffffu);
}

TEST_F(OutputTest, OnePageKeepsTheNameAsGiven) {
    const std::string path = dir.File("page2.png");
    OutputResult result = WritePng(Sources(), resolver, path, {2}, 210, 297, 48);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(Listing(), (std::vector<std::string>{"page2.png"}));
}

TEST_F(OutputTest, MissingPagesAndUnwritableFoldersFailWithoutFiles) {
    OutputResult none = WritePdf(Sources(), resolver, dir.File("none.pdf"), {7}, 297, 420);
    EXPECT_FALSE(none.ok);
    EXPECT_FALSE(none.error.empty());
    const std::string missing = dir.File("no/such/folder/log.pdf");
    OutputResult pdf = WritePdf(Sources(), resolver, missing, {1}, 297, 420);
    EXPECT_FALSE(pdf.ok);
    EXPECT_NE(pdf.error.find("cannot create"), std::string::npos) << pdf.error;
    OutputResult png = WritePng(Sources(), resolver, dir.File("no/such/log.png"), {1}, 297, 420, 96);
    EXPECT_FALSE(png.ok);
    EXPECT_TRUE(Listing().empty());
}

TEST_F(OutputTest, AFailedOutputLeavesTheOldFileAlone) {
    const std::string path = dir.File("log.pdf");
    std::ofstream(path) << "old";
    OutputResult result = WritePdf(Sources(), resolver, path, {9}, 297, 420);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"log.pdf"}));
}

// A page device that writes itself as an image when it is finished.
class SelfSavingImage : public QImage {
public:
    SelfSavingImage(const PageDeviceDef& def)
        : QImage(def.widthPx, def.heightPx, QImage::Format_RGB32), m_path(def.path) {}
    ~SelfSavingImage() override { save(QString::fromStdString(m_path), "PNG"); }

private:
    std::string m_path;
};

TEST_F(OutputTest, PageDevicesGetThePaperInPixels) {
    std::vector<PageDeviceDef> defs;
    auto factory = [&](const PageDeviceDef& def) -> std::unique_ptr<QPaintDevice> {
        defs.push_back(def);
        return std::make_unique<SelfSavingImage>(def);
    };
    OutputResult result = WritePageDevices(Sources(), resolver, dir.File("log.img"), {}, 297, 420, 72, factory);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(defs.size(), 3u);
    EXPECT_EQ(defs[0].widthPx, 842);   // 297 mm at 72 dpi
    EXPECT_EQ(defs[0].heightPx, 1191);
    EXPECT_EQ(defs[0].dpi, 72);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"log-1.img", "log-2.img", "log-3.img"}));
    QImage first(QString::fromStdString(dir.File("log-1.img")), "PNG");
    EXPECT_EQ(first.size(), QSize(842, 1191));
}

}  // namespace
