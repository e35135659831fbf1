// Reading LUT files. A file is read in text mode in pieces of limited length, as line
// input does: a piece ends after a line break or when it is full, and each piece is a
// value line when it begins, after optional white space, with a decimal integer.
#include "camera/lut_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lvc {
namespace {

constexpr std::size_t kLoadPieceLength = 63;
constexpr std::size_t kInspectPieceLength = 127;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using LutFile = std::unique_ptr<std::FILE, FileCloser>;

LutFile openLutFile(const char* path) { return LutFile(path ? std::fopen(path, "r") : nullptr); }

// Reads the next piece of at most maxLength characters into piece (terminated) and
// returns its length; 0 at the end of the file or on a read error. A line break ends the
// piece and belongs to it; a lone carriage return counts as a line break.
std::size_t readPiece(std::FILE* file, char* piece, std::size_t maxLength) {
    std::size_t length = 0;
    while (length < maxLength) {
        const int c = std::fgetc(file);
        if (c == EOF) break;
        piece[length++] = static_cast<char>(c);
        if (c == '\n') break;
        if (c == '\r') {
            const int next = std::fgetc(file);
            if (next == '\n' && length < maxLength)
                piece[length++] = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
            break;
        }
    }
    piece[length] = '\0';
    return length;
}

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The "%d" conversion at the start of a piece: white space, an optional sign and at
// least one digit. The value is kept modulo 2^32, which preserves its low 8 bits.
bool pieceValue(const char* piece, uint32_t* value) {
    while (isSpace(*piece)) ++piece;
    const bool negative = *piece == '-';
    if (*piece == '-' || *piece == '+') ++piece;
    if (!isDigit(*piece)) return false;
    uint32_t magnitude = 0;
    for (; isDigit(*piece); ++piece)
        magnitude = magnitude * 10u + static_cast<uint32_t>(*piece - '0');
    *value = negative ? 0u - magnitude : magnitude;
    return true;
}

void copyDescription(char* description, const char* piece) {
    const std::size_t length = std::min(std::strlen(piece), kLutDescriptionSize - 1);
    std::memcpy(description, piece, length);
    description[length] = '\0';
}

}  // namespace

bool readLutValues(const char* path, uint32_t count, uint8_t* destination) {
    const LutFile file = openLutFile(path);
    if (!file) return count == 0;
    char piece[kLoadPieceLength + 1];
    uint32_t read = 0;
    while (read < count && readPiece(file.get(), piece, kLoadPieceLength) > 0) {
        uint32_t value = 0;
        if (pieceValue(piece, &value)) destination[read++] = static_cast<uint8_t>(value & 0xFFu);
    }
    return read == count;
}

bool inspectLutFile(const char* path, int32_t* valueCount, char* description) {
    *valueCount = 0;
    description[0] = '\0';
    const LutFile file = openLutFile(path);
    if (!file) return false;
    char piece[kInspectPieceLength + 1];
    uint32_t count = 0;
    while (readPiece(file.get(), piece, kInspectPieceLength) > 0) {
        uint32_t value = 0;
        if (pieceValue(piece, &value))
            ++count;
        else if (count == 0)
            copyDescription(description, piece);
    }
    *valueCount = count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
    return count != 0;
}

}  // namespace lvc
