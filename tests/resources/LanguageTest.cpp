#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "resources/ResourceIds.h"
#include "resources/Texts.h"

namespace kelp {
namespace {

class Language : public ::testing::Test {
  protected:
    void TearDown() override {
        SelectLanguage("ja_JP", "");
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string WriteFile(const std::string& name, const std::string& content) {
        std::filesystem::create_directories(dir_);
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    const std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() / ("kelp-language-" + std::to_string(::getpid()));
};

TEST_F(Language, JapaneseLocaleKeepsJapaneseEvenWithTheFile) {
    EXPECT_FALSE(SelectLanguage("ja_JP", KELP_ENGLISH_TEXT_FILE));
    EXPECT_FALSE(IsEnglish());
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Kelp データ収集ソフト");
    EXPECT_EQ(LoadCaption(IDD_MAIN, IDC_CAPTURE), "測定値取込");
}

TEST_F(Language, OtherLocaleWithTheFileGivesEnglish) {
    EXPECT_TRUE(SelectLanguage("en_US", KELP_ENGLISH_TEXT_FILE));
    EXPECT_TRUE(IsEnglish());
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Kelp Data Collector");
    EXPECT_EQ(LoadText(IDS_PORT_OPEN_FAILED), "The port could not be opened.");
    EXPECT_EQ(LoadText(IDS_INSTRUMENT_EMPTY), "The instrument holds no data.");
    EXPECT_EQ(LoadText(IDS_UNIT_NONE), " ");
    EXPECT_EQ(LoadText(IDS_UNIT_SIGMA_T), "\u03C3t");
    EXPECT_EQ(LoadCaption(IDD_MAIN, IDC_CAPTURE), "Capture");
    EXPECT_EQ(LoadDialogTitle(IDD_ABOUTBOX), "About Kelp Data Collector");
    EXPECT_EQ(LoadMenuText(IDR_MENU_MAIN, ID_EXIT), "E&xit");
    EXPECT_EQ(LoadMenuText(IDR_MENU_DEPTH, ID_CLOSE_GRAPH), "&Close Graph");
    EXPECT_EQ(LoadCaption(IDD_PORT_SETTINGS, IDC_PARITY), "None\nOdd\nEven");
    EXPECT_EQ(LoadText(99999), "");
    EXPECT_EQ(LoadCaption(IDD_MAIN, 4242), "");
    // Count words agree with their numbers wherever a text is filled.
    EXPECT_EQ(FillText(LoadText(IDS_CLI_CASTS_SUMMARY), {"1", "2", "0"}), "1 station, 2 casts, 0 series");
    EXPECT_EQ(FillText(LoadText(IDS_CLI_SPLIT_DONE), {"2", "1", "out"}), "2 files (1 record) written to out");

    // Switching back restores Japanese.
    EXPECT_FALSE(SelectLanguage("ja", KELP_ENGLISH_TEXT_FILE));
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Kelp データ収集ソフト");
}

TEST_F(Language, MissingOrUnusableFileGivesJapanese) {
    EXPECT_FALSE(SelectLanguage("en_US", (dir_ / "absent.txt").string()));
    EXPECT_FALSE(IsEnglish());
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Kelp データ収集ソフト");

    EXPECT_FALSE(SelectLanguage("en_US", WriteFile("empty.txt", "")));
    EXPECT_FALSE(SelectLanguage("en_US", WriteFile("comments.txt", "# nothing but a comment\n")));
    std::filesystem::create_directories(dir_ / "folder");
    EXPECT_FALSE(SelectLanguage("en_US", (dir_ / "folder").string()));
    EXPECT_FALSE(IsEnglish());
    EXPECT_EQ(LoadText(IDS_PORT_OPEN_FAILED), "ポートがオープンできませんでした");
}

TEST_F(Language, IdsMissingFromTheFileFallBackToJapanese) {
    ASSERT_TRUE(SelectLanguage("de_DE", WriteFile("partial.txt", "2010\tCollector\n1006\tbroken \\q\n")));
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Collector");
    EXPECT_EQ(LoadText(IDS_PORT_OPEN_FAILED), "ポートがオープンできませんでした");  // its line is bad
    EXPECT_EQ(LoadText(IDS_COMPONENT_ERROR_NONE), "なし");
    EXPECT_EQ(LoadCaption(IDD_MAIN, IDC_CAPTURE), "測定値取込");
    EXPECT_EQ(LoadText(-5), "");
}

TEST_F(Language, TextReferencesOutliveALanguageSwitch) {
    ASSERT_TRUE(SelectLanguage("en_GB", WriteFile("a.txt", "2010\tFirst\n")));
    const std::string& first = LoadText(IDS_APP_TITLE);
    ASSERT_TRUE(SelectLanguage("en_GB", WriteFile("b.txt", "2010\tSecond\n")));
    EXPECT_EQ(first, "First");
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Second");
}

TEST(LocaleNames, OnlyJapaneseNamesAreJapanese) {
    for (const char* name : {"ja", "ja_JP", "ja-JP", "ja_JP.UTF-8", "ja_JP@euro", "JA_jp", "Ja"}) {
        EXPECT_TRUE(IsJapaneseLocale(name)) << name;
    }
    for (const char* name : {"", "j", "jv_ID", "jam", "en_US", "C", "POSIX", "de_DE", "aja"}) {
        EXPECT_FALSE(IsJapaneseLocale(name)) << name;
    }
}

}  // namespace
}  // namespace kelp
