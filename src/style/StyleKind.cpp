#include "style/StyleKind.h"

#include "core/Numbers.h"

namespace stracol::style {
namespace {

// The leading integer of the log-kind code, or nothing when the code is not a number.
bool LogKindNumber(std::string_view code, int& number) {
    std::string_view text = core::TrimBlanks(code);
    if (text.empty()) return false;
    char first = text.front();
    if (!((first >= '0' && first <= '9') || first == '.' || first == '+' || first == '-')) return false;
    number = core::LeadingInt(text);
    return true;
}

}  // namespace

int StyleKind(int formatCode, std::string_view logKindCode) {
    int code = 0;
    switch (formatCode) {
        case 110:
        case 200:
        case 201:
        case 202:
        case 203:
            if (!LogKindNumber(logKindCode, code)) return 0;
            switch (code) {
                case 1: return 3;
                case 2: return 1;
                case 3: return 5;
                default: return 0;
            }
        case 204:
        case 205:
        case 490:
            if (!LogKindNumber(logKindCode, code)) return 0;
            switch (code) {
                case 11: return 2;
                case 12: return 3;
                case 21: return 1;
                case 31: return 4;
                case 32: return 5;
                default: return 0;
            }
        case 2: return 3;
        case 3: return 1;
        case 480: return 7;
        case 500: return 6;
        case 510: return kOwnStyleKind;
        default: return 0;
    }
}

}  // namespace stracol::style
