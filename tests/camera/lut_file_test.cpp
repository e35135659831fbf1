// Reading LUT files: value and text lines, pieces of limited length, the low 8 bits, and
// files that are missing, short, binary or not files at all.
#include "camera/lut_file.h"

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_directory.h"

namespace lvc {
namespace {

std::string valueLines(int count, int first = 0) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(first + i) + "\n";
    return lines;
}

class LutFileTest : public ::testing::Test {
protected:
    std::string file(const std::string& content) const {
        const auto path = (directory_.path() / "table.lut").string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string directory() const { return directory_.path().string(); }

private:
    test::TempDirectory directory_;
};

struct ReadCase {
    const char* what;
    std::string content;
    uint32_t count;
    bool loads;
    std::vector<uint8_t> first;  // the first elements expected
};

TEST_F(LutFileTest, ReadsTheFirstCountValues) {
    const std::string longText(63, 'a');
    const ReadCase cases[] = {
        {"description and 256 values", "gamma 0.45\n" + valueLines(256), 256, true, {0, 1, 2}},
        {"255 values are too few", valueLines(255), 256, false, {}},
        {"300 values: the first 256", valueLines(300, 10), 256, true, {10, 11}},
        {"low 8 bits", "256\n300\n-1\n255\n", 4, true, {0, 44, 255, 255}},
        {"number then text", "  17;x\n", 1, true, {17}},
        {"text then number", "x17\n5\n", 1, true, {5}},
        {"text lines anywhere", "a\n1\n\nb c\n2\n", 2, true, {1, 2}},
        {"63rd character ends a piece", longText + "42\n", 1, true, {42}},
        {"CRLF line ends", "7\r\n8\r\n", 2, true, {7, 8}},
        {"CR line ends", "7\r8\r9", 3, true, {7, 8, 9}},
        {"signs", "+3\n-0\n", 2, true, {3, 0}},
        {"binary",
         std::string("\x00\x01\xff\x80\n\x00"
                     "12\n",
                     10),
         1,
         false,
         {}},
        // 2^32 + 1 and 10^20 - 1: their low 8 bits are 1 and 255.
        {"huge numbers keep their low bits",
         "4294967297\n99999999999999999999\n",
         2,
         true,
         {1, 255}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> values(c.count + 1, 0xEE);
        EXPECT_EQ(readLutValues(file(c.content).c_str(), c.count, values.data()), c.loads)
            << c.what;
        for (std::size_t i = 0; c.loads && i < c.first.size(); ++i) {
            EXPECT_EQ(values[i], c.first[i]) << c.what << " element " << i;
        }
    }
}

TEST_F(LutFileTest, ReadsNothingForNoElements) {
    uint8_t value = 0xEE;
    EXPECT_TRUE(readLutValues((directory() + "/missing.lut").c_str(), 0, &value));
    EXPECT_FALSE(readLutValues((directory() + "/missing.lut").c_str(), 1, &value));
    EXPECT_FALSE(readLutValues(directory().c_str(), 1, &value));
    EXPECT_FALSE(readLutValues(nullptr, 1, &value));
    EXPECT_EQ(value, 0xEE);
}

struct InspectCase {
    const char* what;
    std::string content;
    bool hasValues;
    int32_t count;
    std::string description;
};

TEST_F(LutFileTest, InspectsCountAndDescription) {
    const std::string longText(200, 'd');
    const InspectCase cases[] = {
        {"gamma file", "gamma 0.45\n" + valueLines(256), true, 256, "gamma 0.45\n"},
        {"last text line before the values", "first\nsecond\n1\nthird\n2\n", true, 2, "second\n"},
        {"no line break at the end", "only text", false, 0, "only text"},
        {"long line: its last piece", longText + "\n" + valueLines(3), true, 3,
         std::string(200 - 127, 'd') + "\n"},
        {"full piece cut to 126", std::string(127, 'd') + "5\n", true, 1, std::string(126, 'd')},
        {"line break beyond 126", std::string(126, 'e') + "\n1\n", true, 1, std::string(126, 'e')},
        {"empty file", "", false, 0, ""},
        {"more values than any LUT", valueLines(5000), true, 5000, ""},
    };
    for (const auto& c : cases) {
        int32_t count = -1;
        char description[kLutDescriptionSize];
        EXPECT_EQ(inspectLutFile(file(c.content).c_str(), &count, description), c.hasValues)
            << c.what;
        EXPECT_EQ(count, c.count) << c.what;
        EXPECT_EQ(std::string(description), c.description) << c.what;
    }
}

TEST_F(LutFileTest, InspectsAMissingFileAsEmpty) {
    int32_t count = -1;
    char description[kLutDescriptionSize] = "old";
    EXPECT_FALSE(inspectLutFile((directory() + "/missing.lut").c_str(), &count, description));
    EXPECT_EQ(count, 0);
    EXPECT_STREQ(description, "");
}

}  // namespace
}  // namespace lvc
