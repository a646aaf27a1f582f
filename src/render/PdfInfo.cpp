#include "render/PdfInfo.h"

#include "core/Format.h"

#include <QString>

#include <cctype>
#include <cstdlib>
#include <regex>

namespace stracol::render {

namespace {

// The number after a key of the trailer ("/Size 12"), or -1.
long NumberAfter(const std::string& dict, const std::string& key) {
    std::smatch m;
    if (!std::regex_search(dict, m, std::regex(key + "\\s+(\\d+)"))) return -1;
    return std::strtol(m[1].str().c_str(), nullptr, 10);
}

// The object and generation of a reference after a key ("/Info 7 0 R").
bool ReferenceAfter(const std::string& dict, const std::string& key, long& object, long& generation) {
    std::smatch m;
    if (!std::regex_search(dict, m, std::regex(key + "\\s+(\\d+)\\s+(\\d+)\\s+R"))) return false;
    object = std::strtol(m[1].str().c_str(), nullptr, 10);
    generation = std::strtol(m[2].str().c_str(), nullptr, 10);
    return true;
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

}  // namespace

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
    const long size = NumberAfter(dict, "/Size");
    long info = 0, infoGen = 0, root = 0, rootGen = 0;
    if (size < 1 || !ReferenceAfter(dict, "/Info", info, infoGen) || !ReferenceAfter(dict, "/Root", root, rootGen)) {
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
        if (value.empty() || std::regex_search(body, std::regex("/" + key + "[\\s(<]"))) continue;
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
    std::smatch id;
    if (std::regex_search(dict, id, std::regex("/ID\\s*\\[[^\\]]*\\]"))) text += id.str() + "\n";
    text += core::Sprintf(">>\nstartxref\n%zu\n%%%%EOF\n", xrefAt);
    update = std::move(text);
    return true;
}

}  // namespace stracol::render
