#pragma once
// Opening a borehole data file without windows: detect the format within the first lines,
// read the file into a fresh record (reformatting exchange XML that has over-long lines),
// complete it, set the data-kind label, let the caller choose the log style and remember the
// folder in FileV.ndx. The caller's record is replaced only when the whole load succeeded.

#include "borehole/BoreholeRecord.h"
#include "borehole/OlderFormatReader.h"
#include "geology/NameTable.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::borehole {

// The Open command reads lines whole, examines the first 7 for the format (the first 1899
// characters of each) and reformats exchange XML that has lines of more than 500 characters.
// A framework load (recent-file list, command line, shell open) examines 6 whole lines, warns
// about an unrecognised DTD version and refuses files with long lines.
enum class OpenRoute { OpenCommand, FrameworkLoad };

// Chooses and applies the log style for the loaded data; true when a style was applied.
using ChooseStyle = std::function<bool(int formatCode, const BoreholeRecord& record)>;

// Reads one line of a format other than exchange XML (Tessel v1, token, TPJ, GTJ) into the record.
using OtherFormatReader = std::function<void(BoreholeRecord& record, std::string_view line, int formatCode)>;

struct OpenOptions {
    OpenRoute route = OpenRoute::OpenCommand;
    // Replaces the readers of the other formats (Tessel v1, token, TPJ, GTJ) that the open
    // road uses when none is given.
    OtherFormatReader otherReader;
    // Tessel v1 layers: pattern codes and symbols recomputed from the names.
    bool recomputeLayerPatterns = false;
    // Heading indices of the heading lines of the "TPJ" and "GTJ" formats.
    HeadingLineIndices headingLines = kDocumentHeadingLines;
    // Rewrite FileV.ndx in the install folder after a successful load.
    bool rememberFolder = true;
    // Keep StracolTmp.xml after a reformat (it is removed by default).
    bool keepReformatFile = false;
    // Write StracolTmp.xml when reformatting; without it the rewritten text is read in memory
    // and nothing is written (the in-memory entry of tests and fuzzing).
    bool writeReformatFile = true;
    // Folder of StracolTmp.xml; empty: the install folder. Opens that run at the same time
    // give each its own folder so that they never read each other's rewritten text.
    std::string scratchFolder;
    // Files larger than this are refused with a message.
    std::size_t maxFileBytes = std::size_t{512} << 20;
};

struct OpenResult {
    bool loaded = false;
    int formatCode = 0;           // the detected FormatCode (also when loading failed after detection)
    std::string message;          // the last message shown, empty when none
    std::string path;             // the chosen file (the window title and recent-file entry)
    bool reformatted = false;     // read through StracolTmp.xml
    bool styleApplied = false;    // what chooseStyle answered
    std::vector<std::string> reformatNotes;
};

// Lines the Open command examines for the format, and those of a framework load.
inline constexpr int kOpenDetectLines = 7;
inline constexpr int kFrameworkDetectLines = 6;
// A line longer than this (CP932 bytes) is a long line.
inline constexpr std::size_t kLongLineBytes = 500;

// Opens path into record. Messages go to messages (and the last one into the result).
OpenResult OpenDocument(const std::string& path, BoreholeRecord& record, const geology::NameTable& names,
                        const std::string& installFolder, core::Messages& messages, const ChooseStyle& chooseStyle,
                        const OpenOptions& options = {});

// Reads the bytes of a data file into record as OpenDocument does once the file is read: path
// names the file in messages and in the result, and is remembered in FileV.ndx when
// options.rememberFolder is set. No other file is touched unless the text is reformatted
// with options.writeReformatFile.
OpenResult OpenDocumentBytes(std::string bytes, const std::string& path, BoreholeRecord& record,
                             const geology::NameTable& names, const std::string& installFolder,
                             core::Messages& messages, const ChooseStyle& chooseStyle, const OpenOptions& options = {});

// Writes FileV.ndx: the folder of the file (at most 500 characters) and its name, CR LF each.
bool RememberLastFolder(const std::string& installFolder, const std::string& path);

}  // namespace stracol::borehole
