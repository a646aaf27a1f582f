// The text boundary: CP932 and UTF-8 decoding, CP932 widths and cuts, CSV fields and the
// numbers in cell texts.

#include "borehole/XmlText.h"
#include "core/CsvField.h"
#include "core/Numbers.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::BytesOf(data, size);
    const std::string text = core::Cp932ToUtf8(bytes);
    const std::string back = core::Utf8ToCp932(text);
    (void)core::Cp932ToUtf8(back);
    (void)borehole::DecodeDocumentText(std::string(bytes));
    (void)core::Cp932Width(text);
    (void)core::CharacterCount(text);
    const std::size_t cut = size > 0 ? data[0] : 0;
    (void)core::Cp932Truncate(text, cut);
    (void)core::Cp932Substring(text, static_cast<int>(cut % 64) - 2, static_cast<int>(size % 300) - 5);
    (void)core::Cp932PadRight(text, cut);
    for (std::string_view line : core::SplitLineViews(text)) {
        for (int n = 0; n <= 4; ++n) {
            std::string field;
            (void)core::CsvField(field, line, n);
            (void)core::IsNumericStart(field);
            (void)core::LeadingInt(field);
            (void)core::LeadingLong(field);
            (void)core::LeadingReal(field);
        }
        (void)core::CsvQuote(line);
    }
    return 0;
}
