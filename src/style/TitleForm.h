#pragma once
// The title-block form (標題部の書式): horizontal positions and alignments of the upper title
// part and the title frame, the underline of the upper title lines, and the vertical extent
// of the bands of the title part, one value per line of SyFormV.ndx, all kept as typed.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::style {

inline constexpr std::string_view kTitleFormFile = "SyFormV.ndx";

// The five band heights of the title part in mm, top to bottom: upper title part (H1), gap
// (B1), title frame (H2), gap (B2), item-header band (H3). Not stored; they follow from lines
// 10-14 of the form.
struct TitleHeights {
    double h1 = 0;
    double b1 = 0;
    double h2 = 0;
    double b2 = 0;
    double h3 = 0;

    // The standard (配置例 1): 28, 2, 37, 3, 40 mm, 110 mm in all.
    static TitleHeights Standard();
    // 配置例 2: 39, 2, 39, 3, 42 mm.
    static TitleHeights Example2();
};

class TitleForm {
public:
    static constexpr int kLines = 16;
    // SyFormV.ndx lines are read up to this many CP932 bytes.
    static constexpr std::size_t kLineLimit = 60;

    // Line numbers of SyFormV.ndx (line 1 holds a debug value that is not read back).
    enum Line : int {
        DebugValue = 1,
        UpperItemLeft = 2,     // mm from the frame's left edge
        UpperBlankLeft = 3,    // mm
        UpperDataLeft = 4,     // mm
        UpperItemAlign = 5,
        UpperDataAlign = 6,
        FrameItemAAlign = 7,
        FrameDataAlign = 8,
        FrameItemBAlign = 9,
        TitleTotal = 10,       // cm: (H1 + B1 + H2 + B2 + H3) / 10
        TitleFrameTop = 11,    // cm: (B1 + H2 + B2 + H3) / 10
        TitleFrameBottom = 12, // cm: -(H2 + B2 + H3) / 10
        HeaderBandTop = 13,    // cm: -(B2 + H3) / 10
        HeaderBandBottom = 14, // cm: -H3 / 10
        UnderlineFixedWidth = 15,  // mm
        UnderlineMode = 16,    // 0 none, 1 frame width (standard), 2 text, 3 longest text, 4 fixed width
    };

    // Line n (1..16); an out-of-range n gives an empty text.
    const std::string& Get(int line) const;
    void Set(int line, std::string value);
    double Number(int line) const;  // leading number of the line

    // True when every line is empty (the form was never loaded).
    bool IsEmpty() const;

    // Reads SyFormV.ndx (lines 2-16; line 1 is not read back). Returns false, form unchanged,
    // when the file cannot be opened.
    bool Read(const std::string& path);
    // Fills each line that is empty, or not a number where a number is needed, with its
    // default; also line 4 below 1 and lines 10 and 11 below 0.1.
    void ApplyDefaults();
    // Read when the form is empty, then ApplyDefaults (the start-up road).
    void Load(const std::string& path);

    // The five heights from lines 10-14.
    TitleHeights Heights() const;
    // Lines 10-14 from the five heights, each written with "%.1f".
    void SetHeights(const TitleHeights& heights);

    // "書式例 1" and "書式例 2": the upper positions, the underline's fixed width, the five
    // alignments and the underline choice of the two examples (other numbers do nothing).
    void ApplyFormatExample(int number);

    // The 16 lines as written to SyFormV.ndx (line 1 carries the underline choice).
    std::vector<std::string> FileLines() const;
    // Writes the 16 lines (CP932, CR LF). On failure shows 4005 when messages is given.
    bool Write(const std::string& path, core::Messages* messages) const;

    bool operator==(const TitleForm&) const = default;

private:
    std::array<std::string, kLines> m_lines;
};

// The choices of the alignment lists: the upper item names and data; the frame's item names A
// and data; the frame's item names B. And the underline choices, by index (UnderlineMode).
const std::vector<std::string>& UpperAlignChoices();
const std::vector<std::string>& FrameAlignChoices();
const std::vector<std::string>& FrameItemBAlignChoices();
const std::vector<std::string>& UnderlineChoices();

// The warning rule of OK: H1 below half the standard 28, H2 below three quarters of the
// standard 37, or H3 below half the standard 40.
bool HeightsMayNotShowCorrectly(const TitleHeights& heights);

// OK of the title-block layout: stores lines 10-14 from the heights and warns with 1111
// "正しく表示されない可能性があります.　" when the heights may not show correctly (the form is
// stored either way). Returns whether it warned.
bool ConfirmTitleHeights(TitleForm& form, const TitleHeights& heights, core::Messages& messages);

// "標準として保存": stores lines 10-14 from the heights, asks 1205 and on Yes writes the form
// to SyFormV.ndx in the install folder (4005 on failure). Returns whether it was written.
bool SaveTitleFormAsStandard(TitleForm& form, const TitleHeights& heights, const std::string& installFolder,
                             core::Messages& messages);

}  // namespace stracol::style
