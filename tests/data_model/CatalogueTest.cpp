#include <gtest/gtest.h>

#include <cstdio>

#include "data/Catalogue.h"
#include "resources/ResourceIds.h"

namespace kelp {
namespace {

TEST(Catalogue, ElementZeroIsNoneWithoutUnits) {
    EXPECT_EQ(ElementNameId(0), IDS_ELM_NONE);
    EXPECT_EQ(ElementLabelId(0), IDS_ELM_NONE);
    for (int u = 0; u < kUnitCount; ++u) {
        EXPECT_EQ(UnitTextId(0, u), IDS_UNIT_NONE);
    }
}

TEST(Catalogue, NamesLabelsAndUnitsFollowTheTable) {
    for (int e = 0; e < kElementCount; ++e) {
        EXPECT_EQ(ElementNameId(e), IDS_ELEMENT_NAME_FIRST + e) << e;
    }
    EXPECT_EQ(ElementLabelId(4), IDS_LABEL_DO);
    EXPECT_EQ(ElementLabelId(10), IDS_LABEL_WATER_TEMP);
    EXPECT_EQ(ElementLabelId(23), IDS_LABEL_AIR_TEMP);
    EXPECT_EQ(ElementLabelId(11), IDS_ELM_DEPTH);
    EXPECT_EQ(UnitTextId(1, 1), IDS_UNIT_MV);
    EXPECT_EQ(UnitTextId(3, 2), IDS_UNIT_PPM);
    EXPECT_EQ(UnitTextId(11, 1), IDS_UNIT_FEET);
    EXPECT_EQ(UnitTextId(22, 0), IDS_UNIT_PERCENT);
}

TEST(Catalogue, UnitCodeThreeIsRealOnlyForConductivity) {
    for (int e = 0; e < kElementCount; ++e) {
        EXPECT_EQ(UnitTextId(e, 3), e == 6 ? IDS_UNIT_S_M_FIX : IDS_UNIT_NONE) << e;
    }
}

TEST(Catalogue, ErrorTextsSkip616) {
    EXPECT_EQ(ComponentErrorTextId(0), 603);
    EXPECT_EQ(ComponentErrorTextId(12), 615);
    EXPECT_EQ(ComponentErrorTextId(13), IDS_COMPONENT_ERROR_13);
    EXPECT_EQ(InstrumentErrorTextId(0), 591);
    EXPECT_EQ(InstrumentErrorTextId(11), 602);
}

TEST(Catalogue, OutOfRangeArgumentsGiveNeutralAnswers) {
    EXPECT_EQ(ElementNameId(-1), IDS_ELM_NONE);
    EXPECT_EQ(ElementNameId(25), IDS_ELM_NONE);
    EXPECT_EQ(ElementLabelId(255), IDS_ELM_NONE);
    EXPECT_EQ(UnitTextId(6, 4), IDS_UNIT_NONE);
    EXPECT_EQ(UnitTextId(6, -1), IDS_UNIT_NONE);
    EXPECT_EQ(UnitTextId(25, 0), IDS_UNIT_NONE);
    EXPECT_EQ(AxisDecimals(25, 0), 0);
    EXPECT_EQ(AxisDecimals(6, 4), 0);
    EXPECT_EQ(SlotElement(13), kNoElement);
    EXPECT_EQ(SlotElement(-1), kNoElement);
    EXPECT_EQ(ComponentErrorTextId(14), kNoTextId);
    EXPECT_EQ(ComponentErrorTextId(-1), kNoTextId);
    EXPECT_EQ(InstrumentErrorTextId(12), kNoTextId);
    EXPECT_STREQ(ValueFormat(-3), "%.0f");
    EXPECT_STREQ(ValueFormat(9), "%.4f");
}

TEST(Catalogue, SlotElementsAndAxisDecimals) {
    const int expected[kSlotCount] = {10, 1, 24, 2, 6, 3, 4, 8, 7, 9, 11, 0, 0};
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(SlotElement(s), expected[s]);
    }
    EXPECT_EQ(AxisDecimals(6, 3), 4);
    EXPECT_EQ(AxisDecimals(7, 1), 2);
    EXPECT_EQ(AxisDecimals(22, 1), 1);
    EXPECT_EQ(AxisDecimals(13, 3), 0);
}

TEST(Catalogue, FormatDecimalsMatchesTheValueFormats) {
    EXPECT_EQ(FormatDecimals(1.5, 4), "1.5000");
    EXPECT_EQ(FormatDecimals(12.6, 0), "13");
    EXPECT_EQ(FormatDecimals(-1.23, 2), "-1.23");
    const double samples[] = {0.0, 0.05, 2.5, -3.14159, 1234.5678, 7.123f, 99999.0};
    for (const double v : samples) {
        for (int d = 0; d < kDecimalsCount; ++d) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, kValueFormats[d], v);
            EXPECT_EQ(FormatDecimals(v, d), buffer) << v << " " << d;
        }
    }
}

}  // namespace
}  // namespace kelp
