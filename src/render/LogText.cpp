#include "render/LogText.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "render/Primitives.h"

namespace stracol::render {

namespace {

constexpr double kAnchorInsetMm = 0.2;
constexpr double kSmallKanaShift = 0.2;

// Calls visit(character, byteIndex) for each character with its CP932 byte offset.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
    std::size_t byteIndex = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = core::Utf8CharLength(text, i);
        int width = core::Cp932CharWidth(core::Utf8CharAt(text, i));
        visit(text.substr(i, len), byteIndex, width);
        byteIndex += static_cast<std::size_t>(width);
        i += len;
    }
}

// Evenly spread characters on one y with the surface's current alignment.
void SpreadAt(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double yM, double charWidthMm,
              std::string_view text) {
    const std::size_t n = core::Cp932Width(text);
    double w = x2Mm - x1Mm;
    if (w < charWidthMm) w = charWidthMm;
    double step;
    if (n < 3) step = w / 2;
    else if (n % 2 == 0) step = (w - charWidthMm) / static_cast<double>(n - 2);
    else step = (w - charWidthMm) / static_cast<double>(n - 1);
    const int y = DepthToY(g, yM);
    ForEachCharacter(text, [&](std::string_view ch, std::size_t byteIndex, int) {
        s.TextOut(MmToX(g, x1Mm + static_cast<double>(byteIndex) * step), y, ch);
    });
}

}  // namespace

bool CreateLogFont(Surface& s, Colour textColour, int height, std::string_view faceName, int angleDegrees,
                   core::Messages* messages) {
    LogFont font;
    font.faceName = std::string(faceName);
    font.height = height;
    font.escapement = angleDegrees * 10;
    if (!s.SelectFont(font)) {
        if (messages) messages->Error(core::MessageText(core::MessageId::CantCreateFont));
        return false;
    }
    s.SetTextColour(textColour);
    return true;
}

void TextAt(Surface& s, const PageGeometry& g, double xMm, double yM, std::string_view text) {
    if (text.empty()) return;
    s.TextOut(MmToX(g, xMm), DepthToY(g, yM), text);
}

void TextInBox(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M,
               std::string_view text) {
    if (text.empty()) return;
    DrawTextInBox(s, MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M), text,
                  TextBox::kCentre | TextBox::kVCentre | TextBox::kSingleLine | TextBox::kNoClip);
}

void SpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                double charWidthMm, double charHeightM, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    SpreadAt(s, g, x1Mm, x2Mm, (y1M + y2M - charHeightM) / 2, charWidthMm, text);
}

void VerticalSpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                        double charHeightM, double charWidthMm, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    const double xc = (x1Mm + x2Mm - charWidthMm) / 2;
    if (y2M - y1M < charHeightM) y2M = y1M + charHeightM;
    const std::size_t n = core::Cp932Width(text);
    const double step = n < 3 ? (y2M - y1M) / 2 : (y2M - y1M - charHeightM) / static_cast<double>(n - 2);
    const double wideShift = ContainsSmallKana(text) ? kSmallKanaShift * charWidthMm : 0.0;
    ForEachCharacter(text, [&](std::string_view ch, std::size_t byteIndex, int width) {
        double dx = width == 2 ? wideShift : 0.0;
        s.TextOut(MmToX(g, xc + dx), DepthToY(g, y1M + static_cast<double>(byteIndex) * step), ch);
    });
}

void TitleFieldText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double y1M, double y2M,
                    double charWidthMm, double charHeightM, double marginXMm, double marginYM, std::string_view text) {
    if (text.empty() || format == -1) return;
    const double top = (y1M + y2M - charHeightM) / 2;
    switch (format) {
        case 2:
            TextInBox(s, g, x1Mm, y1M, x2Mm, y2M, text);
            return;
        case 3: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Right, VerticalAlign::Top});
            TextAt(s, g, x2Mm - marginXMm, top, text);
            return;
        }
        case 4:
            SpreadText(s, g, x1Mm + marginXMm, x2Mm - marginXMm, y1M, y2M, charWidthMm, charHeightM, text);
            return;
        case 14:
            VerticalSpreadText(s, g, x1Mm, x2Mm, y1M + marginYM, y2M - marginYM, charHeightM, charWidthMm, text);
            return;
        default: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
            TextAt(s, g, x1Mm + marginXMm, top, text);
            return;
        }
    }
}

void UpperTitleText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double yM,
                    double charWidthMm, double charHeightM, double marginXMm, std::string_view text, int underline,
                    int underlineWidth, Colour underlineColour) {
    if (text.empty() || format == -1) return;
    switch (format) {
        case 2:
            TextInBox(s, g, x1Mm, yM - charHeightM, x2Mm, yM, text);
            return;
        case 3: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom});
            TextAt(s, g, x2Mm - marginXMm, yM, text);
            return;
        }
        case 4: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
            SpreadAt(s, g, x1Mm + marginXMm, x2Mm - marginXMm, yM, charWidthMm, text);
            if (underline == kUnderlineTextPart) DrawLine(s, g, x1Mm, yM, x2Mm, yM, 0, underlineWidth, underlineColour);
            return;
        }
        default: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
            TextAt(s, g, x1Mm + marginXMm, yM, text);
            if (underline == kUnderlineTextPart && g.xFactor > 0.0001) {
                double endMm = x1Mm + marginXMm + s.MeasureText(text).width / g.xFactor;
                DrawLine(s, g, x1Mm, yM, endMm, yM, 0, underlineWidth, underlineColour);
            }
            return;
        }
    }
}

HorizontalAlign PlacementAlignment(int placementCode) {
    switch (placementCode) {
        case 2: case 5: case 8: case 11: case 12: case 13: case 14: case 15: case 99:
            return HorizontalAlign::Centre;
        case 3: case 6: case 9:
            return HorizontalAlign::Right;
        default:
            return HorizontalAlign::Left;
    }
}

HorizontalAlign SlotAlignment(int slot, int placementCode) {
    if (slot < 1 || slot > 50) return HorizontalAlign::Left;
    return PlacementAlignment(placementCode);
}

double AnchorX(HorizontalAlign align, double leftMm, double rightMm) {
    switch (align) {
        case HorizontalAlign::Left: return leftMm + kAnchorInsetMm;
        case HorizontalAlign::Right: return rightMm - kAnchorInsetMm;
        case HorizontalAlign::Centre: return (leftMm + rightMm) / 2;
    }
    return leftMm;
}

double ApplyPlacementAlignment(Surface& s, int placementCode, double leftMm, double rightMm) {
    HorizontalAlign h = PlacementAlignment(placementCode);
    TextAlign align = s.CurrentTextAlign();
    align.horizontal = h;
    s.SetTextAlign(align);
    return AnchorX(h, leftMm, rightMm);
}

bool ContainsSmallKana(std::string_view text) {
    static constexpr std::string_view kSmallKana[] = {"ッ", "ャ", "ュ", "ョ", "ァ", "ィ", "ゥ", "ェ", "ォ"};
    for (std::string_view kana : kSmallKana)
        if (text.find(kana) != std::string_view::npos) return true;
    return false;
}

std::string TextBeforeSeparator(std::string_view text, std::string_view separator, int* position) {
    std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (position) *position = at == std::string_view::npos ? 0 : static_cast<int>(core::Cp932Width(text.substr(0, at))) + 1;
    if (at == std::string_view::npos || at == 0) return std::string(text);
    return std::string(text.substr(0, at));
}

std::string TextAfterSeparator(std::string_view text, std::string_view separator, int* position) {
    std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (position) *position = at == std::string_view::npos ? 0 : static_cast<int>(core::Cp932Width(text.substr(0, at))) + 1;
    if (at == std::string_view::npos) return {};
    return std::string(text.substr(at + separator.size()));
}

}  // namespace stracol::render
