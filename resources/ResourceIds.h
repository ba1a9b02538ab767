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

// ---- Dialogs: graph display settings, port, capture cycle, data selection ----
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDS_ENTER_NUMBER = 1000;
constexpr int IDS_RANGE_INVALID = 1001;
constexpr int IDS_APP_TITLE = 2010;
constexpr int IDS_DISP_RELATIVE = 585;
constexpr int IDS_DISP_DIRECT = 586;

constexpr int IDD_GRAPH_SETTINGS = 140;
constexpr int IDD_PORT_SETTINGS = 141;
constexpr int IDD_DATA_SELECT = 143;
constexpr int IDD_CAPTURE_CYCLE = 146;

constexpr int IDC_UNIT1 = 1096;
constexpr int IDC_UNIT2 = 1097;
constexpr int IDC_UNIT3 = 1098;
constexpr int IDC_UNIT4 = 1099;
constexpr int IDC_UNIT5 = 1100;
constexpr int IDC_UNIT6 = 1101;
constexpr int IDC_UNIT7 = 1102;
constexpr int IDC_UNIT8 = 1103;
constexpr int IDC_UNIT9 = 1104;
constexpr int IDC_UNIT10 = 1105;
constexpr int IDC_UNIT11 = 1106;
constexpr int IDC_UNIT12 = 1107;
constexpr int IDC_UNIT13 = 1108;
constexpr int IDC_AUTO1 = 1146;
constexpr int IDC_YMIN1 = 1147;
constexpr int IDC_YMAX1 = 1148;
constexpr int IDC_APPLY = 1149;
constexpr int IDC_AUTO2 = 1150;
constexpr int IDC_ELEMENT1 = 1151;
constexpr int IDC_YMIN2 = 1152;
constexpr int IDC_ELEMENT2 = 1153;
constexpr int IDC_YMAX2 = 1154;
constexpr int IDC_AUTO3 = 1155;
constexpr int IDC_YMIN3 = 1156;
constexpr int IDC_YMAX3 = 1157;
constexpr int IDC_ELEMENT4 = 1158;
constexpr int IDC_ELEMENT3 = 1159;
constexpr int IDC_AUTO4 = 1160;
constexpr int IDC_YMIN4 = 1161;
constexpr int IDC_YMAX4 = 1162;
constexpr int IDC_ELEMENT5 = 1163;
constexpr int IDC_AUTO5 = 1164;
constexpr int IDC_YMIN5 = 1165;
constexpr int IDC_YMAX5 = 1166;
constexpr int IDC_ELEMENT6 = 1167;
constexpr int IDC_AUTO6 = 1168;
constexpr int IDC_YMIN6 = 1169;
constexpr int IDC_YMAX6 = 1170;
constexpr int IDC_ELEMENT7 = 1171;
constexpr int IDC_AUTO7 = 1172;
constexpr int IDC_YMIN7 = 1173;
constexpr int IDC_YMAX7 = 1174;
constexpr int IDC_ELEMENT8 = 1175;
constexpr int IDC_AUTO8 = 1176;
constexpr int IDC_YMIN8 = 1177;
constexpr int IDC_YMAX8 = 1178;
constexpr int IDC_ELEMENT9 = 1179;
constexpr int IDC_AUTO9 = 1180;
constexpr int IDC_YMIN9 = 1181;
constexpr int IDC_YMAX9 = 1182;
constexpr int IDC_ELEMENT10 = 1183;
constexpr int IDC_AUTO10 = 1184;
constexpr int IDC_YMIN10 = 1185;
constexpr int IDC_YMAX10 = 1186;
constexpr int IDC_ELEMENT11 = 1187;
constexpr int IDC_AUTO11 = 1188;
constexpr int IDC_YMIN11 = 1189;
constexpr int IDC_YMAX11 = 1190;
constexpr int IDC_ELEMENT12 = 1191;
constexpr int IDC_AUTO12 = 1192;
constexpr int IDC_YMIN12 = 1193;
constexpr int IDC_YMAX12 = 1194;
constexpr int IDC_ELEMENT13 = 1195;
constexpr int IDC_AUTO13 = 1196;
constexpr int IDC_YMIN13 = 1197;
constexpr int IDC_YMAX13 = 1198;
constexpr int IDC_RANGE_AUTO = 1199;
constexpr int IDC_XMIN = 1200;
constexpr int IDC_XMAX = 1201;
constexpr int IDC_RANGE_FIXED = 1202;
constexpr int IDC_RANGE_LATEST = 1203;
constexpr int IDC_RANGE_SECONDS = 1204;
constexpr int IDC_DISP_TYPE = 1205;
constexpr int IDC_CURSOR = 1209;

constexpr int IDC_PORT_NO = 1207;
constexpr int IDC_BAUD_RATE = 1208;
constexpr int IDC_BYTE_SIZE = 1209;
constexpr int IDC_PARITY = 1210;
constexpr int IDC_STOP_BITS = 1211;

constexpr int IDC_RECORD_LIST = 1211;
constexpr int IDC_CLEAR_SELECTION = 1212;
constexpr int IDC_DELETE_SELECTED = 1213;
constexpr int IDC_SELECT_ALL = 1214;
constexpr int IDC_IMPORT_SELECTED = 1215;

constexpr int IDC_MEAS_CYCLE = 1222;
