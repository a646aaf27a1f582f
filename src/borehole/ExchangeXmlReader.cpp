#include "borehole/ExchangeXmlReader.h"

#include "borehole/SoilName.h"
#include "borehole/XmlText.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stracol::borehole {
namespace {

// Element-name variants by DTD version.
constexpr unsigned kV110 = 1;  // 1.10
constexpr unsigned kV2 = 2;    // 2.00, 2.01, 2.10, 3.00
constexpr unsigned kV4 = 4;    // 4.00, 5.00 and an unrecognised version
constexpr unsigned kAll = kV110 | kV2 | kV4;

unsigned VersionBit(int formatCode) {
    if (formatCode == 110) return kV110;
    if (formatCode >= 200 && formatCode <= 203) return kV2;
    return kV4;
}

enum class Target {
    None, Layer, Colour, Article, ArticleFrame, Spt, Density, Lugeon, LugeonPoints, Judgement, Property,
    CrushJudgement, Crush, SampleTaken, SampleOld, Material, Era, Strata, LoadTest, OtherInsitu, Water,
    DrillProgress, DrillProgressOld, Fault, Hole, CoreTube, DrillSpeed, FeedPressure, Rotation, WaterFeed,
    Recovery, CoreLength, Rqd, CoreMass, Casing, Instrument, Tracer, TracerDetail, TracerResult, Remark,
};

// Working-row slot of the 色調_状態 element: 色調_色調名 (slot 2) wins when both are given.
constexpr int kColourStateSlot = 3;
// The kind of the 破砕度 judgement list in PropertyCodeList.
constexpr int kCrushKind = 11;
constexpr int kRockClassKind = 6;
// Judgement tables of real files list far more than 16 codes (e.g. 901, 911 … 952, 961 for
// core shapes); a short list would leave the later codes as raw numbers on the log.
constexpr int kCodeListCapacity = 200;
constexpr int kMissingTableThreshold = 500;
// No borehole reaches this deep (m): a depth beyond it, or a level beyond it, is no reading.
constexpr double kMaxDepthM = 10000;
// Measuring times of a tracer logging kept in Heading 73, and resistivity values kept for one
// depth (one per time); the logging graph draws one curve per time, and no real logging has
// more than a few dozen. Further values are told as not kept.
constexpr int kMaxTracerTimes = 100;
// Pressure-flow points kept for one Lugeon test (a real test has some ten steps).
constexpr int kMaxLugeonPoints = 200;
// Skipped records named in the message; all of them are counted.
constexpr std::size_t kFaultExcerpt = 24;

struct ElementDef {
    std::string name;
    int slot;  // 0: recognised and dropped
    unsigned versions;
};

struct GroupDef {
    std::string startTag;
    // Records the group may keep. Only the tracer logging (one set of measuring times) is held
    // to it; every other group is limited by the capacity of its table, and what does not fit is
    // told (BoreholeRecord::dropped).
    int capacity = 0;
    Target target = Target::None;
    int kind = 0;                          // rock property kind 1..10, 11 for 破砕度
    std::vector<std::string> recordTags;   // tags that start (and, closed, end) one record
    std::vector<ElementDef> elements;
};

struct PropertyKind {
    std::string_view name;
    int column;  // PropertyTable column of its value
};

// The ten rock property kinds in search order; kinds 7 to 10 are older names of 2 to 5.
constexpr std::array<PropertyKind, 10> kPropertyKinds = {{
    {"硬軟区分", 3}, {"ボーリングコアの形状区分", 4}, {"割れ目の状態区分", 5}, {"風化の程度区分", 6},
    {"熱水変質の程度区分", 7}, {"岩級区分", 8}, {"コア形状区分", 4}, {"割れ目区分", 5}, {"風化区分", 6},
    {"変質区分", 7},
}};

struct ElementInit {
    const char* name;  // "_suffix" is appended to the group's start tag
    int slot;
    unsigned versions = kAll;
};

GroupDef MakeGroup(std::string startTag, int capacity, Target target, std::initializer_list<ElementInit> elements) {
    GroupDef g;
    g.startTag = std::move(startTag);
    g.capacity = capacity;
    g.target = target;
    g.recordTags = {g.startTag};
    for (const ElementInit& e : elements) {
        std::string name = e.name[0] == '_' ? g.startTag + e.name : std::string(e.name);
        g.elements.push_back({std::move(name), e.slot, e.versions});
    }
    return g;
}

// The element list: per group its start tag, capacity, target and the elements of one record.
std::vector<GroupDef> BuildGroups() {
    std::vector<GroupDef> g;
    g.push_back(MakeGroup("工学的地質区分名現場土質名", 200, Target::Layer,
                          {{"_下端深度", 1}, {"_工学的地質区分名現場土質名", 2}, {"_工学的地質区分名現場土質名記号", 8}, {"_岩石群", 0}}));
    g.push_back(MakeGroup("岩石土区分", 200, Target::Layer, {{"_下端深度", 1}, {"_岩石土名", 2}, {"_岩石土記号", 8}, {"_岩石群", 0}}));
    g.push_back(MakeGroup("土質岩種区分", 200, Target::Layer,
                          {{"_下端深度", 1}, {"_土質岩種区分1", 2}, {"_土質岩種記号1", 8}, {"_分類コード1", 0}, {"_土質岩種区分2", 3}}));
    g.push_back(MakeGroup("地質区分", 200, Target::Layer,
                          {{"_深度", 1}, {"_地質名称1", 2}, {"_地質コード1", 0}, {"_地質名称2", 3}, {"_地質コード2", 0}}));
    g.push_back(MakeGroup("色調", 200, Target::Colour, {{"_下端深度", 1}, {"_状態", kColourStateSlot}, {"_色調名", 2}}));
    g.push_back(MakeGroup("観察記事", 200, Target::Article, {{"_上端深度", 1}, {"_下端深度", 2}, {"_記事", 4}}));
    g.push_back(MakeGroup("観察記事枠線", 200, Target::ArticleFrame, {{"_下端深度", 1}}));
    g.push_back(MakeGroup("標準貫入試験", 200, Target::Spt,
                          {{"_開始深度", 1},
                           {"_0_10打撃回数", 2, kV110 | kV2}, {"_0_10貫入量", 3, kV110 | kV2},
                           {"_10_20打撃回数", 4, kV110 | kV2}, {"_10_20貫入量", 5, kV110 | kV2},
                           {"_20_30打撃回数", 6, kV110 | kV2}, {"_20_30貫入量", 7, kV110 | kV2},
                           {"_0_100打撃回数", 2, kV4}, {"_0_100貫入量", 3, kV4},
                           {"_100_200打撃回数", 4, kV4}, {"_100_200貫入量", 5, kV4},
                           {"_200_300打撃回数", 6, kV4}, {"_200_300貫入量", 7, kV4},
                           {"_合計打撃回数", 8}, {"_合計貫入量", 9}, {"_備考", 0}}));
    g.push_back(MakeGroup("標準貫入試験詳細データ", 0, Target::None, {}));
    g.push_back(MakeGroup("相対密度稠度", 200, Target::Density,
                          {{"相対密度稠度_下端深度", 1}, {"相対密度_コード", 2}, {"相対密度_状態", 0}, {"相対稠度_コード", 3}, {"相対稠度_状態", 0}}));
    g.push_back(MakeGroup("ルジオン試験", 100, Target::Lugeon,
                          {{"_試験番号", 10}, {"_上端深度", 1}, {"_下端深度", 2}, {"_圧力管理方法コード", 0}, {"_圧力管理方法", 0},
                           {"_損失水頭補正値_注水管", 0}, {"_損失水頭補正値_パッカー", 0}, {"_圧力最大スケール", 7},
                           {"_注入量最大スケール", 8}, {"_圧力開始点", 5}, {"_注入量開始点", 6}, {"_ルジオン値区分", 9},
                           {"_ルジオン値", 4}, {"_限界圧力", 3}}));
    // Each point is appended to its test's row: no limit of its own.
    g.push_back(MakeGroup("ルジオン試験詳細データ", 0, Target::LugeonPoints,
                          {{"_試験番号", 3}, {"_注入圧力", 1}, {"_有効圧力", 1}, {"_注入量", 2}}));
    for (std::size_t k = 0; k < kPropertyKinds.size(); ++k) {
        const std::string kind(kPropertyKinds[k].name);
        GroupDef table = MakeGroup(kind + "判定表", 200, Target::Judgement, {{"_コード", 1}, {"_記号", 2}});
        table.kind = static_cast<int>(k) + 1;
        table.recordTags.push_back(kind + "判定表_判定");
        g.push_back(std::move(table));
        GroupDef values = MakeGroup(kind, 200, Target::Property, {});
        values.elements = {{kind + "_下端深度", 1, kAll}, {kind + "_" + kind, 2, kAll}};
        values.kind = static_cast<int>(k) + 1;
        g.push_back(std::move(values));
    }
    GroupDef crushTable = MakeGroup("破砕度判定表_判定", 200, Target::CrushJudgement,
                                     {{"破砕度判定表_コード", 1}, {"破砕度判定表_記号", 2}});
    crushTable.kind = kCrushKind;
    g.push_back(std::move(crushTable));
    g.push_back(MakeGroup("破砕度", 200, Target::Crush, {{"_上端深度", 1}, {"_下端深度", 2}, {"_破砕度", 3}}));
    g.push_back(MakeGroup("試料採取", 200, Target::SampleTaken,
                          {{"_上端深度", 1}, {"_下端深度", 2}, {"_試料番号", 3}, {"_採取方法コード", 4}, {"_採取方法", 5}, {"_試験名", 6}}));
    g.push_back(MakeGroup("採取試料", 200, Target::SampleOld,
                          {{"_上端深度", 1}, {"_下端深度", 2}, {"_試料番号", 3}, {"_採取方法コード", 4}, {"_採取方法", 5}}));
    g.push_back(MakeGroup("地盤材料の工学的分類", 200, Target::Material, {{"地盤分類_下端深度", 1}, {"地盤分類_工学的分類記号", 2}}));
    // The 1.10 names of the material classification, the strata and the fault zones.
    g.push_back(MakeGroup("地盤分類", 200, Target::Material, {{"_下端深度", 1}, {"_工学的分類記号", 2}}));
    // 時代名 is the name element up to 2.10, 地質時代名 from 3.00 on; they never meet in one file.
    g.push_back(MakeGroup("地質時代", 100, Target::Era,
                          {{"_上端深度", 1}, {"_下端深度", 2}, {"_コード", 0}, {"_時代名", 3}, {"_地質時代名", 3}}));
    g.push_back(MakeGroup("地層岩体区分", 100, Target::Strata, {{"_上端深度", 1}, {"_下端深度", 2}, {"_地層岩体名", 3}}));
    g.push_back(MakeGroup("地層区分", 100, Target::Strata, {{"_上端深度", 1}, {"_下端深度", 2}, {"_地層名", 3}}));
    for (const char* loadTest : {"孔内載荷試験", "孔内水平載荷試験"}) {
        g.push_back(MakeGroup(loadTest, 200, Target::LoadTest,
                              {{"_試験深度", 1}, {"_試験方法コード", 0}, {"_試験方法", 0}, {"_載荷パターン", 0}, {"_初期圧", 0},
                               {"_降伏圧", 0}, {"_変形係数", 3}}));
    }
    for (const char* notStored : {"透水試験", "P波試験", "S波試験"}) g.push_back(MakeGroup(notStored, 0, Target::None, {}));
    g.push_back(MakeGroup("その他原位置試験", 200, Target::OtherInsitu,
                          {{"_試験方法", 3, kV110}, {"_試験名", 3, kV2 | kV4}, {"_上端深度", 1}, {"_下端深度", 2}, {"_試験結果", 4}}));
    g.push_back(MakeGroup("孔内水位", 200, Target::Water,
                          {{"_測定年", 2, kV110}, {"_測定月", 4, kV110}, {"_測定日", 5, kV110}, {"_水位種別", 3, kV110},
                           {"_測定年月日", 2, kV2 | kV4},
                           {"_掘削状況コード", 0, kV2}, {"_掘削状況", 0, kV2}, {"_水位種別コード", 3, kV2}, {"_水位種別備考", 0, kV2},
                           {"_削孔状況コード", 0, kV4}, {"_削孔状況", 0, kV4}, {"_水位種別備考", 3, kV4},
                           {"_孔内水位", 1}}));
    g.push_back(MakeGroup("削孔工程", 160, Target::DrillProgress, {{"_測定年月日", 2}, {"_削孔深度", 1}, {"_ケーシング下端深度", 0}}));
    g.push_back(MakeGroup("掘削工程", 160, Target::DrillProgressOld,
                          {{"_測定年", 2, kV110}, {"_測定月", 4, kV110}, {"_測定日", 5, kV110},
                           {"_測定年月日", 2, kV2 | kV4}, {"_ケーシング下端深度", 0, kV2 | kV4}, {"_掘進深度", 1}}));
    g.push_back(MakeGroup("断層破砕帯区分", 200, Target::Fault, {{"_上端深度", 1}, {"_下端深度", 2}, {"_性状コード", 3}}));
    g.push_back(MakeGroup("断層区分", 200, Target::Fault, {{"_上端深度", 1}, {"_下端深度", 2}, {"_性状", 3}}));
    // 1.10 names the wall protection as text (_孔壁保護), the later versions by code.
    g.push_back(MakeGroup("孔径孔壁保護", 100, Target::Hole,
                          {{"_下端深度", 1}, {"_孔径", 2}, {"_孔壁保護", 3, kV110}, {"_孔壁保護コード", 3}, {"_孔壁保護方法", 0},
                           {"_孔壁保護実施理由", 4}}));
    g.push_back(MakeGroup("コアチューブビット", 100, Target::CoreTube, {{"_下端深度", 1}, {"_コアチューブ名", 2}, {"_ビット名", 3}}));
    g.push_back(MakeGroup("削孔速度", 160, Target::DrillSpeed, {{"_下端深度", 1}, {"_削孔速度", 2}}));
    g.push_back(MakeGroup("掘進速度", 160, Target::DrillSpeed, {{"_下端深度", 1}, {"_掘進速度", 2}}));
    g.push_back(MakeGroup("給圧条件", 160, Target::FeedPressure, {{"_下端深度", 1}, {"_給圧", 2}}));
    g.push_back(MakeGroup("回転数", 160, Target::Rotation, {{"_下端深度", 1}, {"_回転数", 2}}));
    g.push_back(MakeGroup("送水条件", 160, Target::WaterFeed,
                          {{"_下端深度", 1}, {"_送水圧", 2}, {"_送水量", 3}, {"_排水量", 4}, {"_送水種類コード", 5}, {"_送水種類", 0}}));
    g.push_back(MakeGroup("コア採取率", 200, Target::Recovery, {{"_下端深度", 1}, {"_採取率", 2}}));
    g.push_back(MakeGroup("最大コア長", 200, Target::CoreLength, {{"_下端深度", 1}, {"_コア長", 2}}));
    g.push_back(MakeGroup("RQD", 200, Target::Rqd, {{"_下端深度", 1}, {"_RQD", 2}}));
    g.push_back(MakeGroup("コア質量", 100, Target::CoreMass, {{"_下端深度", 1}, {"_コア質量", 2}}));
    g.push_back(MakeGroup("保孔管", 100, Target::Casing, {{"_下端深度", 1}, {"_種別コード", 2}, {"_備考", 0}}));
    g.push_back(MakeGroup("計測機器", 200, Target::Instrument, {{"_上端深度", 1}, {"_下端深度", 2}, {"_機器種別", 3}, {"_備考", 0}}));
    g.push_back(MakeGroup("トレーサーによる地下水流動層検層", 1, Target::Tracer, {{"_測定時間", 1}}));
    g.push_back(MakeGroup("トレーサーによる地下水流動層検層詳細データ", 1000, Target::TracerDetail,
                          {{"_検層番号", 0}, {"_測定深度", 1}, {"_比抵抗値", 2}}));
    g.push_back(MakeGroup("トレーサーによる地下水流動層検層判定結果", 200, Target::TracerResult,
                          {{"_上端深度", 1}, {"_下端深度", 2}, {"_地下水流動層検層結果", 3}}));
    // The same logging under its name up to 3.00 (2.00 and 2.01 join the times with commas
    // in one element, which Heading 73 keeps as it is).
    g.push_back(MakeGroup("地下水検層試験", 1, Target::Tracer, {{"_測定時間", 1}}));
    g.push_back(MakeGroup("地下水検層試験詳細データ", 1000, Target::TracerDetail,
                          {{"_試験番号", 0}, {"_測定深度", 1}, {"_比抵抗値", 2}}));
    g.push_back(MakeGroup("地下水検層試験判定結果", 200, Target::TracerResult,
                          {{"_上端深度", 1}, {"_下端深度", 2}, {"_地下水検層結果", 3}}));
    g.push_back(MakeGroup("備考", 100, Target::Remark, {{"_タイトル", 0}, {"_上端深度", 0}, {"_下端深度", 1}, {"_備考内容", 2}}));
    return g;
}

// The hammer-drop device's name is not a heading of its own: it names a device of code 9 (other).
constexpr int kHammerNameIndex = 1021;

// Heading elements and their Heading index, older names included.
const std::unordered_map<std::string_view, int>& HeadingMap() {
    static const std::unordered_map<std::string_view, int> map = {
        {"調査名", 1}, {"事業工事名", 2}, {"調査位置住所", 3}, {"発注機関名称", 4}, {"ボーリング名", 5},
        {"調査期間_開始年月日", 6}, {"調査期間_開始年", 6}, {"調査期間_開始月", 7}, {"調査期間_開始日", 8},
        {"調査期間_終了年月日", 9}, {"調査期間_終了年", 9}, {"調査期間_終了月", 10}, {"調査期間_終了日", 11},
        {"孔口標高", 13},
        {"調査会社_主任技師_氏名", 16}, {"調査会社_主任技師", 16},
        {"調査会社_現場代理人_氏名", 17}, {"調査会社_現場代理人", 17},
        {"調査会社_コア鑑定者_氏名", 18}, {"調査会社_コア鑑定者", 18},
        {"調査会社_ボーリング責任者_氏名", 19}, {"調査会社_ボーリング責任者", 19},
        {"試錐機_名称", 20}, {"ハンマー落下用具_コード", 21}, {"ハンマ落下用具_コード", 21},
        {"ハンマー落下用具_名称", kHammerNameIndex}, {"ハンマ落下用具_名称", kHammerNameIndex}, {"エンジン_名称", 22},
        {"ポンプ_名称", 23}, {"角度", 24}, {"掘進角度", 24}, {"方位", 25}, {"掘進方向", 25}, {"掘進方位", 25},
        {"地盤勾配", 26}, {"コード1次", 27}, {"総削孔長", 37}, {"総掘進長", 37}, {"調査会社_名称", 39},
        {"調査会社_TEL", 40}, {"緯度_度", 51}, {"緯度_分", 52}, {"緯度_秒", 53}, {"経度_度", 54}, {"経度_分", 55},
        {"経度_秒", 56}, {"柱状図様式", 57}, {"地質柱状図様式", 57}, {"コード2次", 58}, {"コード3次", 59},
        {"調査目的", kPurposeHeading}, {"調査対象", kTargetHeading},
        {"調査会社_主任技師_地質調査技士登録番号", 76}, {"調査会社_現場代理人_地質調査技士登録番号", 77},
        {"調査会社_コア鑑定者_地質調査技士登録番号", 78}, {"調査会社_ボーリング責任者_地質調査技士登録番号", 79},
    };
    return map;
}

// The bytes of a text as 64-bit words: the word at p (eight bytes there), and the last word of
// a text shorter than eight bytes, padded with zeros.
std::uint64_t WordAt(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}
std::uint64_t ShortWord(const char* p, std::size_t n) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, n);
    return word;
}

// A hash of a tag name from its length and three of its words (first, middle, last), each mixed
// by its own multiplier so the three run side by side. Names that share a group name at their
// start and "_下端深度" at their end still differ in the middle or in their length; names that
// agree on all four only take a compare more.
std::uint64_t TagHash(std::string_view name) {
    const std::size_t n = name.size();
    const char* p = name.data();
    std::uint64_t h = n * 0x9E3779B97F4A7C15ULL;
    if (n < 8) {
        h ^= ShortWord(p, n) * 0xBF58476D1CE4E5B9ULL;
    } else {
        h ^= WordAt(p) * 0xBF58476D1CE4E5B9ULL;
        h ^= WordAt(p + (n - 8) / 2) * 0x94D049BB133111EBULL;
        h ^= WordAt(p + n - 8) * 0xFF51AFD7ED558CCDULL;
    }
    h ^= h >> 31;
    h *= 0xC4CEB9FE1A85EC53ULL;
    return h ^ (h >> 29);
}

// Whether two texts of the same length hold the same bytes, a word at a time.
bool SameBytes(const char* a, const char* b, std::size_t n) {
    if (n < 8) return n == 0 || ShortWord(a, n) == ShortWord(b, n);
    for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (WordAt(a + i) != WordAt(b + i)) return false;
    }
    return WordAt(a + n - 8) == WordAt(b + n - 8);
}

// One place of a name in a group: an element (index into GroupDef::elements) or a record tag
// (index into GroupDef::recordTags).
struct GroupPlace {
    int group;
    int index;
};

// Everything a tag name stands for, so that a tag is looked up once whatever group is being read.
struct TagMeaning {
    bool dataSet = false;                 // ボーリング情報
    int startsGroup = -1;                 // the group it starts (the first group of that start tag)
    int heading = 0;                      // the Heading index it fills in the heading
    std::vector<GroupPlace> elements;     // in group order, then element order
    std::vector<GroupPlace> recordTags;   // in group order, then tag order
};

struct GroupTable {
    std::vector<GroupDef> groups;
    std::vector<TagMeaning> meanings;
    std::vector<std::string_view> names;  // the name of each meaning
    // Open addressing over the names: slot = hash & mask, then the next slots. A slot is eight
    // bytes (the hash's upper half and the meaning), so the whole index stays in the first-level
    // cache while a file is read.
    struct Slot {
        std::uint32_t check = 0;
        std::uint32_t meaning = kNoMeaning;
    };
    static constexpr std::uint32_t kNoMeaning = 0xFFFFFFFFu;
    std::vector<Slot> slots;
    std::size_t mask = 0;

    const TagMeaning* Find(std::string_view name) const {
        const std::uint64_t hash = TagHash(name);
        const auto check = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots[i];
            if (slot.meaning == kNoMeaning) return nullptr;
            if (slot.check != check) continue;
            const std::string_view known = names[slot.meaning];
            if (known.size() == name.size() && SameBytes(known.data(), name.data(), name.size())) return &meanings[slot.meaning];
        }
    }

    TagMeaning& Add(std::string_view name) {
        const std::uint64_t hash = TagHash(name);
        std::size_t i = hash & mask;
        for (; slots[i].meaning != kNoMeaning; i = (i + 1) & mask) {
            if (names[slots[i].meaning] == name) return meanings[slots[i].meaning];
        }
        slots[i] = {static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(meanings.size())};
        names.push_back(name);
        return meanings.emplace_back();
    }
};

const GroupTable& Groups() {
    static const GroupTable table = [] {
        GroupTable t;
        t.groups = BuildGroups();
        std::size_t names = 1 + HeadingMap().size();
        for (const GroupDef& g : t.groups) names += 1 + g.elements.size() + g.recordTags.size();
        std::size_t size = 64;
        while (size < 2 * names) size *= 2;  // at most half full: probes stay short
        t.slots.resize(size);
        t.mask = size - 1;
        t.meanings.reserve(names);
        t.Add("ボーリング情報").dataSet = true;
        for (std::size_t g = 0; g < t.groups.size(); ++g) {
            const GroupDef& def = t.groups[g];
            TagMeaning& start = t.Add(def.startTag);
            if (start.startsGroup < 0) start.startsGroup = static_cast<int>(g);
            for (std::size_t e = 0; e < def.elements.size(); ++e)
                t.Add(def.elements[e].name).elements.push_back({static_cast<int>(g), static_cast<int>(e)});
            for (std::size_t r = 0; r < def.recordTags.size(); ++r)
                t.Add(def.recordTags[r]).recordTags.push_back({static_cast<int>(g), static_cast<int>(r)});
        }
        for (const auto& [name, index] : HeadingMap()) t.Add(name).heading = index;
        return t;
    }();
    return table;
}

constexpr int kHeadingGroup = -2;
constexpr int kNoGroup = -1;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsBlankText(std::string_view text) {
    for (char c : text) {
        if (!IsBlank(c)) return false;
    }
    return true;
}

// Bytes that matter inside a tag: its end, the blanks that end its name, and NUL.
constexpr unsigned char kTagEnd = 1;
constexpr unsigned char kTagBlank = 2;
constexpr unsigned char kTagNul = 3;
constexpr std::array<unsigned char, 256> kTagByteKind = [] {
    std::array<unsigned char, 256> kinds{};
    kinds['>'] = kTagEnd;
    for (unsigned char c : {' ', '\t', '\r', '\n'}) kinds[c] = kTagBlank;
    kinds[0] = kTagNul;
    return kinds;
}();

// Position of the first byte at or after from that may end a tag's name or the tag: '>', a
// blank, NUL (or another control byte, which the caller passes over); the text's size when there
// is none. Sixteen bytes are looked at in one step where the processor allows.
std::size_t FindTagStop(std::string_view text, std::size_t from) {
    const std::size_t size = text.size();
#if defined(__SSE2__)
    const char* p = text.data();
    const __m128i end = _mm_set1_epi8('>');
    const __m128i space = _mm_set1_epi8(' ');
    for (; from + 16 <= size; from += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        // Bytes up to the space (NUL, the blanks and other control bytes) equal their minimum with it.
        const __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(v, end), _mm_cmpeq_epi8(_mm_min_epu8(v, space), v));
        const int bits = _mm_movemask_epi8(stops);
        if (bits != 0) return from + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(bits)));
    }
#endif
    for (; from < size; ++from) {
        const auto c = static_cast<unsigned char>(text[from]);
        if (c == '>' || c <= ' ') return from;
    }
    return size;
}

// Position of the first c at or after from, npos when there is none. The next tag is mostly a
// few bytes away (after an indent, or right after the content of an element): those bytes are
// looked at one by one before the library search takes the rest.
std::size_t FindByte(std::string_view text, std::size_t from, char c) {
    const std::size_t near = std::min(text.size(), from + 16);
    for (std::size_t i = from; i < near; ++i) {
        if (text[i] == c) return i;
    }
    if (near >= text.size()) return std::string_view::npos;
    const void* at = std::memchr(text.data() + near, c, text.size() - near);
    return at == nullptr ? std::string_view::npos : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
}

// The tag name: the text up to the first blank (attributes and stray blanks dropped).
std::string_view TagName(std::string_view raw) {
    std::size_t end = 0;
    while (end < raw.size() && !IsBlank(raw[end])) ++end;
    return raw.substr(0, end);
}

bool IsNumber(std::string_view text) { return core::IsNumericStart(text) == 1; }

// Depth elements (上端深度, 下端深度, 開始深度, 測定深度 …) and the water level, whose text must be
// a depth that a borehole can have.
bool IsDepthElement(std::string_view name) {
    constexpr std::string_view kDepth = "深度";
    constexpr std::string_view kLevel = "_孔内水位";
    auto endsWith = [&](std::string_view tail) {
        return name.size() >= tail.size() && name.substr(name.size() - tail.size()) == tail;
    };
    return endsWith(kDepth) || endsWith(kLevel);
}

bool SameDepth(double a, double b) { return std::fabs(a - b) <= kReadMergeTolerance + 1e-9; }

// Row of the table whose key cell holds depth (within 0.001 m), or the first row whose key
// cell is not numeric (which then receives the depth text); 0 when the table is full.
int FindOrAddRowByDepth(DepthTable& table, int keyColumn, const std::string& depthText) {
    const double depth = core::LeadingReal(depthText);
    for (int row = 1; row <= table.Capacity(); ++row) {
        const std::string& key = table.Cell(row, keyColumn);
        if (!IsNumber(key)) {
            table.SetCell(row, keyColumn, depthText);
            return row;
        }
        if (SameDepth(core::LeadingReal(key), depth)) return row;
    }
    return 0;
}

void OrFlag(DepthTable& table, int row, int column, int bit) {
    table.SetCell(row, column, core::Sprintf("%d", core::LeadingInt(table.Cell(row, column)) | bit));
}

std::string FullDate(std::string_view date) {
    std::string out(date);
    for (char& c : out) {
        if (c == '-') c = '/';
    }
    return out;
}

// The device of codes 1 to 4; any other code (9 is "other") is named by the file's name
// element, else "その他" for code 9 and empty text for the rest.
std::string HammerDropText(std::string_view code, std::string_view name) {
    if (core::TrimBlanks(code).empty()) return {};
    switch (IsNumber(code) ? core::LeadingInt(code) : -1) {
        case 1: return "全自動";
        case 2: return "半自動";
        case 3: return "トンビ";
        case 4: return "コーンプーリー";
        default: break;
    }
    if (!core::TrimBlanks(name).empty()) return std::string(core::TrimBlanks(name));
    return IsNumber(code) && core::LeadingInt(code) == 9 ? "その他" : std::string();
}

// Whether a text holds a digit: a water level written "-" (not measured) holds none.
bool HasDigit(std::string_view text) {
    for (char c : text) {
        if (c >= '0' && c <= '9') return true;
    }
    return false;
}

// The first row after the rows in use; 0 when the table is full.
int AppendRow(const DepthTable& table) {
    const int row = table.RowCount() + 1;
    return row <= table.Capacity() ? row : 0;
}

std::string DensityText(std::string_view code, const char* prefix) {
    if (!IsNumber(code)) return {};
    int c = core::LeadingInt(code);
    if (c >= 10 && c <= 50 && c % 10 == 0) return std::string(prefix) + std::to_string(c / 10);
    return {};
}

std::string WaterKindText(std::string_view code) {
    if (!IsNumber(code)) return std::string(code);
    int c = core::LeadingInt(code);
    std::string text;
    switch ((c / 10) % 10) {
        case 1: text = "清水位"; break;
        case 2: text = "泥水位"; break;
        default: break;
    }
    if (c % 10 == 1) text = text.empty() ? "水位無し" : text + "無し";
    return text;
}

std::string FaultText(std::string_view code) {
    if (!IsNumber(code)) return {};
    switch (core::LeadingInt(code)) {
        case 1: return "シュー";
        case 2: return "マイロ";
        case 3: return "カタク";
        case 4: return "角礫状";
        case 5: return "砂・礫混じり粘土状";
        case 6: return "粘土状";
        default: return {};
    }
}

std::string CasingText(std::string_view code) {
    if (!IsNumber(code)) return {};
    switch (core::LeadingInt(code)) {
        case 1: return "保孔管なし";
        case 2: return "有孔区間";
        case 3: return "無孔区間";
        case 4: return "遮水区間";
        case 9: return "その他";
        default: return {};
    }
}

// A core tube or bit name cut before the word (when the word is inside it, not at its start).
std::string CutBefore(const std::string& name, std::string_view word) {
    auto at = name.find(word);
    return at == std::string::npos || at == 0 ? name : name.substr(0, at);
}

// Millimetres of a 4.00 penetration amount as centimetres, truncated ("%d").
std::string MillimetresToCentimetres(const std::string& value) {
    if (!IsNumber(value)) return value;
    return core::Sprintf("%d", static_cast<int>(std::trunc(core::LeadingReal(value) / 10.0)));
}

// "\n" written as two characters in an article is a line break.
std::string ArticleText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out.append("\r\n");
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// HoleTable column 6: 2 for column 1, 4 for 2, 8 for 3, 16 for 4, 32 for 5 when not empty.
void SetHolePresenceFlags(DepthTable& hole, int row) {
    int flags = 0;
    for (int column = 1; column <= 5; ++column) {
        if (!hole.Cell(row, column).empty()) flags |= 1 << column;
    }
    hole.SetCell(row, 6, core::Sprintf("%d", flags));
}

// The table that a group fills.
TableId TargetTable(Target target) {
    switch (target) {
        case Target::Layer:
        case Target::Colour: return TableId::Layer;
        case Target::Article:
        case Target::ArticleFrame: return TableId::Article;
        case Target::Spt: return TableId::Spt;
        case Target::Density: return TableId::Density;
        case Target::Lugeon:
        case Target::LugeonPoints: return TableId::Lugeon;
        case Target::Judgement:
        case Target::Property: return TableId::Property;
        case Target::CrushJudgement:
        case Target::Crush: return TableId::Crush;
        case Target::SampleTaken:
        case Target::SampleOld: return TableId::Sample;
        case Target::Material: return TableId::Material;
        case Target::Era: return TableId::Era;
        case Target::Strata: return TableId::Strata;
        case Target::LoadTest:
        case Target::OtherInsitu: return TableId::Insitu;
        case Target::Water: return TableId::Water;
        case Target::DrillProgress:
        case Target::DrillProgressOld:
        case Target::DrillSpeed:
        case Target::FeedPressure:
        case Target::Rotation:
        case Target::WaterFeed: return TableId::Drill;
        case Target::Fault: return TableId::Fault;
        case Target::Hole:
        case Target::CoreTube: return TableId::Hole;
        case Target::Recovery: return TableId::Recovery;
        case Target::CoreLength:
        case Target::Rqd: return TableId::CoreLength;
        case Target::CoreMass: return TableId::CoreMass;
        case Target::Casing: return TableId::Casing;
        case Target::Instrument: return TableId::Instrument;
        case Target::Tracer:
        case Target::TracerDetail: return TableId::TracerDetail;
        case Target::TracerResult: return TableId::TracerResult;
        case Target::Remark: return TableId::Remark;
        case Target::None: break;
    }
    return TableId::Layer;
}

}  // namespace

// "MM/DD" of a date: a text longer than five characters that starts with a year of 1900 or
// later, or with "0000-", loses its first five characters; "-" becomes "/".
std::string ShortDate(std::string_view date) {
    std::string out(date);
    if (out.size() > 5 && (core::LeadingLong(out) >= 1900 || out.compare(0, 5, "0000-") == 0)) out.erase(0, 5);
    for (char& c : out) {
        if (c == '-') c = '/';
    }
    return out;
}

// The one-character method of the known codes; for another code the method text of the file
// when it gives one, else "A".
std::string SampleMethodLetter(std::string_view code, std::string_view text) {
    if (core::TrimBlanks(code).empty()) return {};
    switch (IsNumber(code) ? core::LeadingInt(code) : -1) {
        case 100: return "-";
        case 250: return "T";
        case 300: return "D";
        case 507: return "F";
        default: break;
    }
    const std::string_view given = core::TrimBlanks(text);
    return given.empty() ? std::string("A") : std::string(given);
}

std::string WallProtectionCode(std::string_view text) {
    if (core::TrimBlanks(text).empty()) return {};
    if (IsNumber(text)) {
        switch (core::LeadingInt(text)) {
            case 1: return "B1";
            case 2: return "B2";
            case 3: return "B3";
            case 9: return "B9";
            default: return "B4";
        }
    }
    if (text.find("ケー") != std::string_view::npos) return "B1";
    if (text.find("セメ") != std::string_view::npos) return "B2";
    if (text.find("泥") != std::string_view::npos) return "B3";
    return "B9";
}

std::string WaterFeedKind(std::string_view text) {
    if (core::TrimBlanks(text).empty()) return {};
    if (IsNumber(text)) {
        int c = core::LeadingInt(text);
        if (c >= 1 && c <= 5) return "w" + std::to_string(c);
        return c == 9 ? "w9" : "";
    }
    if (text.find("無水") != std::string_view::npos) return "w1";
    if (text.find("清") != std::string_view::npos) return "w2";
    if (text.find("泥") != std::string_view::npos) return "w3";
    if (text.find("界") != std::string_view::npos) return "w4";
    if (text.find("増") != std::string_view::npos) return "w5";
    return "w9";
}

// Whether the text of a depth element can be read: blank, or a number of at most 10,000 m
// either way ("1e308" cannot). A record's key depth that is no number at all ("NaN", "inf",
// full-width "９９") cannot be read either, unless it holds no digit and no letter ("-"); other
// depth fields keep such texts as they are.
bool IsReadableDepth(std::string_view text, bool key) {
    const std::string_view trimmed = core::TrimBlanks(text);
    if (trimmed.empty()) return true;
    // A numeral: digits after an optional sign ("-inf" and "+nan" only start like one).
    const std::size_t at = trimmed[0] == '+' || trimmed[0] == '-' ? 1 : 0;
    const auto digit = [&](std::size_t i) { return i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9'; };
    const bool numeral = digit(at) || (at < trimmed.size() && trimmed[at] == '.' && digit(at + 1));
    if (!IsNumber(trimmed) || !numeral) {
        return !key || std::none_of(trimmed.begin(), trimmed.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
        });
    }
    // Its value, also where it is too large for a double ("1e999", which LeadingReal reads as 0).
    double value = 0;
    const std::string_view number = trimmed.substr(at);
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) return false;
    return std::isfinite(value) && std::fabs(value) <= kMaxDepthM;
}

// A short, printable excerpt of a field's text for a message: NUL bytes shown as "\0".
std::string FaultExcerpt(std::string_view text) {
    std::string shown;
    for (char c : text) {
        if (c == '\0') shown += "\\0";
        else shown.push_back(c);
    }
    const std::string cut = core::Cp932Truncate(shown, kFaultExcerpt);
    return cut.size() < shown.size() ? cut + "…" : cut;
}

std::string SkippedSummary(const BoreholeRecord& record, const std::string& fileName) {
    std::string detail = fileName.empty() ? std::string() : fileName + ": ";
    for (std::size_t i = 0; i < record.skipped.size(); ++i) detail += (i ? "、" : "") + record.skipped[i];
    if (record.skippedCount > static_cast<int>(record.skipped.size()))
        detail += core::Sprintf(" ほか 計%d件", record.skippedCount);
    return detail;
}

std::string DroppedSummary(const BoreholeRecord& record) {
    std::string text;
    for (const DroppedRecords& d : record.dropped) {
        if (!text.empty()) text += "、";
        text += d.group + " " + std::to_string(d.count) + "件";
    }
    return text;
}

ExchangeXmlReader::ExchangeXmlReader(BoreholeRecord& record, const geology::NameTable& names, core::Messages& messages)
    : m_record(record), m_names(names), m_messages(messages) {
    Groups();  // builds the element list once, before the first line
}

void ExchangeXmlReader::ReadLine(std::string_view line, int formatCode) {
    m_versionBit = static_cast<int>(VersionBit(formatCode));
    std::size_t pos = 0;
    if (m_pendingActive) {
        // Content that went on from an earlier line ends at the next tag.
        const std::size_t lt = line.find('<');
        m_pendingContent.append("\r\n").append(line.substr(0, lt));
        if (lt == std::string_view::npos) return;
        m_pendingActive = false;
        std::string_view content = m_pendingContent;
        while (!content.empty() && IsBlank(content.back())) content.remove_suffix(1);
        HandleOpen(m_pendingName, content);
        pos = lt;
    }
    const std::size_t size = line.size();
    while (pos < size) {
        const std::size_t lt = FindByte(line, pos, '<');
        if (lt == std::string_view::npos) break;
        // One pass over the tag up to its ">": where its name ends (the first blank; attributes
        // and stray blanks follow) and whether it holds a NUL byte.
        std::size_t gt = lt + 1;
        std::size_t nameEnd = std::string_view::npos;
        bool nul = false;
        for (; (gt = FindTagStop(line, gt)) < size; ++gt) {
            const unsigned kind = kTagByteKind[static_cast<unsigned char>(line[gt])];
            if (kind == kTagEnd) break;
            if (kind == kTagBlank) {
                if (nameEnd == std::string_view::npos) nameEnd = gt;
            } else if (kind == kTagNul) {
                nul = true;
            }
        }
        if (gt >= size) break;  // a tag not closed on its line is not read
        const std::string_view raw = line.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (raw.empty() || raw[0] == '?' || raw[0] == '!') continue;  // declaration, DOCTYPE, comment
        if (nul) {
            // A tag with NUL bytes names no element: the record it belongs to is skipped and
            // told; closing it still ends that record.
            if (m_inDataSet) {
                NoteFault("<" + FaultExcerpt(raw) + ">");
                if (m_group < 0) SkipFaultyRecord();
            }
            if (raw[0] == '/') {
                std::string name(TagName(raw.substr(1)));
                name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
                HandleClose(name);
            }
            continue;
        }
        const std::size_t nameStop = std::min(nameEnd, gt);
        if (raw[0] == '/') {
            HandleClose(line.substr(lt + 2, nameStop - lt - 2));
            continue;
        }
        if (raw.back() == '/') {  // an empty element stores nothing
            HandleOpen(line.substr(lt + 1, std::min(nameStop, gt - 1) - lt - 1), {});
            continue;
        }
        const std::string_view name = line.substr(lt + 1, nameStop - lt - 1);
        const std::size_t next = FindByte(line, pos, '<');
        if (next == std::string_view::npos) {
            std::string_view rest = line.substr(pos);
            if (IsBlankText(rest)) {
                HandleOpen(name, {});
            } else {
                m_pendingActive = true;
                m_pendingName.assign(name);
                m_pendingContent.assign(rest);
            }
            return;
        }
        // Content runs to the closing tag; before another start tag the element is a container.
        const bool closes = next + 1 < size && line[next + 1] == '/';
        HandleOpen(name, closes ? line.substr(pos, next - pos) : std::string_view());
        pos = next;
    }
}

void ExchangeXmlReader::StartDataSet() {
    m_inDataSet = true;
    m_sawStart = true;
    m_group = kHeadingGroup;
    m_rowCounter = 0;
    m_hammerCode.clear();
    m_hammerName.clear();
    m_dropsReported = false;
    m_valueCount = 0;
    m_codeList.clear();
    m_codeListKind = 0;
    m_propertyGroupCount = 0;
    m_headingTimes = 0;
    m_recordFault.clear();
}

void ExchangeXmlReader::EndDataSet() {
    m_inDataSet = false;
    m_sawEnd = true;
    m_group = kNoGroup;
    if (m_propertyGroupCount >= kMissingTableThreshold) m_messages.Warning(core::MessageText(core::MessageId::NoPropertyTable));
    if (!m_recordFault.empty()) SkipFaultyRecord();
    ReportSkipped();
    ReportDropped();
}

void ExchangeXmlReader::Finish() {
    if (!m_recordFault.empty()) SkipFaultyRecord();
    ReportSkipped();
    if (m_inDataSet) ReportDropped();
}

void ExchangeXmlReader::ReportDropped() {
    if (m_dropsReported || m_record.dropped.empty()) return;
    m_dropsReported = true;
    m_messages.Warning(core::MessageText(core::MessageId::RecordsDropped, DroppedSummary(m_record)));
}

void ExchangeXmlReader::EnterGroup(int group) {
    const GroupDef& def = Groups().groups[static_cast<std::size_t>(group)];
    if (group != m_group) {
        m_group = group;
        m_rowCounter = 0;
        if (def.target == Target::Judgement || def.target == Target::CrushJudgement) {
            if (def.kind != m_codeListKind) {
                m_codeList.clear();
                m_codeListKind = def.kind;
            }
        } else if (def.target == Target::Property && def.kind != m_codeListKind) {
            // Values of a kind whose judgement table did not come just before.
            m_propertyGroupCount += def.kind == kRockClassKind ? 1 + kMissingTableThreshold : 1;
            m_codeList.clear();
        }
    }
    StartRecord();
}

void ExchangeXmlReader::StartRecord() {
    // A record that was never closed but held a field that could not be read is still told.
    if (!m_recordFault.empty()) SkipFaultyRecord();
    for (std::string& slot : m_slots) slot.clear();
    m_laterTimes.clear();
    m_laterTimeCount = 0;
    m_detailValues = 0;
    m_valueCount = 0;
}

void ExchangeXmlReader::NoteFault(std::string fault) {
    if (m_recordFault.empty()) m_recordFault = std::move(fault);
}

void ExchangeXmlReader::SkipFaultyRecord() {
    std::string where = m_group >= 0 ? Groups().groups[static_cast<std::size_t>(m_group)].startTag : std::string("ボーリング情報");
    if (static_cast<int>(m_record.skipped.size()) < kSkippedNamed) m_record.skipped.push_back(where + " " + m_recordFault);
    ++m_record.skippedCount;
    m_recordFault.clear();
}

void ExchangeXmlReader::NoteTimesDropped(const std::string& element) {
    m_record.NoteDropped(element, TableId::TracerDetail);
    for (DroppedRecords& d : m_record.dropped)
        if (d.group == element) d.kept = kMaxTracerTimes;
}

void ExchangeXmlReader::ReportSkipped() {
    if (m_skipsReported || m_record.skippedCount == 0) return;
    m_skipsReported = true;
    m_messages.Warning(core::MessageText(core::MessageId::RecordsSkipped, SkippedSummary(m_record, m_fileName)));
}

void ExchangeXmlReader::StoreHeading(int index, std::string_view content) {
    std::string value = DecodeCharacterReferences(content);
    if (index == 21 || index == kHammerNameIndex) {
        (index == 21 ? m_hammerCode : m_hammerName) = value;
        m_record.SetHeading(21, HammerDropText(m_hammerCode, m_hammerName));
        return;
    }
    m_record.SetHeading(index, std::move(value));
    if (index == 59) {
        // The mesh code: first, second and third order joined without separator.
        m_record.SetHeading(27, m_record.Heading(27) + m_record.Heading(58) + m_record.Heading(59));
    }
}

void ExchangeXmlReader::HandleOpen(std::string_view name, std::string_view content) {
    const GroupTable& table = Groups();
    const TagMeaning* tag = table.Find(name);
    if (tag == nullptr) return;  // a name the reader does not know stores nothing
    if (tag->dataSet) {
        StartDataSet();
        return;
    }
    if (!m_inDataSet) return;
    if (m_group >= 0) {
        const GroupDef& def = table.groups[static_cast<std::size_t>(m_group)];
        for (const GroupPlace& place : tag->elements) {
            if (place.group != m_group) continue;
            const ElementDef& e = def.elements[static_cast<std::size_t>(place.index)];
            if (!(e.versions & static_cast<unsigned>(m_versionBit))) continue;
            if (e.slot == 0 || content.empty()) return;
            if (def.target == Target::Tracer) {
                // Each measuring time of the (first) record joins Heading 73, up to 100 times;
                // a later record's times are kept aside to tell whether they differ.
                std::string value = DecodeCharacterReferences(content);
                if (m_rowCounter < def.capacity) {
                    if (m_headingTimes >= kMaxTracerTimes) {
                        NoteTimesDropped(e.name);
                    } else {
                        const std::string& joined = m_record.Heading(73);
                        m_record.SetHeading(73, joined.empty() ? value : joined + "," + value);
                        ++m_headingTimes;
                    }
                } else if (m_laterTimeCount < kMaxTracerTimes) {
                    if (!m_laterTimes.empty()) m_laterTimes += ",";
                    m_laterTimes += value;
                    ++m_laterTimeCount;
                } else if (m_laterTimeCount++ == kMaxTracerTimes) {
                    m_laterTimes += ",…";  // more times than Heading 73 keeps: they differ
                }
                ++m_valueCount;
                return;
            }
            std::string value = DecodeCharacterReferences(content);
            // A water level may be a word ("なし": not measured); any other key depth must be a number.
            if (IsDepthElement(e.name) && !IsReadableDepth(value, e.slot == 1 && def.target != Target::Water)) {
                NoteFault(e.name + "「" + FaultExcerpt(value) + "」");
                return;
            }
            std::string& slot = m_slots[static_cast<std::size_t>(e.slot)];
            if (def.target == Target::TracerDetail && e.slot == 2 && !slot.empty()) {
                // One resistivity value per measuring time: the record keeps them all (up to
                // the times Heading 73 keeps), joined with "," as the logging graph reads them.
                if (++m_detailValues > kMaxTracerTimes) {
                    NoteTimesDropped(e.name);
                    return;
                }
                slot += ",";
                slot += value;
            } else {
                if (def.target == Target::TracerDetail && e.slot == 2) m_detailValues = 1;
                slot = std::move(value);
            }
            ++m_valueCount;
            return;
        }
        for (const GroupPlace& place : tag->recordTags) {
            if (place.group == m_group && place.index >= 1) {
                StartRecord();
                return;
            }
        }
    }
    if (tag->startsGroup >= 0) {
        EnterGroup(tag->startsGroup);
        return;
    }
    if (m_group == kHeadingGroup && tag->heading != 0 && !content.empty()) StoreHeading(tag->heading, content);
}

void ExchangeXmlReader::HandleClose(std::string_view name) {
    const TagMeaning* tag = Groups().Find(name);
    if (tag == nullptr) return;
    if (tag->dataSet) {
        if (m_inDataSet) EndDataSet();
        return;
    }
    if (m_group < 0) return;
    for (const GroupPlace& place : tag->recordTags) {
        if (place.group == m_group) {
            Commit();
            return;
        }
    }
}

std::string ExchangeXmlReader::LookUpSymbol(const std::string& code) const {
    const bool numeric = IsNumber(code);
    for (const CodePair& pair : m_codeList) {
        const bool match = numeric && IsNumber(pair.code) ? core::LeadingLong(pair.code) == core::LeadingLong(code)
                                                          : core::TrimBlanks(pair.code) == core::TrimBlanks(code);
        if (match) return pair.symbol;
    }
    return code;
}

void ExchangeXmlReader::Commit() {
    const GroupDef& def = Groups().groups[static_cast<std::size_t>(m_group)];
    const int collected = m_valueCount;
    m_valueCount = 0;
    if (!m_recordFault.empty()) {
        SkipFaultyRecord();
        return;
    }
    if (collected == 0 || def.target == Target::None) return;
    if (def.target == Target::Tracer) {
        // Only the first logging's measuring times fit Heading 73: a later logging measured at
        // other times is told as not kept.
        if (++m_rowCounter > def.capacity && m_laterTimes != m_record.Heading(73)) {
            m_record.NoteDropped(def.startTag, TableId::TracerDetail);
            for (DroppedRecords& d : m_record.dropped)
                if (d.group == def.startTag) d.kept = def.capacity;  // the loggings whose times are kept
        }
        m_laterTimes.clear();
        return;
    }
    // A water level row is kept without its level when the level is not a number ("-").
    if (!IsNumber(m_slots[1]) && !(def.target == Target::Water && (!m_slots[1].empty() || !m_slots[2].empty())))
        return;
    ++m_rowCounter;
    if (!WriteRecord(m_group)) m_record.NoteDropped(def.startTag, TargetTable(def.target));
}

// Writes the working row into its table: a record of its own goes into the first free row
// (so groups that share a table, and a group met twice, never overwrite each other), a value
// that belongs to a depth into the row of that depth. False when the record found no room.
bool ExchangeXmlReader::WriteRecord(int group) {
    const GroupDef& def = Groups().groups[static_cast<std::size_t>(group)];
    auto& s = m_slots;
    auto table = [this](TableId id) -> DepthTable& { return m_record.Table(id); };
    switch (def.target) {
        case Target::Layer: {
            DepthTable& t = table(TableId::Layer);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, s[3]);
            t.SetCell(row, 7, s[8]);
            t.SetCell(row, 6, "471");
            t.SetCell(row, 10, "・");
            t.SetCell(row, 4, PatternCodeText(DecomposeName(m_names, s[2], "")));
            if (!s[3].empty()) t.SetCell(row, 5, PatternCodeText(DecomposeName(m_names, s[3], "")));
            return true;
        }
        case Target::Colour: {
            DepthTable& t = table(TableId::Layer);
            const int found = FindOrAddRowByDepth(t, 0, s[1]);
            if (found == 0) return false;
            t.SetCell(found, 3, s[2].empty() ? s[kColourStateSlot] : s[2]);
            OrFlag(t, found, 6, 32);
            return true;
        }
        case Target::Article: {
            DepthTable& t = table(TableId::Article);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 3, ArticleText(s[4]));
            t.SetCell(row, 4, "0");
            return true;
        }
        case Target::ArticleFrame: {
            DepthTable& t = table(TableId::Article);
            const double depth = core::LeadingReal(s[1]);
            for (int r = 1; r <= t.Capacity() && IsNumber(t.Cell(r, 1)); ++r) {
                if (SameDepth(core::LeadingReal(t.Cell(r, 1)), depth)) {
                    t.SetCell(r, 4, "1");
                    break;
                }
            }
            return true;
        }
        case Target::Spt: {
            DepthTable& t = table(TableId::Spt);
            const int row = AppendRow(t);
            if (row == 0) return false;
            if (m_versionBit == static_cast<int>(kV4)) {
                for (int slot : {3, 5, 7, 9}) s[static_cast<std::size_t>(slot)] = MillimetresToCentimetres(s[static_cast<std::size_t>(slot)]);
            }
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[8] + "/" + s[9]);
            for (int k = 0; k < 3; ++k) {
                const std::string& blows = s[static_cast<std::size_t>(2 + 2 * k)];
                const std::string& penetration = s[static_cast<std::size_t>(3 + 2 * k)];
                t.SetCell(row, 2 + k, blows.empty() && penetration.empty() ? std::string() : blows + "/" + penetration);
            }
            t.SetCell(row, 5, "0");
            return true;
        }
        case Target::Density: {
            DepthTable& t = table(TableId::Density);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, DensityText(s[2], "rd"));
            t.SetCell(row, 2, DensityText(s[3], "rc"));
            return true;
        }
        case Target::Lugeon: {
            // The test number is the row's key: a test without one could take no points.
            if (!IsNumber(s[10])) return false;
            DepthTable& t = table(TableId::Lugeon);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[10]);
            for (int c = 1; c <= 8; ++c) t.SetCell(row, c, s[static_cast<std::size_t>(c)]);
            t.SetCell(row, 9, IsNumber(s[9]) && core::LeadingInt(s[9]) == 2 ? "8" : "");
            return true;
        }
        case Target::LugeonPoints: {
            if (!IsNumber(s[2]) || !IsNumber(s[3])) return true;
            DepthTable& t = table(TableId::Lugeon);
            const double number = core::LeadingReal(s[3]);
            for (int r = 1; r <= t.Capacity() && IsNumber(t.Cell(r, 0)); ++r) {
                if (core::LeadingReal(t.Cell(r, 0)) == number) {
                    // Two commas a point: beyond the points any test has, the rest is not kept.
                    const std::string& points = t.Cell(r, 10);
                    if (std::count(points.begin(), points.end(), ',') >= 2 * kMaxLugeonPoints) return false;
                    t.SetCell(r, 10, t.Cell(r, 10) + s[1] + "," + s[2] + ",");
                    return true;
                }
            }
            return false;  // no test of that number was kept
        }
        case Target::Judgement:
        case Target::CrushJudgement:
            if (static_cast<int>(m_codeList.size()) >= kCodeListCapacity) return false;
            m_codeList.push_back({s[1], s[2]});
            return true;
        case Target::Property: {
            DepthTable& t = table(TableId::Property);
            const int column = kPropertyKinds[static_cast<std::size_t>(def.kind - 1)].column;
            std::string value = m_codeListKind == def.kind ? LookUpSymbol(s[2]) : s[2];
            const int found = FindOrAddRowByDepth(t, 1, s[1]);
            if (found == 0) return false;
            t.SetCell(found, column, std::move(value));
            OrFlag(t, found, 9, 1 << column);
            return true;
        }
        case Target::Crush: {
            DepthTable& t = table(TableId::Crush);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, m_codeListKind == kCrushKind ? LookUpSymbol(s[3]) : s[3]);
            return true;
        }
        case Target::SampleTaken:
        case Target::SampleOld: {
            DepthTable& t = table(TableId::Sample);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, s[3]);
            t.SetCell(row, 3, SampleMethodLetter(s[4], s[5]));
            t.SetCell(row, 4, def.target == Target::SampleTaken ? s[6] : std::string());
            if (def.target == Target::SampleOld) t.SetCell(row, 5, "");
            return true;
        }
        case Target::Material: {
            DepthTable& t = table(TableId::Material);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            return true;
        }
        case Target::Era:
        case Target::Strata: {
            DepthTable& t = table(def.target == Target::Era ? TableId::Era : TableId::Strata);
            const int row = AppendRow(t);
            if (row == 0) return false;
            for (int c = 0; c < 3; ++c) t.SetCell(row, c, s[static_cast<std::size_t>(c + 1)]);
            return true;
        }
        case Target::LoadTest:
        case Target::OtherInsitu: {
            DepthTable& t = table(TableId::Insitu);
            const int r = AppendRow(t);
            if (r == 0) return false;
            if (def.target == Target::LoadTest) {
                t.SetCell(r, 0, s[1]);
                t.SetCell(r, 1, s[1]);
                t.SetCell(r, 2, "孔内載荷試験");
                t.SetCell(r, 3, s[3]);
            } else {
                for (int c = 0; c < 4; ++c) t.SetCell(r, c, s[static_cast<std::size_t>(c + 1)]);
                for (int c = 4; c <= 6; ++c) t.SetCell(r, c, "");
                t.SetCell(r, 7, "7");
            }
            return true;
        }
        case Target::Water: {
            DepthTable& t = table(TableId::Water);
            const int row = AppendRow(t);
            if (row == 0) return false;
            // "-" (not measured) and other texts without a number are no level: the row keeps
            // its date and kind and has no level to draw.
            const bool measured = IsNumber(s[1]) && HasDigit(s[1]);
            const std::string level = measured ? core::Sprintf("%+.2f", -core::LeadingReal(s[1])) : std::string();
            const bool v110 = m_versionBit == static_cast<int>(kV110);
            const bool codeVariant = m_versionBit == static_cast<int>(kV2);
            const std::string kind = codeVariant ? WaterKindText(s[3]) : s[3];
            t.SetCell(row, 0, level);
            t.SetCell(row, 1, v110 ? s[4] + "/" + s[5] : ShortDate(s[2]));
            t.SetCell(row, 2, kind);
            t.SetCell(row, 3, "7");
            // The work-day table lists the measured levels with their full date.
            if (!v110 && measured) {
                DepthTable& log = table(TableId::WaterLog);
                const int logRow = AppendRow(log);
                if (logRow == 0) return false;
                log.SetCell(logRow, 0, s[1]);
                log.SetCell(logRow, 2, level);
                log.SetCell(logRow, 4, kind);
                log.SetCell(logRow, 5, "");
                log.SetCell(logRow, 6, FullDate(s[2]));
                log.SetCell(logRow, 7, "");
            }
            return true;
        }
        case Target::DrillProgress:
        case Target::DrillProgressOld: {
            DepthTable& t = table(TableId::Drill);
            const int row = AppendRow(t);
            if (row == 0) return false;
            const bool v110 = def.target == Target::DrillProgressOld && m_versionBit == static_cast<int>(kV110);
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, v110 ? s[4] + "/" + s[5] : ShortDate(s[2]));
            t.SetCell(row, v110 ? 10 : 9, "1");
            return true;
        }
        case Target::Fault: {
            DepthTable& t = table(TableId::Fault);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            // 1.10 describes the zone in words, the later versions by code.
            t.SetCell(row, 2, IsNumber(s[3]) ? FaultText(s[3]) : std::string(core::TrimBlanks(s[3])));
            t.SetCell(row, 3, "48");
            return true;
        }
        case Target::Hole: {
            DepthTable& t = table(TableId::Hole);
            const int row = FindOrAddRowByDepth(t, 0, s[1]);
            if (row == 0) return false;
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, WallProtectionCode(s[3]));
            t.SetCell(row, 3, s[4]);
            SetHolePresenceFlags(t, row);
            return true;
        }
        case Target::CoreTube: {
            DepthTable& t = table(TableId::Hole);
            const int found = FindOrAddRowByDepth(t, 0, s[1]);
            if (found == 0) return false;
            const std::string tube = CutBefore(s[2], "コア");
            const std::string bit = CutBefore(s[3], "クラウン");
            t.SetCell(found, 5, !tube.empty() && !bit.empty() ? tube + "/" + bit : tube.empty() ? bit : tube);
            SetHolePresenceFlags(t, found);
            return true;
        }
        case Target::DrillSpeed:
        case Target::FeedPressure:
        case Target::Rotation:
        case Target::WaterFeed: {
            DepthTable& t = table(TableId::Drill);
            const int found = FindOrAddRowByDepth(t, 0, s[1]);
            if (found == 0) return false;
            if (def.target == Target::WaterFeed) {
                t.SetCell(found, 5, s[2]);
                t.SetCell(found, 6, s[3]);
                t.SetCell(found, 7, s[4]);
                t.SetCell(found, 8, WaterFeedKind(s[5]));
                OrFlag(t, found, 9, 16);
            } else {
                const int column = def.target == Target::DrillSpeed ? 2 : def.target == Target::FeedPressure ? 3 : 4;
                t.SetCell(found, column, s[2]);
                OrFlag(t, found, 9, 1 << (column - 1));
            }
            return true;
        }
        case Target::Recovery: {
            DepthTable& t = table(TableId::Recovery);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, "2");
            t.SetCell(row, 3, "0");
            return true;
        }
        case Target::CoreLength:
        case Target::Rqd: {
            // Both groups fill the same rows, each value at its own depth.
            DepthTable& t = table(TableId::CoreLength);
            const int row = FindOrAddRowByDepth(t, 0, s[1]);
            if (row == 0) return false;
            // A second value at the same depth replaces the first, which is told as not kept.
            const int column = def.target == Target::CoreLength ? 1 : 2;
            const bool replaces = !t.Cell(row, column).empty() && t.Cell(row, column) != s[2];
            t.SetCell(row, column, s[2]);
            if (def.target == Target::CoreLength) t.SetCell(row, 3, std::to_string(kCoreLengthRecordFlag));
            return !replaces;
        }
        case Target::CoreMass:
        case Target::Casing:
        case Target::Instrument:
        case Target::TracerResult: {
            const TableId id = TargetTable(def.target);
            DepthTable& t = table(id);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, def.target == Target::Casing ? CasingText(s[2]) : s[2]);
            if (id == TableId::Instrument || id == TableId::TracerResult) t.SetCell(row, 2, s[3]);
            return true;
        }
        case Target::TracerDetail: {
            DepthTable& t = table(TableId::TracerDetail);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, "");
            t.SetCell(row, 2, s[2]);
            return true;
        }
        case Target::Remark: {
            DepthTable& t = table(TableId::Remark);
            const int row = AppendRow(t);
            if (row == 0) return false;
            t.SetCell(row, 0, s[1]);
            t.SetCell(row, 1, s[2]);
            t.SetCell(row, 2, "1");
            return true;
        }
        case Target::Tracer:
        case Target::None:
            return true;
    }
    return true;
}

}  // namespace stracol::borehole
