#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/JapaneseTexts.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/resources/Cp932Check.h"

namespace kelp {
namespace {

// The ids below are the program's resource numbers; files and the English
// text file depend on them.
static_assert(IDS_INSTRUMENT_ERROR_DATA_IN == 601);
static_assert(IDS_COMPONENT_ERROR_NONE == 603 && IDS_INSTRUMENT_ERROR_NONE == 591);
static_assert(IDS_COMPONENT_ERROR_BACKGROUND == 617 && IDS_PROGRESS_DOWNLOADING == 616);
static_assert(IDS_PORT_OPEN_FAILED == 1006 && IDS_APP_TITLE == 2010 && IDS_INSTRUMENT_EMPTY == 2009);
static_assert(IDD_MAIN == 102 && IDC_CAPTURE == 1003 && ID_CAPTURE == 32779);

// The fixture leaves Japanese selected, which is also the state before any
// SelectLanguage call.
class JapaneseStrings : public ::testing::Test {
  protected:
    void SetUp() override { SelectLanguage("ja_JP", ""); }
};

// Expected texts are spelled with code-point escapes so that a look-alike
// character in the table (a blank for U+3000, a degree sign for U+309C)
// cannot pass.
TEST_F(JapaneseStrings, TrickyCharactersAreExact) {
    EXPECT_EQ(LoadText(IDS_INSTRUMENT_ERROR_DATA_IN),
              "\uFF24\uFF21\uFF34\uFF21\u3000\uFF29\uFF2E\u3000\u30A8\u30E9\u30FC");
    EXPECT_EQ(LoadText(IDS_UNIT_SIGMA_T), "\u03C3t");
    EXPECT_EQ(LoadText(IDS_UNIT_FAHRENHEIT),
              "\u309C"
              "F");
    EXPECT_EQ(LoadText(IDS_UNIT_CELSIUS), "\u2103");
    EXPECT_EQ(LoadText(IDS_UNIT_NONE), " ");
    EXPECT_EQ(LoadCaption(IDD_MAIN, IDC_DOWNLOAD),
              "\u5168\u30C7\u30FC\u30BF\u3000\u30C0\u30A6\u30F3\u30ED\u30FC\u30C9");
    EXPECT_EQ(LoadCaption(IDD_GRAPH_SETTINGS, IDC_LABEL_TILDE), "\uFF5E");
}

TEST_F(JapaneseStrings, ErrorCodeTextsKeepTheirIds) {
    // "none" exists twice, once per error table.
    EXPECT_EQ(LoadText(IDS_INSTRUMENT_ERROR_NONE), "\u306A\u3057");
    EXPECT_EQ(LoadText(IDS_COMPONENT_ERROR_NONE), "\u306A\u3057");
    // Code 13 lives at 617; 616 is the download title, not an error text.
    EXPECT_EQ(LoadText(IDS_COMPONENT_ERROR_BACKGROUND), "バックグラウンド不安定");
    EXPECT_EQ(LoadText(IDS_PROGRESS_DOWNLOADING), "ダウンロード中...");
    EXPECT_EQ(LoadText(IDS_COMPONENT_ERROR_CAL_INITIAL), "校正値初期値");
    EXPECT_EQ(LoadText(IDS_INSTRUMENT_ERROR_PROBE), "プローブ異常");
    for (int id = IDS_INSTRUMENT_ERROR_FIRST; id <= IDS_COMPONENT_ERROR_CAL_INITIAL; ++id) {
        EXPECT_FALSE(LoadText(id).empty()) << id;
    }
}

TEST_F(JapaneseStrings, HalfWidthKatakanaAndLineBreaks) {
    const std::string version = "\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D";  // ﾊﾞｰｼﾞｮﾝ
    EXPECT_EQ(LoadDialogTitle(IDD_ABOUTBOX), "Kelp データ収集ソフトの" + version + "情報");
    EXPECT_EQ(LoadText(IDS_ABOUT_MENU_ENTRY), "Kelp データ収集ソフト の" + version + "情報(&A)...");
    EXPECT_EQ(LoadMenuText(IDR_MENU_MAIN, ID_ABOUT), version + "(&A)");
    EXPECT_EQ(LoadText(IDS_INSTRUMENT_EMPTY), "計器にデータが存在しません");
    EXPECT_EQ(LoadText(IDS_FILE_FORMAT_INVALID), "ファイルの読込に失敗しました\nフォーマットが異常です");
    EXPECT_EQ(LoadText(IDS_APP_TITLE), "Kelp データ収集ソフト");
    EXPECT_EQ(LoadCaption(IDD_MAIN, IDC_CAPTURE), "測定値取込");
}

TEST_F(JapaneseStrings, OneCommandNumberHasATextPerMenu) {
    EXPECT_EQ(LoadMenuText(IDR_MENU_MAIN, ID_EXIT), "終了(&X)");
    EXPECT_EQ(LoadMenuText(IDR_MENU_DEPTH, ID_CLOSE_GRAPH), "グラフを閉じる(&X)");
    EXPECT_EQ(LoadMenuText(IDR_MENU_XY, ID_OPEN_DATA_FILE), "ファイルを開く(&O)");
    EXPECT_EQ(LoadMenuText(IDR_MENU_MAIN, ID_FILE_OPEN), "開く(&O)");
    EXPECT_EQ(LoadCaption(IDD_PORT_SETTINGS, IDC_PARITY), "なし\n奇数\n偶数");
}

TEST_F(JapaneseStrings, UnknownIdsGiveEmptyTexts) {
    EXPECT_EQ(LoadText(616 + 10000), "");
    EXPECT_EQ(LoadText(-1), "");
    EXPECT_EQ(LoadText(576), "");  // a gap in the column titles
    EXPECT_EQ(LoadCaption(IDD_MAIN, 4242), "");
    EXPECT_EQ(LoadDialogTitle(IDD_MAIN), "");  // set at run time from 2010
    EXPECT_EQ(LoadMenuText(IDR_MENU_DEPTH, ID_CAPTURE), "");
}

TEST(JapaneseTable, KeysAreUniqueAndTextsUsable) {
    std::set<TextKey> keys;
    for (const TextEntry& entry : JapaneseTexts()) {
        const std::string key = FormatTextKey(entry.key);
        EXPECT_TRUE(keys.insert(entry.key).second) << "repeated key " << key;
        EXPECT_FALSE(entry.text.empty()) << key;
        // CSV fields are quoted without escaping.
        EXPECT_EQ(entry.text.find('"'), std::string_view::npos) << key;
        const auto parsed = ParseTextKey(key);
        ASSERT_TRUE(parsed.has_value()) << key;
        EXPECT_EQ(*parsed, entry.key) << key;
    }
}

// CSV files are written in Shift JIS (CP932).
TEST(JapaneseTable, StringsConvertToCp932) {
    for (const TextEntry& entry : JapaneseTexts()) {
        if (entry.key.kind == TextKind::String) {
            EXPECT_TRUE(ConvertsToCp932(std::string(entry.text))) << FormatTextKey(entry.key);
        }
    }
    EXPECT_FALSE(ConvertsToCp932("\xE2\x80\x93"));  // an en dash has no CP932 code
}

}  // namespace
}  // namespace kelp
