// An independent check of the exchange XML reader on real data: every exchange file of the
// repository's test data (and of the larger corpus when it is present) is opened through the
// open road, and its layers, standard penetration tests, water levels (with the work-day
// list), core lengths and RQD, Lugeon tests with their points, instruments, crushing degrees,
// material classes, strata, fault zones, groundwater logging and the survey purpose and
// target are compared with what a general XML parser (QXmlStreamReader) finds in the same
// file. The two paths share no code: the parser side decodes, parses and converts on its own.

#include "borehole/DocumentOpen.h"
#include "borehole/ExchangeXmlReader.h"
#include "core/Messages.h"
#include "support/TempDir.h"
#include "support/TestData.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

using namespace stracol;
using namespace stracol::borehole;

namespace {

struct Layer {
    double depth;
    std::string depthText;
    std::string name1;
    std::string name2;
};

struct Spt {
    std::string start;
    std::string total;  // blows "/" penetration in centimetres
};

// A core-length row: the depth with the maximum core length and the RQD given there.
struct CoreRow {
    double depth;
    std::string depthText;
    std::string length;
    std::string rqd;
};

struct LugeonTest {
    std::string number;
    std::string upper;
    std::string points;  // pressure, flow, … each followed by a comma
};

struct Expected {
    std::string version;
    std::vector<Layer> layers;
    std::vector<std::string> colourDepths;
    std::vector<Spt> spts;
    std::vector<std::string> waterLevels;  // "" for a row without a level ("-")
    std::vector<std::string> workDayLevels;
    std::vector<CoreRow> coreRows;
    std::vector<LugeonTest> lugeon;
    int lugeonPoints = 0;
    // Interval groups by table: the upper (or only) depth of each record.
    std::map<TableId, std::vector<std::string>> intervals;
    std::vector<std::string> loggingDepths;
    std::vector<std::string> loggingValues;
    std::string loggingTimes;  // of the first logging
    bool loggingRecordSeen = false;
    std::map<std::string, int> dropped;  // by group: records the log cannot keep
    std::string purpose;
    std::string target;
};

// Groups of one record per row: start tag, key element, table. The 1.10 names come second.
struct IntervalGroup {
    const char* tag;
    const char* key;
    TableId table;
};
constexpr IntervalGroup kIntervalGroups[] = {
    {"計測機器", "計測機器_上端深度", TableId::Instrument},
    {"破砕度", "破砕度_上端深度", TableId::Crush},
    {"地盤材料の工学的分類", "地盤分類_下端深度", TableId::Material},
    {"地盤分類", "地盤分類_下端深度", TableId::Material},
    {"地層岩体区分", "地層岩体区分_上端深度", TableId::Strata},
    {"地層区分", "地層区分_上端深度", TableId::Strata},
    {"断層破砕帯区分", "断層破砕帯区分_上端深度", TableId::Fault},
    {"断層区分", "断層区分_上端深度", TableId::Fault},
    {"地下水検層試験判定結果", "地下水検層試験判定結果_上端深度", TableId::TracerResult},
    {"トレーサーによる地下水流動層検層判定結果", "トレーサーによる地下水流動層検層判定結果_上端深度", TableId::TracerResult},
};

// Layer groups: start tag, depth element suffix, name 1 suffix, name 2 suffix.
struct LayerGroup {
    const char* tag;
    const char* depth;
    const char* name1;
    const char* name2;
};
constexpr LayerGroup kLayerGroups[] = {
    {"工学的地質区分名現場土質名", "_下端深度", "_工学的地質区分名現場土質名", ""},
    {"岩石土区分", "_下端深度", "_岩石土名", ""},
    {"土質岩種区分", "_下端深度", "_土質岩種区分1", "_土質岩種区分2"},
    {"地質区分", "_深度", "_地質名称1", "_地質名称2"},
};

bool StartsLikeNumber(const std::string& text) {
    auto first = text.find_first_not_of(" \t\r\n");
    return first != std::string::npos && std::string("1234567890.+-!").find(text[first]) != std::string::npos;
}

double Number(const std::string& text) { return std::atof(text.c_str()); }

std::string Normalised(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    while (!out.empty() && std::string(" \t\r\n").find(out.back()) != std::string::npos) out.pop_back();
    return out;
}

QString Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder sjis("windows-31j");
    return sjis(bytes);
}

// Child elements of one record: tag name → text (empty when absent); a repeated element
// joins its texts with ",".
using Fields = std::map<QString, QString>;

Fields ReadRecord(QXmlStreamReader& xml) {
    Fields fields;
    int depth = 1;
    QString current;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (depth == 2) {
                current = xml.name().toString();
                auto it = fields.find(current);
                if (it == fields.end()) fields[current];  // present, maybe empty
                else it->second += u',';
            }
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters() && depth == 2) {
            fields[current] += xml.text().toString();
        }
    }
    return fields;
}

std::string Field(const Fields& fields, const QString& name) {
    auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second.toStdString();
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The non-empty items of a comma-separated list, joined again.
std::string NonEmptyItems(const std::string& list) {
    std::string out;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = Trimmed(list.substr(start, comma - start));
        if (!item.empty()) out += (out.empty() ? "" : ",") + item;
        start = comma + 1;
    }
    return out;
}

bool HasDigit(const std::string& text) { return text.find_first_of("0123456789") != std::string::npos; }

// The core-length row of a depth (within 1 mm), added when there is none.
CoreRow& CoreRowAt(std::vector<CoreRow>& rows, const std::string& depth) {
    for (CoreRow& r : rows) {
        if (std::fabs(r.depth - Number(depth)) <= 0.001 + 1e-9) return r;
    }
    rows.push_back({Number(depth), depth, "", ""});
    return rows.back();
}

Expected Parse(const std::filesystem::path& file) {
    QFile in(QString::fromStdString(file.string()));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(Decode(in.readAll()));
    Expected e;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QString tag = xml.name().toString();
        if (tag == u"ボーリング情報") {
            e.version = xml.attributes().value(QStringLiteral("DTD_version")).toString().toStdString();
            continue;
        }
        for (const LayerGroup& g : kLayerGroups) {
            if (tag != QString::fromUtf8(g.tag)) continue;
            Fields f = ReadRecord(xml);
            const std::string depth = Field(f, tag + QString::fromUtf8(g.depth));
            if (StartsLikeNumber(depth)) {
                e.layers.push_back({Number(depth), depth, Field(f, tag + QString::fromUtf8(g.name1)),
                                    *g.name2 ? Field(f, tag + QString::fromUtf8(g.name2)) : std::string()});
            }
        }
        if (tag == u"色調") {
            Fields f = ReadRecord(xml);
            const std::string depth = Field(f, QStringLiteral("色調_下端深度"));
            if (StartsLikeNumber(depth)) e.colourDepths.push_back(depth);
        } else if (tag == u"標準貫入試験") {
            Fields f = ReadRecord(xml);
            const std::string start = Field(f, QStringLiteral("標準貫入試験_開始深度"));
            if (!StartsLikeNumber(start)) continue;
            std::string penetration = Field(f, QStringLiteral("標準貫入試験_合計貫入量"));
            const bool millimetres = e.version != "1.10" && e.version != "2.00" && e.version != "2.01" &&
                                     e.version != "2.10" && e.version != "3.00";
            if (millimetres && StartsLikeNumber(penetration)) {
                penetration = std::to_string(static_cast<long>(std::trunc(Number(penetration) / 10.0)));
            }
            e.spts.push_back({start, Field(f, QStringLiteral("標準貫入試験_合計打撃回数")) + "/" + penetration});
        } else if (tag == u"孔内水位") {
            Fields f = ReadRecord(xml);
            const std::string level = Field(f, QStringLiteral("孔内水位_孔内水位"));
            const std::string date =
                Field(f, e.version == "1.10" ? QStringLiteral("孔内水位_測定年") : QStringLiteral("孔内水位_測定年月日"));
            // A level that is no number ("-": not measured) leaves a row with its date and kind.
            if (level.empty() && date.empty()) continue;
            if (StartsLikeNumber(level) && HasDigit(level)) {
                char text[32];
                std::snprintf(text, sizeof text, "%+.2f", -Number(level));
                e.waterLevels.push_back(text);
                if (e.version != "1.10") e.workDayLevels.push_back(level);
            } else {
                e.waterLevels.push_back("");
            }
        } else if (tag == u"最大コア長" || tag == u"RQD") {
            const bool length = tag == u"最大コア長";
            Fields f = ReadRecord(xml);
            const std::string depth = Field(f, tag + QStringLiteral("_下端深度"));
            if (!StartsLikeNumber(depth)) continue;
            CoreRow& row = CoreRowAt(e.coreRows, depth);
            std::string& cell = length ? row.length : row.rqd;
            const std::string value = Field(f, length ? QStringLiteral("最大コア長_コア長") : QStringLiteral("RQD_RQD"));
            // One value per depth: a second, different one replaces the first.
            if (!cell.empty() && cell != value) ++e.dropped[tag.toStdString()];
            cell = value;
        } else if (tag == u"ルジオン試験") {
            Fields f = ReadRecord(xml);
            const std::string upper = Field(f, QStringLiteral("ルジオン試験_上端深度"));
            const std::string number = Field(f, QStringLiteral("ルジオン試験_試験番号"));
            if (StartsLikeNumber(upper) && StartsLikeNumber(number)) e.lugeon.push_back({number, upper, ""});
        } else if (tag == u"ルジオン試験詳細データ") {
            Fields f = ReadRecord(xml);
            const std::string number = Field(f, QStringLiteral("ルジオン試験詳細データ_試験番号"));
            std::string pressure = Field(f, QStringLiteral("ルジオン試験詳細データ_有効圧力"));
            if (pressure.empty()) pressure = Field(f, QStringLiteral("ルジオン試験詳細データ_注入圧力"));
            const std::string flow = Field(f, QStringLiteral("ルジオン試験詳細データ_注入量"));
            if (!StartsLikeNumber(number) || !StartsLikeNumber(pressure) || !StartsLikeNumber(flow)) continue;
            for (LugeonTest& t : e.lugeon) {
                if (Number(t.number) == Number(number)) {
                    t.points += pressure + "," + flow + ",";
                    ++e.lugeonPoints;
                    break;
                }
            }
        } else if (tag == u"地下水検層試験" || tag == u"トレーサーによる地下水流動層検層") {
            Fields f = ReadRecord(xml);
            const std::string times = NonEmptyItems(Field(f, tag + QStringLiteral("_測定時間")));
            if (!e.loggingRecordSeen) e.loggingTimes = times;
            // The log shows one logging's times: a later one measured at other times is not kept.
            else if (times != e.loggingTimes) ++e.dropped[tag.toStdString()];
            e.loggingRecordSeen = true;
        } else if (tag == u"地下水検層試験詳細データ" || tag == u"トレーサーによる地下水流動層検層詳細データ") {
            Fields f = ReadRecord(xml);
            const std::string depth = Field(f, tag + QStringLiteral("_測定深度"));
            if (!StartsLikeNumber(depth)) continue;
            e.loggingDepths.push_back(depth);
            e.loggingValues.push_back(NonEmptyItems(Field(f, tag + QStringLiteral("_比抵抗値"))));
        } else if (tag == u"調査目的" || tag == u"調査対象") {
            (tag == u"調査目的" ? e.purpose : e.target) = Trimmed(xml.readElementText().toStdString());
        } else {
            for (const IntervalGroup& g : kIntervalGroups) {
                if (tag != QString::fromUtf8(g.tag)) continue;
                Fields f = ReadRecord(xml);
                const std::string key = Field(f, QString::fromUtf8(g.key));
                if (StartsLikeNumber(key)) e.intervals[g.table].push_back(key);
                break;
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << file << ": " << xml.errorString().toStdString();
    return e;
}

int CodeOf(const std::string& version) {
    static const std::map<std::string, int> codes = {{"1.10", 110}, {"2.00", 200}, {"2.01", 201}, {"2.10", 202},
                                                     {"3.00", 203}, {"4.00", 204}, {"5.00", 205}};
    auto it = codes.find(version);
    return it == codes.end() ? 209 : it->second;
}

}  // namespace

TEST(CorpusCrossCheck, EveryFileLoadsAndAgreesWithAGeneralXmlParser) {
    const geology::NameTable names = geology::BuiltInNameTable(0);
    const auto files = stracol::testing::AllExchangeFiles();
    ASSERT_FALSE(files.empty());
    int checkedLayers = 0, checkedSpts = 0, checkedLevels = 0, checkedWorkDays = 0, checkedCoreRows = 0,
        checkedLugeonTests = 0, checkedLugeonPoints = 0, checkedIntervals = 0, checkedLogging = 0, checkedTitles = 0, checkedDrops = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        Expected e = Parse(file);

        stracol::testing::TempDir home;
        core::RecordingMessages messages;
        BoreholeRecord record;
        OpenResult result = OpenDocument(file.string(), record, names, home.Path(), messages, nullptr);
        ASSERT_TRUE(result.loaded) << result.message;
        EXPECT_EQ(result.formatCode, CodeOf(e.version));

        // Layers: the colour records whose depth meets no layer add rows of their own; the
        // table is then sorted by depth, and is full at 200 rows.
        std::vector<Layer> layers(e.layers.begin(), e.layers.begin() + std::min<std::size_t>(e.layers.size(), 200));
        for (const std::string& depth : e.colourDepths) {
            const bool meets = std::any_of(layers.begin(), layers.end(),
                                           [&](const Layer& l) { return std::fabs(l.depth - Number(depth)) <= 0.001 + 1e-9; });
            if (!meets && layers.size() < 200) layers.push_back({Number(depth), depth, "", ""});
        }
        std::stable_sort(layers.begin(), layers.end(), [](const Layer& a, const Layer& b) { return a.depth < b.depth; });
        const DepthTable& lt = record.Table(TableId::Layer);
        ASSERT_EQ(lt.RowCount(), static_cast<int>(layers.size()));
        for (std::size_t i = 0; i < layers.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            SCOPED_TRACE(row);
            EXPECT_EQ(lt.Cell(row, 0), layers[i].depthText);
            const std::string name = Normalised(layers[i].name1);
            if (name.find("互層") != std::string::npos && lt.Cell(row, 10) == "互層") {
                // The two-name layout shows an alternation as its two halves.
                EXPECT_EQ(Normalised(lt.Cell(row, 1) + lt.Cell(row, 9) + lt.Cell(row, 2) + "互層"),
                          name.substr(0, name.find("互層") + std::string("互層").size()));
            } else {
                EXPECT_EQ(Normalised(lt.Cell(row, 1)), name);
                EXPECT_EQ(Normalised(lt.Cell(row, 2)), Normalised(layers[i].name2));
            }
            ++checkedLayers;
        }

        const DepthTable& st = record.Table(TableId::Spt);
        const std::size_t spts = std::min<std::size_t>(e.spts.size(), 200);
        ASSERT_EQ(st.RowCount(), static_cast<int>(spts));
        for (std::size_t i = 0; i < spts; ++i) {
            EXPECT_EQ(st.Cell(static_cast<int>(i) + 1, 0), e.spts[i].start);
            EXPECT_EQ(st.Cell(static_cast<int>(i) + 1, 1), e.spts[i].total);
            ++checkedSpts;
        }

        // Every table below keeps all the corpus holds (no file comes near a capacity); what
        // cannot be kept is told.
        std::map<std::string, int> dropped;
        for (const DroppedRecords& d : record.dropped) dropped[d.group] += d.count;
        EXPECT_EQ(dropped, e.dropped) << DroppedSummary(record);
        for (const auto& [group, count] : e.dropped) checkedDrops += count;

        const DepthTable& wt = record.Table(TableId::Water);
        ASSERT_EQ(wt.RowCount(), static_cast<int>(e.waterLevels.size()));
        for (std::size_t i = 0; i < e.waterLevels.size(); ++i) {
            EXPECT_EQ(wt.Cell(static_cast<int>(i) + 1, 0), e.waterLevels[i]);
            ++checkedLevels;
        }
        const DepthTable& work = record.Table(TableId::WaterLog);
        ASSERT_EQ(work.RowCount(), static_cast<int>(e.workDayLevels.size()));
        for (std::size_t i = 0; i < e.workDayLevels.size(); ++i) {
            EXPECT_EQ(work.Cell(static_cast<int>(i) + 1, 0), e.workDayLevels[i]);
            ++checkedWorkDays;
        }

        // Core lengths and RQD each at their own depth, sorted by depth.
        std::stable_sort(e.coreRows.begin(), e.coreRows.end(), [](const CoreRow& a, const CoreRow& b) { return a.depth < b.depth; });
        const DepthTable& ct = record.Table(TableId::CoreLength);
        ASSERT_EQ(ct.RowCount(), static_cast<int>(e.coreRows.size()));
        for (std::size_t i = 0; i < e.coreRows.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(Number(ct.Cell(row, 0)), e.coreRows[i].depth) << row;
            EXPECT_EQ(ct.Cell(row, 1), e.coreRows[i].length) << row;
            EXPECT_EQ(ct.Cell(row, 2), e.coreRows[i].rqd) << row;
            ++checkedCoreRows;
        }

        const DepthTable& lu = record.Table(TableId::Lugeon);
        ASSERT_EQ(lu.RowCount(), static_cast<int>(e.lugeon.size()));
        for (std::size_t i = 0; i < e.lugeon.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(lu.Cell(row, 0), e.lugeon[i].number);
            EXPECT_EQ(lu.Cell(row, 1), e.lugeon[i].upper);
            EXPECT_EQ(lu.Cell(row, 10), e.lugeon[i].points) << "test " << e.lugeon[i].number;
            ++checkedLugeonTests;
        }
        checkedLugeonPoints += e.lugeonPoints;

        for (const IntervalGroup& g : kIntervalGroups) {
            const DepthTable& t = record.Table(g.table);
            const std::vector<std::string>& keys = e.intervals[g.table];
            SCOPED_TRACE(t.Def().name);
            ASSERT_EQ(t.RowCount(), static_cast<int>(keys.size()));
            for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(t.Cell(static_cast<int>(i) + 1, 0), keys[i]);
        }
        for (const auto& [table, keys] : e.intervals) checkedIntervals += static_cast<int>(keys.size());

        const DepthTable& lg = record.Table(TableId::TracerDetail);
        ASSERT_EQ(lg.RowCount(), static_cast<int>(e.loggingDepths.size()));
        for (std::size_t i = 0; i < e.loggingDepths.size(); ++i) {
            EXPECT_EQ(lg.Cell(static_cast<int>(i) + 1, 0), e.loggingDepths[i]);
            EXPECT_EQ(lg.Cell(static_cast<int>(i) + 1, 2), e.loggingValues[i]);
            ++checkedLogging;
        }
        EXPECT_EQ(record.Heading(73), e.loggingTimes);

        EXPECT_EQ(record.Heading(kPurposeHeading), e.purpose);
        EXPECT_EQ(record.Heading(kTargetHeading), e.target);
        checkedTitles += !e.purpose.empty() + !e.target.empty();
    }
    std::printf("[ corpus   ] %zu files, %d layer rows, %d penetration tests, %d water levels, %d work-day levels, "
                "%d core-length rows, %d Lugeon tests with %d points, %d interval rows, %d logging depths, "
                "%d purpose and target texts agree; %d records told as not kept\n",
                files.size(), checkedLayers, checkedSpts, checkedLevels, checkedWorkDays, checkedCoreRows, checkedLugeonTests,
                checkedLugeonPoints, checkedIntervals, checkedLogging, checkedTitles, checkedDrops);
}
