// Settings in the INI file (UTF-8) beside the test program: kept across instances, damage reads 0.
#include "corelib/core.h"
#include "corelib/program_path.h"
#include "corelib/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = SettingsPathOf(ProgramFilePath());
        ::DeleteFileW(m_path);
    }
    void TearDown() override { ::DeleteFileW(m_path); }

    void WriteRaw(const std::string& bytes)
    {
        std::ofstream(m_path.GetString(), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string ReadRaw()
    {
        std::ifstream file(m_path.GetString(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    bool FileExists() { return ::GetFileAttributesW(m_path) != INVALID_FILE_ATTRIBUTES; }

    CString m_path;
};

}  // namespace

TEST_F(SettingsTest, FileIsBesideTheProgramAndNamedAfterIt)
{
    CCore core;
    EXPECT_EQ(m_path, core.getAppPath() + L"corelib_tests.ini");
}

TEST_F(SettingsTest, AutoFileConfigCreatesTheFileAndKeepsAnExistingOne)
{
    CCore core;
    core.autoFileConfig();
    EXPECT_TRUE(FileExists());
    EXPECT_EQ(core.getConfigB(L"isAutoMin"), 0);

    WriteRaw("[Settings]\r\nisAutoMin=1\r\n");
    CCore again;
    again.autoFileConfig();
    EXPECT_EQ(ReadRaw(), "[Settings]\r\nisAutoMin=1\r\n");
    EXPECT_EQ(again.getConfigB(L"isAutoMin"), 1);
}

TEST_F(SettingsTest, SavedFlagSurvivesANewInstance)
{
    {
        CCore core;
        core.autoFileConfig();
        EXPECT_TRUE(core.saveConfigB(L"isAutoMin", 1));
        EXPECT_EQ(core.getConfigB(L"isAutoMin"), 1);
    }
    EXPECT_EQ(ReadRaw(), "[Settings]\r\nisAutoMin=1\r\n");
    {
        CCore core;
        core.autoFileConfig();
        EXPECT_EQ(core.getConfigB(L"isAutoMin"), 1);
        EXPECT_TRUE(core.saveConfigB(L"isAutoMin", 0));
    }
    CCore core;
    core.autoFileConfig();
    EXPECT_EQ(core.getConfigB(L"isAutoMin"), 0);
}

TEST_F(SettingsTest, MissingFileReadsZero)
{
    CCore core;
    EXPECT_EQ(core.getConfigB(L"isAutoMin"), 0);
    EXPECT_FALSE(FileExists());
}

TEST_F(SettingsTest, DamagedFileReadsZero)
{
    static const char binary[] = "\xff\xfe\x00\x01garbage\x1a\x00isAutoMin=1";
    const std::string damaged[] = {
        std::string(binary, sizeof(binary) - 1),
        "isAutoMin=1\r\n",  // no section
        "[Settings]\r\nisAutoMin=yes\r\n",
        "[Settings]\r\nisAutoMin=1abc\r\n",
        "[Settings]\r\nisAutoMin=\r\n",
        "[Other]\r\nisAutoMin=1\r\n",
        "[Settin",
    };
    for (const std::string& bytes : damaged) {
        WriteRaw(bytes);
        CCore core;
        core.autoFileConfig();
        EXPECT_EQ(core.getConfigB(L"isAutoMin"), 0) << bytes;
    }
}

TEST_F(SettingsTest, ReadsHandWrittenLinesAsTheSystemWould)
{
    WriteRaw("; kept\n[settings]\n  ISAUTOMIN = 2 \n");
    CCore core;
    EXPECT_EQ(core.getConfigB(L"isAutoMin"), 1);
}

TEST_F(SettingsTest, SavingKeepsTheOtherLinesOfTheFile)
{
    WriteRaw("; 设置 😀 Zoë\r\n[Other]\r\nx=5\r\n[Settings]\r\nisAutoMin=0\r\nmore=1\r\n");
    CCore core;
    EXPECT_TRUE(core.saveConfigB(L"isAutoMin", 7));
    EXPECT_TRUE(core.saveConfigB(L"another𠮷", 1));
    // The file is UTF-8 both ways: the comment comes back byte for byte, the new key is written so.
    EXPECT_EQ(ReadRaw(),
              "; 设置 😀 Zoë\r\n[Other]\r\nx=5\r\n[Settings]\r\nisAutoMin=1\r\nmore=1\r\nanother𠮷=1\r\n");
    EXPECT_EQ(core.getConfigB(L"another𠮷"), 1);
}

TEST_F(SettingsTest, KeyThatWouldBreakItsLineIsRefused)
{
    CCore core;
    EXPECT_FALSE(core.saveConfigB(L"is=AutoMin", 1));
    EXPECT_FALSE(core.saveConfigB(L"", 1));
    EXPECT_FALSE(core.saveConfigB(L"a\r\n[Settings]\r\nisAutoMin", 1));
    EXPECT_FALSE(FileExists());
}
