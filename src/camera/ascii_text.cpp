#include "camera/ascii_text.h"

namespace lvc {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool equalsIgnoringCase(const char* a, const char* b) {
    while (*a && lowerAscii(*a) == lowerAscii(*b)) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool startsWithIgnoringCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (lowerAscii(*text) != lowerAscii(*prefix)) return false;
    return true;
}

}  // namespace lvc
