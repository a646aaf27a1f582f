#include "render/PdfInfo.h"

#include "core/Format.h"

#include <QString>

#include <cctype>
#include <cstdlib>

namespace stracol::render {

namespace {

bool IsPdfBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits at p (at least one): their value and the offset after them.
bool ReadDigits(std::string_view text, std::size_t& p, long& value) {
    const std::size_t start = p;
    while (p < text.size() && IsDigit(text[p])) ++p;
    if (p == start) return false;
    value = std::strtol(std::string(text.substr(start, p - start)).c_str(), nullptr, 10);
    return true;
}

// One or more blanks at p, skipped.
bool SkipSomeBlanks(std::string_view text, std::size_t& p) {
    const std::size_t start = p;
    p = SkipPdfBlanks(text, p);
    return p > start;
}

// The offset of an object in the classic cross-reference table at xref, or -1.
long ObjectOffset(const std::string& bytes, long xref, long object) {
    if (xref < 0 || static_cast<std::size_t>(xref) >= bytes.size() || bytes.compare(xref, 4, "xref") != 0) return -1;
    std::size_t p = xref + 4;
    auto skipBlanks = [&] {
        while (p < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[p]))) ++p;
    };
    auto number = [&](long& value) {
        skipBlanks();
        const std::size_t start = p;
        while (p < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[p]))) ++p;
        if (p == start) return false;
        value = std::strtol(bytes.substr(start, p - start).c_str(), nullptr, 10);
        return true;
    };
    long first = 0, count = 0;
    while (number(first) && number(count)) {
        skipBlanks();
        if (object >= first && object < first + count) {
            const std::size_t entry = p + static_cast<std::size_t>(object - first) * 20;
            if (entry + 18 > bytes.size() || bytes[entry + 17] != 'n') return -1;
            return std::strtol(bytes.substr(entry, 10).c_str(), nullptr, 10);
        }
        p += static_cast<std::size_t>(count) * 20;
    }
    return -1;
}

// Whether the dictionary text has the key as a key: followed by a blank, "(" or "<".
bool HasKey(std::string_view body, const std::string& key) {
    for (std::size_t k = body.find(key); k != std::string_view::npos; k = body.find(key, k + 1)) {
        const std::size_t after = k + key.size();
        if (after < body.size() && (IsPdfBlank(body[after]) || body[after] == '(' || body[after] == '<')) return true;
    }
    return false;
}

// "/ID [ … ]" of the trailer as it stands, or empty.
std::string IdArray(std::string_view dict) {
    for (std::size_t k = dict.find("/ID"); k != std::string_view::npos; k = dict.find("/ID", k + 1)) {
        const std::size_t open = SkipPdfBlanks(dict, k + 3);
        if (open >= dict.size() || dict[open] != '[') continue;
        const std::size_t close = dict.find(']', open);
        if (close == std::string_view::npos) return {};
        return std::string(dict.substr(k, close + 1 - k));
    }
    return {};
}

}  // namespace

std::size_t SkipPdfBlanks(std::string_view text, std::size_t p) {
    while (p < text.size() && IsPdfBlank(text[p])) ++p;
    return p;
}

bool PdfNumberAfter(std::string_view text, std::string_view key, long& number, std::size_t from, std::size_t* at) {
    for (std::size_t k = text.find(key, from); k != std::string_view::npos; k = text.find(key, k + 1)) {
        std::size_t p = k + key.size();
        if (SkipSomeBlanks(text, p) && ReadDigits(text, p, number)) {
            if (at) *at = k;
            return true;
        }
    }
    return false;
}

bool PdfReferenceAfter(std::string_view text, std::string_view key, long& object, long& generation,
                       std::size_t from, std::size_t* at) {
    for (std::size_t k = text.find(key, from); k != std::string_view::npos; k = text.find(key, k + 1)) {
        std::size_t p = k + key.size();
        long o = 0, g = 0;
        if (SkipSomeBlanks(text, p) && ReadDigits(text, p, o) && SkipSomeBlanks(text, p) && ReadDigits(text, p, g) &&
            SkipSomeBlanks(text, p) && p < text.size() && text[p] == 'R') {
            object = o;
            generation = g;
            if (at) *at = k;
            return true;
        }
    }
    return false;
}

std::string PdfTextString(const std::string& utf8) {
    std::string out = "<FEFF";
    for (char16_t unit : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String())
        out += core::Sprintf("%04X", static_cast<unsigned>(unit));
    return out + ">";
}

bool PdfInfoUpdate(const std::string& bytes, const std::vector<std::pair<std::string, std::string>>& entries,
                   std::string& update, std::string& error) {
    update.clear();
    const std::size_t startxref = bytes.rfind("startxref");
    const std::size_t trailer = startxref == std::string::npos ? std::string::npos : bytes.rfind("trailer", startxref);
    if (trailer == std::string::npos) {
        error = "no trailer in the PDF";
        return false;
    }
    const std::string dict = bytes.substr(trailer, startxref - trailer);
    const long prevXref = std::strtol(bytes.c_str() + startxref + 9, nullptr, 10);
    long size = -1;
    if (!PdfNumberAfter(dict, "/Size", size)) size = -1;
    long info = 0, infoGen = 0, root = 0, rootGen = 0;
    if (size < 1 || !PdfReferenceAfter(dict, "/Info", info, infoGen) || !PdfReferenceAfter(dict, "/Root", root, rootGen)) {
        error = "the PDF trailer has no /Size, /Info or /Root";
        return false;
    }
    const long offset = ObjectOffset(bytes, prevXref, info);
    const std::string head = core::Sprintf("%ld %ld obj", info, infoGen);
    if (offset < 0 || bytes.compare(offset, head.size(), head) != 0) {
        error = "the PDF's information dictionary is not where its cross-reference table says";
        return false;
    }
    const std::size_t open = bytes.find("<<", offset);
    const std::size_t endobj = bytes.find("endobj", offset);
    const std::size_t close = endobj == std::string::npos ? std::string::npos : bytes.rfind(">>", endobj);
    if (open == std::string::npos || close == std::string::npos || close < open || endobj < open) {
        error = "the PDF's information dictionary cannot be read";
        return false;
    }
    const std::string body = bytes.substr(open + 2, close - open - 2);
    std::string added;
    for (const auto& [key, value] : entries) {
        if (value.empty() || HasKey(body, "/" + key)) continue;
        added += "/" + key + " " + PdfTextString(value) + "\n";
    }
    if (added.empty()) return true;

    std::string text = (bytes.empty() || bytes.back() == '\n') ? std::string() : std::string("\n");
    const std::size_t objectAt = bytes.size() + text.size();
    text += head + "\n<<" + body + (body.empty() || body.back() == '\n' ? "" : "\n") + added + ">>\nendobj\n";
    const std::size_t xrefAt = bytes.size() + text.size();
    text += core::Sprintf("xref\n%ld 1\n%010zu %05ld n \n", info, objectAt, infoGen);
    text += core::Sprintf("trailer\n<<\n/Size %ld\n/Info %ld %ld R\n/Root %ld %ld R\n/Prev %ld\n", size, info, infoGen,
                          root, rootGen, prevXref);
    const std::string id = IdArray(dict);
    if (!id.empty()) text += id + "\n";
    text += core::Sprintf(">>\nstartxref\n%zu\n%%%%EOF\n", xrefAt);
    update = std::move(text);
    return true;
}

}  // namespace stracol::render
