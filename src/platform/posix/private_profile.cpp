// The private-profile reader and writer on POSIX systems. Writers take an exclusive lock
// on "<file>.lock", read the file, change one line, write the result to a temporary file
// in the same directory and rename it over the original, so readers always see a whole
// file and concurrent writers never lose each other's sections or keys.
#include "platform/private_profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lvc {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// One line of the file, classified once.
struct ProfileLine {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // entry value, trimmed and unquoted
};

ProfileLine classify(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == ';') return {};
    if (text.front() == '[') {
        const auto close = text.rfind(']');
        const auto name = text.substr(1, close == std::string_view::npos ? text.npos : close - 1);
        return {ProfileLine::Kind::Section, trim(name), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {ProfileLine::Kind::Entry, trim(text.substr(0, equals)),
            unquote(trim(text.substr(equals + 1)))};
}

std::vector<std::string_view> splitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        const auto length = end == std::string_view::npos ? content.size() : end + 1;
        lines.push_back(content.substr(0, length));
        content.remove_prefix(length);
    }
    return lines;
}

enum class FileRead { Read, Missing, Failed };

// Reads the whole file; Missing only when it does not exist.
FileRead readWholeFile(const char* path, std::string& content) {
    content.clear();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    char chunk[4096];
    ssize_t count = 0;
    while ((count = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) break;
        content.append(chunk, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return count == 0 ? FileRead::Read : FileRead::Failed;
}

// The value of the first entry named key in the first section named section.
std::optional<std::string> findValue(const char* section, const char* key, const char* path) {
    if (!section || !key || !path) return std::nullopt;
    std::string content;
    if (readWholeFile(path, content) != FileRead::Read) return std::nullopt;
    bool inSection = false;
    for (const auto line : splitLines(content)) {
        const ProfileLine parsed = classify(line);
        if (parsed.kind == ProfileLine::Kind::Section) {
            if (inSection) break;
            inSection = equalsIgnoringCase(parsed.name, trim(section));
        } else if (inSection && parsed.kind == ProfileLine::Kind::Entry &&
                   equalsIgnoringCase(parsed.name, key)) {
            return std::string(parsed.value);
        }
    }
    return std::nullopt;
}

// Leading decimal digits with an optional sign; arithmetic wraps as a 32-bit word does.
int32_t parseLeadingInteger(std::string_view text) {
    std::size_t position = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) position = 1;
    uint32_t magnitude = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position)
        magnitude = magnitude * 10u + static_cast<uint32_t>(text[position] - '0');
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

bool containsAny(const char* text, std::string_view characters) {
    return std::string_view(text).find_first_of(characters) != std::string_view::npos;
}

// Names and values that would break the file's line structure are refused.
bool isWritable(const char* section, const char* key, const char* value) {
    return section && key && value && *key != '\0' && *key != '[' && *key != ';' &&
           !containsAny(section, "\r\n") && !containsAny(key, "=\r\n") &&
           !containsAny(value, "\r\n") && !trim(section).empty() && trim(key) == key;
}

std::string changedContent(const std::string& original, const char* section, const char* key,
                           const char* value) {
    const auto lines = splitLines(original);
    const std::string newline = (!lines.empty() && lines[0].ends_with("\r\n")) ? "\r\n" : "\n";
    const std::string entry = std::string(key) + "=" + value + newline;

    std::optional<std::size_t> sectionStart;
    std::size_t insertAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProfileLine parsed = classify(lines[i]);
        if (parsed.kind == ProfileLine::Kind::Section) {
            if (sectionStart) break;
            if (equalsIgnoringCase(parsed.name, trim(section))) sectionStart = i;
        } else if (sectionStart && parsed.kind == ProfileLine::Kind::Entry) {
            if (equalsIgnoringCase(parsed.name, key)) {
                // The key keeps the spelling it has in the file.
                const std::string replaced = std::string(parsed.name) + "=" + value + newline;
                std::string result;
                for (std::size_t j = 0; j < lines.size(); ++j)
                    result += j == i ? replaced : lines[j];
                return result;
            }
        }
        if (sectionStart && !trim(lines[i]).empty()) insertAt = i + 1;
    }

    std::string result;
    for (std::size_t j = 0; j < insertAt; ++j) result += lines[j];
    if (!result.empty() && result.back() != '\n') result += newline;
    if (!sectionStart) result += "[" + std::string(trim(section)) + "]" + newline;
    result += entry;
    for (std::size_t j = insertAt; j < lines.size(); ++j) result += lines[j];
    return result;
}

// An exclusive lock on "<path>.lock", held for the object's lifetime.
class ProfileLock {
public:
    explicit ProfileLock(const std::string& path)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~ProfileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t result = ::write(fd, content.data() + written, content.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

std::string temporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

// Writes content to a new file beside path and renames it over path.
bool replaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = temporaryName(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace

int32_t readProfileInt(const char* section, const char* key, int32_t defaultValue,
                       const char* path) {
    const auto value = findValue(section, key, path);
    if (!value || value->empty()) return defaultValue;
    return parseLeadingInteger(*value);
}

uint32_t readProfileString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, uint32_t size, const char* path) {
    if (!buffer || size == 0) return 0;
    const auto value = findValue(section, key, path);
    const std::string_view text =
        value ? std::string_view(*value) : std::string_view(defaultValue ? defaultValue : "");
    const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<uint32_t>(length);
}

bool writeProfileString(const char* section, const char* key, const char* value, const char* path) {
    if (!path || !*path || !isWritable(section, key, value)) return false;
    const ProfileLock lock(path);
    if (!lock.held()) return false;
    std::string original;
    if (readWholeFile(path, original) == FileRead::Failed) return false;
    return replaceFile(path, changedContent(original, section, key, value));
}

}  // namespace lvc
