#pragma once
// Format detection from the first lines of a data file, and the hand-over of each line to
// the reader of the detected format.

#include <functional>
#include <string_view>

namespace stracol::borehole {

class ExchangeXmlReader;

// FormatCode values.
namespace format {
inline constexpr int kUnknown = 0;
inline constexpr int kTpj = 2;           // older log data, kind T ("TPJ")
inline constexpr int kGtj = 3;           // older log data, kind G ("GTJ")
inline constexpr int kXml110 = 110;
inline constexpr int kXml200 = 200;
inline constexpr int kXml201 = 201;
inline constexpr int kXml210 = 202;
inline constexpr int kXml300 = 203;
inline constexpr int kXml400 = 204;
inline constexpr int kXml500 = 205;
inline constexpr int kXmlUnknownVersion = 209;
inline constexpr int kTokenP = 480;      // "$$_PGTOKEN5"
inline constexpr int kTokenB = 490;      // "$$_BTOKEN1"
inline constexpr int kJacic = 500;       // "$$_JTOKEN5"
inline constexpr int kStyleFile = 509;   // "$$_TQSTL1"
inline constexpr int kTessel = 510;      // "$$_TQTOK1"
inline constexpr int kHarbour = 600;     // "$$_HTOKEN1"
}  // namespace format

// True for the exchange XML codes 110 to 209.
inline bool IsExchangeFormat(int code) { return code >= 110 && code <= 209; }

// The FormatCode of a first line: 0 for a line shorter than 4 or longer than 2000 characters
// (counted in CP932 bytes); otherwise the first marker found in its first 200 characters.
int DetectFormat(std::string_view line);

// The line without its terminator (CR LF, or LF alone).
std::string_view StripLineTerminator(std::string_view line);

// Where DispatchLine sends lines: the exchange XML reader, and a reader for the other
// formats (Tessel v1, token, TPJ, GTJ) when one is wired.
struct LineReaders {
    ExchangeXmlReader* xml = nullptr;
    std::function<void(std::string_view line, int formatCode)> other;
};

// Strips the terminator and hands the line to the reader of the format; 509 and 0 are not read.
void DispatchLine(std::string_view line, int formatCode, LineReaders& readers);

}  // namespace stracol::borehole
