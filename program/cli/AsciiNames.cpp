#include "program/cli/AsciiNames.h"

#include <array>
#include <utility>

#include "data/Catalogue.h"
#include "resources/ResourceIds.h"

namespace kelp::cli {

namespace {

// By element number, 0 to 24.
constexpr std::array<const char*, kElementCount> kNames = {
    "",
    "ph",
    "orp",
    "turbidity",
    "do",
    "optical_do",
    "conductivity",
    "salinity",
    "tds",
    "specific_gravity",
    "temperature",
    "depth",
    "chlorophyll",
    "cod",
    "nh4_n",
    "residual_chlorine",
    "monochloramine",
    "fluoride",
    "nitrate",
    "chloride",
    "calcium",
    "ammonium",
    "do_saturation",
    "air_temperature",
    "ph_potential",
};

// By the unit's text in the catalogue.
constexpr std::pair<int, const char*> kUnits[] = {
    {IDS_UNIT_PH, ""},
    {IDS_UNIT_MV, "mV"},
    {IDS_UNIT_NTU, "NTU"},
    {IDS_UNIT_FNU, "FNU"},
    {IDS_UNIT_PPM, "ppm"},
    {IDS_UNIT_MG_L, "mg_per_L"},
    {IDS_UNIT_PERCENT, "percent"},
    {IDS_UNIT_MS_CM, "mS_per_cm"},
    {IDS_UNIT_S_M, "S_per_m"},
    {IDS_UNIT_MS_M, "mS_per_m"},
    {IDS_UNIT_S_M_FIX, "S_per_m_fix"},
    {IDS_UNIT_PPT, "ppt"},
    {IDS_UNIT_G_L, "g_per_L"},
    {IDS_UNIT_SIGMA_T, "sigma_t"},
    {IDS_UNIT_SIGMA_0, "sigma_0"},
    {IDS_UNIT_SIGMA_15, "sigma_15"},
    {IDS_UNIT_CELSIUS, "degC"},
    {IDS_UNIT_FAHRENHEIT, "degF"},
    {IDS_UNIT_KELVIN, "K"},
    {IDS_UNIT_METRE, "m"},
    {IDS_UNIT_FEET, "ft"},
};

}  // namespace

std::string AsciiName(int element) {
    return element >= 0 && element < kElementCount ? kNames[static_cast<std::size_t>(element)] : "";
}

std::string AsciiUnit(int element, int unit) {
    const int id = UnitTextId(element, unit);
    for (const auto& [unitId, name] : kUnits) {
        if (unitId == id) {
            return name;
        }
    }
    return {};
}

std::string AsciiTitle(int element, int unit) {
    const std::string unitName = AsciiUnit(element, unit);
    return unitName.empty() ? AsciiName(element) : AsciiName(element) + "_" + unitName;
}

}  // namespace kelp::cli
