#include "render/FontResolver.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>

#include <array>
#include <cctype>

#include "core/Cp932.h"
#include "core/Messages.h"

namespace stracol::render {

namespace {

// Full-width ASCII letters folded to ASCII, blanks (ASCII and ideographic) left out, so
// "ＭＳ Ｐ明朝", "MS P明朝" and "ＭＳＰ明朝" compare equal.
std::string FoldFaceName(std::string_view face) {
    std::string out;
    for (std::size_t i = 0; i < face.size();) {
        std::size_t len = core::Utf8CharLength(face, i);
        char32_t c = core::Utf8CharAt(face, i);
        if (c == U' ' || c == U'\u3000' || c == U'\t') {
        } else if (c >= U'\uFF01' && c <= U'\uFF5E') {
            char ascii = static_cast<char>(c - 0xFEE0);
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ascii))));
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        } else {
            out.append(face.substr(i, len));
        }
        i += len;
    }
    return out;
}

struct Substitution {
    std::string_view folded;
    std::string_view family;
};

// The advances kept per font before they are forgotten and measured afresh: short texts
// (single characters, numbers, names) come back on every page; long ones rarely do.
constexpr std::size_t kMaxAdvancesPerFont = 20000;
constexpr std::size_t kMaxMeasuredTextBytes = 256;

constexpr std::array<Substitution, 10> kSubstitutions = {{
    {"MSP明朝", "IPAPMincho"},
    {"MS明朝", "IPAMincho"},
    {"MSPゴシック", "IPAPGothic"},
    {"MSゴシック", "IPAGothic"},
    {"MSPMINCHO", "IPAPMincho"},
    {"MSMINCHO", "IPAMincho"},
    {"MSPGOTHIC", "IPAPGothic"},
    {"MSGOTHIC", "IPAGothic"},
    {"MSUIゴシック", "IPAPGothic"},
    {"MSUIGOTHIC", "IPAPGothic"},
}};

}  // namespace

std::string SubstituteFamily(std::string_view storedFace) {
    std::string folded = FoldFaceName(storedFace);
    for (const auto& s : kSubstitutions)
        if (folded == s.folded) return std::string(s.family);
    return std::string(storedFace);
}

bool IsGothicFace(std::string_view storedFace) {
    std::string family = SubstituteFamily(storedFace);
    return family.find("Gothic") != std::string::npos || family.find("ゴシック") != std::string::npos;
}

std::string FontResolver::MissingFontMessage(std::string_view storedFace, std::string_view family,
                                             std::string_view replacement) {
    std::string text = "フォント「" + std::string(storedFace) + "」";
    if (family != storedFace) text += "（" + std::string(family) + "）";
    text += "が見つかりません.";
    if (!replacement.empty()) text += "\n代わりに「" + std::string(replacement) + "」で表示します.";
    else text += "\n日本語を表示できるフォントがありません.";
    return text;
}

FontResolver::Entry FontResolver::Lookup(std::string_view storedFace) {
    const std::string family = SubstituteFamily(storedFace);
    const QString wanted = QString::fromStdString(family);
    Entry entry;
    if (!family.empty() && QFontDatabase::hasFamily(wanted)) {
        entry.family = wanted;
        entry.installed = true;
        return entry;
    }
    // Another Japanese face of the same kind first, then any face that writes Japanese.
    const bool gothic = IsGothicFace(storedFace);
    const QStringList preferred = gothic ? QStringList{"IPAPGothic", "IPAGothic", "IPAPMincho", "IPAMincho"}
                                         : QStringList{"IPAPMincho", "IPAMincho", "IPAPGothic", "IPAGothic"};
    for (const QString& candidate : preferred) {
        if (QFontDatabase::hasFamily(candidate)) {
            entry.family = candidate;
            break;
        }
    }
    if (entry.family.isEmpty()) {
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        if (!japanese.isEmpty()) entry.family = japanese.front();
    }
    if (m_messages && m_reported.insert(std::string(storedFace)).second)
        m_messages->Warning(MissingFontMessage(storedFace, family, entry.family.toStdString()));
    if (entry.family.isEmpty()) entry.family = wanted;  // let the font engine do what it can
    return entry;
}

QString FontResolver::Resolve(std::string_view storedFace) {
    auto it = m_cache.find(storedFace);
    if (it == m_cache.end()) it = m_cache.emplace(std::string(storedFace), Lookup(storedFace)).first;
    return it->second.family;
}

bool FontResolver::IsInstalled(std::string_view storedFace) {
    Resolve(storedFace);
    return m_cache.find(storedFace)->second.installed;
}

FontMeasures& FontResolver::MeasuresFor(const QFont& font, const QPaintDevice* device) {
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    // The kerning is not part of the font's key.
    const std::string key = font.key().toStdString() + (font.kerning() ? "/k/" : "/-/") + std::to_string(dpiX) + "x" +
                            std::to_string(dpiY);
    auto it = m_measures.find(key);
    if (it != m_measures.end()) return it->second;
    FontMeasures& measures = m_measures[key];
    const QFontMetricsF metrics(font, device);
    measures.ascent = metrics.ascent();
    measures.descent = metrics.descent();
    return measures;
}

const FontResolver::MadeFont* FontResolver::FontMadeFor(const std::string& key) const {
    auto it = m_made.find(key);
    return it == m_made.end() ? nullptr : &it->second;
}

const FontResolver::MadeFont& FontResolver::RememberFont(const std::string& key, const QFont& font,
                                                         FontMeasures& measures) {
    MadeFont& made = m_made[key];
    made.font = font;
    made.measures = &measures;
    return made;
}

double FontResolver::Advance(FontMeasures& measures, const QFont& font, const QPaintDevice* device,
                             std::string_view text) {
    auto it = measures.advances.find(text);
    if (it != measures.advances.end()) return it->second;
    const QFontMetricsF metrics(font, device);
    const double advance =
        metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (text.size() <= kMaxMeasuredTextBytes) {
        if (measures.advances.size() >= kMaxAdvancesPerFont) measures.advances.clear();
        measures.advances.emplace(std::string(text), advance);
    }
    return advance;
}

}  // namespace stracol::render
