#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "resources/JapaneseTexts.h"
#include "resources/ResourceIds.h"
#include "resources/TextFile.h"
#include "tests/resources/Cp932Check.h"

namespace kelp {
namespace {

TEST(TextFileFormat, EscapesAreRead) {
    const auto file = ParseTextFile(
        "1\tline one\\nline two\n"
        "2\ta\\tb\n"
        "3\tC:\\\\data\\\\x.csv\n"
        "4\t\\s\n"
        "5\ttrailing blank kept \n"
        "6\t\n");
    EXPECT_TRUE(file.errors.empty());
    EXPECT_EQ(file.texts.at(StringKey(1)), "line one\nline two");
    EXPECT_EQ(file.texts.at(StringKey(2)), "a\tb");
    EXPECT_EQ(file.texts.at(StringKey(3)), "C:\\data\\x.csv");
    EXPECT_EQ(file.texts.at(StringKey(4)), " ");
    EXPECT_EQ(file.texts.at(StringKey(5)), "trailing blank kept ");
    EXPECT_EQ(file.texts.at(StringKey(6)), "");
}

TEST(TextFileFormat, BadLinesAreReportedAndLeftOut) {
    const auto file = ParseTextFile(
        "# comment\n"
        "\n"
        "   \n"
        "7 no tab here\n"           // line 4
        "8\tbad \\q escape\n"       // line 5
        "9\tends in backslash\\\n"  // line 6
        "x9\tbad key\n"             // line 7
        "10\tfirst\n"
        "10\tsecond\n"  // line 9
        "11\tgood\n");
    ASSERT_EQ(file.errors.size(), 5u);
    EXPECT_EQ(file.errors[0].line, 4);
    EXPECT_EQ(file.errors[1].line, 5);
    EXPECT_EQ(file.errors[2].line, 6);
    EXPECT_EQ(file.errors[3].line, 7);
    EXPECT_EQ(file.errors[4].line, 9);
    EXPECT_EQ(file.texts.size(), 2u);
    EXPECT_EQ(file.texts.at(StringKey(10)), "first");
    EXPECT_EQ(file.texts.at(StringKey(11)), "good");
}

TEST(TextFileFormat, ByteOrderMarkAndCrLfLineEnds) {
    const auto file = ParseTextFile(
        "\xEF\xBB\xBF"
        "1006\tPort\r\n100/title\tAbout\r\nmenu/129/32779\t&Capture");
    EXPECT_TRUE(file.errors.empty());
    EXPECT_EQ(file.texts.at(StringKey(1006)), "Port");
    EXPECT_EQ(file.texts.at(DialogTitleKey(100)), "About");
    EXPECT_EQ(file.texts.at(MenuItemKey(129, 32779)), "&Capture");
}

TEST(TextFileFormat, KeyForms) {
    EXPECT_EQ(ParseTextKey("1006"), StringKey(1006));
    EXPECT_EQ(ParseTextKey("102/1003"), ControlKey(102, 1003));
    EXPECT_EQ(ParseTextKey("100/title"), DialogTitleKey(100));
    EXPECT_EQ(ParseTextKey("menu/129/32779"), MenuItemKey(129, 32779));
    for (const char* bad : {"", "-1", "+1", " 1006", "1006 ", "12a", "102/", "/1003", "102/1003/1",
                            "menu/129", "menu//1", "menu/129/title", "99999999999", "100/Title"}) {
        EXPECT_FALSE(ParseTextKey(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_EQ(FormatTextKey(MenuItemKey(136, 32778)), "menu/136/32778");
    EXPECT_EQ(FormatTextKey(DialogTitleKey(146)), "146/title");
}

TEST(TextFileFormat, MissingOrUnreadableFile) {
    const auto dir = std::filesystem::temp_directory_path();
    EXPECT_FALSE(ReadTextFile((dir / "kelp-no-such-file.txt").string()).has_value());
    EXPECT_FALSE(ReadTextFile(dir.string()).has_value());  // a folder
    EXPECT_FALSE(ReadTextFile("").has_value());
}

// Characters that would betray a text left untranslated.
bool HasJapaneseScript(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t cp = c;
        int length = 1;
        if (c >= 0xF0) {
            cp = c & 0x07, length = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F, length = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F, length = 2;
        }
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += length;
        if ((cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
            (cp >= 0xFF00 && cp <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

class EnglishFile : public ::testing::Test {
  protected:
    static TextFileContents Load(const char* path) {
        const auto file = ReadTextFile(path);
        EXPECT_TRUE(file.has_value()) << path;
        return file.value_or(TextFileContents{});
    }
};

TEST_F(EnglishFile, MatchesTheJapaneseTablesKeyForKey) {
    const TextFileContents english = Load(KELP_ENGLISH_TEXT_SOURCE);
    for (const TextFileError& error : english.errors) {
        ADD_FAILURE() << "Kelpeng.txt line " << error.line << ": " << error.reason;
    }
    std::set<TextKey> japaneseKeys;
    for (const TextEntry& entry : JapaneseTexts()) {
        japaneseKeys.insert(entry.key);
        EXPECT_TRUE(english.texts.contains(entry.key)) << "no English text for " << FormatTextKey(entry.key);
    }
    for (const auto& [key, text] : english.texts) {
        EXPECT_TRUE(japaneseKeys.contains(key)) << "English text for unknown key " << FormatTextKey(key);
    }
}

TEST_F(EnglishFile, TextsAreTranslatedAndFitCsvFiles) {
    const TextFileContents english = Load(KELP_ENGLISH_TEXT_SOURCE);
    for (const auto& [key, text] : english.texts) {
        const std::string name = FormatTextKey(key);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_EQ(text.find('"'), std::string::npos) << name;
        if (key.kind == TextKind::String) {
            EXPECT_TRUE(ConvertsToCp932(text)) << name;
        }
        // Unit symbols stay as the instrument writes them; everything else is English.
        if (key != StringKey(IDS_UNIT_FAHRENHEIT)) {
            EXPECT_FALSE(HasJapaneseScript(text)) << name << ": " << text;
        }
    }
    EXPECT_EQ(english.texts.at(StringKey(IDS_UNIT_NONE)), " ");
    EXPECT_EQ(english.texts.at(StringKey(IDS_UNIT_SIGMA_T)), "\u03C3t");
    EXPECT_EQ(english.texts.at(StringKey(IDS_UNIT_CELSIUS)), "\u2103");
    EXPECT_EQ(english.texts.at(StringKey(IDS_UNIT_MS_CM)), "mS/cm");
    // Both "none" texts and both communication failures exist in English too.
    EXPECT_EQ(english.texts.at(StringKey(IDS_INSTRUMENT_ERROR_NONE)), "None");
    EXPECT_EQ(english.texts.at(StringKey(IDS_COMPONENT_ERROR_NONE)), "None");
    EXPECT_TRUE(HasJapaneseScript("\u3000"));
    EXPECT_FALSE(HasJapaneseScript("\u03C3t \u2103 mS/cm"));
}

TEST_F(EnglishFile, IsInstalledBesideThePrograms) {
    const TextFileContents source = Load(KELP_ENGLISH_TEXT_SOURCE);
    const TextFileContents installed = Load(KELP_ENGLISH_TEXT_FILE);
    EXPECT_EQ(installed.texts, source.texts);
}

}  // namespace
}  // namespace kelp
