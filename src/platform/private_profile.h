// Private-profile (INI) files: sections of "key=value" lines, read and written by section
// and key name, as the platform's profile functions do.
//
// Reading rules on every platform: section and key names compare case-insensitively;
// lines beginning with ';' are comments; blanks around names and values are ignored and
// one pair of matching quotes around a value is removed; a missing file, section or key
// yields the default.
#pragma once

#include <cstdint>

namespace lvc {

// The key's value read as a decimal integer: leading digits with an optional sign, 0 when
// the value does not begin with a number; defaultValue for a missing or empty value.
int32_t readProfileInt(const char* section, const char* key, int32_t defaultValue,
                       const char* path);
// Copies the key's value (or defaultValue when it is missing) into buffer, cut to
// size - 1 characters and always terminated. Returns the number of characters copied.
uint32_t readProfileString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, uint32_t size, const char* path);
// Sets the key's value, creating the file, the section and the key as needed. Every
// other section and key is kept, also when other processes write the same file at once.
bool writeProfileString(const char* section, const char* key, const char* value, const char* path);

}  // namespace lvc
