#pragma once
// Turns the face names stored in the font settings ("ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック",
// "ＭＳ ゴシック") into installed font families through a substitution table (the IPA fonts),
// keeping the stored names as they are. A face that is not installed falls back to another
// Japanese font, never silently to a Latin one: the first time a face is missing, the user
// is told through core::Messages.

#include <QString>

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace stracol::core { class Messages; }

namespace stracol::render {

// The family that stands for a stored face name: IPAPMincho, IPAMincho, IPAPGothic or
// IPAGothic for the four stored Japanese faces (full-width or ASCII spelling, blanks
// ignored); any other name unchanged.
std::string SubstituteFamily(std::string_view storedFace);

// True when the stored face names a gothic (sans-serif) face.
bool IsGothicFace(std::string_view storedFace);

class FontResolver {
public:
    explicit FontResolver(core::Messages* messages = nullptr) : m_messages(messages) {}

    // The installed family to draw a stored face with. Needs a QGuiApplication.
    QString Resolve(std::string_view storedFace);

    // True when the last Resolve of this face found its own family installed.
    bool IsInstalled(std::string_view storedFace);

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
};

}  // namespace stracol::render
