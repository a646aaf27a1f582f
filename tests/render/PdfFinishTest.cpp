// What is added to a PDF after the writer: document information entries by an incremental
// update, and the text layer's names of glyphs that a font shares between two code points.

#include "render/PdfInfo.h"
#include "render/PdfTextMap.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using namespace stracol::render;

namespace {

// A small PDF in the writer's layout: catalog 1, pages 2, info 3, classic xref and trailer.
std::string MiniPdf(const std::string& info = "<<\n/Title <FEFF0041>\n/Creator (Stracol)\n>>") {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> at;
    at.push_back(pdf.size());
    pdf += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    at.push_back(pdf.size());
    pdf += "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    at.push_back(pdf.size());
    pdf += "3 0 obj\n" + info + "\nendobj\n";
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 4\n0000000000 65535 f \n";
    for (std::size_t offset : at) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<<\n/Size 4\n/Info 3 0 R\n/Root 1 0 R\n/ID [<0102> <0102>]\n>>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// A ToUnicode map in the writer's form: one bfchar line and ranges with an array, a single
// code and a span.
std::string FontWithMap(const std::string& filter = "") {
    const std::string cmap =
        "begincmap\n2 beginbfchar\n<0004> <301C>\n<301C> <0041>\nendbfchar\n"
        "3 beginbfrange\n<0001> <0003> [<571F> <301C> <2212>]\n<0005> <0005> <301C>\n<0006> <0007> <301C>\nendbfrange\n"
        "endcmap\n";
    return "5 0 obj\n<< /Type /Font /Subtype /Type0 /BaseFont /IPAPMincho /Encoding /Identity-H /ToUnicode 6 0 R >>\n"
           "endobj\n6 0 obj\n<< /Length " + std::to_string(cmap.size()) + filter + " >>\nstream\n" + cmap +
           "endstream\nendobj\n";
}

}  // namespace

// The token scanners the finishing step reads the writer's trailer and fonts with.
TEST(PdfInfo, ScannersReadNumbersAndReferencesAfterTheirKey) {
    EXPECT_EQ(SkipPdfBlanks(" \t\r\n\f\vX", 0), 6u);
    EXPECT_EQ(SkipPdfBlanks("X", 0), 0u);
    EXPECT_EQ(SkipPdfBlanks("ab  ", 2), 4u);

    const struct {
        const char* text;
        std::size_t from;
        bool found;
        long number;
        std::size_t at;
    } numbers[] = {
        {"/Size 12", 0, true, 12, 0},
        {"<< /Size\n\t 7 >>", 0, true, 7, 3},
        {"/Size12", 0, false, 0, 0},           // no blank after the key
        {"/Size /Count 5", 0, false, 0, 0},    // no number after it
        {"/Sizes 3 /Size 4", 0, true, 4, 9},   // a longer key is passed over
        {"/Size 1 /Size 2", 1, true, 2, 8},    // from an offset
        {"/Size", 0, false, 0, 0},
    };
    for (const auto& c : numbers) {
        SCOPED_TRACE(c.text);
        long number = -1;
        std::size_t at = 99;
        EXPECT_EQ(PdfNumberAfter(c.text, "/Size", number, c.from, &at), c.found);
        if (c.found) {
            EXPECT_EQ(number, c.number);
            EXPECT_EQ(at, c.at);
        }
    }

    const struct {
        const char* text;
        bool found;
        long object;
        long generation;
    } references[] = {
        {"/Info 3 0 R", true, 3, 0},
        {"/Info 12\n1\rR", true, 12, 1},
        {"/Info 3 0", false, 0, 0},
        {"/Info 3 0R", false, 0, 0},
        {"/Info 3 R", false, 0, 0},
        {"/Info 1 0 obj /Info 2 0 R", true, 2, 0},  // the first is no reference
    };
    for (const auto& c : references) {
        SCOPED_TRACE(c.text);
        long object = -1, generation = -1;
        EXPECT_EQ(PdfReferenceAfter(c.text, "/Info", object, generation), c.found);
        if (c.found) {
            EXPECT_EQ(object, c.object);
            EXPECT_EQ(generation, c.generation);
        }
    }
}

TEST(PdfInfo, TextStringsAreUtf16WithAByteOrderMark) {
    EXPECT_EQ(PdfTextString("No.1"), "<FEFF004E006F002E0031>");
    EXPECT_EQ(PdfTextString("調査～"), "<FEFF8ABF67FBFF5E>");
    EXPECT_EQ(PdfTextString("\xF0\xA0\xAE\xB7"), "<FEFFD842DFB7>");  // 𠮷, outside the BMP
    EXPECT_EQ(PdfTextString(""), "<FEFF>");
}

TEST(PdfInfo, UpdateRewritesTheInfoObjectAfterTheEndAndChainsTheTrailer) {
    const std::string pdf = MiniPdf();
    std::string update, error;
    ASSERT_TRUE(PdfInfoUpdate(pdf, {{"Subject", "姉川調査"}, {"Title", "other"}, {"Keywords", ""}}, update, error))
        << error;
    const std::string out = pdf + update;
    // The new Info object keeps the old entries, adds the subject, leaves the title alone.
    const std::size_t obj = out.rfind("3 0 obj\n");
    ASSERT_GE(obj, pdf.size());
    const std::string info = out.substr(obj, out.find("endobj", obj) - obj);
    EXPECT_NE(info.find("/Title <FEFF0041>"), std::string::npos) << info;
    EXPECT_NE(info.find("/Creator (Stracol)"), std::string::npos) << info;
    EXPECT_NE(info.find("/Subject " + PdfTextString("姉川調査")), std::string::npos) << info;
    EXPECT_EQ(info.find("other"), std::string::npos);
    EXPECT_EQ(info.find("/Keywords"), std::string::npos);
    // Its cross-reference entry gives its offset; the trailer points back to the old table.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(update, m, std::regex("xref\\n3 1\\n(\\d{10}) 00000 n \\n")));
    EXPECT_EQ(std::stoul(m[1].str()), obj);
    const std::size_t oldXref = pdf.find("xref\n");
    EXPECT_NE(update.find("/Prev " + std::to_string(oldXref) + "\n"), std::string::npos);
    EXPECT_NE(update.find("/Root 1 0 R"), std::string::npos);
    EXPECT_NE(update.find("/ID [<0102> <0102>]"), std::string::npos);
    ASSERT_TRUE(std::regex_search(update, m, std::regex("startxref\\n(\\d+)\\n%%EOF\\n$")));
    EXPECT_EQ(out.compare(std::stoul(m[1].str()), 5, "xref\n"), 0);
    EXPECT_EQ(out.substr(0, pdf.size()), pdf);  // nothing written before is changed
}

TEST(PdfInfo, NothingToAddGivesNoUpdate) {
    std::string update, error;
    ASSERT_TRUE(PdfInfoUpdate(MiniPdf(), {{"Title", "x"}, {"Subject", ""}}, update, error)) << error;
    EXPECT_TRUE(update.empty());
}

TEST(PdfInfo, FilesWithoutAReadableTrailerAreRefused) {
    const std::string pdf = MiniPdf();
    std::string broken = pdf;
    broken.replace(broken.find("/Info 3 0 R"), 11, "/Info 9 0 R");  // no such object
    const std::string cases[] = {"", "%PDF-1.4\nno trailer", pdf.substr(0, pdf.find("trailer")), broken};
    for (const std::string& bytes : cases) {
        std::string update, error;
        EXPECT_FALSE(PdfInfoUpdate(bytes, {{"Subject", "s"}}, update, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(update.empty());
    }
}

TEST(PdfTextMap, SharedGlyphsAreNamedByTheCp932CodePoint) {
    std::string bytes = MiniPdf() + FontWithMap();
    const std::size_t size = bytes.size();
    int asked = 0;
    const SameGlyph shared = [&](const std::string& font, char32_t a, char32_t b) {
        ++asked;
        EXPECT_EQ(font, "IPAPMincho");
        return a == 0x301C && b == 0xFF5E;  // the minus sign has a glyph of its own
    };
    EXPECT_EQ(PreferCp932CodePoints(bytes, shared, [](char32_t) { return false; }), 3);
    EXPECT_EQ(bytes.size(), size);  // in place: no offset moves
    EXPECT_NE(bytes.find("<0004> <FF5E>\n"), std::string::npos);     // bfchar destination
    EXPECT_NE(bytes.find("<301C> <0041>\n"), std::string::npos);     // a source code stays
    EXPECT_NE(bytes.find("[<571F> <FF5E> <2212>]"), std::string::npos);
    EXPECT_NE(bytes.find("<0005> <0005> <FF5E>\n"), std::string::npos);
    EXPECT_NE(bytes.find("<0006> <0007> <301C>\n"), std::string::npos);  // a span would shift
    EXPECT_EQ(asked, 2);  // once per font and pair
}

TEST(PdfTextMap, DataThatUsesTheOtherCodePointOrAnUnreadableMapIsLeftAlone) {
    struct Case {
        std::string bytes;
        bool shared;
        bool dataUsesLower;
    };
    const Case cases[] = {
        {MiniPdf() + FontWithMap(), true, true},                      // the data has U+301C itself
        {MiniPdf() + FontWithMap(), false, false},                    // the font has two glyphs
        {MiniPdf() + FontWithMap(" /Filter /FlateDecode"), true, false},  // compressed map
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes;
        EXPECT_EQ(PreferCp932CodePoints(
                      bytes, [&](const std::string&, char32_t, char32_t) { return c.shared; },
                      [&](char32_t) { return c.dataUsesLower; }),
                  0);
        EXPECT_EQ(bytes, c.bytes);
    }
}
