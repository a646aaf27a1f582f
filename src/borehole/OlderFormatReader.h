#pragma once
// Readers of the line-oriented data files of older log programs: Tessel v1 ("$$_TQTOK1"),
// the token formats ("$$_JTOKEN5", "$$_PGTOKEN5", "$$_BTOKEN1", "$$_HTOKEN1") and the
// one-value-per-line formats "TPJ" and "GTJ". Each line of a file (its terminator removed)
// goes to the reader of its format, which fills the borehole record; the style part of a
// Tessel v1 file is kept in the record's style lines for the open road to apply.

#include "borehole/BoreholeRecord.h"
#include "geology/NameTable.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::borehole {

// Heading indices the one-value-per-line readers give the lines 1 to 20 of their heading
// section (0: the line is not kept), as the document sets them up.
using HeadingLineIndices = std::array<int, 20>;
inline constexpr HeadingLineIndices kDocumentHeadingLines = {1,  0,  2,  0,  5,  3,  14, 15, 4,  6,
                                                             39, 40, 16, 13, 20, 21, 22, 23, 0,  0};

// Style lines a Tessel v1 file can carry: the title lines, item rows and legend rows of a style.
inline constexpr int kTesselTitleLines = 21;
inline constexpr int kTesselItemRows = 50;
inline constexpr int kTesselLegendRows = 12;

// Numbers one Lugeon record can list after its ten fields (two per pressure and flow point),
// and resistivity values of one tracer-logging record: as many as the record keeps.
inline constexpr int kTesselLugeonNumbers = 400;
inline constexpr int kTesselTracerValues = 100;
// Values a token-format tracer line lists.
inline constexpr int kTokenTracerValues = 25;

// An article text longer than this (bytes) keeps its first lines only.
inline constexpr std::size_t kMaxArticleTextBytes = 64 * 1024;

// The N-value text of three 10 cm increments (each blows "/" penetration in cm): blows and
// penetration summed (an increment without "/" counts 10 cm, one with an empty penetration
// too; an increment that is no number is skipped), the blows held to -9 … 999; "%2d" when the
// penetration sums to 30, else "%2d/%d"; empty when none of the three is a number.
std::string NValueText(std::string_view first, std::string_view second, std::string_view third);

struct OlderFormatOptions {
    // Tessel v1 layers: recompute the pattern code and symbol of every layer from its names
    // instead of keeping the pattern code the file gives.
    bool recomputeLayerPatterns = false;
    HeadingLineIndices headingLines = kDocumentHeadingLines;
    // The file named in messages.
    std::string fileName;
};

class OlderFormatReader {
public:
    OlderFormatReader(BoreholeRecord& record, const geology::NameTable& names, core::Messages& messages,
                      OlderFormatOptions options = {});

    // One line of a file of the format (2, 3, 480, 490, 500, 510 or 600), its terminator removed.
    void ReadLine(std::string_view line, int formatCode);

    // One line of a Tessel v1 file; recompute: see OlderFormatOptions.
    void ReadTesselLine(std::string_view line, bool recompute);
    // One line of a token-format file (480, 490, 500, 600).
    void ReadTokenLine(std::string_view line, int formatCode);
    // One line of the one-value-per-line formats.
    void ReadTpjLine(std::string_view line);
    void ReadGtjLine(std::string_view line);

    // After the last line: an article cut off by the end of the file keeps what was read, and
    // the records that could not be kept or read are reported once.
    void Finish();

    // Whether a line with the data's end mark "$$_" was read.
    bool SawEnd() const { return m_sawEnd; }

private:
    enum class Kind {
        Ignored, Table, Heading, StyleTitle, StyleItems, StyleLegends, Article, Lugeon, TracerList, AuxF,
        TokenTracer, EraAndStrata,
    };
    struct Section {
        Kind kind = Kind::Ignored;
        TableId table = TableId::Layer;
        int firstColumn = 0;
        int fields = 0;  // fields of a record taken (0: up to the table's columns)
    };

    void ReadSectioned(std::string_view line, bool token, bool recompute);
    static Section SectionOf(char letter, bool token);
    void StartSection(char letter, bool token);
    void ReadRecord(std::string_view line, bool token, bool recompute);
    void ReadArticleLine(std::string_view line, bool token);
    void EndArticle();
    void StoreHeading(int index, std::string_view text);
    void StoreLayerNames(int row, bool recompute);
    void StoreStyleLine(std::string_view line, std::string_view sectionLine, int limit);
    bool KeyReadable(const Section& section, const std::vector<std::string>& fields);
    int TakeRow(TableId table);
    void NoteSkipped(TableId table, int field, std::string_view text);

    // The one-value-per-line formats.
    struct ValueSection;
    void ReadOneValueLine(std::string_view line, const std::vector<ValueSection>& order);
    void EndValueRecord(const ValueSection& section);

    BoreholeRecord& m_record;
    const geology::NameTable& m_names;
    core::Messages& m_messages;
    OlderFormatOptions m_options;

    char m_letter = 0;         // the current section's letter; 0 before the first section line
    Section m_section;
    int m_row = 1;             // the next row of the section's table
    int m_styleRows = 0;       // lines of the current style section kept
    bool m_sawEnd = false;
    bool m_csvCutShown = false;
    bool m_finished = false;
    bool m_auxFHeaderRead = false;

    // An article record in progress: its line number (0: none), the text lines, whether the
    // text ended (the 0x07 line, or "@" in a token file).
    int m_articleLine = 0;
    std::array<std::string, 6> m_article;
    bool m_articleTextEnded = false;
    bool m_articleCut = false;

    // One-value-per-line reading: the section in the fixed order, the values of the record.
    int m_valueSection = -1;   // -1: before the marker line
    int m_headingLine = 0;
    std::vector<std::string> m_values;
};

}  // namespace stracol::borehole
