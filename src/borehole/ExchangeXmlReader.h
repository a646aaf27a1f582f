#pragma once
// Reader of the national borehole exchange data (ボーリング交換用データ, XML, DTD 1.10 to 5.00):
// a line-driven matcher of the known element names that fills the borehole record. It relies
// on the exchange layout of one element (or a few complete elements) per line; files without
// line breaks are reformatted first (XmlReformat.h).

#include "borehole/BoreholeRecord.h"
#include "geology/NameTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::borehole {

// What the reader could not keep, for a message: "孔内水位 3件、ルジオン試験詳細データ 14件".
std::string DroppedSummary(const BoreholeRecord& record);

// The records skipped because a field could not be read, for a message: the file, then the
// first few records' group, field and text, and the total when more were skipped.
std::string SkippedSummary(const BoreholeRecord& record, const std::string& fileName);

// Records named in the skipped list of the record (the others are only counted).
inline constexpr int kSkippedNamed = 3;

// Whether the text of a depth field can be read: blank, or a number of at most 10,000 m
// either way ("1e308" cannot). A record's key depth (key) that is no number at all ("NaN",
// "inf", full-width "９９") cannot be read either, unless it holds no digit and no letter
// ("-"); other depth fields keep such texts as they are.
bool IsReadableDepth(std::string_view text, bool key);

// Code texts of the record (shared with the readers of the older formats):
// "MM/DD" of a date: a text longer than five characters that starts with a year of 1900 or
// later, or with "0000-", loses its first five characters; "-" becomes "/".
std::string ShortDate(std::string_view date);
// The sampling method as one character: code 100 "-", 250 "T", 300 "D", 507 "F"; another
// code the method text when given, else "A".
std::string SampleMethodLetter(std::string_view code, std::string_view text);
// Wall protection "B1" … "B9" of a code or a text.
std::string WallProtectionCode(std::string_view text);
// Water kind "w1" … "w9" of a code or a text.
std::string WaterFeedKind(std::string_view text);

// A short, printable excerpt of a field's text for a message: NUL bytes shown as "\0".
std::string FaultExcerpt(std::string_view text);

class ExchangeXmlReader {
public:
    ExchangeXmlReader(BoreholeRecord& record, const geology::NameTable& names, core::Messages& messages);

    // Processes one line (without its terminator) of a file detected as formatCode (110 to 209).
    void ReadLine(std::string_view line, int formatCode);

    // Called after the last line: a data set cut off before its end tag still reports the
    // records it could not keep.
    void Finish();

    // The file named in the message about skipped records.
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }

    // Whether the data set's start tag "<ボーリング情報" and its end tag were read.
    bool SawDataSetStart() const { return m_sawStart; }
    bool SawDataSetEnd() const { return m_sawEnd; }

    // The rock property judgement codes read last (PropertyCodeList): at most 16 pairs.
    struct CodePair {
        std::string code;
        std::string symbol;
    };

private:
    void HandleOpen(std::string_view name, std::string_view content);
    void HandleClose(std::string_view name);
    void StartDataSet();
    void EndDataSet();
    void EnterGroup(int group);
    void StartRecord();
    void StoreHeading(int index, std::string_view content);
    void Commit();
    bool WriteRecord(int group);
    void ReportDropped();
    void NoteFault(std::string fault);
    void SkipFaultyRecord();
    void ReportSkipped();
    void NoteTimesDropped(const std::string& element);
    std::string LookUpSymbol(const std::string& code) const;

    BoreholeRecord& m_record;
    const geology::NameTable& m_names;
    core::Messages& m_messages;

    int m_versionBit = 0;
    bool m_inDataSet = false;
    bool m_sawStart = false;
    bool m_sawEnd = false;
    int m_group = -1;  // index into the group table; kHeadingGroup while the heading is read
    int m_rowCounter = 0;
    std::string m_hammerCode;
    std::string m_hammerName;
    bool m_dropsReported = false;
    std::string m_laterTimes;  // the measuring times of a tracer logging after the first
    int m_laterTimeCount = 0;
    int m_headingTimes = 0;    // measuring times joined in Heading 73
    int m_detailValues = 0;    // resistivity values of the tracer detail record being read
    int m_valueCount = 0;
    std::array<std::string, 16> m_slots;  // the working row; slot numbers per element

    std::vector<CodePair> m_codeList;
    int m_codeListKind = 0;
    int m_propertyGroupCount = 0;

    // The file named in the message about records skipped (BoreholeRecord::skipped).
    std::string m_fileName;
    std::string m_recordFault;  // what is wrong with the record being read; empty: nothing
    bool m_skipsReported = false;

    // An element whose content goes on over the following lines.
    bool m_pendingActive = false;
    std::string m_pendingName;
    std::string m_pendingContent;
};

}  // namespace stracol::borehole
