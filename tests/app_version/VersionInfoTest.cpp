#include <gtest/gtest.h>

#include "app/VersionInfo.h"

namespace kelp {
namespace {

VersionBlock BlockWith(std::uint32_t ms, std::uint32_t ls) {
    VersionBlock block;
    block.fileVersionMS = ms;
    block.fileVersionLS = ls;
    return block;
}

TEST(VersionInfo, FormatsTheFourVersionWords) {
    CVersionInfo reader("/x/kelp-collector", BlockWith(0x00010000, 0x00010004));
    std::string text;
    ASSERT_TRUE(reader.GetVersionText(text));
    EXPECT_EQ(text, "1.0.1.4");

    CVersionInfo wide("/x", BlockWith(0xFFFF0102, 0x0304FFFE));
    ASSERT_TRUE(wide.GetVersionText(text));
    EXPECT_EQ(text, "65535.258.772.65534");
}

TEST(VersionInfo, WithoutARecordEveryQueryFailsAndTheStringsStayEmpty) {
    CVersionInfo reader("/x", std::nullopt);
    std::string text = "old";
    EXPECT_FALSE(reader.GetVersionText(text));
    EXPECT_EQ(text, "");
    std::uint32_t ms = 7;
    std::uint32_t ls = 7;
    EXPECT_FALSE(reader.GetFileVersion(ms, ls));
    std::vector<VersionTranslation> list;
    int count = 0;
    EXPECT_FALSE(reader.GetTranslations(list, count));

    VersionStrings strings;
    FillVersionStrings(reader, strings);
    EXPECT_EQ(strings.version, "");
    EXPECT_EQ(strings.copyright, "");
    EXPECT_EQ(strings.partNumber, "");
}

TEST(VersionInfo, EmptyTranslationListKeepsCopyrightAndPartNumberButShowsVersion) {
    VersionBlock block = BlockWith(0x00020003, 0x00040005);
    block.strings["041104b0"]["LegalCopyright"] = "(C) someone";
    CVersionInfo reader("/x", block);
    VersionStrings strings;
    FillVersionStrings(reader, strings);
    EXPECT_EQ(strings.version, "2.3.4.5");
    EXPECT_EQ(strings.copyright, "");
    EXPECT_EQ(strings.partNumber, "");
}

TEST(VersionInfo, StringValuesComeFromTheFirstTranslationOnly) {
    VersionBlock block = BlockWith(0x00010000, 0);
    block.translations = {{0x0409, 0x04e4}, {0x0411, 0x04b0}};
    block.strings["040904e4"]["LegalCopyright"] = "first";
    block.strings["041104b0"]["LegalCopyright"] = "second";
    block.strings["041104b0"]["PrivateBuild"] = "P-2";
    CVersionInfo reader("/x", block);
    VersionStrings strings;
    strings.partNumber = "kept";
    FillVersionStrings(reader, strings);
    EXPECT_EQ(strings.copyright, "first");
    // The first translation has no part number: the text stays as it was.
    EXPECT_EQ(strings.partNumber, "kept");
}

TEST(VersionInfo, CompiledRecordCarriesTheProjectVersionAndBothTexts) {
    CVersionInfo reader("/x/kelp-collector");
    VersionStrings strings;
    FillVersionStrings(reader, strings);
    EXPECT_EQ(strings.version.rfind("1.0.", 0), 0u) << strings.version;
    EXPECT_FALSE(strings.copyright.empty());
    EXPECT_FALSE(strings.partNumber.empty());
}

}  // namespace
}  // namespace kelp
