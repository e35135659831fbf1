// The private-profile layer over the Windows profile functions: the reading rules the
// settings file relies on, and writes that keep every other section.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <windows.h>

#include "platform/private_profile.h"

namespace lvc {
namespace {

class Win32PrivateProfile : public ::testing::Test {
protected:
    void SetUp() override {
        char directory[MAX_PATH];
        GetTempPathA(MAX_PATH, directory);
        path_ = std::string(directory) + "lvc_profile_" + std::to_string(GetCurrentProcessId()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        DeleteFileA(path_.c_str());
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }

    void writeFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string fileText() const {
        std::ostringstream text;
        text << std::ifstream(path_, std::ios::binary).rdbuf();
        return text.str();
    }

    std::string path_;
};

TEST_F(Win32PrivateProfile, ReadsIntegersByThePlatformRules) {
    writeFile(
        "[Cam - 1]\r\nSeven=7\r\nWord=abc\r\nEmpty=\r\nNegative=-12\r\nTrailing=42xyz\r\n"
        "Spaced =  9  \r\n;Commented=5\r\n");
    struct Case {
        const char* key;
        int32_t expected;
    } cases[] = {
        {"Seven", 7},  {"Word", 0},       {"Empty", 1000},     {"Negative", -12}, {"Trailing", 42},
        {"Spaced", 9}, {"Missing", 1000}, {"Commented", 1000}, {"SEVEN", 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readProfileInt("Cam - 1", c.key, 1000, path_.c_str()), c.expected) << c.key;
    EXPECT_EQ(readProfileInt("cam - 1", "Seven", 1000, path_.c_str()), 7) << "section case";
    EXPECT_EQ(readProfileInt("Other", "Seven", 1000, path_.c_str()), 1000);
}

TEST_F(Win32PrivateProfile, ReadsStringsCutToTheBuffer) {
    const std::string longName(300, 'x');
    writeFile("[Cam]\r\nLUTname=" + longName + "\r\nQuoted=\"a b\"\r\n");

    char buffer[255];
    EXPECT_EQ(readProfileString("Cam", "LUTname", "", buffer, sizeof buffer, path_.c_str()), 254u);
    EXPECT_EQ(std::string(buffer), longName.substr(0, 254));
    readProfileString("Cam", "Quoted", "", buffer, sizeof buffer, path_.c_str());
    EXPECT_STREQ(buffer, "a b");
    readProfileString("Cam", "Missing", "fallback", buffer, sizeof buffer, path_.c_str());
    EXPECT_STREQ(buffer, "fallback");
}

TEST_F(Win32PrivateProfile, MissingFileGivesDefaults) {
    char buffer[16];
    EXPECT_EQ(readProfileInt("Cam", "Busload", 1000, path_.c_str()), 1000);
    EXPECT_EQ(readProfileString("Cam", "LUTname", "", buffer, sizeof buffer, path_.c_str()), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(Win32PrivateProfile, WritesCreateAndReplaceKeepingOtherSections) {
    writeFile("[Other]\r\nBusload=500\r\n");
    EXPECT_TRUE(writeProfileString("Cam - 2", "Busload", "1000", path_.c_str()));
    EXPECT_TRUE(writeProfileString("Cam - 2", "Streaming", "1", path_.c_str()));
    EXPECT_TRUE(writeProfileString("Cam - 2", "LUTname", "", path_.c_str()));
    EXPECT_TRUE(writeProfileString("Cam - 2", "Busload", "800", path_.c_str()));

    EXPECT_EQ(readProfileInt("Other", "Busload", 0, path_.c_str()), 500);
    EXPECT_EQ(readProfileInt("Cam - 2", "Busload", 0, path_.c_str()), 800);
    const std::string text = fileText();
    EXPECT_NE(text.find("[Cam - 2]\r\nBusload=800\r\nStreaming=1\r\nLUTname=\r\n"),
              std::string::npos)
        << text;
}

// The behaviour the POSIX layer matches: a section is found and created by its trimmed name.
TEST_F(Win32PrivateProfile, SectionNamesWithOuterBlanksNameOneSection) {
    EXPECT_TRUE(writeProfileString(" Model - 7", "Busload", "500", path_.c_str()));
    EXPECT_TRUE(writeProfileString(" Model - 7", "Busload", "600", path_.c_str()));
    EXPECT_TRUE(writeProfileString("Model - 7 ", "LUT", "1", path_.c_str()));
    EXPECT_EQ(fileText(), "[Model - 7]\r\nBusload=600\r\nLUT=1\r\n");
    EXPECT_EQ(readProfileInt(" Model - 7", "Busload", 0, path_.c_str()), 600);
    EXPECT_EQ(readProfileInt("Model - 7", "LUT", 0, path_.c_str()), 1);
}

TEST_F(Win32PrivateProfile, RelativePathMeansTheCurrentDirectory) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string name = "lvc_relative_" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string full = std::string(current) + "\\" + name;

    EXPECT_TRUE(writeProfileString("Cam", "LUT", "1", name.c_str()));
    EXPECT_EQ(GetFileAttributesA(full.c_str()) != INVALID_FILE_ATTRIBUTES, true) << full;
    EXPECT_EQ(readProfileInt("Cam", "LUT", 0, name.c_str()), 1);
    DeleteFileA(full.c_str());
}

}  // namespace
}  // namespace lvc
