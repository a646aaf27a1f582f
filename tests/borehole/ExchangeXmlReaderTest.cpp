#include "borehole/ExchangeXmlReader.h"

#include "borehole/SoilName.h"
#include "core/Messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace stracol;
using namespace stracol::borehole;

namespace {

const geology::NameTable& Names() {
    static const geology::NameTable names = geology::BuiltInNameTable(0);
    return names;
}

// Feeds the lines of text (LF-separated) to a fresh reader, inside a data set unless told.
struct Reading {
    BoreholeRecord record;
    core::RecordingMessages messages;

    void Read(const std::string& body, int code, bool wrap = true) {
        ExchangeXmlReader reader(record, Names(), messages);
        std::string text = wrap ? "<ボーリング情報 DTD_version=\"x\">\n" + body + "\n</ボーリング情報>" : body;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) reader.ReadLine(line, code);
    }
    const std::string& Cell(TableId id, int row, int column) const { return record.Table(id).Cell(row, column); }
    int Rows(TableId id) const { return record.Table(id).RowCount(); }
};

std::string RockSoilRecord(const std::string& depth, const std::string& nameLine) {
    return "<岩石土区分>\n<岩石土区分_下端深度>" + depth + "</岩石土区分_下端深度>\n" + nameLine + "\n</岩石土区分>";
}

}  // namespace

TEST(ExchangeXmlReader, ElementContentIsStoredAndAnEmptyElementStoresNothing) {
    struct Case {
        const char* nameLine;
        const char* expected;
    } cases[] = {
        {"<岩石土区分_岩石土名>砂礫</岩石土区分_岩石土名>", "砂礫"},
        {"<岩石土区分_岩石土名/>", ""},
        {"<岩石土区分_岩石土名></岩石土区分_岩石土名>", ""},
        {"<岩石土区分_岩石土名>砂&amp;礫 &lt;1&gt; &#x7802;&#31019;</岩石土区分_岩石土名>", "砂&礫 <1> 砂礫"},
        {"<岩石土区分_岩石土名>&bogus; &#0; &#xD800; A&B</岩石土区分_岩石土名>", "&bogus; &#0; &#xD800; A&B"},
    };
    for (const Case& c : cases) {
        Reading r;
        r.Read(RockSoilRecord("2.50", c.nameLine), 204);
        SCOPED_TRACE(c.nameLine);
        ASSERT_EQ(r.Rows(TableId::Layer), 1);
        EXPECT_EQ(r.Cell(TableId::Layer, 1, 0), "2.50");
        EXPECT_EQ(r.Cell(TableId::Layer, 1, 1), c.expected);
        EXPECT_EQ(r.Cell(TableId::Layer, 1, 6), "471");
        EXPECT_EQ(r.Cell(TableId::Layer, 1, 10), "・");
    }
}

TEST(ExchangeXmlReader, TagsAreReadWhateverTheirBlanksAttributesAndLength) {
    const std::string name = "岩石土区分_岩石土名";
    const std::string open = "<" + name + ">";
    const std::string close = "</" + name + ">";
    const std::string longText = "砂礫混じりシルト質粘土（やや固結）";
    struct Case {
        std::string nameLine;
        std::string expected;
    } cases[] = {
        {"<" + name + " >砂礫</" + name + " >", "砂礫"},
        {"<" + name + " id=\"1\">砂礫" + close, "砂礫"},
        {"<" + name + "\t/>", ""},
        {"<" + name + " />", ""},
        {"< " + name + ">砂礫" + close, ""},                          // no name before the blank
        {open + "砂礫</" + name, "砂礫"},                              // the closing tag is cut
        {std::string(40, ' ') + open + "砂礫" + close, "砂礫"},        // a long indent
        {open + longText + close, longText},                           // content longer than a step of the search
        {"<岩石土区分_岩石土名X>砂礫</岩石土区分_岩石土名X>", ""},     // names one byte longer or shorter,
        {"<岩石土区分_岩石土>砂礫</岩石土区分_岩石土>", ""},           // or differing in one character,
        {"<岩石土区分_岩石石名>砂礫</岩石土区分_岩石石名>", ""},       // name no element
        {"<岩石土区分_岩石土記号>Gr</岩石土区分_岩石土記号>" + open + "砂礫" + close, "砂礫"},
    };
    for (const Case& c : cases) {
        Reading r;
        r.Read(RockSoilRecord("2.50", c.nameLine), 204);
        SCOPED_TRACE(c.nameLine);
        ASSERT_EQ(r.Rows(TableId::Layer), 1);
        EXPECT_EQ(r.Cell(TableId::Layer, 1, 1), c.expected);
        EXPECT_TRUE(r.messages.entries.empty());
    }

    // Short names (fewer than eight bytes) and a NUL byte far into a tag, beyond the first
    // sixteen bytes that are looked at together.
    Reading rqd;
    rqd.Read("<RQD><RQD_下端深度>1.00</RQD_下端深度><RQD_RQD>50</RQD_RQD></RQD>", 204);
    EXPECT_EQ(rqd.Cell(TableId::CoreLength, 1, 0), "1.00");
    EXPECT_EQ(rqd.Cell(TableId::CoreLength, 1, 2), "50");
    Reading nul;
    nul.Read(RockSoilRecord("2.50", "<" + name + std::string("\0", 1) + ">砂礫" + close), 204);
    EXPECT_EQ(nul.Rows(TableId::Layer), 0);
    ASSERT_EQ(nul.messages.entries.size(), 1u);
    EXPECT_NE(nul.messages.entries[0].text.find(name + "\\0"), std::string::npos) << nul.messages.entries[0].text;
}

TEST(ExchangeXmlReader, LayerGetsThePatternCodeOfItsName) {
    Reading r;
    r.Read(RockSoilRecord("1.00", "<岩石土区分_岩石土名>砂礫</岩石土区分_岩石土名><岩石土区分_岩石土記号>Gl</岩石土区分_岩石土記号>"), 204);
    ASSERT_EQ(r.Rows(TableId::Layer), 1);
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 4), PatternCodeText(DecomposeName(Names(), "砂礫", "")));
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 4), "1600.1");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 7), "Gl");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 5), "");  // no second name, no second code
}

TEST(ExchangeXmlReader, TwoAndMoreElementsOnOneLineAreAllTaken) {
    Reading r;
    r.Read("<土質岩種区分><土質岩種区分_下端深度>3.10</土質岩種区分_下端深度><土質岩種区分_土質岩種区分1>砂</土質岩種区分_土質岩種区分1>"
           "<土質岩種区分_土質岩種区分2>粘土</土質岩種区分_土質岩種区分2></土質岩種区分>",
           202);
    ASSERT_EQ(r.Rows(TableId::Layer), 1);
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 0), "3.10");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 1), "砂");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 2), "粘土");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 5), "1300.2");
}

TEST(ExchangeXmlReader, RecordWithoutItsDepthIsNotStoredAndDoesNotUseARow) {
    Reading r;
    r.Read("<岩石土区分>\n<岩石土区分_岩石土名>粘土</岩石土区分_岩石土名>\n</岩石土区分>\n" +
               RockSoilRecord("4.00", "<岩石土区分_岩石土名>砂</岩石土区分_岩石土名>") + "\n" +
               RockSoilRecord("GL-5", "<岩石土区分_岩石土名>礫</岩石土区分_岩石土名>"),
           204);
    ASSERT_EQ(r.Rows(TableId::Layer), 1);
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 0), "4.00");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 1), "砂");
    EXPECT_EQ(r.Cell(TableId::Layer, 2, 1), "");
}

TEST(ExchangeXmlReader, KeepsTwoHundredLayersAndDropsThe201st) {
    std::string body;
    for (int i = 1; i <= 201; ++i) {
        body += RockSoilRecord(std::to_string(i) + ".00", "<岩石土区分_岩石土名>砂</岩石土区分_岩石土名>") + "\n";
    }
    Reading r;
    r.Read(body, 204);
    EXPECT_EQ(r.Rows(TableId::Layer), 200);
    EXPECT_EQ(r.Cell(TableId::Layer, 200, 0), "200.00");
}

TEST(ExchangeXmlReader, PenetrationInMillimetresBecomesCentimetresFrom400On) {
    struct Case {
        int code;
        const char* penetration;
        const char* increment;
        const char* total;
    } cases[] = {
        {204, "100", "5/10", "12/30"}, {204, "95", "5/9", "12/30"}, {205, "150", "5/15", "12/30"},
        {209, "100", "5/10", "12/30"}, {203, "10", "5/10", "12/300"}, {110, "10", "5/10", "12/300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const bool mm = c.code >= 204;
        const std::string a = mm ? "_0_100" : "_0_10", b = mm ? "_100_200" : "_10_20";
        Reading r;
        r.Read("<標準貫入試験>\n<標準貫入試験_開始深度>1.15</標準貫入試験_開始深度>\n<標準貫入試験" + a + "打撃回数>5</標準貫入試験" + a +
                   "打撃回数>\n<標準貫入試験" + a + "貫入量>" + c.penetration + "</標準貫入試験" + a + "貫入量>\n<標準貫入試験" + b +
                   "打撃回数/>\n<標準貫入試験" + b + "貫入量/>\n<標準貫入試験_合計打撃回数>12</標準貫入試験_合計打撃回数>\n"
                   "<標準貫入試験_合計貫入量>300</標準貫入試験_合計貫入量>\n</標準貫入試験>",
               c.code);
        ASSERT_EQ(r.Rows(TableId::Spt), 1);
        EXPECT_EQ(r.Cell(TableId::Spt, 1, 0), "1.15");
        EXPECT_EQ(r.Cell(TableId::Spt, 1, 1), c.total);
        EXPECT_EQ(r.Cell(TableId::Spt, 1, 2), c.increment);
        EXPECT_EQ(r.Cell(TableId::Spt, 1, 3), "");  // both values of the increment absent
        EXPECT_EQ(r.Cell(TableId::Spt, 1, 5), "0");
    }
}

TEST(ExchangeXmlReader, WaterLevelIsNegatedWithTheVariantOfItsVersion) {
    struct Case {
        int code;
        std::string elements;
        const char* level;
        const char* date;
        const char* kind;
        const char* logLevel;  // the work-day row's level as read; nullptr: no work-day row
        const char* logDate;
    } cases[] = {
        {204, "<孔内水位_測定年月日>2008-07-15</孔内水位_測定年月日><孔内水位_削孔状況コード>1</孔内水位_削孔状況コード>"
              "<孔内水位_孔内水位>3.5</孔内水位_孔内水位><孔内水位_水位種別備考>清水位</孔内水位_水位種別備考>",
         "-3.50", "07/15", "清水位", "3.5", "2008/07/15"},
        {203, "<孔内水位_測定年月日>2008-07-15</孔内水位_測定年月日><孔内水位_掘削状況コード>1</孔内水位_掘削状況コード>"
              "<孔内水位_孔内水位>2.35</孔内水位_孔内水位><孔内水位_水位種別コード>21</孔内水位_水位種別コード>"
              "<孔内水位_水位種別備考>メモ</孔内水位_水位種別備考>",
         "-2.35", "07/15", "泥水位無し", "2.35", "2008/07/15"},
        // 2.10 files carry the kind code (as 2.00 and 3.00 do), not the 削孔状況 elements.
        {202, "<孔内水位_測定年月日>0000-03-02</孔内水位_測定年月日><孔内水位_掘削状況/><孔内水位_孔内水位>0.25</孔内水位_孔内水位>"
              "<孔内水位_水位種別コード>12</孔内水位_水位種別コード><孔内水位_水位種別備考/>",
         "-0.25", "03/02", "清水位", "0.25", "0000/03/02"},
        {200, "<孔内水位_孔内水位>1</孔内水位_孔内水位><孔内水位_水位種別コード>1</孔内水位_水位種別コード>", "-1.00", "", "水位無し", "1", ""},
        {110, "<孔内水位_測定年>1999</孔内水位_測定年><孔内水位_測定月>5</孔内水位_測定月><孔内水位_測定日>9</孔内水位_測定日>"
              "<孔内水位_孔内水位>-0.5</孔内水位_孔内水位><孔内水位_水位種別>自噴</孔内水位_水位種別>",
         "+0.50", "5/9", "自噴", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Reading r;
        r.Read("<孔内水位>\n" + c.elements + "\n</孔内水位>", c.code);
        ASSERT_EQ(r.Rows(TableId::Water), 1);
        EXPECT_EQ(r.Cell(TableId::Water, 1, 0), c.level);
        EXPECT_EQ(r.Cell(TableId::Water, 1, 1), c.date);
        EXPECT_EQ(r.Cell(TableId::Water, 1, 2), c.kind);
        EXPECT_EQ(r.Cell(TableId::Water, 1, 3), "7");
        // Every version with a full date lists the level for its work day too.
        EXPECT_EQ(r.Rows(TableId::WaterLog), c.logLevel ? 1 : 0);
        if (c.logLevel) {
            EXPECT_EQ(r.Cell(TableId::WaterLog, 1, 0), c.logLevel);
            EXPECT_EQ(r.Cell(TableId::WaterLog, 1, 2), c.level);
            EXPECT_EQ(r.Cell(TableId::WaterLog, 1, 4), c.kind);
            EXPECT_EQ(r.Cell(TableId::WaterLog, 1, 6), c.logDate);
        }
    }
}

TEST(ExchangeXmlReader, ElementsOutsideTheListDoNotSplitARecord) {
    // A 2.10 water record holds 掘削状況 and 水位種別 elements between the known ones; an
    // unlisted element in the middle of a layer record is skipped as well.
    Reading r;
    r.Read("<孔内水位>\n<孔内水位_測定年月日>2009-02-06</孔内水位_測定年月日>\n<孔内水位_掘削状況コード>1</孔内水位_掘削状況コード>\n"
           "<孔内水位_未知>x</孔内水位_未知>\n<孔内水位_孔内水位>0.25</孔内水位_孔内水位>\n<孔内水位_水位種別コード/>\n"
           "<孔内水位_水位種別備考>清水</孔内水位_水位種別備考>\n</孔内水位>\n"
           "<土質岩種区分>\n<土質岩種区分_下端深度>1.0</土質岩種区分_下端深度>\n<土質岩種区分_何か>y</土質岩種区分_何か>\n"
           "<土質岩種区分_土質岩種区分1>砂</土質岩種区分_土質岩種区分1>\n</土質岩種区分>",
           202);
    ASSERT_EQ(r.Rows(TableId::Water), 1);
    EXPECT_EQ(r.Cell(TableId::Water, 1, 0), "-0.25");
    EXPECT_EQ(r.Cell(TableId::Water, 1, 1), "02/06");
    ASSERT_EQ(r.Rows(TableId::Layer), 1);
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 1), "砂");
}

TEST(ExchangeXmlReader, RockClassWithoutItsJudgementTableWarnsOnceAtTheEnd) {
    const std::string values =
        "<岩級区分>\n<岩級区分_下端深度>1.00</岩級区分_下端深度>\n<岩級区分_岩級区分>910</岩級区分_岩級区分>\n</岩級区分>\n"
        "<岩級区分>\n<岩級区分_下端深度>2.00</岩級区分_下端深度>\n<岩級区分_岩級区分>920</岩級区分_岩級区分>\n</岩級区分>";
    const std::string table =
        "<岩級区分判定表>\n<岩級区分判定表_項目名>1.硬軟</岩級区分判定表_項目名>\n"
        "<岩級区分判定表_判定>\n<岩級区分判定表_コード>910</岩級区分判定表_コード>\n<岩級区分判定表_記号>CH</岩級区分判定表_記号>\n"
        "<岩級区分判定表_説明>硬い</岩級区分判定表_説明>\n</岩級区分判定表_判定>\n"
        "<岩級区分判定表_判定>\n<岩級区分判定表_コード>0920</岩級区分判定表_コード>\n<岩級区分判定表_記号>CM</岩級区分判定表_記号>\n"
        "</岩級区分判定表_判定>\n</岩級区分判定表>\n";
    const std::string message = core::MessageText(core::MessageId::NoPropertyTable);
    {
        Reading r;
        r.Read(values, 204);
        EXPECT_EQ(r.messages.Count(message), 1);
        EXPECT_EQ(r.messages.entries.size(), 1u);
        EXPECT_EQ(r.Cell(TableId::Property, 1, 8), "910");  // no table gave a symbol
    }
    {
        Reading r;
        r.Read(table + values, 204);
        EXPECT_TRUE(r.messages.Empty());
        ASSERT_EQ(r.record.Table(TableId::Property).RowCount(), 2);
        EXPECT_EQ(r.Cell(TableId::Property, 1, 1), "1.00");
        EXPECT_EQ(r.Cell(TableId::Property, 1, 8), "CH");
        EXPECT_EQ(r.Cell(TableId::Property, 2, 8), "CM");  // codes compared as numbers
        EXPECT_EQ(r.Cell(TableId::Property, 1, 9), "256");
    }
    {
        // A hardness group without its table counts once, far below the warning.
        Reading r;
        r.Read("<硬軟区分>\n<硬軟区分_下端深度>1.00</硬軟区分_下端深度>\n<硬軟区分_硬軟区分>011</硬軟区分_硬軟区分>\n</硬軟区分>", 204);
        EXPECT_TRUE(r.messages.Empty());
        EXPECT_EQ(r.Cell(TableId::Property, 1, 3), "011");
        EXPECT_EQ(r.Cell(TableId::Property, 1, 9), "8");
    }
}

TEST(ExchangeXmlReader, PropertiesOfOneDepthShareARow) {
    Reading r;
    r.Read("<硬軟区分判定表>\n<硬軟区分判定表_コード>910</硬軟区分判定表_コード>\n<硬軟区分判定表_記号>A</硬軟区分判定表_記号>\n</硬軟区分判定表>\n"
           "<硬軟区分>\n<硬軟区分_下端深度>1.60</硬軟区分_下端深度>\n<硬軟区分_硬軟区分>910</硬軟区分_硬軟区分>\n</硬軟区分>\n"
           "<風化区分>\n<風化区分_下端深度>1.6004</風化区分_下端深度>\n<風化区分_風化区分>052</風化区分_風化区分>\n</風化区分>\n"
           "<風化区分>\n<風化区分_下端深度>2.0</風化区分_下端深度>\n<風化区分_風化区分>051</風化区分_風化区分>\n</風化区分>",
           202);
    ASSERT_EQ(r.record.Table(TableId::Property).RowCount(), 2);
    EXPECT_EQ(r.Cell(TableId::Property, 1, 3), "A");
    EXPECT_EQ(r.Cell(TableId::Property, 1, 6), "052");
    EXPECT_EQ(r.Cell(TableId::Property, 1, 9), "72");  // 8 | 64
    EXPECT_EQ(r.Cell(TableId::Property, 2, 1), "2.0");
}

TEST(ExchangeXmlReader, ColourMergesIntoTheLayerOfItsDepthOrAppends) {
    Reading r;
    r.Read(RockSoilRecord("5.000", "<岩石土区分_岩石土名>砂</岩石土区分_岩石土名>") + "\n" +
               "<色調>\n<色調_下端深度>5.0004</色調_下端深度>\n<色調_色調名>暗灰</色調_色調名>\n</色調>\n"
               "<色調>\n<色調_下端深度>5.002</色調_下端深度>\n<色調_状態>黄</色調_状態>\n</色調>\n"
               "<色調>\n<色調_下端深度>6.0</色調_下端深度>\n<色調_色調名>青</色調_色調名>\n<色調_状態>黄</色調_状態>\n</色調>",
           204);
    ASSERT_EQ(r.Rows(TableId::Layer), 3);
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 3), "暗灰");
    EXPECT_EQ(r.Cell(TableId::Layer, 1, 6), "503");  // 471 | 32
    EXPECT_EQ(r.Cell(TableId::Layer, 2, 0), "5.002");
    EXPECT_EQ(r.Cell(TableId::Layer, 2, 3), "黄");
    EXPECT_EQ(r.Cell(TableId::Layer, 3, 3), "青");  // 色調名 wins over 状態
}

TEST(ExchangeXmlReader, HeadingTakesNewAndOlderNames) {
    Reading r;
    r.Read("<標題情報>\n<調査名>○○調査</調査名>\n<コード1次>5339</コード1次><コード2次>65</コード2次><コード3次>43</コード3次>\n"
           "<ハンマ落下用具_コード>2</ハンマ落下用具_コード>\n<調査会社_主任技師>山田</調査会社_主任技師>\n<総掘進長>23.00</総掘進長>\n"
           "<掘進方位>10</掘進方位>\n<地質柱状図様式>1</地質柱状図様式>\n<調査期間_開始年>1999</調査期間_開始年>\n"
           "<調査期間_終了年月日>1999-05-20</調査期間_終了年月日>\n<調査目的>01</調査目的>\n<調査名2>x</調査名2>\n</標題情報>",
           110);
    struct Case {
        int index;
        const char* text;
    } cases[] = {{1, "○○調査"}, {27, "53396543"}, {58, "65"}, {59, "43"}, {21, "半自動"}, {16, "山田"},
                 {37, "23.00"}, {25, "10"}, {57, "1"}, {6, "1999"}, {9, "1999-05-20"}};
    for (const Case& c : cases) EXPECT_EQ(r.record.Heading(c.index), c.text) << c.index;
}

TEST(ExchangeXmlReader, HammerDropCodesGiveTheirText) {
    struct Case {
        const char* code;
        const char* text;
    } cases[] = {{"1", "全自動"}, {"2", "半自動"}, {"3", "トンビ"}, {"4", "コーンプーリー"}, {"5", ""}, {"x", ""}};
    for (const Case& c : cases) {
        Reading r;
        r.Read(std::string("<ハンマー落下用具_コード>") + c.code + "</ハンマー落下用具_コード>", 202);
        EXPECT_EQ(r.record.Heading(21), c.text) << c.code;
    }
}

TEST(ExchangeXmlReader, ContentOverSeveralLinesIsJoined) {
    Reading r;
    r.Read("<調査名>平成24年度 地すべり対策\n 高野3期地区\n</調査名>\n<ボーリング名>B-1</ボーリング名>", 203);
    EXPECT_EQ(r.record.Heading(1), "平成24年度 地すべり対策\r\n 高野3期地区");
    EXPECT_EQ(r.record.Heading(5), "B-1");
}

TEST(ExchangeXmlReader, ArticlesBreakLinesAndTakeTheirFrameMark) {
    Reading r;
    r.Read("<観察記事>\n<観察記事_上端深度>0.00</観察記事_上端深度>\n<観察記事_下端深度>1.80</観察記事_下端深度>\n"
           "<観察記事_記事>礫混じり。\\n含水中位。</観察記事_記事>\n</観察記事>\n"
           "<観察記事>\n<観察記事_上端深度>1.80</観察記事_上端深度>\n<観察記事_下端深度>3.00</観察記事_下端深度>\n</観察記事>\n"
           "<観察記事枠線>\n<観察記事枠線_下端深度>3.0004</観察記事枠線_下端深度>\n</観察記事枠線>",
           204);
    ASSERT_EQ(r.Rows(TableId::Article), 2);
    EXPECT_EQ(r.Cell(TableId::Article, 1, 3), "礫混じり。\r\n含水中位。");
    EXPECT_EQ(r.Cell(TableId::Article, 1, 4), "0");
    EXPECT_EQ(r.Cell(TableId::Article, 2, 4), "1");
}

TEST(ExchangeXmlReader, DrillingConditionsMergeByDepthWithTheirFlags) {
    Reading r;
    r.Read("<削孔工程>\n<削孔工程_測定年月日>2015-11-02</削孔工程_測定年月日>\n<削孔工程_削孔深度>5.00</削孔工程_削孔深度>\n</削孔工程>\n"
           "<削孔速度>\n<削孔速度_下端深度>5.0</削孔速度_下端深度>\n<削孔速度_削孔速度>12</削孔速度_削孔速度>\n</削孔速度>\n"
           "<回転数>\n<回転数_下端深度>7.0</回転数_下端深度>\n<回転数_回転数>120</回転数_回転数>\n</回転数>\n"
           "<送水条件>\n<送水条件_下端深度>5.0009</送水条件_下端深度>\n<送水条件_送水圧>0.2</送水条件_送水圧>\n<送水条件_送水量>10</送水条件_送水量>\n"
           "<送水条件_排水量>9</送水条件_排水量>\n<送水条件_送水種類コード>3</送水条件_送水種類コード>\n</送水条件>",
           204);
    ASSERT_EQ(r.Rows(TableId::Drill), 2);
    EXPECT_EQ(r.Cell(TableId::Drill, 1, 1), "11/02");
    EXPECT_EQ(r.Cell(TableId::Drill, 1, 2), "12");
    EXPECT_EQ(r.Cell(TableId::Drill, 1, 8), "w3");
    EXPECT_EQ(r.Cell(TableId::Drill, 1, 9), "19");  // 1 | 2 | 16
    EXPECT_EQ(r.Cell(TableId::Drill, 2, 0), "7.0");
    EXPECT_EQ(r.Cell(TableId::Drill, 2, 4), "120");
    EXPECT_EQ(r.Cell(TableId::Drill, 2, 9), "8");
}

TEST(ExchangeXmlReader, HoleRowsGetCodesCoreTubeAndPresenceFlags) {
    Reading r;
    r.Read("<孔径孔壁保護>\n<孔径孔壁保護_下端深度>10.0</孔径孔壁保護_下端深度>\n<孔径孔壁保護_孔径>66</孔径孔壁保護_孔径>\n"
           "<孔径孔壁保護_孔壁保護コード>泥水</孔径孔壁保護_孔壁保護コード>\n</孔径孔壁保護>\n"
           "<コアチューブビット>\n<コアチューブビット_下端深度>10.0</コアチューブビット_下端深度>\n"
           "<コアチューブビット_コアチューブ名>シングルコアチューブ</コアチューブビット_コアチューブ名>\n"
           "<コアチューブビット_ビット名>メタルクラウン</コアチューブビット_ビット名>\n</コアチューブビット>\n"
           "<コアチューブビット>\n<コアチューブビット_下端深度>20.0</コアチューブビット_下端深度>\n"
           "<コアチューブビット_ビット名>クラウン</コアチューブビット_ビット名>\n</コアチューブビット>",
           204);
    ASSERT_EQ(r.Rows(TableId::Hole), 2);
    EXPECT_EQ(r.Cell(TableId::Hole, 1, 2), "B3");
    EXPECT_EQ(r.Cell(TableId::Hole, 1, 5), "シングル/メタル");
    EXPECT_EQ(r.Cell(TableId::Hole, 1, 6), "38");  // 2 | 4 | 32
    EXPECT_EQ(r.Cell(TableId::Hole, 2, 5), "クラウン");
    EXPECT_EQ(r.Cell(TableId::Hole, 2, 6), "32");
}

TEST(ExchangeXmlReader, CodedValuesBecomeTheirTexts) {
    Reading r;
    r.Read("<相対密度稠度>\n<相対密度稠度_下端深度>1.0</相対密度稠度_下端深度>\n<相対密度_コード>30</相対密度_コード>\n<相対稠度_コード>99</相対稠度_コード>\n</相対密度稠度>\n"
           "<試料採取>\n<試料採取_上端深度>1.0</試料採取_上端深度>\n<試料採取_下端深度>1.8</試料採取_下端深度>\n<試料採取_試料番号>T-1</試料採取_試料番号>\n"
           "<試料採取_採取方法コード>250</試料採取_採取方法コード>\n<試料採取_試験名>粒度</試料採取_試験名>\n</試料採取>\n"
           "<断層破砕帯区分>\n<断層破砕帯区分_上端深度>2</断層破砕帯区分_上端深度>\n<断層破砕帯区分_下端深度>3</断層破砕帯区分_下端深度>\n<断層破砕帯区分_性状コード>5</断層破砕帯区分_性状コード>\n</断層破砕帯区分>\n"
           "<保孔管>\n<保孔管_下端深度>4</保孔管_下端深度>\n<保孔管_種別コード>4</保孔管_種別コード>\n</保孔管>\n"
           "<その他原位置試験>\n<その他原位置試験_試験名>PS検層</その他原位置試験_試験名>\n<その他原位置試験_上端深度>1</その他原位置試験_上端深度>\n"
           "<その他原位置試験_下端深度>9</その他原位置試験_下端深度>\n<その他原位置試験_試験結果>Vs=200</その他原位置試験_試験結果>\n</その他原位置試験>\n"
           "<孔内載荷試験>\n<孔内載荷試験_試験深度>5.5</孔内載荷試験_試験深度>\n<孔内載荷試験_変形係数>12.3</孔内載荷試験_変形係数>\n</孔内載荷試験>",
           204);
    EXPECT_EQ(r.Cell(TableId::Density, 1, 1), "rd3");
    EXPECT_EQ(r.Cell(TableId::Density, 1, 2), "");
    EXPECT_EQ(r.Cell(TableId::Sample, 1, 3), "T");
    EXPECT_EQ(r.Cell(TableId::Sample, 1, 4), "粒度");
    EXPECT_EQ(r.Cell(TableId::Fault, 1, 2), "砂・礫混じり粘土状");
    EXPECT_EQ(r.Cell(TableId::Fault, 1, 3), "48");
    EXPECT_EQ(r.Cell(TableId::Casing, 1, 1), "遮水区間");
    // Both in-situ groups append to one table.
    ASSERT_EQ(r.Rows(TableId::Insitu), 2);
    EXPECT_EQ(r.Cell(TableId::Insitu, 1, 2), "PS検層");
    EXPECT_EQ(r.Cell(TableId::Insitu, 1, 7), "7");
    EXPECT_EQ(r.Cell(TableId::Insitu, 2, 0), "5.5");
    EXPECT_EQ(r.Cell(TableId::Insitu, 2, 1), "5.5");
    EXPECT_EQ(r.Cell(TableId::Insitu, 2, 2), "孔内載荷試験");
    EXPECT_EQ(r.Cell(TableId::Insitu, 2, 3), "12.3");
}

TEST(ExchangeXmlReader, EraNameIsTakenUnderEitherElementName) {
    for (const char* element : {"地質時代_時代名", "地質時代_地質時代名"}) {
        Reading r;
        r.Read(std::string("<地質時代>\n<地質時代_上端深度>0</地質時代_上端深度>\n<地質時代_下端深度>5</地質時代_下端深度>\n<") + element +
                   ">完新世</" + element + ">\n</地質時代>",
               202);
        EXPECT_EQ(r.Cell(TableId::Era, 1, 2), "完新世") << element;
    }
}

TEST(ExchangeXmlReader, LugeonPointsJoinTheirTest) {
    Reading r;
    r.Read("<ルジオン試験>\n<ルジオン試験_試験番号>1</ルジオン試験_試験番号>\n<ルジオン試験_上端深度>10</ルジオン試験_上端深度>\n"
           "<ルジオン試験_下端深度>15</ルジオン試験_下端深度>\n<ルジオン試験_ルジオン値区分>2</ルジオン試験_ルジオン値区分>\n"
           "<ルジオン試験_ルジオン値>3.2</ルジオン試験_ルジオン値>\n</ルジオン試験>\n"
           "<ルジオン試験詳細データ>\n<ルジオン試験詳細データ_試験番号>1</ルジオン試験詳細データ_試験番号>\n"
           "<ルジオン試験詳細データ_有効圧力>0.1</ルジオン試験詳細データ_有効圧力>\n<ルジオン試験詳細データ_注入量>2.5</ルジオン試験詳細データ_注入量>\n</ルジオン試験詳細データ>\n"
           "<ルジオン試験詳細データ>\n<ルジオン試験詳細データ_試験番号>1</ルジオン試験詳細データ_試験番号>\n"
           "<ルジオン試験詳細データ_有効圧力>0.2</ルジオン試験詳細データ_有効圧力>\n<ルジオン試験詳細データ_注入量>4</ルジオン試験詳細データ_注入量>\n</ルジオン試験詳細データ>",
           202);
    EXPECT_EQ(r.Cell(TableId::Lugeon, 1, 0), "1");
    EXPECT_EQ(r.Cell(TableId::Lugeon, 1, 4), "3.2");
    EXPECT_EQ(r.Cell(TableId::Lugeon, 1, 9), "8");
    EXPECT_EQ(r.Cell(TableId::Lugeon, 1, 10), "0.1,2.5,0.2,4,");
}

TEST(ExchangeXmlReader, NothingIsReadOutsideTheDataSet) {
    Reading r;
    r.Read(RockSoilRecord("1.0", "<岩石土区分_岩石土名>砂</岩石土区分_岩石土名>") + "\n<調査名>x</調査名>", 204, false);
    EXPECT_EQ(r.Rows(TableId::Layer), 0);
    EXPECT_EQ(r.record.Heading(1), "");
}

TEST(ExchangeXmlReader, RepeatedResistivityValuesOfOneDepthAreJoined) {
    const std::string e = "トレーサーによる地下水流動層検層詳細データ";
    auto el = [&](const std::string& name, const std::string& value) {
        return "<" + e + name + ">" + value + "</" + e + name + ">\n";
    };
    Reading r;
    r.Read("<" + e + ">\n" + el("_検層番号", "0001") + el("_測定深度", "24.00") + el("_比抵抗値", "120.40") +
               el("_比抵抗値", "0.11") + el("_比抵抗値", "0.15") + "</" + e + ">\n<" + e + ">\n" +
               el("_測定深度", "24.50") + el("_比抵抗値", "98.0") + "</" + e + ">",
           204);
    ASSERT_EQ(r.Rows(TableId::TracerDetail), 2);
    EXPECT_EQ(r.Cell(TableId::TracerDetail, 1, 0), "24.00");
    EXPECT_EQ(r.Cell(TableId::TracerDetail, 1, 2), "120.40,0.11,0.15");
    EXPECT_EQ(r.Cell(TableId::TracerDetail, 2, 2), "98.0");  // a new record starts its own list
}

TEST(ExchangeXmlReader, LongJudgementTablesKeepTheirLaterCodes) {
    // A core-shape table of 30 codes: the symbol of the 30th still reaches the property row.
    std::string body;
    for (int i = 0; i < 30; ++i) {
        body += "<コア形状区分判定表>\n<コア形状区分判定表_コード>" + std::to_string(930 + i) +
                "</コア形状区分判定表_コード>\n<コア形状区分判定表_記号>S" + std::to_string(i) +
                "</コア形状区分判定表_記号>\n</コア形状区分判定表>\n";
    }
    body += "<コア形状区分>\n<コア形状区分_下端深度>3.00</コア形状区分_下端深度>\n"
            "<コア形状区分_コア形状区分>959</コア形状区分_コア形状区分>\n</コア形状区分>";
    Reading r;
    r.Read(body, 203);
    ASSERT_EQ(r.record.Table(TableId::Property).RowCount(), 1);
    EXPECT_EQ(r.Cell(TableId::Property, 1, 4), "S29");
}

namespace {

// One record of a group: "<G>" then each element "<G_name>value</G_name>", then "</G>".
std::string Rec(const std::string& group, std::initializer_list<std::pair<const char*, std::string>> elements) {
    std::string text = "<" + group + ">\n";
    for (const auto& [name, value] : elements) text += "<" + group + name + ">" + value + "</" + group + name + ">\n";
    return text + "</" + group + ">\n";
}

}  // namespace

TEST(ExchangeXmlReader, CoreLengthAndRqdKeepTheirOwnDepths) {
    // RQD covers other metres than the core lengths: every value stays at its depth, no
    // depth appears twice.
    Reading r;
    r.Read(Rec("最大コア長", {{"_下端深度", "1.00"}, {"_コア長", "12"}}) + Rec("最大コア長", {{"_下端深度", "2.00"}, {"_コア長", "8"}}) +
               Rec("RQD", {{"_下端深度", "2.00"}, {"_RQD", "40"}}) + Rec("RQD", {{"_下端深度", "6.00"}, {"_RQD", "75"}}),
           203);
    struct Row {
        const char* depth;
        const char* length;
        const char* rqd;
        const char* mark;
    } rows[] = {{"1.00", "12", "", "32"}, {"2.00", "8", "40", "32"}, {"6.00", "", "75", ""}};
    ASSERT_EQ(r.Rows(TableId::CoreLength), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.Cell(TableId::CoreLength, i + 1, 0), rows[i].depth);
        EXPECT_EQ(r.Cell(TableId::CoreLength, i + 1, 1), rows[i].length);
        EXPECT_EQ(r.Cell(TableId::CoreLength, i + 1, 2), rows[i].rqd);
        EXPECT_EQ(r.Cell(TableId::CoreLength, i + 1, 3), rows[i].mark);
    }
    EXPECT_TRUE(r.record.dropped.empty());

    // Two core lengths for one depth: the second stands, the first is told as not kept.
    Reading twice;
    twice.Read(Rec("最大コア長", {{"_下端深度", "6.50"}, {"_コア長", "15"}}) + Rec("最大コア長", {{"_下端深度", "6.50"}, {"_コア長", "27"}}),
               202);
    ASSERT_EQ(twice.Rows(TableId::CoreLength), 1);
    EXPECT_EQ(twice.Cell(TableId::CoreLength, 1, 1), "27");
    ASSERT_EQ(twice.record.dropped.size(), 1u);
    EXPECT_EQ(twice.record.dropped[0].group, "最大コア長");
    EXPECT_EQ(twice.record.dropped[0].count, 1);
}

TEST(ExchangeXmlReader, GroupsSharingATableNeverOverwriteEachOther) {
    struct Case {
        const char* name;
        std::string body;
        TableId table;
        std::vector<std::vector<std::pair<int, const char*>>> rows;  // per row: (column, text)
    } cases[] = {
        {"core tube before the hole diameter of its depth",
         Rec("コアチューブビット", {{"_下端深度", "5.00"}, {"_コアチューブ名", "ダブル"}}) +
             Rec("孔径孔壁保護", {{"_下端深度", "5.00"}, {"_孔径", "86"}}) + Rec("孔径孔壁保護", {{"_下端深度", "9.00"}, {"_孔径", "66"}}),
         TableId::Hole,
         {{{0, "5.00"}, {1, "86"}, {5, "ダブル"}, {6, "34"}}, {{0, "9.00"}, {1, "66"}, {5, ""}}}},
        {"drilling speed before the progress of the days",
         Rec("削孔速度", {{"_下端深度", "3.00"}, {"_削孔速度", "20"}}) +
             Rec("削孔工程", {{"_測定年月日", "2008-07-15"}, {"_削孔深度", "5.00"}}),
         TableId::Drill,
         {{{0, "3.00"}, {2, "20"}, {9, "2"}}, {{0, "5.00"}, {1, "07/15"}, {9, "1"}}}},
        {"a group met twice",
         Rec("観察記事", {{"_上端深度", "0.00"}, {"_下端深度", "1.00"}, {"_記事", "a"}}) +
             Rec("色調", {{"_下端深度", "1.00"}, {"_色調名", "茶"}}) +
             Rec("観察記事", {{"_上端深度", "1.00"}, {"_下端深度", "2.00"}, {"_記事", "b"}}),
         TableId::Article,
         {{{0, "0.00"}, {3, "a"}}, {{0, "1.00"}, {3, "b"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reading r;
        r.Read(c.body, 204);
        ASSERT_EQ(r.Rows(c.table), static_cast<int>(c.rows.size()));
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            for (const auto& [column, text] : c.rows[i]) EXPECT_EQ(r.Cell(c.table, static_cast<int>(i) + 1, column), text) << i << "," << column;
        }
        EXPECT_TRUE(r.record.dropped.empty());
    }
}

TEST(ExchangeXmlReader, WaterLevelWithoutANumberKeepsItsDateAndKindButNoLevel) {
    struct Case {
        int code;
        std::string level;
    } cases[] = {{203, "-"}, {203, ""}, {204, "-"}, {202, "なし"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Reading r;
        const bool v2 = c.code != 204;
        r.Read(Rec("孔内水位", {{"_測定年月日", "2008-07-15"},
                                {"_孔内水位", c.level},
                                {v2 ? "_水位種別コード" : "_水位種別備考", v2 ? "10" : "清水位"}}) +
                   Rec("孔内水位", {{"_測定年月日", "2008-07-16"}, {"_孔内水位", "2.00"}}),
               c.code);
        ASSERT_EQ(r.Rows(TableId::Water), 2);
        EXPECT_EQ(r.Cell(TableId::Water, 1, 0), "");  // no level, not 0.00 at the surface
        EXPECT_EQ(r.Cell(TableId::Water, 1, 1), "07/15");
        EXPECT_EQ(r.Cell(TableId::Water, 1, 2), "清水位");
        EXPECT_EQ(r.Cell(TableId::Water, 2, 0), "-2.00");
        // The work-day table lists only the measured level.
        ASSERT_EQ(r.Rows(TableId::WaterLog), 1);
        EXPECT_EQ(r.Cell(TableId::WaterLog, 1, 0), "2.00");
    }
}

TEST(ExchangeXmlReader, RealFileSizesFitAndWhatStillDoesNotIsToldOnce) {
    struct Case {
        const char* name;
        std::string group;
        std::function<std::string(int)> record;
        int records;
        TableId table;
        int kept;
    } cases[] = {
        {"53 water levels", "孔内水位",
         [](int i) { return Rec("孔内水位", {{"_測定年月日", "2008-07-15"}, {"_孔内水位", std::to_string(i) + ".00"}}); }, 53,
         TableId::Water, 53},
        {"60 instruments", "計測機器",
         [](int i) { return Rec("計測機器", {{"_上端深度", std::to_string(i)}, {"_下端深度", std::to_string(i + 1)}, {"_機器種別", "傾斜計"}}); },
         60, TableId::Instrument, 60},
        {"49 crushing degrees", "破砕度",
         [](int i) { return Rec("破砕度", {{"_上端深度", std::to_string(i)}, {"_下端深度", std::to_string(i + 1)}, {"_破砕度", "1"}}); },
         49, TableId::Crush, 49},
        {"28 material classes", "地盤材料の工学的分類",
         [](int i) { return "<地盤材料の工学的分類>\n<地盤分類_下端深度>" + std::to_string(i) + "</地盤分類_下端深度>\n</地盤材料の工学的分類>\n"; },
         28, TableId::Material, 28},
        {"201 layers", "岩石土区分",
         [](int i) { return RockSoilRecord(std::to_string(i) + ".00", "<岩石土区分_岩石土名>砂</岩石土区分_岩石土名>") + "\n"; }, 201,
         TableId::Layer, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string body;
        for (int i = 1; i <= c.records; ++i) body += c.record(i);
        Reading r;
        r.Read(body, 204);
        EXPECT_EQ(r.Rows(c.table), c.kept);
        if (c.kept == c.records) {
            EXPECT_TRUE(r.record.dropped.empty());
            EXPECT_TRUE(r.messages.Empty());
        } else {
            ASSERT_EQ(r.record.dropped.size(), 1u);
            EXPECT_EQ(r.record.dropped[0].group, c.group);
            EXPECT_EQ(r.record.dropped[0].count, c.records - c.kept);
            ASSERT_EQ(r.messages.entries.size(), 1u);
            EXPECT_EQ(r.messages.entries[0].text, "読み込めなかったデータがあります（表の容量超過、同じ深度の重複、対応する試験の無い値）: " + c.group + " " +
                                                      std::to_string(c.records - c.kept) + "件");
        }
    }
}

TEST(ExchangeXmlReader, EveryLugeonPointReachesItsTest) {
    // 154 points of two tests, and two points of a test that the file does not hold.
    std::string body;
    for (int test = 1; test <= 2; ++test)
        body += Rec("ルジオン試験", {{"_試験番号", std::to_string(test)}, {"_上端深度", std::to_string(10 * test)}, {"_下端深度", "15"}});
    std::string expected[3];
    for (int i = 0; i < 156; ++i) {
        const int test = i < 77 ? 1 : i < 154 ? 2 : 3;
        const std::string p = std::to_string(i), q = std::to_string(2 * i);
        body += Rec("ルジオン試験詳細データ", {{"_試験番号", std::to_string(test)}, {"_有効圧力", p}, {"_注入量", q}});
        expected[test - 1] += p + "," + q + ",";
    }
    Reading r;
    r.Read(body, 202);
    ASSERT_EQ(r.Rows(TableId::Lugeon), 2);
    EXPECT_EQ(r.Cell(TableId::Lugeon, 1, 10), expected[0]);
    EXPECT_EQ(r.Cell(TableId::Lugeon, 2, 10), expected[1]);
    ASSERT_EQ(r.record.dropped.size(), 1u);
    EXPECT_EQ(r.record.dropped[0].group, "ルジオン試験詳細データ");
    EXPECT_EQ(r.record.dropped[0].count, 2);
    EXPECT_EQ(r.messages.Count("読み込めなかったデータがあります（表の容量超過、同じ深度の重複、対応する試験の無い値）: ルジオン試験詳細データ 2件"), 1);
}

TEST(ExchangeXmlReader, GroundwaterLoggingOfTheOlderNamesFillsTheTracerTables) {
    struct Case {
        int code;
        std::string times;  // 2.00 and 2.01 write the times in one element, joined with commas
        const char* heading;
    } cases[] = {
        {203, "<地下水検層試験_測定時間>0</地下水検層試験_測定時間>\n<地下水検層試験_測定時間>30</地下水検層試験_測定時間>\n", "0,30"},
        {202, "<地下水検層試験_測定時間>0</地下水検層試験_測定時間>\n<地下水検層試験_測定時間>30</地下水検層試験_測定時間>\n", "0,30"},
        {200, "<地下水検層試験_測定時間>0,30</地下水検層試験_測定時間>\n", "0,30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Reading r;
        r.Read("<地下水検層試験>\n<地下水検層試験_試験番号>1</地下水検層試験_試験番号>\n<地下水検層試験_上端深度>5</地下水検層試験_上端深度>\n" +
                   c.times + "</地下水検層試験>\n" +
                   Rec("地下水検層試験詳細データ", {{"_試験番号", "1"}, {"_測定深度", "6.00"}, {"_比抵抗値", "120"}, {"_比抵抗値", "80"}}) +
                   Rec("地下水検層試験詳細データ", {{"_試験番号", "1"}, {"_測定深度", "6.50"}, {"_比抵抗値", "118"}, {"_比抵抗値", "60"}}) +
                   Rec("地下水検層試験判定結果", {{"_上端深度", "6.00"}, {"_下端深度", "6.50"}, {"_地下水検層結果", "流動層"}}),
               c.code);
        EXPECT_EQ(r.record.Heading(73), c.heading);
        ASSERT_EQ(r.Rows(TableId::TracerDetail), 2);
        EXPECT_EQ(r.Cell(TableId::TracerDetail, 1, 0), "6.00");
        EXPECT_EQ(r.Cell(TableId::TracerDetail, 1, 2), "120,80");
        EXPECT_EQ(r.Cell(TableId::TracerDetail, 2, 2), "118,60");
        ASSERT_EQ(r.Rows(TableId::TracerResult), 1);
        EXPECT_EQ(r.Cell(TableId::TracerResult, 1, 1), "6.50");
        EXPECT_EQ(r.Cell(TableId::TracerResult, 1, 2), "流動層");
    }
}

TEST(ExchangeXmlReader, Version110GroupsFillTheirTables) {
    Reading r;
    r.Read(Rec("地盤分類", {{"_下端深度", "1.80"}, {"_工学的分類記号", ""}}) + Rec("地盤分類", {{"_下端深度", "3.00"}, {"_工学的分類記号", "ML"}}) +
               Rec("地層区分", {{"_上端深度", "0.00"}, {"_下端深度", "24.55"}, {"_地層名", "○○層"}}) +
               Rec("断層区分", {{"_上端深度", "12.00"}, {"_下端深度", "12.50"}, {"_性状", "粘土状"}}) +
               Rec("孔径孔壁保護", {{"_上端深度", "0.00"}, {"_下端深度", "7.40"}, {"_孔径", "86"}, {"_孔壁保護", "ケーシング"}, {"_送水条件", "清水"}}) +
               Rec("孔径孔壁保護", {{"_上端深度", "7.40"}, {"_下端深度", "10.60"}, {"_孔径", "66"}, {"_孔壁保護", ""}}),
           110);
    ASSERT_EQ(r.Rows(TableId::Material), 2);
    EXPECT_EQ(r.Cell(TableId::Material, 1, 1), "");
    EXPECT_EQ(r.Cell(TableId::Material, 2, 0), "3.00");
    EXPECT_EQ(r.Cell(TableId::Material, 2, 1), "ML");
    ASSERT_EQ(r.Rows(TableId::Strata), 1);
    EXPECT_EQ(r.Cell(TableId::Strata, 1, 1), "24.55");
    EXPECT_EQ(r.Cell(TableId::Strata, 1, 2), "○○層");
    ASSERT_EQ(r.Rows(TableId::Fault), 1);
    EXPECT_EQ(r.Cell(TableId::Fault, 1, 0), "12.00");
    EXPECT_EQ(r.Cell(TableId::Fault, 1, 2), "粘土状");
    EXPECT_EQ(r.Cell(TableId::Fault, 1, 3), "48");
    ASSERT_EQ(r.Rows(TableId::Hole), 2);
    EXPECT_EQ(r.Cell(TableId::Hole, 1, 0), "7.40");
    EXPECT_EQ(r.Cell(TableId::Hole, 1, 2), "B1");
    EXPECT_EQ(r.Cell(TableId::Hole, 2, 2), "");
}

TEST(ExchangeXmlReader, TitleTextsOfPurposeTargetHammerAndSampleMethod) {
    Reading r;
    r.Read("<標題情報>\n<調査目的>01</調査目的>\n<調査対象>13</調査対象>\n</標題情報>", 203);
    EXPECT_EQ(r.record.Heading(kPurposeHeading), "01");  // as the file gives it
    EXPECT_EQ(r.record.Heading(kTargetHeading), "13");

    struct Hammer {
        const char* elements;
        const char* text;
    } hammers[] = {
        {"<ハンマー落下用具_コード>9</ハンマー落下用具_コード><ハンマー落下用具_名称>手動</ハンマー落下用具_名称>", "手動"},
        {"<ハンマー落下用具_コード>9</ハンマー落下用具_コード>", "その他"},
        {"<ハンマー落下用具_コード>9</ハンマー落下用具_コード><ハンマー落下用具_名称/>", "その他"},
        {"<ハンマ落下用具_コード>2</ハンマ落下用具_コード><ハンマ落下用具_名称>半自動型</ハンマ落下用具_名称>", "半自動"},
        {"<ハンマー落下用具_コード>5</ハンマー落下用具_コード>", ""},
    };
    for (const Hammer& h : hammers) {
        Reading hr;
        hr.Read(std::string("<ハンマー落下用具>\n") + h.elements + "\n</ハンマー落下用具>", 202);
        EXPECT_EQ(hr.record.Heading(21), h.text) << h.elements;
    }

    struct Method {
        const char* code;
        const char* text;
        const char* letter;
    } methods[] = {{"250", "", "T"}, {"999", "T", "T"}, {"999", "", "A"}, {"300", "固定ピストン", "D"}, {"", "T", ""}};
    for (const Method& m : methods) {
        Reading mr;
        mr.Read(Rec("試料採取", {{"_上端深度", "1.0"}, {"_下端深度", "1.8"}, {"_試料番号", "1"}, {"_採取方法コード", m.code}, {"_採取方法", m.text}}),
                203);
        EXPECT_EQ(mr.Cell(TableId::Sample, 1, 3), m.letter) << m.code << " " << m.text;
    }
}

// A logging with more measuring times than any real one: Heading 73 and each resistivity row
// keep the first 100, the rest is told once as not kept, and the tables after it still read.
TEST(ExchangeXmlReader, TracerTimesAndValuesStopAtTheirLimitAndAreTold) {
    std::string times, values, expectedTimes, expectedValues;
    for (int i = 0; i < 250; ++i) {
        times += "<トレーサーによる地下水流動層検層_測定時間>" + std::to_string(i) + "</トレーサーによる地下水流動層検層_測定時間>";
        values += "<トレーサーによる地下水流動層検層詳細データ_比抵抗値>" + std::to_string(1000 + i) +
                  "</トレーサーによる地下水流動層検層詳細データ_比抵抗値>";
        if (i < 100) {
            if (i > 0) {
                expectedTimes += ',';
                expectedValues += ',';
            }
            expectedTimes += std::to_string(i);
            expectedValues += std::to_string(1000 + i);
        }
    }
    Reading r;
    r.Read("<トレーサーによる地下水流動層検層>\n" + times + "\n</トレーサーによる地下水流動層検層>\n" +
               "<トレーサーによる地下水流動層検層詳細データ>\n<トレーサーによる地下水流動層検層詳細データ_測定深度>6.00"
               "</トレーサーによる地下水流動層検層詳細データ_測定深度>\n" +
               values + "\n</トレーサーによる地下水流動層検層詳細データ>\n" + RockSoilRecord("2.50", ""),
           204);
    EXPECT_EQ(r.record.Heading(73), expectedTimes);
    ASSERT_EQ(r.Rows(TableId::TracerDetail), 1);
    EXPECT_EQ(r.Cell(TableId::TracerDetail, 1, 2), expectedValues);
    EXPECT_EQ(r.Rows(TableId::Layer), 1);
    ASSERT_EQ(r.record.dropped.size(), 2u);
    EXPECT_EQ(r.record.dropped[0].group, "トレーサーによる地下水流動層検層_測定時間");
    EXPECT_EQ(r.record.dropped[0].count, 150);
    EXPECT_EQ(r.record.dropped[0].kept, 100);
    EXPECT_EQ(r.record.dropped[1].group, "トレーサーによる地下水流動層検層詳細データ_比抵抗値");
    EXPECT_EQ(r.record.dropped[1].count, 150);
    ASSERT_EQ(r.messages.entries.size(), 1u);
    EXPECT_NE(r.messages.entries[0].text.find("トレーサーによる地下水流動層検層_測定時間 150件"), std::string::npos);
}

// Every depth field, not only the key, is held to the depths a borehole can have; a record
// whose lower depth of an article is 1e308 is skipped and the next article read.
TEST(ExchangeXmlReader, AbsurdDepthInAnyDepthFieldSkipsOnlyItsRecord) {
    Reading r;
    r.Read(Rec("観察記事", {{"_上端深度", "1.00"}, {"_下端深度", "1e308"}, {"_記事", "砂"}}) +
               Rec("観察記事", {{"_上端深度", "2.00"}, {"_下端深度", "3.00"}, {"_記事", "粘土"}}) +
               Rec("孔内水位", {{"_測定年月日", "2001-05-10"}, {"_孔内水位", "-1e12"}}) +
               Rec("孔内水位", {{"_測定年月日", "2001-05-11"}, {"_孔内水位", "-"}}),
           204);
    ASSERT_EQ(r.Rows(TableId::Article), 1);
    EXPECT_EQ(r.Cell(TableId::Article, 1, 3), "粘土");
    EXPECT_EQ(r.record.Table(TableId::Water).StoredRows(), 1);
    EXPECT_EQ(r.Cell(TableId::Water, 1, 1), "05/11");
    ASSERT_EQ(r.messages.entries.size(), 1u);
    const std::string& text = r.messages.entries[0].text;
    EXPECT_NE(text.find("観察記事 観察記事_下端深度「1e308」"), std::string::npos) << text;
    EXPECT_NE(text.find("孔内水位 孔内水位_孔内水位「-1e12」"), std::string::npos) << text;
}
