#pragma once
// Resource identifiers: string-table ids, dialog template ids, control ids
// and menu command ids. Windows find controls by these numbers (objectName),
// the text tables are keyed by them, and stored files never carry them.

// ---- String table: component catalogue -------------------------------------
// Element names, element number 0 to 24.
constexpr int IDS_ELEMENT_NAME_FIRST = 500;  // 500 "---" ... 524 "pHmV"
constexpr int IDS_ELM_NONE = 500;
constexpr int IDS_ELM_PH = 501;
constexpr int IDS_ELM_ORP = 502;
constexpr int IDS_ELM_TURBIDITY = 503;
constexpr int IDS_ELM_DO = 504;
constexpr int IDS_ELM_OPTICAL_DO = 505;
constexpr int IDS_ELM_CONDUCTIVITY = 506;
constexpr int IDS_ELM_SALINITY = 507;
constexpr int IDS_ELM_TDS = 508;
constexpr int IDS_ELM_SEAWATER_GRAVITY = 509;
constexpr int IDS_ELM_WATER_TEMP = 510;
constexpr int IDS_ELM_DEPTH = 511;
constexpr int IDS_ELM_CHLOROPHYLL = 512;
constexpr int IDS_ELM_COD = 513;
constexpr int IDS_ELM_NH4N = 514;
constexpr int IDS_ELM_RESIDUAL_CHLORINE = 515;
constexpr int IDS_ELM_MONOCHLORAMINE = 516;
constexpr int IDS_ELM_FLUORIDE = 517;
constexpr int IDS_ELM_NITRATE = 518;
constexpr int IDS_ELM_CHLORIDE = 519;
constexpr int IDS_ELM_CALCIUM = 520;
constexpr int IDS_ELM_AMMONIUM = 521;
constexpr int IDS_ELM_DO_PERCENT = 522;
constexpr int IDS_ELM_AIR_TEMP = 523;
constexpr int IDS_ELM_PH_MV = 524;
// Panel labels that differ from the names (same Japanese texts; may hold a line break).
constexpr int IDS_LABEL_DO = 525;
constexpr int IDS_LABEL_OPTICAL_DO = 526;
constexpr int IDS_LABEL_CONDUCTIVITY = 527;
constexpr int IDS_LABEL_SEAWATER_GRAVITY = 528;
constexpr int IDS_LABEL_WATER_TEMP = 529;
constexpr int IDS_LABEL_RESIDUAL_CHLORINE = 530;
constexpr int IDS_LABEL_AIR_TEMP = 531;
// Unit texts.
constexpr int IDS_UNIT_NONE = 549;  // a single blank
constexpr int IDS_UNIT_PH = 550;
constexpr int IDS_UNIT_MV = 551;
constexpr int IDS_UNIT_NTU = 552;
constexpr int IDS_UNIT_FNU = 553;
constexpr int IDS_UNIT_PPM = 554;
constexpr int IDS_UNIT_MG_L = 555;
constexpr int IDS_UNIT_PERCENT = 556;
constexpr int IDS_UNIT_MS_CM = 557;
constexpr int IDS_UNIT_S_M = 558;
constexpr int IDS_UNIT_MS_M = 559;
constexpr int IDS_UNIT_S_M_FIX = 560;
constexpr int IDS_UNIT_PPT = 561;
constexpr int IDS_UNIT_G_L = 562;
constexpr int IDS_UNIT_SIGMA_T = 563;
constexpr int IDS_UNIT_SIGMA_0 = 564;
constexpr int IDS_UNIT_SIGMA_15 = 565;
constexpr int IDS_UNIT_CELSIUS = 566;
constexpr int IDS_UNIT_FAHRENHEIT = 567;
constexpr int IDS_UNIT_KELVIN = 568;
constexpr int IDS_UNIT_METRE = 569;
constexpr int IDS_UNIT_FEET = 570;
// CSV column titles.
constexpr int IDS_COL_DATE = 571;
constexpr int IDS_COL_TIME = 572;
constexpr int IDS_COL_LATITUDE = 573;
constexpr int IDS_COL_LONGITUDE = 574;
constexpr int IDS_COL_UNIT_CODE = 575;
constexpr int IDS_COL_ERROR = 577;
constexpr int IDS_COL_INSTRUMENT_ERROR = 579;
constexpr int IDS_COL_BATTERY = 580;
constexpr int IDS_COL_DATE_CODE = 581;
constexpr int IDS_COL_TIME_CODE = 582;
constexpr int IDS_COL_FORMAT_CODE = 587;
constexpr int IDS_COL_STATE_CODE = 588;
constexpr int IDS_COL_COMPONENT_ERROR_CODE = 589;
constexpr int IDS_COL_DEVICE_CODE = 590;
// Instrument error texts, code 0 to 11.
constexpr int IDS_INSTRUMENT_ERROR_FIRST = 591;  // 591 "なし" ... 602 "プローブ異常"
// Component error texts, code 0 to 12 (603 to 615); code 13 is 617.
constexpr int IDS_COMPONENT_ERROR_FIRST = 603;
constexpr int IDS_COMPONENT_ERROR_13 = 617;
