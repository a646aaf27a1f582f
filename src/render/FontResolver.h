#pragma once
// Turns the face names stored in the font settings ("ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック",
// "ＭＳ ゴシック") into installed font families through a substitution table (the IPA fonts),
// keeping the stored names as they are. A face that is not installed falls back to another
// Japanese font, never silently to a Latin one: the first time a face is missing, the user
// is told through core::Messages.

#include <QFont>
#include <QString>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

class QPaintDevice;

namespace stracol::core { class Messages; }

namespace stracol::render {

// The family that stands for a stored face name: IPAPMincho, IPAMincho, IPAPGothic or
// IPAGothic for the four stored Japanese faces (full-width or ASCII spelling, blanks
// ignored); any other name unchanged.
std::string SubstituteFamily(std::string_view storedFace);

// True when the stored face names a gothic (sans-serif) face.
bool IsGothicFace(std::string_view storedFace);

// What has been measured of one font on a device of one resolution: its ascent and descent
// and the advances of the texts measured so far (before any width percent is applied).
struct FontMeasures {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    double ascent = 0;
    double descent = 0;
    std::unordered_map<std::string, double, Hash, std::equal_to<>> advances;
};

class FontResolver {
public:
    explicit FontResolver(core::Messages* messages = nullptr) : m_messages(messages) {}

    // The installed family to draw a stored face with. Needs a QGuiApplication.
    QString Resolve(std::string_view storedFace);

    // True when the last Resolve of this face found its own family installed.
    bool IsInstalled(std::string_view storedFace);

    // The measures of a font on a device, kept for the life of the resolver, so a text once
    // measured in that font is never laid out again (a batch draws many files with one
    // resolver per thread). The reference stays valid while the resolver lives.
    FontMeasures& MeasuresFor(const QFont& font, const QPaintDevice* device);

    // The advance of text in the font of the measures, measured once.
    static double Advance(FontMeasures& measures, const QFont& font, const QPaintDevice* device,
                          std::string_view text);

    // A Qt font made before for a log font, by the key of what it was made from; null when
    // none was. Reusing one keeps what Qt found for it (its font engines) instead of looking
    // the family up again.
    struct MadeFont {
        QFont font;
        FontMeasures* measures = nullptr;
    };
    const MadeFont* FontMadeFor(const std::string& key) const;
    const MadeFont& RememberFont(const std::string& key, const QFont& font, FontMeasures& measures);

    // The text shown when a face is missing.
    static std::string MissingFontMessage(std::string_view storedFace, std::string_view family,
                                          std::string_view replacement);

private:
    struct Entry {
        QString family;
        bool installed = false;
    };
    Entry Lookup(std::string_view storedFace);

    core::Messages* m_messages;
    std::map<std::string, Entry, std::less<>> m_cache;
    std::set<std::string, std::less<>> m_reported;
    std::unordered_map<std::string, FontMeasures> m_measures;
    std::unordered_map<std::string, MadeFont> m_made;
};

}  // namespace stracol::render
