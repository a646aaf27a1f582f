#pragma once
// The index of a batch run (--index FILE): one record per input file, saying which boring it
// holds, where it lies, what was drawn and where the output went. Written as CSV or as a
// GeoJSON collection of points (longitude, latitude), chosen by the file's extension.

#include <optional>
#include <string>
#include <vector>

namespace stracol::borehole { class BoreholeRecord; }

namespace stracol::tools {

enum class IndexFormat { Csv, GeoJson };

// ".csv" → CSV; ".geojson" or ".json" → GeoJSON (any case); false for any other name.
bool IndexFormatFor(const std::string& path, IndexFormat& format);

struct IndexEntry {
    std::string file;                  // the input as given
    std::string boringName;            // ボーリング名
    std::string surveyName;            // 調査名
    std::optional<double> latitude;    // decimal degrees from 緯度_度/_分/_秒
    std::optional<double> longitude;   // decimal degrees from 経度_度/_分/_秒
    std::string datum;                 // 測地系 code as the file gives it ("" when absent)
    std::optional<double> elevationM;  // 孔口標高
    std::optional<double> totalDepthM; // 総削孔長 (総掘進長 in older files)
    std::string dtdVersion;            // DTD_version attribute as the file gives it
    int pages = 0;
    std::vector<std::string> outputs;  // files written
    bool drawn = false;
    std::string reason;                // why nothing was drawn
};

// Degrees, minutes and seconds as texts to decimal degrees; none when the degrees are not a
// number or a part is out of range (minutes and seconds from 0 to below 60). Empty minutes
// and seconds count as 0.
std::optional<double> DecimalDegrees(const std::string& degrees, const std::string& minutes,
                                     const std::string& seconds);

// The heading fields of a loaded record: names, coordinates, elevation and depth.
void FillFromRecord(IndexEntry& entry, const borehole::BoreholeRecord& record);

// The fields the record does not keep, read from the file's own text (UTF-8 or CP932): the
// DTD_version attribute and the 測地系 element.
void FillFromFileText(IndexEntry& entry, const std::string& bytes);

std::string IndexCsv(const std::vector<IndexEntry>& entries);
std::string IndexGeoJson(const std::vector<IndexEntry>& entries);

// Writes the index in the format of its extension (through a temporary file renamed over the
// target); false with a message when it cannot.
bool WriteIndex(const std::string& path, const std::vector<IndexEntry>& entries, std::string& error);

}  // namespace stracol::tools
