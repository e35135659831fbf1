// Letter-case-insensitive comparisons over ASCII letters only, independent of the locale.
#pragma once

namespace lvc {

bool equalsIgnoringCase(const char* a, const char* b);
bool startsWithIgnoringCase(const char* text, const char* prefix);

}  // namespace lvc
