#pragma once
// The geological-name master WdtvTSL.mst as its editor shows it: one row per line, each
// assigning a soil or rock name its symbol, whether relative density or consistency applies,
// its pattern number and its bitmap number. Group headings ("[第１分類]", "{…}") are rows too.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::geology {

inline constexpr int kMasterCapacity = 256;        // rows of the list, headings included
inline constexpr int kMasterFileVersion = 1000;    // written into the first heading
inline constexpr int kMasterLineLimit = 80;        // CP932 bytes read of each line
inline constexpr long kMaxPatternNumber = 999999;

struct MasterRow {
    std::string name;                  // 地質名, or a group heading
    std::string symbol;                // 記号
    bool density = false;              // 密度: relative density applies (class digit bit 1)
    bool consistency = false;          // 稠度: consistency applies (class digit bit 2)
    std::optional<long> patternNumber; // パタ-ンNo; empty when the row has none
    std::optional<long> bitmapNumber;  // BmpNo; empty when the row has none

    // 1 density, 2 consistency, 3 both, 0 neither.
    int ClassDigit() const { return (density ? 1 : 0) | (consistency ? 2 : 0); }
    bool IsHeading() const;
};

struct NameMaster {
    std::vector<MasterRow> rows;  // at most 256, in file order
    bool builtIn = false;         // the file could not be opened: the built-in master is shown
};

// A name holding "[" or "{" is a group heading.
bool IsGroupHeading(std::string_view name);

// True when the text, after leading blanks, starts with a digit, ".", "+" or "-".
bool HasLeadingNumber(std::string_view text);

// The class digit of a field "P.c": trunc((x - floor(x)) * 10 + 0.1).
int ClassDigitOf(double x);

// One master line into a row: name, symbol, "P.c" (flags from bit 1 and bit 2 of c), bitmap
// number from the integer part of field 4. A heading keeps only its name.
MasterRow ParseMasterLine(std::string_view line);

// The row as a master line: name, symbol, "%ld.%d" of pattern number and class digit (empty
// without a pattern number), "%ld.%d" of bitmap number and class digit (a copy of field 3
// without a bitmap number). A heading is its name alone. Fields holding a comma are quoted.
std::string MasterLine(const MasterRow& row);

// The built-in master as rows, up to and including the row holding "[終".
NameMaster BuiltInNameMaster();

// Reads WdtvTSL.mst: lines cut to 80 bytes, lines of one byte or less skipped, at most 256
// rows. A file that cannot be opened gives the built-in master (builtIn set).
NameMaster ReadNameMaster(const std::string& path);

// The master of the lines of a name master file, as ReadNameMaster reads them.
NameMaster ParseNameMaster(const std::vector<std::string>& lines);

// The lines of the file: the first row's heading followed by ", ,1000," (the version), then
// one line per row.
std::vector<std::string> NameMasterLines(const NameMaster& master);

// Writes WdtvTSL.mst safely; on failure message 4005 "保存できませんでした" and false, the
// old file untouched.
bool WriteNameMaster(const std::string& path, const NameMaster& master, core::Messages* messages);

}  // namespace stracol::geology
