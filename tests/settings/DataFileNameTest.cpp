#include "app/DataFileName.h"

#include <gtest/gtest.h>

#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"

namespace kelp {
namespace {

std::string NameFor(std::string site, const char* time) {
    test::ReplyFields fields;
    site.resize(20, ' ');
    fields.site = site;
    fields.time = time;
    CMeasDataSet data;
    data.AddMemoryRecord(test::MemoryReply(fields));
    return ProposedFileName(data);
}

TEST(ProposedFileName, SiteAndFirstRecordTimeMakeTheName) {
    EXPECT_EQ(NameFor("KELP BAY ST.01", "260615080012"), "KELP BAY ST.01_20260615-0800.csv");
    // Shift JIS site names become UTF-8 file names.
    EXPECT_EQ(NameFor("\xB7\xDD\xBA\xB3 \x90\x85", "260615080012"), "ｷﾝｺｳ 水_20260615-0800.csv");
    // A site that names a folder or a device stays one plain file name.
    EXPECT_EQ(NameFor("../ST:1/*", "260615080012"), "_._ST_1___20260615-0800.csv");
    EXPECT_EQ(NameFor("", "260615080012"), "20260615-0800.csv");
    EXPECT_EQ(ProposedFileName(CMeasDataSet{}), "");
}

}  // namespace
}  // namespace kelp
