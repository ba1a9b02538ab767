#include "app/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/settings/AsPlainUser.h"
#include "tests/settings/TempDir.h"

namespace kelp {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(IniFile, LookupFollowsPrivateProfileRules) {
    CIniFile ini;
    ini.Parse(
        "; comment\r\n"
        "[PortSettings]\r\n"
        "  portno = 7 \r\n"
        "BaudRate=\"9600\"\r\n"
        "PortNo=9\r\n"
        "junk line without equals\r\n"
        "[portsettings]\r\n"
        "Parity=2\r\n"
        "[Other]\n"
        "Name= 'quoted' \n"
        "Empty=\n");
    EXPECT_EQ(ini.GetInt("PORTSETTINGS", "PortNo", 3), 7);  // case-insensitive, first key wins
    EXPECT_EQ(ini.GetInt("PortSettings", "BaudRate", 0), 9600);
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.GetInt("PortSettings", "Parity", 5), 5);
    EXPECT_EQ(ini.GetString("other", "name", "x"), "quoted");
    EXPECT_TRUE(ini.HasKey("Other", "Empty"));
    EXPECT_EQ(ini.GetInt("Other", "Empty", 4), 0);
    EXPECT_EQ(ini.GetString("Other", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.GetInt("Missing", "PortNo", -1), -1);
}

TEST(IniFile, IntegersComeFromLeadingSignAndDigits) {
    EXPECT_EQ(CIniFile::ParseProfileInt("  -12abc"), -12);
    EXPECT_EQ(CIniFile::ParseProfileInt("+5"), 5);
    EXPECT_EQ(CIniFile::ParseProfileInt("abc"), 0);
    EXPECT_EQ(CIniFile::ParseProfileInt("12.9"), 12);
    EXPECT_EQ(CIniFile::ParseProfileInt("-"), 0);
    EXPECT_EQ(CIniFile::ParseProfileInt("4294967295"), -1);  // wraps like 32-bit arithmetic
    EXPECT_EQ(CIniFile::ParseProfileInt("99999999999999999999999"),
              CIniFile::ParseProfileInt("99999999999999999999999"));
}

TEST(IniFile, SetReplacesInPlaceAndAppendsMissingKeysToTheirSection) {
    CIniFile ini;
    ini.Parse("[A]\nx=1\n; keep me\n\n[B]\ny=2\n");
    ini.SetString("a", "X", "10");
    ini.SetString("A", "z", "3");
    ini.SetString("C", "w", "4");
    ini.SetString("B", "v", "line\nbreak");
    EXPECT_EQ(ini.Text(), "[A]\nX=10\n; keep me\nz=3\n\n[B]\ny=2\nv=line break\n[C]\nw=4\n");
    EXPECT_EQ(ini.GetInt("A", "x", 0), 10);
    EXPECT_EQ(ini.GetString("B", "v", ""), "line break");
}

TEST(IniFile, SaveReplacesTheFileAtomicallyAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto path = dir.File("Kelp-Win.ini");
    { std::ofstream(path) << "[A]\nx=1\n"; }
    CIniFile ini;
    ASSERT_TRUE(ini.Load(path));
    ini.SetString("A", "x", "2");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), "[A]\nx=2\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    // In a folder that cannot be written the file itself still can be: it
    // is written in place. A file that cannot be written keeps its content.
    ::chmod(dir.Path().c_str(), 0500);
    {
        test::AsPlainUser user;
        if (!user.Active()) {
            GTEST_SKIP() << "file permissions cannot be made to bind this process";
        }
        ini.SetString("A", "x", "3");
        EXPECT_TRUE(ini.Save(path));
        ::chmod(path.c_str(), 0400);
        ini.SetString("A", "x", "4");
        EXPECT_FALSE(ini.Save(path));
    }
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(ReadAll(path), "[A]\nx=3\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(IniFile, SaveThroughALinkReplacesTheLinkedFileAndKeepsItsMode) {
    test::TempDir dir;
    const auto real = dir.File("real.ini");
    const auto link = dir.File("Kelp-Win.ini");
    { std::ofstream(real) << "[A]\nx=1\n"; }
    ::chmod(real.c_str(), 0600);
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    CIniFile ini;
    ASSERT_TRUE(ini.Load(link));
    ini.SetString("A", "x", "2");
    ASSERT_TRUE(ini.Save(link));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadAll(real), "[A]\nx=2\n");
}

TEST(IniFile, UnreadableOrOversizedFilesGiveAnEmptyContent) {
    test::TempDir dir;
    CIniFile ini;
    ini.Parse("[A]\nx=1\n");
    EXPECT_EQ(ini.Read(dir.File("missing.ini")), CIniFile::LoadResult::Missing);
    EXPECT_FALSE(ini.HasKey("A", "x"));
    ini.Parse("[A]\nx=1\n");
    EXPECT_EQ(ini.Read(dir.Path()), CIniFile::LoadResult::Unreadable);  // a folder
    EXPECT_FALSE(ini.HasKey("A", "x"));

    const auto big = dir.File("big.ini");
    {
        std::ofstream out(big, std::ios::binary);
        out << "[A]\nx=1\n" << std::string(CIniFile::kMaxFileSize, 'z');
    }
    EXPECT_EQ(ini.Read(big), CIniFile::LoadResult::TooLarge);
    EXPECT_FALSE(ini.HasKey("A", "x"));
}

}  // namespace
}  // namespace kelp
