#include "borehole/OlderFormatReader.h"

#include "borehole/DocumentOpen.h"
#include "borehole/PostLoad.h"
#include "borehole/SoilName.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "geology/BuiltInTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace stracol;
using namespace stracol::borehole;

namespace {

const geology::NameTable& Names() {
    static const geology::NameTable names = geology::BuiltInNameTable(0);
    return names;
}

// A data file as it lies on disk: CP932, every line ended by CR LF, opened by the Open command.
struct Loaded {
    BoreholeRecord record;
    core::RecordingMessages messages;
    OpenResult result;

    explicit Loaded(const std::vector<std::string>& lines, OpenOptions options = {}) {
        record.SetHeading(1, "previous data");
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        options.rememberFolder = false;
        options.writeReformatFile = false;
        result = OpenDocumentBytes(core::Utf8ToCp932(text), "fixture.tlw", record, Names(), ".", messages, nullptr, options);
    }
    const std::string& Cell(TableId id, int row, int column) const { return record.Table(id).Cell(row, column); }
    int Rows(TableId id) const { return record.Table(id).RowCount(); }
    bool HasMessage(const std::string& part) const {
        for (const auto& e : messages.entries)
            if (e.text.find(part) != std::string::npos) return true;
        return false;
    }
};

std::vector<std::string> Tessel(std::vector<std::string> body) {
    body.insert(body.begin(), "$$_TQTOK1");
    body.emplace_back("$$_");
    return body;
}

std::vector<std::string> Token(const char* magic, std::vector<std::string> body) {
    body.insert(body.begin(), magic);
    return body;
}

}  // namespace

// ---- Tessel v1: every data section ----

TEST(TesselReader, EachSectionFillsItsTableFromRowOne) {
    struct Case {
        const char* section;
        const char* record;
        TableId table;
        int column;
        const char* expected;
    };
    const Case cases[] = {
        {"$$C_", "1.15,10/30,3/10,3/10,4/10,1,label,x,", TableId::Spt, 7, "x"},
        {"$$c_", "2.0,a,b,c,", TableId::AuxC, 3, "c"},
        {"$$E_", "1.0,1.5,P-1,T,test,", TableId::Sample, 3, "T"},
        {"$$e_", "3.0,rd2,rc1,", TableId::Density, 1, "rd2"},
        {"$$G_", "4.0,4.0,孔内載荷試験,12.5,,,,7,", TableId::Insitu, 3, "12.5"},
        {"$$H_", "5.0,66,B1,崩壊,,T2-66,", TableId::Hole, 5, "T2-66"},
        {"$$I_", "6.0,SM,", TableId::Material, 1, "SM"},
        {"$$J_", "7.0,05/10,,,,,,,,1,,", TableId::Drill, 1, "05/10"},
        {"$$k_", "8.0,備考,1,", TableId::Remark, 1, "備考"},
        {"$$N_", "0.0,9.0,沖積層,", TableId::Era, 2, "沖積層"},
        {"$$n_", "0.0,9.0,Ac,", TableId::Strata, 2, "Ac"},
        {"$$m_", "9.0,12,", TableId::CoreMass, 1, "12"},
        {"$$O_", "1.0,95,2,0,", TableId::Recovery, 1, "95"},
        {"$$o_", "1.0,30,80,32,", TableId::CoreLength, 2, "80"},
        {"$$R_", "1.0,2.0,流動層,", TableId::TracerResult, 2, "流動層"},
        {"$$S_", "1.0,A,III,b,w2,hm1,,,CH,", TableId::Property, 1, "1.0"},
        {"$$S_", "1.0,A,III,b,w2,hm1,,,CH,", TableId::Property, 9, "CH"},
        {"$$T_", "10.0,有孔区間,", TableId::Casing, 1, "有孔区間"},
        {"$$U_", "1.0,5.0,間隙水圧計,", TableId::Instrument, 2, "間隙水圧計"},
        {"$$V_", "2.0,3.0,粘土状,48,", TableId::Fault, 2, "粘土状"},
        {"$$v_", "2.0,3.0,C,", TableId::Crush, 2, "C"},
        {"$$W_", "-2.35,05/10,清水位,7,,,,,", TableId::Water, 0, "-2.35"},
        {"$$w_", "2.35,,-2.35,,清水位,,2008/05/10,,", TableId::WaterLog, 6, "2008/05/10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " " + c.record);
        Loaded l(Tessel({c.section, c.record}));
        ASSERT_TRUE(l.result.loaded) << l.result.message;
        EXPECT_EQ(l.result.formatCode, 510);
        EXPECT_EQ(l.Rows(c.table), 1);
        EXPECT_EQ(l.Cell(c.table, 1, c.column), c.expected);
    }
}

TEST(TesselReader, LayerRecordsKeepTheirPatternUnlessAskedToRecompute) {
    const auto lines = Tessel({"$$A_", "5.20,砂礫,,,52.3,,471,Gr,", "8.00,粘土,,,,,471,,"});
    Loaded kept(lines);
    EXPECT_EQ(kept.Cell(TableId::Layer, 1, 0), "5.20");
    EXPECT_EQ(kept.Cell(TableId::Layer, 1, 1), "砂礫");
    EXPECT_EQ(kept.Cell(TableId::Layer, 1, 4), "52.3");  // already a number
    EXPECT_EQ(kept.Cell(TableId::Layer, 1, 7), "Gr");    // not empty
    // An empty pattern code and symbol are filled from the name.
    const NameDecomposition clay = DecomposeName(Names(), "粘土", "");
    EXPECT_EQ(kept.Cell(TableId::Layer, 2, 4), PatternCodeText(clay));
    EXPECT_EQ(kept.Cell(TableId::Layer, 2, 7), clay.symbol);

    OpenOptions recompute;
    recompute.recomputeLayerPatterns = true;
    Loaded fresh(Tessel({"$$A_", "5.20,砂礫,粘土,,52.3,,471,Gr,"}), recompute);
    const NameDecomposition gravel = DecomposeName(Names(), "砂礫", "");
    EXPECT_EQ(fresh.Cell(TableId::Layer, 1, 4), PatternCodeText(gravel));
    EXPECT_EQ(fresh.Cell(TableId::Layer, 1, 7), gravel.symbol);
    EXPECT_EQ(fresh.Cell(TableId::Layer, 1, 5), std::to_string(clay.patternNumber));
}

TEST(TesselReader, SectionHeaderWithoutUnderscoreAndUnknownLettersAndEmptyLines) {
    Loaded l(Tessel({"$$Y_", "1.0,ignored,", "$$A", "", "1.0,砂,", "", "2.0,粘土,", "$$%_", "3.0,礫,"}));
    ASSERT_TRUE(l.result.loaded);
    EXPECT_EQ(l.Rows(TableId::Layer), 2);
    EXPECT_EQ(l.Cell(TableId::Layer, 2, 1), "粘土");
}

TEST(TesselReader, TheEndLineEndsTheData) {
    Loaded l({"$$_TQTOK1", "$$A_", "1.0,砂,", "$$_", "2.0,粘土,", "$$C_", "1.0,5,", ""});
    EXPECT_EQ(l.Rows(TableId::Layer), 1);
    EXPECT_EQ(l.Rows(TableId::Spt), 0);
}

TEST(TesselReader, TooManyFieldsAreIgnoredAndRowsBeyondTheTableAreDropped) {
    std::string wide = "1.0";
    for (int i = 1; i < 30; ++i) wide += ",f" + std::to_string(i);
    std::vector<std::string> body = {"$$A_", wide};
    for (int i = 2; i <= 201; ++i) body.push_back(std::to_string(i) + ".0,砂,");
    Loaded l(Tessel(body));
    const DepthTable& t = l.record.Table(TableId::Layer);
    EXPECT_EQ(t.Cell(1, 14), "f14");  // the last column of the table
    EXPECT_EQ(t.RowCount(), 200);
    EXPECT_EQ(t.Cell(200, 0), "200.0");
    ASSERT_EQ(l.record.dropped.size(), 1u);
    EXPECT_EQ(l.record.dropped[0].count, 1);
    EXPECT_TRUE(l.HasMessage("$$A_ 1件"));
}

TEST(TesselReader, ArticleRecordsSpanLinesUpToTheBellLine) {
    Loaded l(Tessel({"$$K_", "0.00", "1.50", "", "灰色を呈する。", "", "含水多い。", "\x07", "1",
                     "1.50", "3.00", "", "礫混じり。", "\x07", "0", "$$C_", "1.0,5/30,"}));
    ASSERT_EQ(l.Rows(TableId::Article), 2);
    EXPECT_EQ(l.Cell(TableId::Article, 1, 3), "灰色を呈する。\r\n\r\n含水多い。");
    EXPECT_EQ(l.Cell(TableId::Article, 1, 4), "1");
    EXPECT_EQ(l.Cell(TableId::Article, 2, 0), "1.50");
    EXPECT_EQ(l.Cell(TableId::Article, 2, 3), "礫混じり。");
    EXPECT_EQ(l.Cell(TableId::Article, 2, 4), "0");
    EXPECT_EQ(l.Rows(TableId::Spt), 1);
}

TEST(TesselReader, HeadingLinesAndTheCoordinateSplit) {
    std::vector<std::string> body = {"$$Z_"};
    for (int i = 1; i <= 121; ++i) body.push_back("h" + std::to_string(i));
    body[1] = "調査名, 第2工区";
    body[5] = "";
    Loaded all(Tessel(body));
    EXPECT_EQ(all.record.Heading(1), "調査名, 第2工区");  // the whole line, commas included
    EXPECT_EQ(all.record.Heading(5), "");                 // an empty heading still takes its index
    EXPECT_EQ(all.record.Heading(6), "h6");
    EXPECT_EQ(all.record.Heading(120), "h120");
    EXPECT_EQ(all.record.Heading(71), "h71");  // a Tessel v1 file keeps its own 71 and 72

    // Index 15 splits the coordinates of 14 and 15 into 51 to 56 (later lines may still
    // give those indices their own text).
    body.resize(16);
    body[14] = "36,00,32.98";
    body[15] = "136,09,38.21";
    Loaded split(Tessel(body));
    EXPECT_EQ(split.record.Heading(51), "36");
    EXPECT_EQ(split.record.Heading(52), "00");
    EXPECT_EQ(split.record.Heading(53), "32.98");
    EXPECT_EQ(split.record.Heading(54), "136");
    EXPECT_EQ(split.record.Heading(56), "38.21");
}

TEST(TesselReader, LugeonPointsTracerValuesAndAuxTableF) {
    Loaded l(Tessel({"$$P_", "1,10.0,15.0,1.2,3.5,,,,,,0.1,2.0,0.2,4.0,x,9,",
                     "$$r_", "5.0,,12.5,13.0,14.5,", "$$F_", "3,head,", "1.0,a,", "2.0,b,"}));
    EXPECT_EQ(l.Cell(TableId::Lugeon, 1, 4), "3.5");
    EXPECT_EQ(l.Cell(TableId::Lugeon, 1, 10), "0.1,2.0,0.2,4.0,");  // up to the first field that is no number
    EXPECT_EQ(l.Cell(TableId::TracerDetail, 1, 2), "12.5,13.0,14.5");
    EXPECT_EQ(l.Cell(TableId::AuxF, 0, 1), "head");
    EXPECT_EQ(l.record.auxFCount, 3);
    EXPECT_EQ(l.Rows(TableId::AuxF), 2);
    EXPECT_EQ(l.Cell(TableId::AuxF, 2, 1), "b");
}

TEST(TesselReader, StyleSectionsAreKeptAsStyleText) {
    Loaded l(Tessel({"$$z_", "岩盤柱状図,", "\"名, 前\",", "$$X_", "1001 標尺,5,標尺", "$$t_", ":凡例35%65%N値,,,,,,,,,@1"}));
    ASSERT_TRUE(l.result.loaded);
    EXPECT_EQ(l.record.styleLines,
              (std::vector<std::string>{"$$z_", "岩盤柱状図", "名, 前", "$$X_", "1001 標尺,5,標尺", "$$t_",
                                        ":凡例35%65%N値,,,,,,,,,@1"}));
}

TEST(TesselReader, FilesThatAreNotValidLeaveTheRecordAsItWas) {
    const std::vector<std::vector<std::string>> invalid = {
        {"$$A_", "1.0,砂,"},                       // no magic line
        {"$$_TQTOK1"},                              // the magic and nothing else
        {"$$_TQTOK1", "$$A_", "GL-1,砂,", "$$_"},   // no record that can be read
    };
    for (const auto& lines : invalid) {
        SCOPED_TRACE(lines.size());
        Loaded l(lines);
        EXPECT_FALSE(l.result.loaded);
        EXPECT_EQ(l.result.message, "読み込み可能な柱状図データファイルではありません");
        EXPECT_EQ(l.record.Heading(1), "previous data");
    }
}

TEST(TesselReader, DepthsThatAreNoNumberOrBeyondAnyBoreholeSkipTheRecordAndSaySo) {
    Loaded l(Tessel({"$$A_", "NaN,砂,", "1e99,礫,", "2.0,粘土,", "$$K_", "0.0", "1e400", "", "text", "\x07", "0"}));
    ASSERT_TRUE(l.result.loaded);
    EXPECT_EQ(l.Rows(TableId::Layer), 1);
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 1), "粘土");
    EXPECT_EQ(l.Rows(TableId::Article), 0);
    EXPECT_EQ(l.record.skippedCount, 3);
    EXPECT_TRUE(l.HasMessage("fixture.tlw"));
    EXPECT_TRUE(l.HasMessage("LayerTable 第1欄「NaN」"));
}

TEST(TesselReader, ReadsACp932FileWithCrLfFromDisk) {
    stracol::testing::TempDir dir;
    const std::string path = dir.Write("on-disk.tlw", core::Utf8ToCp932("$$_TQTOK1\r\n$$Z_\r\n調査名\r\n$$A_\r\n1.0,砂礫,\r\n$$_\r\n"));
    BoreholeRecord record;
    core::RecordingMessages messages;
    OpenOptions options;
    options.rememberFolder = false;
    const OpenResult result = OpenDocument(path, record, Names(), dir.Path(), messages, nullptr, options);
    ASSERT_TRUE(result.loaded);
    EXPECT_EQ(record.Heading(1), "調査名");
    EXPECT_EQ(record.Table(TableId::Layer).Cell(1, 1), "砂礫");
}

// ---- token formats ----

TEST(TokenReader, SectionsThatDifferFromTessel) {
    Loaded l(Token("$$_JTOKEN5", {"$$B_", "3.0,05/10,1,2,3,4,5,6,w1,,,x,", "$$J_", "9.0,ignored,",
                                  "$$N_", "0.0,5.0,洪積層,", "$$O_", "1.0,95,", "2.0,欠損,",
                                  "$$o_", "1.0,30,80,32,", "$$Q_", "10,20,30", "1.0,5.5,6.5,x,7",
                                  "$$r_", "4.0,備考,1,", "$$K_", "0.0", "1.0", "", "観察記事", "@ 以下", "1"}));
    ASSERT_TRUE(l.result.loaded) << l.result.message;
    EXPECT_EQ(l.Rows(TableId::Drill), 1);
    EXPECT_EQ(l.Cell(TableId::Drill, 1, 11), "");  // 11 fields
    EXPECT_EQ(l.Cell(TableId::Era, 1, 2), "洪積層");
    EXPECT_EQ(l.Cell(TableId::Strata, 1, 2), "洪積層");
    EXPECT_EQ(l.Cell(TableId::Recovery, 1, 3), "2");
    EXPECT_EQ(l.Cell(TableId::Recovery, 2, 3), "");
    EXPECT_EQ(l.Cell(TableId::CoreLength, 1, 4), "1");
    EXPECT_EQ(l.record.Heading(73), "10,20,30");
    EXPECT_EQ(l.Cell(TableId::TracerDetail, 1, 0), "1.0");
    EXPECT_EQ(l.Cell(TableId::TracerDetail, 1, 1), "0");
    EXPECT_EQ(l.Cell(TableId::TracerDetail, 1, 3), "5.5,6.5");
    EXPECT_EQ(l.Cell(TableId::Remark, 1, 1), "備考");
    EXPECT_EQ(l.Cell(TableId::Article, 1, 3), "観察記事");
    EXPECT_EQ(l.Cell(TableId::Article, 1, 4), "1");
    EXPECT_EQ(l.record.Heading(71), "1");  // the common post-load step
}

TEST(TokenReader, ColumnMovesPutTheRecordsIntoTheRecordLayout) {
    Loaded l(Token("$$_PGTOKEN5", {"$$A_", "2.0,砂,", "5.0,粘土,", "$$S_", "5.00004,暗灰,", "7.5,褐,", "9.0,,",
                                   "$$E_", "1.0,1.5,250,P-1,", "2.0,2.5,砂質,P-2,", "$$G_", "3.0,3.5,12.5,孔内載荷試験,",
                                   "$$H_", "5.0,66,2,,清水,", "$$B_", "5.0,2019-05-10,,,,,,,", "4.0,05/09,,,,,,,無水,"}));
    ASSERT_TRUE(l.result.loaded) << l.result.message;
    // Property/colour merge: into the layer of the same depth, else appended; then sorted.
    ASSERT_EQ(l.Rows(TableId::Layer), 3);
    EXPECT_EQ(l.Cell(TableId::Layer, 2, 3), "暗灰");
    EXPECT_EQ(l.Cell(TableId::Layer, 2, 6), "32");
    EXPECT_EQ(l.Cell(TableId::Layer, 3, 0), "7.5");
    EXPECT_EQ(l.Cell(TableId::Layer, 3, 3), "褐");
    // Samples: number and method change places, the method becomes its letter.
    EXPECT_EQ(l.Cell(TableId::Sample, 1, 2), "P-1");
    EXPECT_EQ(l.Cell(TableId::Sample, 1, 3), "T");
    EXPECT_EQ(l.Cell(TableId::Sample, 2, 3), "砂質");
    // In-situ tests: name before result, the kind 85.
    EXPECT_EQ(l.Cell(TableId::Insitu, 1, 2), "孔内載荷試験");
    EXPECT_EQ(l.Cell(TableId::Insitu, 1, 3), "12.5");
    EXPECT_EQ(l.Cell(TableId::Insitu, 1, 7), "85");
    // Hole: wall protection code text; its water kind goes to the drilling row of its depth.
    EXPECT_EQ(l.Cell(TableId::Hole, 1, 2), "B2");
    ASSERT_EQ(l.Rows(TableId::Drill), 2);
    EXPECT_EQ(l.Cell(TableId::Drill, 1, 0), "4.0");  // sorted by depth
    EXPECT_EQ(l.Cell(TableId::Drill, 1, 8), "w1");
    EXPECT_EQ(l.Cell(TableId::Drill, 2, 1), "05/10");
    EXPECT_EQ(l.Cell(TableId::Drill, 2, 8), "w2");
}

TEST(TokenReader, KindBCopiesWaterLevelsAndHarbourDataLosesHeadings48To50) {
    Loaded b(Token("$$_BTOKEN1", {"$$W_", "-2.35,05/10,清水位,7,,,,,"}));
    EXPECT_EQ(b.Cell(TableId::WaterLog, 1, 0), "-2.35");
    EXPECT_EQ(b.Cell(TableId::WaterLog, 1, 3), "7");
    std::vector<std::string> heading = {"$$Z_"};
    for (int i = 1; i <= 50; ++i) heading.push_back("h" + std::to_string(i));
    Loaded h(Token("$$_HTOKEN1", heading));
    EXPECT_EQ(h.record.Heading(47), "h47");
    EXPECT_EQ(h.record.Heading(48), "");
    EXPECT_EQ(h.record.Heading(50), "");
}

TEST(PostLoad, PropertyColourMergeMatchesDepthsLessThanATenthOfAMillimetreApart) {
    BoreholeRecord r;
    r.Table(TableId::Layer).SetCell(1, 0, "5.000");
    r.Table(TableId::Property).SetCell(1, 1, "5.00009");
    r.Table(TableId::Property).SetCell(1, 2, "灰");
    r.Table(TableId::Property).SetCell(2, 1, "5.0002");
    r.Table(TableId::Property).SetCell(2, 2, "褐");
    MergePropertyColours(r, kMergedColourFlag);
    EXPECT_EQ(r.Table(TableId::Layer).Cell(1, 3), "灰");
    EXPECT_EQ(r.Table(TableId::Layer).Cell(2, 0), "5.0002");
    EXPECT_EQ(r.Table(TableId::Layer).Cell(2, 3), "褐");
}

// ---- one value per line ----

TEST(NValueText, SumsTheThreeIncrements) {
    struct Case {
        const char *a, *b, *c, *expected;
    };
    const Case cases[] = {
        {"10/10", "12/10", "8/10", "30"},  {"50/3", "", "", "50/3"},  {"4", "5", "6", "15"},
        {"", "", "", ""},                  {"x", "-", "", " 0/10"},    {"5/", "5/10", "5", "15"},
        {"900/10", "900/10", "9/10", "999"}, {"3/5", "", "", " 3/5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b + " " + c.c);
        EXPECT_EQ(NValueText(c.a, c.b, c.c), c.expected);
    }
}

TEST(OneValueReader, TpjSectionsInTheirFixedOrder) {
    Loaded l({"TPJ 柱状図", "調査名", "skipped", "工事名", "", "B-1", "福井市", "36,00,32", "136,09,38", "-1",
              "2.0", "砂・礫", "灰", "5.0", "粘土（有機質）", "暗灰", "-1",
              "1.15", "10/10", "12/10", "8/10", "3.15", "50/3", "", "", "-1",
              "1.0", "1.5", "P-1", "T", "-1",
              "0.0", "5.0", "沖積層", "-1",
              "5.0", "05/10", "-1",
              "2.35", "", "清水位", "05/10", "3.0", "3.5", "孔内載荷試験", "12.5", "-1"});
    ASSERT_TRUE(l.result.loaded) << l.result.message;
    EXPECT_EQ(l.result.formatCode, 2);
    EXPECT_EQ(l.record.Heading(1), "調査名");
    EXPECT_EQ(l.record.Heading(2), "工事名");
    EXPECT_EQ(l.record.Heading(5), "B-1");
    EXPECT_EQ(l.record.Heading(3), "福井市");
    EXPECT_EQ(l.record.Heading(53), "32");
    EXPECT_EQ(l.record.Heading(54), "136");
    ASSERT_EQ(l.Rows(TableId::Layer), 2);
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 1), "砂");
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 2), "礫");
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 3), "灰");
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 4), PatternCodeText(DecomposeName(Names(), "砂", "")));
    EXPECT_EQ(l.Cell(TableId::Layer, 2, 1), "粘土");
    EXPECT_EQ(l.Cell(TableId::Layer, 2, 2), "有機質");
    EXPECT_EQ(l.Cell(TableId::Spt, 1, 1), "30");
    EXPECT_EQ(l.Cell(TableId::Spt, 2, 1), "50/3");
    EXPECT_EQ(l.Cell(TableId::Sample, 1, 3), "T");
    EXPECT_EQ(l.Cell(TableId::Era, 1, 2), "沖積層");
    EXPECT_EQ(l.Cell(TableId::Drill, 1, 1), "05/10");
    EXPECT_EQ(l.Cell(TableId::Water, 1, 0), "-2.35");
    EXPECT_EQ(l.Cell(TableId::Water, 1, 1), "05/10");
    EXPECT_EQ(l.Cell(TableId::Water, 1, 2), "清水位");
    EXPECT_EQ(l.Cell(TableId::Insitu, 1, 2), "孔内載荷試験");
    EXPECT_EQ(l.Cell(TableId::Insitu, 1, 7), "85");
}

TEST(OneValueReader, GtjRockLogSectionsAndTheDocumentHeadingTable) {
    OpenOptions options;
    options.headingLines = {5, 1};  // the document's table decides where each heading line goes
    Loaded l({"GTJ 岩盤柱状図", "B-7", "岩盤調査", "-1", "3.0", "花崗岩", "", "-1", "1.0", "5/10", "", "", "-1", "-1",
              "-1", "-1", "-1", "-1", "0.0", "3.0", "風化著しい", "-1"},
             options);
    ASSERT_TRUE(l.result.loaded) << l.result.message;
    EXPECT_EQ(l.result.formatCode, 3);
    EXPECT_EQ(l.record.Heading(5), "B-7");
    EXPECT_EQ(l.record.Heading(1), "岩盤調査");
    EXPECT_EQ(l.Cell(TableId::Layer, 1, 1), "花崗岩");
    EXPECT_EQ(l.Cell(TableId::Spt, 1, 1), " 5/10");
    EXPECT_EQ(l.Cell(TableId::Article, 1, 3), "風化著しい");
    EXPECT_EQ(l.Cell(TableId::Article, 1, 4), "0");
}

TEST(DocumentHeadingTable, HoldsTheTwentyIndices) {
    EXPECT_EQ(kDocumentHeadingLines,
              (HeadingLineIndices{1, 0, 2, 0, 5, 3, 14, 15, 4, 6, 39, 40, 16, 13, 20, 21, 22, 23, 0, 0}));
}
