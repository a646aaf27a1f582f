// The index of a batch run: coordinates in decimal degrees, the fields the record does not
// keep, and the CSV and GeoJSON forms (the GeoJSON read back by a general JSON parser).

#include "BatchIndex.h"
#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>

using namespace stracol;
using namespace stracol::tools;

namespace {

IndexEntry Drawn() {
    IndexEntry e;
    e.file = "data/BED0001.XML";
    e.boringName = "No.1";
    e.surveyName = "県道改良工事, 地質調査 \"その2\"";
    e.latitude = 35.875111111;
    e.longitude = 136.2575;
    e.datum = "01";
    e.elevationM = 12.3;
    e.totalDepthM = 25.45;
    e.dtdVersion = "4.00";
    e.pages = 1;
    e.outputs = {"pdf/BED0001.pdf"};
    e.drawn = true;
    return e;
}

IndexEntry Failed() {
    IndexEntry e;
    e.file = "data/broken.xml";
    e.reason = "読み込み可能な柱状図データファイルではありません";
    return e;
}

}  // namespace

TEST(BatchIndex, DegreesMinutesSecondsToDecimalDegrees) {
    struct Case {
        const char* d;
        const char* m;
        const char* s;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"35", "52", "30.4000", 35 + 52 / 60.0 + 30.4 / 3600.0},
        {" 136 ", "05", "07", 136 + 5 / 60.0 + 7 / 3600.0},
        {"136", "", "", 136.0},               // minutes and seconds not given
        {"35.5", "", "", 35.5},
        {"", "52", "30", std::nullopt},       // no degrees: no position
        {"北緯35", "52", "30", std::nullopt},
        {"35", "60", "0", std::nullopt},      // minutes out of range
        {"35", "52", "60", std::nullopt},     // seconds out of range
        {"35", "-1", "0", std::nullopt},
        {"35", "x", "0", std::nullopt},
        {"181", "0", "0", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.d) + "/" + c.m + "/" + c.s);
        const auto value = DecimalDegrees(c.d, c.m, c.s);
        ASSERT_EQ(value.has_value(), c.expected.has_value());
        if (value) {
            EXPECT_NEAR(*value, *c.expected, 1e-12);
        }
    }
}

TEST(BatchIndex, RecordFieldsComeFromTheHeading) {
    borehole::BoreholeRecord record;
    record.SetHeading(1, " 県道改良工事 ");
    record.SetHeading(5, "No.1");
    record.SetHeading(13, "12.30");
    record.SetHeading(37, "25.45");
    record.SetHeading(51, "35");
    record.SetHeading(52, "52");
    record.SetHeading(53, "30.4");
    record.SetHeading(54, "136");
    record.SetHeading(55, "15");
    record.SetHeading(56, "");
    IndexEntry e;
    FillFromRecord(e, record);
    EXPECT_EQ(e.surveyName, "県道改良工事");
    EXPECT_EQ(e.boringName, "No.1");
    ASSERT_TRUE(e.elevationM && e.totalDepthM && e.latitude && e.longitude);
    EXPECT_DOUBLE_EQ(*e.elevationM, 12.3);
    EXPECT_DOUBLE_EQ(*e.totalDepthM, 25.45);
    EXPECT_NEAR(*e.latitude, 35.875111111, 1e-9);
    EXPECT_NEAR(*e.longitude, 136.25, 1e-12);

    borehole::BoreholeRecord bare;
    IndexEntry none;
    FillFromRecord(none, bare);
    EXPECT_FALSE(none.latitude || none.longitude || none.elevationM || none.totalDepthM);
}

TEST(BatchIndex, VersionAndDatumAreReadAsTheFileGivesThemInEitherEncoding) {
    const std::string utf8 =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\n"
        "<ボーリング情報 DTD_version=\"4.00\">\n<経度緯度情報>\n<測地系> 01 </測地系>\n</経度緯度情報>\n";
    struct Case {
        std::string bytes;
        const char* version;
        const char* datum;
    };
    const Case cases[] = {
        {utf8, "4.00", "01"},
        {core::Utf8ToCp932(utf8), "4.00", "01"},
        {"<ボーリング情報 DTD_version = '2.10'><測地系>1</測地系>", "2.10", "1"},
        {"<ボーリング情報 xDTD_version=\"9\">", "", ""},  // another attribute's name
        {"<ボーリング情報>", "", ""},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "", ""},
    };
    for (const Case& c : cases) {
        IndexEntry e;
        FillFromFileText(e, c.bytes);
        EXPECT_EQ(e.dtdVersion, c.version);
        EXPECT_EQ(e.datum, c.datum);
    }
}

TEST(BatchIndex, FormatFollowsTheExtension) {
    struct Case {
        const char* path;
        bool ok;
        IndexFormat format;
    };
    const Case cases[] = {{"a.csv", true, IndexFormat::Csv},         {"out/A.CSV", true, IndexFormat::Csv},
                          {"a.geojson", true, IndexFormat::GeoJson}, {"a.json", true, IndexFormat::GeoJson},
                          {"a.txt", false, IndexFormat::Csv},        {"csv", false, IndexFormat::Csv}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        IndexFormat format = IndexFormat::Csv;
        ASSERT_EQ(IndexFormatFor(c.path, format), c.ok);
        if (c.ok) {
            EXPECT_EQ(format, c.format);
        }
    }
}

TEST(BatchIndex, CsvHasAHeaderAndOneQuotedRecordPerFile) {
    const std::string csv = IndexCsv({Drawn(), Failed()});
    EXPECT_EQ(csv,
              "file,boring_name,survey_name,latitude,longitude,datum,elevation_m,total_depth_m,dtd_version,pages,"
              "output,status,reason\r\n"
              "data/BED0001.XML,No.1,\"県道改良工事, 地質調査 \"\"その2\"\"\",35.8751111,136.2575,01,12.3,25.45,4.00,1,"
              "pdf/BED0001.pdf,drawn,\r\n"
              "data/broken.xml,,,,,,,,,0,,failed,読み込み可能な柱状図データファイルではありません\r\n");
}

TEST(BatchIndex, GeoJsonIsACollectionOfPointsWithTheRecordAsProperties) {
    const std::string text = IndexGeoJson({Drawn(), Failed()});
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << text;
    const QJsonObject root = doc.object();
    EXPECT_EQ(root["type"].toString(), "FeatureCollection");
    const QJsonArray features = root["features"].toArray();
    ASSERT_EQ(features.size(), 2);

    const QJsonObject drawn = features[0].toObject();
    EXPECT_EQ(drawn["type"].toString(), "Feature");
    const QJsonObject point = drawn["geometry"].toObject();
    EXPECT_EQ(point["type"].toString(), "Point");
    const QJsonArray xy = point["coordinates"].toArray();
    ASSERT_EQ(xy.size(), 2);
    EXPECT_NEAR(xy[0].toDouble(), 136.2575, 1e-9);     // longitude first
    EXPECT_NEAR(xy[1].toDouble(), 35.8751111, 1e-9);
    const QJsonObject p = drawn["properties"].toObject();
    EXPECT_EQ(p["file"].toString(), "data/BED0001.XML");
    EXPECT_EQ(p["survey_name"].toString().toStdString(), Drawn().surveyName);
    EXPECT_EQ(p["datum"].toString(), "01");
    EXPECT_DOUBLE_EQ(p["elevation_m"].toDouble(), 12.3);
    EXPECT_DOUBLE_EQ(p["total_depth_m"].toDouble(), 25.45);
    EXPECT_EQ(p["dtd_version"].toString(), "4.00");
    EXPECT_EQ(p["pages"].toInt(), 1);
    EXPECT_EQ(p["output"].toArray().at(0).toString(), "pdf/BED0001.pdf");
    EXPECT_EQ(p["status"].toString(), "drawn");

    const QJsonObject failed = features[1].toObject();
    EXPECT_TRUE(failed["geometry"].isNull());
    const QJsonObject q = failed["properties"].toObject();
    EXPECT_EQ(q["status"].toString(), "failed");
    EXPECT_EQ(q["reason"].toString().toStdString(), Failed().reason);
    EXPECT_TRUE(q["latitude"].isNull());
    EXPECT_TRUE(q["elevation_m"].isNull());
}

TEST(BatchIndex, WritingReplacesTheFileWholeAndReportsWhatFails) {
    stracol::testing::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteIndex(dir.File("out/index.csv"), {Drawn()}, error)) << error;
    EXPECT_EQ(dir.Read("out/index.csv"), IndexCsv({Drawn()}));
    ASSERT_TRUE(WriteIndex(dir.File("out/index.csv"), {Failed()}, error)) << error;
    EXPECT_EQ(dir.Read("out/index.csv"), IndexCsv({Failed()}));

    dir.Write("plain-file", "x");
    EXPECT_FALSE(WriteIndex(dir.File("plain-file/index.csv"), {Drawn()}, error));
    EXPECT_NE(error.find("plain-file/index.csv"), std::string::npos) << error;
    EXPECT_FALSE(WriteIndex(dir.File("index.txt"), {Drawn()}, error));
    EXPECT_NE(error.find(".csv"), std::string::npos) << error;
}
