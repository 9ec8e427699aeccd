// The archive a user downloads: its entries as a zip reader sees them, and the files it unpacks to.
#include "base/text_codec.h"
#include "res/version.h"
#include "store/sqlite_handles.h"
#include "tests/release/release_files.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Little(const std::string& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<size_t>(i)));
    return value;
}

struct ZipEntry {
    std::string name;  // as stored
    uint32_t flags;    // general purpose bits; 0x800: the name is UTF-8
};

// The entries of the archive's central directory, which is what unpacking tools list and follow.
std::vector<ZipEntry> CentralDirectory(const std::string& zip)
{
    const size_t endRecord = zip.size() - 22;  // no archive comment
    if (zip.size() < 22 || Little(zip, endRecord, 4) != 0x06054b50)
        throw std::runtime_error("no end record");
    size_t at = Little(zip, endRecord + 16, 4);
    std::vector<ZipEntry> entries(Little(zip, endRecord + 10, 2));
    for (ZipEntry& entry : entries) {
        if (Little(zip, at, 4) != 0x02014b50)
            throw std::runtime_error("broken central directory");
        size_t nameLength = Little(zip, at + 28, 2);
        entry.flags = Little(zip, at + 8, 2);
        entry.name = zip.substr(at + 46, nameLength);
        at += 46 + nameLength + Little(zip, at + 30, 2) + Little(zip, at + 32, 2);
    }
    return entries;
}

// The CREATE statement of T_ITEM stored in the file, as SQLite keeps it.
std::string StoredSchema(const std::wstring& path)
{
    CSqliteHandle db;
    int rc = sqlite3_open_v2(WideToUtf8(path).c_str(), db.Put(), SQLITE_OPEN_READONLY, nullptr);
    std::string sql;
    auto keep = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "";
        return 0;
    };
    if (rc != SQLITE_OK ||
        sqlite3_exec(db.Get(), "select sql from sqlite_master where type='table' and name='T_ITEM'", keep,
                     &sql, nullptr) != SQLITE_OK)
        return "<unreadable>";
    return sql;
}

TEST(ReleaseArchive, HoldsExactlyTheProgramTheDatabaseAndTheGuideInOneFolder)
{
    std::string zip = ReadBytes(ArchivePath());
    ASSERT_FALSE(zip.empty()) << ArchivePath();
    std::vector<ZipEntry> entries = CentralDirectory(zip);

    std::vector<std::string> names;
    for (const ZipEntry& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Mirelo/Mirelo.exe", "Mirelo/sys.mdb", u8"Mirelo/说明.txt"}));
    for (const ZipEntry& entry : entries) {
        bool ascii = std::all_of(entry.name.begin(), entry.name.end(), [](char c) { return c > 0; });
        // Without the flag Explorer reads a name in the OEM code page.
        EXPECT_EQ((entry.flags & 0x800) != 0, !ascii) << entry.name;
    }
}

TEST(ReleaseArchive, DatabaseIsTheDeliveredItemTableWithNoRows)
{
    std::wstring db = UnpackedFolder() + L"sys.mdb";
    EXPECT_TRUE(ReadItems(db).empty());
    std::string schema = ItemSchemaSql();
    size_t create = schema.find("CREATE TABLE");
    ASSERT_NE(create, std::string::npos);
    EXPECT_EQ(StoredSchema(db), schema.substr(create, schema.find(';', create) - create));
}

TEST(ReleaseArchive, GuideIsUtf8WithAByteOrderMarkAndCrLfLinesChineseFirst)
{
    std::string guide = ReadBytes(UnpackedFolder() + L"说明.txt");
    ASSERT_GE(guide.size(), 3u);
    EXPECT_EQ(guide.substr(0, 3), "\xEF\xBB\xBF");
    for (size_t i = 0; i < guide.size(); ++i) {
        bool crlf = guide.compare(i, 2, "\r\n") == 0;
        ASSERT_FALSE(guide[i] == '\r' && !crlf) << "bare carriage return at byte " << i;
        ASSERT_FALSE(guide[i] == '\n' && (i == 0 || guide[i - 1] != '\r')) << "bare line feed at byte " << i;
    }
    std::wstring text = Utf8ToWide(guide.substr(3));
    ASSERT_EQ(text.find(L'\uFFFD'), std::wstring::npos) << "not UTF-8";

    EXPECT_EQ(text.find(L"Mirelo " MIRELO_VERSION_TEXT), 0u) << "titled with the version";
    size_t english = text.find(L"\r\nEnglish\r\n");
    ASSERT_NE(english, std::wstring::npos);
    std::wstring chinese = text.substr(0, english);
    std::wstring rest = text.substr(english);
    // Both parts name the database, its backup, the settings file, the folder and the items file.
    for (const wchar_t* needed : {L"sys.mdb", L"Mirelo.ini", L"Program Files", L"Mirelo-items-", L"CSV"}) {
        EXPECT_NE(chinese.find(needed), std::wstring::npos) << "Chinese part";
        EXPECT_NE(rest.find(needed), std::wstring::npos) << "English part";
    }
    EXPECT_NE(chinese.find(L"备份"), std::wstring::npos);
    EXPECT_NE(chinese.find(L"导入"), std::wstring::npos);
    EXPECT_NE(chinese.find(L"导出"), std::wstring::npos);
    EXPECT_NE(chinese.find(L"换电脑"), std::wstring::npos);
    EXPECT_NE(rest.find(L"backup"), std::wstring::npos);
    EXPECT_NE(rest.find(L"import"), std::wstring::npos);
    EXPECT_NE(rest.find(L"export"), std::wstring::npos);
    EXPECT_NE(rest.find(L"Another computer"), std::wstring::npos);
}

}  // namespace
