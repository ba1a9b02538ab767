#include "data/Catalogue.h"

#include <charconv>

#include "resources/ResourceIds.h"

namespace kelp {

namespace {

constexpr int kNone = IDS_UNIT_NONE;

constexpr ElementRow Row(int name, int label, int u0 = kNone, int u1 = kNone, int u2 = kNone,
                         int u3 = kNone) {
    return ElementRow{name, label, {u0, u1, u2, u3}};
}

bool InRange(int v, int count) {
    return v >= 0 && v < count;
}

}  // namespace

const std::array<ElementRow, kElementCount> kElementTable = {
    Row(IDS_ELM_NONE, IDS_ELM_NONE),
    Row(IDS_ELM_PH, IDS_ELM_PH, IDS_UNIT_PH, IDS_UNIT_MV),
    Row(IDS_ELM_ORP, IDS_ELM_ORP, IDS_UNIT_MV),
    Row(IDS_ELM_TURBIDITY, IDS_ELM_TURBIDITY, IDS_UNIT_NTU, IDS_UNIT_FNU, IDS_UNIT_PPM),
    Row(IDS_ELM_DO, IDS_LABEL_DO, IDS_UNIT_MG_L, IDS_UNIT_PERCENT),
    Row(IDS_ELM_OPTICAL_DO, IDS_LABEL_OPTICAL_DO, IDS_UNIT_MG_L, IDS_UNIT_PERCENT),
    Row(IDS_ELM_CONDUCTIVITY, IDS_LABEL_CONDUCTIVITY, IDS_UNIT_MS_CM, IDS_UNIT_S_M, IDS_UNIT_MS_M,
        IDS_UNIT_S_M_FIX),
    Row(IDS_ELM_SALINITY, IDS_ELM_SALINITY, IDS_UNIT_PPT, IDS_UNIT_PERCENT),
    Row(IDS_ELM_TDS, IDS_ELM_TDS, IDS_UNIT_G_L),
    Row(IDS_ELM_SEAWATER_GRAVITY, IDS_LABEL_SEAWATER_GRAVITY, IDS_UNIT_SIGMA_T, IDS_UNIT_SIGMA_0,
        IDS_UNIT_SIGMA_15),
    Row(IDS_ELM_WATER_TEMP, IDS_LABEL_WATER_TEMP, IDS_UNIT_CELSIUS, IDS_UNIT_FAHRENHEIT, IDS_UNIT_KELVIN),
    Row(IDS_ELM_DEPTH, IDS_ELM_DEPTH, IDS_UNIT_METRE, IDS_UNIT_FEET),
    Row(IDS_ELM_CHLOROPHYLL, IDS_ELM_CHLOROPHYLL),
    Row(IDS_ELM_COD, IDS_ELM_COD),
    Row(IDS_ELM_NH4N, IDS_ELM_NH4N),
    Row(IDS_ELM_RESIDUAL_CHLORINE, IDS_LABEL_RESIDUAL_CHLORINE),
    Row(IDS_ELM_MONOCHLORAMINE, IDS_ELM_MONOCHLORAMINE),
    Row(IDS_ELM_FLUORIDE, IDS_ELM_FLUORIDE),
    Row(IDS_ELM_NITRATE, IDS_ELM_NITRATE),
    Row(IDS_ELM_CHLORIDE, IDS_ELM_CHLORIDE),
    Row(IDS_ELM_CALCIUM, IDS_ELM_CALCIUM),
    Row(IDS_ELM_AMMONIUM, IDS_ELM_AMMONIUM),
    Row(IDS_ELM_DO_PERCENT, IDS_ELM_DO_PERCENT, IDS_UNIT_PERCENT),
    Row(IDS_ELM_AIR_TEMP, IDS_LABEL_AIR_TEMP, IDS_UNIT_CELSIUS, IDS_UNIT_FAHRENHEIT, IDS_UNIT_KELVIN),
    Row(IDS_ELM_PH_MV, IDS_ELM_PH_MV, IDS_UNIT_MV),
};

const std::array<std::uint8_t, kSlotCount> kSlotElements = {10, 1, 24, 2, 6, 3, 4, 8, 7, 9, 11, 0, 0};

const std::array<const char*, kDecimalsCount> kValueFormats = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f"};

const std::array<std::array<std::uint8_t, kUnitCount>, kElementCount> kAxisDecimals = {{
    {0, 0, 0, 0},  // 0
    {2, 0, 0, 0},  // 1 pH
    {0, 0, 0, 0},  // 2 ORP
    {2, 2, 2, 0},  // 3 turbidity
    {2, 1, 0, 0},  // 4 DO
    {2, 1, 0, 0},  // 5 optical DO
    {3, 3, 1, 4},  // 6 conductivity
    {1, 2, 0, 0},  // 7 salinity
    {3, 0, 0, 0},  // 8 TDS
    {1, 1, 1, 0},  // 9 sea-water specific gravity
    {2, 1, 1, 0},  // 10 water temperature
    {2, 2, 0, 0},  // 11 depth
    {3, 3, 3, 0},  // 12
    {3, 3, 3, 0},  // 13
    {3, 3, 3, 0},  // 14
    {3, 3, 3, 0},  // 15
    {3, 3, 3, 0},  // 16
    {3, 3, 3, 0},  // 17
    {3, 3, 3, 0},  // 18
    {3, 3, 3, 0},  // 19
    {3, 3, 3, 0},  // 20
    {3, 3, 3, 0},  // 21
    {1, 1, 0, 0},  // 22 DO%
    {2, 1, 1, 0},  // 23 air temperature
    {0, 0, 0, 0},  // 24 pHmV
}};

// The string table skips 616: code 13 is 617.
const std::array<int, kComponentErrorCount> kComponentErrorTexts = {
    IDS_COMPONENT_ERROR_FIRST + 0,  IDS_COMPONENT_ERROR_FIRST + 1,  IDS_COMPONENT_ERROR_FIRST + 2,
    IDS_COMPONENT_ERROR_FIRST + 3,  IDS_COMPONENT_ERROR_FIRST + 4,  IDS_COMPONENT_ERROR_FIRST + 5,
    IDS_COMPONENT_ERROR_FIRST + 6,  IDS_COMPONENT_ERROR_FIRST + 7,  IDS_COMPONENT_ERROR_FIRST + 8,
    IDS_COMPONENT_ERROR_FIRST + 9,  IDS_COMPONENT_ERROR_FIRST + 10, IDS_COMPONENT_ERROR_FIRST + 11,
    IDS_COMPONENT_ERROR_FIRST + 12, IDS_COMPONENT_ERROR_13,
};

const std::array<int, kInstrumentErrorCount> kInstrumentErrorTexts = {
    IDS_INSTRUMENT_ERROR_FIRST + 0, IDS_INSTRUMENT_ERROR_FIRST + 1,  IDS_INSTRUMENT_ERROR_FIRST + 2,
    IDS_INSTRUMENT_ERROR_FIRST + 3, IDS_INSTRUMENT_ERROR_FIRST + 4,  IDS_INSTRUMENT_ERROR_FIRST + 5,
    IDS_INSTRUMENT_ERROR_FIRST + 6, IDS_INSTRUMENT_ERROR_FIRST + 7,  IDS_INSTRUMENT_ERROR_FIRST + 8,
    IDS_INSTRUMENT_ERROR_FIRST + 9, IDS_INSTRUMENT_ERROR_FIRST + 10, IDS_INSTRUMENT_ERROR_FIRST + 11,
};

int ElementNameId(int element) {
    return InRange(element, kElementCount) ? kElementTable[element].Name : IDS_ELM_NONE;
}

int ElementLabelId(int element) {
    return InRange(element, kElementCount) ? kElementTable[element].Label : IDS_ELM_NONE;
}

int UnitTextId(int element, int unit) {
    if (!InRange(element, kElementCount) || !InRange(unit, kUnitCount)) {
        return IDS_UNIT_NONE;
    }
    return kElementTable[element].Units[unit];
}

int UnitCount(int element) {
    int count = 0;
    while (count < kUnitCount && UnitTextId(element, count) != IDS_UNIT_NONE) {
        ++count;
    }
    return count;
}

const char* ValueFormat(int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals >= kDecimalsCount) {
        decimals = kDecimalsCount - 1;
    }
    return kValueFormats[decimals];
}

std::string FormatDecimals(double value, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals >= kDecimalsCount) {
        decimals = kDecimalsCount - 1;
    }
    // to_chars rounds exactly like printf's %.Nf but ignores LC_NUMERIC,
    // which a desktop start-up sets from the user's environment.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return {};
    }
    return std::string(buffer, result.ptr);
}

int AxisDecimals(int element, int unit) {
    if (!InRange(element, kElementCount) || !InRange(unit, kUnitCount)) {
        return 0;
    }
    return kAxisDecimals[element][unit];
}

int SlotElement(int slot) {
    return InRange(slot, kSlotCount) ? kSlotElements[slot] : kNoElement;
}

int ComponentErrorTextId(int code) {
    return InRange(code, kComponentErrorCount) ? kComponentErrorTexts[code] : kNoTextId;
}

int InstrumentErrorTextId(int code) {
    return InRange(code, kInstrumentErrorCount) ? kInstrumentErrorTexts[code] : kNoTextId;
}

}  // namespace kelp
