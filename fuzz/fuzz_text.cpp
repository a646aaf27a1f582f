// The text boundary: CP932 and UTF-8 decoding (the table decoder against iconv, every way of
// the UTF-8 check against the plain one), CP932 widths and cuts, CSV fields and the numbers in
// cell texts.

#include "borehole/Utf8Check.h"
#include "borehole/XmlText.h"
#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Numbers.h"
#include "FuzzSupport.h"

#include <cstdlib>

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::BytesOf(data, size);
    const std::string text = core::Cp932ToUtf8(bytes);
    // The fast decoders must give what the slow ones give, whatever the bytes.
    if (core::detail::Cp932TableInUse() && text != core::detail::Cp932ToUtf8ByIconv(bytes)) std::abort();
    for (const auto way : {borehole::detail::Utf8Check::Portable, borehole::detail::Utf8Check::Ssse3,
                           borehole::detail::Utf8Check::Avx2}) {
        if (borehole::detail::Utf8CheckAvailable(way) &&
            borehole::detail::IsUtf8TextBy(way, bytes) != core::IsValidUtf8(bytes))
            std::abort();
    }
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
