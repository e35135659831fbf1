// The POSIX private-profile reader and writer: the platform's reading rules, writes that
// keep everything else, and two processes writing one file at once.
#include "platform/private_profile.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_directory.h"

namespace lvc {
namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    std::string path() const { return (directory_.path() / "Lorvenacam.ini").string(); }
    void writeFile(const std::string& content) const { std::ofstream(path()) << content; }
    std::string readFile() const {
        std::ostringstream content;
        content << std::ifstream(path()).rdbuf();
        return content.str();
    }

private:
    test::TempDirectory directory_;
};

struct IntCase {
    const char* what;
    const char* content;  // null: no file
    const char* section;
    const char* key;
    int32_t expected;  // with default 1000
};

TEST_F(PrivateProfileTest, ReadsIntegersByThePlatformRules) {
    const IntCase cases[] = {
        {"missing file", nullptr, "Cam - 1", "Busload", 1000},
        {"missing section", "[Other - 2]\nBusload=5\n", "Cam - 1", "Busload", 1000},
        {"missing key", "[Cam - 1]\nStreaming=1\n", "Cam - 1", "Busload", 1000},
        {"empty value", "[Cam - 1]\nBusload=\n", "Cam - 1", "Busload", 1000},
        {"plain number", "[Cam - 1]\nStreaming=7\n", "Cam - 1", "Streaming", 7},
        {"not a number", "[Cam - 1]\nBusload=fast\n", "Cam - 1", "Busload", 0},
        {"leading digits", "[Cam - 1]\nBusload=12ab\n", "Cam - 1", "Busload", 12},
        {"negative", "[Cam - 1]\nBusload=-12\n", "Cam - 1", "Busload", -12},
        {"plus sign", "[Cam - 1]\nBusload=+5\n", "Cam - 1", "Busload", 5},
        {"blanks around", "[Cam - 1]\n  Busload =  42  \n", "Cam - 1", "Busload", 42},
        {"quoted", "[Cam - 1]\nBusload=\"33\"\n", "Cam - 1", "Busload", 33},
        {"CRLF lines", "[Cam - 1]\r\nBusload=17\r\n", "Cam - 1", "Busload", 17},
        {"names ignore case", "[CAM - 1]\nBUSLOAD=9\n", "cam - 1", "busload", 9},
        {"comment line", "[Cam - 1]\n;Busload=5\n", "Cam - 1", "Busload", 1000},
        {"key of the next section", "[Cam - 1]\n[Cam - 2]\nBusload=5\n", "Cam - 1", "Busload",
         1000},
        {"bracket in the section name", "[Vendor [x]] - 1]\nBusload=3\n", "Vendor [x]] - 1",
         "Busload", 3},
        {"first of two sections", "[Cam - 1]\nBusload=1\n[Cam - 1]\nBusload=2\n", "Cam - 1",
         "Busload", 1},
    };
    for (const auto& c : cases) {
        if (c.content) writeFile(c.content);
        EXPECT_EQ(readProfileInt(c.section, c.key, 1000, path().c_str()), c.expected) << c.what;
    }
}

TEST_F(PrivateProfileTest, CutsTextToTheBuffer) {
    const std::string longName(300, 'n');
    writeFile("[Cam - 1]\nLUTname=" + longName + "\nOther= 'quoted text' \n");
    char buffer[255];
    EXPECT_EQ(readProfileString("Cam - 1", "LUTname", "", buffer, sizeof buffer, path().c_str()),
              254u);
    EXPECT_EQ(std::string(buffer), longName.substr(0, 254));

    readProfileString("Cam - 1", "Other", "", buffer, sizeof buffer, path().c_str());
    EXPECT_STREQ(buffer, "quoted text");

    char small[4];
    readProfileString("Cam - 1", "Missing", "default", small, sizeof small, path().c_str());
    EXPECT_STREQ(small, "def");
}

TEST_F(PrivateProfileTest, WritesKeepEverythingElse) {
    writeFile("; settings\n[Cam - 1]\nBusload=1000\nStreaming=0\n\n[Cam - 2]\nBusload=5\n");
    ASSERT_TRUE(writeProfileString("cam - 1", "STREAMING", "1", path().c_str()));
    ASSERT_TRUE(writeProfileString("Cam - 1", "LUT", "0", path().c_str()));
    ASSERT_TRUE(writeProfileString("Cam - 3", "Busload", "7", path().c_str()));
    EXPECT_EQ(readFile(),
              "; settings\n[Cam - 1]\nBusload=1000\nStreaming=1\nLUT=0\n\n[Cam - 2]\nBusload=5\n"
              "[Cam - 3]\nBusload=7\n");
}

TEST_F(PrivateProfileTest, WriteCreatesTheFile) {
    ASSERT_TRUE(writeProfileString("Cam - 1", "LUTname", "", path().c_str()));
    EXPECT_EQ(readFile(), "[Cam - 1]\nLUTname=\n");
}

TEST_F(PrivateProfileTest, WritesSectionNamesWithBrackets) {
    ASSERT_TRUE(writeProfileString("Vendor [x] - 1", "LUT", "1", path().c_str()));
    ASSERT_TRUE(writeProfileString("Vendor [x] - 1", "LUT", "2", path().c_str()));
    EXPECT_EQ(readFile(), "[Vendor [x] - 1]\nLUT=2\n");
    EXPECT_EQ(readProfileInt("Vendor [x] - 1", "LUT", 0, path().c_str()), 2);
}

// A camera without a vendor string is named " Model - id": reading and writing find the
// section by its trimmed name, as the Windows profile functions do, so repeated writes
// keep one section and read back what they wrote.
TEST_F(PrivateProfileTest, SectionNamesWithOuterBlanksNameOneSection) {
    ASSERT_TRUE(writeProfileString(" Model - 7", "Busload", "500", path().c_str()));
    ASSERT_TRUE(writeProfileString(" Model - 7", "Busload", "600", path().c_str()));
    ASSERT_TRUE(writeProfileString("Model - 7 ", "LUT", "1", path().c_str()));
    EXPECT_EQ(readFile(), "[Model - 7]\nBusload=600\nLUT=1\n");
    EXPECT_EQ(readProfileInt(" Model - 7", "Busload", 0, path().c_str()), 600);
    EXPECT_EQ(readProfileInt("Model - 7", "LUT", 0, path().c_str()), 1);
}

TEST_F(PrivateProfileTest, RefusesTextThatWouldAddLines) {
    writeFile("[Cam - 1]\nLUTname=a.lut\n");
    EXPECT_FALSE(
        writeProfileString("Cam - 1", "LUTname", "x\n[Cam - 2]\nBusload=1", path().c_str()));
    EXPECT_FALSE(writeProfileString("Cam\n[Cam - 2", "Busload", "1", path().c_str()));
    EXPECT_FALSE(writeProfileString("Cam - 1", "[Cam - 2]", "1", path().c_str()));
    EXPECT_FALSE(writeProfileString("Cam - 1", ";Busload", "1", path().c_str()));
    EXPECT_FALSE(writeProfileString("Cam - 1", "Bus=load", "1", path().c_str()));
    EXPECT_EQ(readFile(), "[Cam - 1]\nLUTname=a.lut\n");
}

// Each child writes its own section key by key while the other does the same.
TEST_F(PrivateProfileTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kKeys = 150;
    const auto writeSection = [&](const std::string& section) {
        bool ok = true;
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = "Key" + std::to_string(i);
            ok = writeProfileString(section.c_str(), key.c_str(), std::to_string(i).c_str(),
                                    path().c_str()) &&
                 ok;
        }
        _exit(ok ? 0 : 1);
    };
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) writeSection("Cam - " + std::to_string(child));
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int child = 0; child < 2; ++child) {
        const std::string section = "Cam - " + std::to_string(child);
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = "Key" + std::to_string(i);
            EXPECT_EQ(readProfileInt(section.c_str(), key.c_str(), -1, path().c_str()), i)
                << section << " " << key;
        }
    }
}

}  // namespace
}  // namespace lvc
