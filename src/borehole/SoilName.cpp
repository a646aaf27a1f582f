#include "borehole/SoilName.h"

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "geology/NameMaster.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace stracol::borehole {
namespace {

using geology::NameEntry;
using geology::NameTable;

// Names that hold 質 but are whole names, not a ～質 modifier before a soil name.
constexpr std::array<std::string_view, 8> kWholeNames = {
    "火山灰質粘性土", "高有機質土", "有機質土", "礫質土", "砂質土", "硬質粘土", "炭質頁岩", "砂質頁岩",
};

constexpr std::string_view kAlternation = "互層";

// A pattern number as the name master's editor allows it (0 … kMaxPatternNumber): a master
// file written by hand may hold any number, and sums of such numbers must not overflow.
long NonNegative(long number) { return std::clamp(number, 0L, geology::kMaxPatternNumber); }

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

// The first entry of group g whose name is contained in the text; -1 when none.
int FirstContained(const NameTable& names, int g, std::string_view text, std::size_t* at = nullptr) {
    if (names.GroupEmpty(g)) return -1;
    for (int i = names.groupFirst[g]; i <= names.groupLast[g]; ++i) {
        const NameEntry& e = names.entries[static_cast<std::size_t>(i)];
        if (e.name.empty()) continue;
        std::size_t hit = text.find(e.name);
        if (hit != std::string_view::npos) {
            if (at) *at = hit;
            return i;
        }
    }
    return -1;
}

// The first main name equal to the text; -1 when none.
int ExactMainName(const NameTable& names, std::string_view text) {
    if (names.GroupEmpty(1)) return -1;
    for (int i = names.groupFirst[1]; i <= names.groupLast[1]; ++i) {
        if (names.entries[static_cast<std::size_t>(i)].name == text) return i;
    }
    return -1;
}

NameDecomposition FromEntry(const NameEntry& e) {
    return {NonNegative(e.number), e.classDigit, e.symbol};
}

// 互層: the part before it split at the middle dot into two names drawn side by side.
NameDecomposition DecomposeAlternation(const NameTable& names, std::string_view name) {
    std::string_view head = name.substr(0, name.find(kAlternation));
    std::string_view first = head, second;
    std::size_t dot = head.find("・");
    std::size_t dotWidth = std::string_view("・").size();
    if (dot == std::string_view::npos) {
        dot = head.find("･");
        dotWidth = std::string_view("･").size();
    }
    if (dot != std::string_view::npos) {
        first = head.substr(0, dot);
        second = head.substr(dot + dotWidth);
    }

    NameDecomposition result;
    MainNameMatch m1 = FindMainName(names, first);
    // Only the hundreds of the first part count: its tens and units carry the second part.
    long p1 = static_cast<long>(100.0 * std::floor(static_cast<double>(NonNegative(m1.patternNumber)) / 100.0 + 1e-7));
    long p2 = 0;
    result.symbol = m1.symbol;
    result.classDigit = m1.classDigit;
    MainNameMatch m2;
    if (!second.empty()) {
        m2 = FindMainName(names, second);
        p2 = NonNegative(m2.patternNumber);
        result.symbol = m1.symbol + "/" + m2.symbol;
        if (m1.classDigit == 0) result.classDigit = m2.classDigit;
        else if (m2.classDigit != 0 && m2.classDigit != m1.classDigit) result.classDigit = 3;
    }
    if (m1.entry < 0 && m2.entry < 0) {
        int whole = ExactMainName(names, kAlternation);
        if (whole >= 0) return FromEntry(names.entries[static_cast<std::size_t>(whole)]);
        return {};
    }
    if (p1 >= 9901) result.patternNumber = p1;
    else if (p2 >= 9901) result.patternNumber = p1 + 90000;
    else result.patternNumber = p1 + 90000 + p2 / 100;
    return result;
}

// ～混じり, ～質 and the main name, summed into one pattern number.
NameDecomposition DecomposeModifiers(const NameTable& names, std::string_view name) {
    NameDecomposition result;
    long sum = 0;
    std::string mixtureSymbol, ishSymbol;
    std::string_view rest = name;

    constexpr std::string_view kRi = "り";
    std::size_t ri = name.find(kRi);
    if (ri != std::string_view::npos) {
        std::string_view head = name.substr(0, ri + kRi.size());
        int mixture = FirstContained(names, 2, head);
        if (mixture >= 0) {
            const NameEntry& e = names.entries[static_cast<std::size_t>(mixture)];
            sum = NonNegative(e.number);
            mixtureSymbol = e.symbol.empty() ? std::string("-") : e.symbol;
        }
        rest = name.substr(ri + kRi.size());
    }

    bool whole = false;
    for (std::string_view w : kWholeNames) {
        if (rest.find(w) != std::string_view::npos) {
            whole = true;
            break;
        }
    }
    if (!whole) {
        std::size_t at = 0;
        int ish = FirstContained(names, 3, rest, &at);
        if (ish >= 0) {
            const NameEntry& e = names.entries[static_cast<std::size_t>(ish)];
            sum += NonNegative(e.number);
            ishSymbol = e.symbol;
            rest = rest.substr(at + e.name.size());
        }
    }

    MainNameMatch main = FindMainName(names, rest);
    sum += NonNegative(main.patternNumber);
    result.classDigit = main.classDigit;
    result.patternNumber = sum;
    result.symbol = main.symbol + ishSymbol + mixtureSymbol;
    return result;
}

}  // namespace

MainNameMatch FindMainName(const NameTable& names, std::string_view text) {
    MainNameMatch match;
    match.before = std::string(text);
    if (names.GroupEmpty(1)) return match;
    std::size_t bestWidth = 0;
    std::size_t bestAt = 0;
    for (int i = names.groupFirst[1]; i <= names.groupLast[1]; ++i) {
        const NameEntry& e = names.entries[static_cast<std::size_t>(i)];
        if (e.name.empty()) continue;
        std::size_t hit = text.find(e.name);
        if (hit == std::string_view::npos) continue;
        std::size_t width = core::Cp932Width(e.name);
        if (match.entry < 0 || width >= bestWidth) {
            match.entry = i;
            bestWidth = width;
            bestAt = hit;
        }
    }
    if (match.entry >= 0) {
        const NameEntry& e = names.entries[static_cast<std::size_t>(match.entry)];
        match.patternNumber = e.number;
        match.classDigit = e.classDigit;
        match.symbol = e.symbol;
        match.before = std::string(text.substr(0, bestAt));
    }
    return match;
}

NameDecomposition DecomposeName(const NameTable& names, std::string_view rawName, std::string_view explicitPattern) {
    const std::string name = ReplaceAll(rawName, "混り", "混じり");

    NameDecomposition result;
    int exact = ExactMainName(names, name);
    if (exact >= 0) result = FromEntry(names.entries[static_cast<std::size_t>(exact)]);
    else if (name.find(kAlternation) != std::string::npos) result = DecomposeAlternation(names, name);
    else result = DecomposeModifiers(names, name);

    if (core::IsNumericStart(explicitPattern) == 1) {
        const long number = core::LeadingLong(explicitPattern);
        result.patternNumber = number == LONG_MIN ? LONG_MAX : std::labs(number);
    }
    return result;
}

std::string PatternCodeText(const NameDecomposition& d) { return core::Sprintf("%ld.%d", d.patternNumber, d.classDigit); }

}  // namespace stracol::borehole
