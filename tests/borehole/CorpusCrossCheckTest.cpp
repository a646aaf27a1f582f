// An independent check of the exchange XML reader on real data: every exchange file of the
// repository's test data (and of the larger corpus when it is present) is opened
// through the open road, and its layers, standard penetration tests and water levels are
// compared with what a general XML parser (QXmlStreamReader) finds in the same file. The two
// paths share no code: the parser side decodes, parses and converts on its own.

#include "borehole/DocumentOpen.h"
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

struct Expected {
    std::string version;
    std::vector<Layer> layers;
    std::vector<std::string> colourDepths;
    std::vector<Spt> spts;
    std::vector<std::string> waterLevels;
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

// Child elements of one record: tag name → text (empty when absent).
using Fields = std::map<QString, QString>;

Fields ReadRecord(QXmlStreamReader& xml) {
    Fields fields;
    int depth = 1;
    QString current;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (depth == 2) current = xml.name().toString();
            if (depth == 2) fields[current];  // present, maybe empty
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
            if (!StartsLikeNumber(level)) continue;
            char text[32];
            std::snprintf(text, sizeof text, "%+.2f", -Number(level));
            e.waterLevels.push_back(text);
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
    int checkedLayers = 0, checkedSpts = 0, checkedLevels = 0;
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

        const DepthTable& wt = record.Table(TableId::Water);
        const std::size_t levels = std::min<std::size_t>(e.waterLevels.size(), 50);
        ASSERT_EQ(wt.RowCount(), static_cast<int>(levels));
        for (std::size_t i = 0; i < levels; ++i) {
            EXPECT_EQ(wt.Cell(static_cast<int>(i) + 1, 0), e.waterLevels[i]);
            ++checkedLevels;
        }
    }
    std::printf("[ corpus   ] %zu files, %d layer rows, %d penetration tests, %d water levels agree\n", files.size(),
                checkedLayers, checkedSpts, checkedLevels);
}
