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
constexpr int IDS_INSTRUMENT_ERROR_NONE = 591;
constexpr int IDS_INSTRUMENT_ERROR_ADC = 592;
constexpr int IDS_INSTRUMENT_ERROR_EEPROM_FACTORY = 593;
constexpr int IDS_INSTRUMENT_ERROR_EEPROM_USER = 594;
constexpr int IDS_INSTRUMENT_ERROR_RTC = 595;
constexpr int IDS_INSTRUMENT_ERROR_FROM = 596;
constexpr int IDS_INSTRUMENT_ERROR_LAMP = 597;
constexpr int IDS_INSTRUMENT_ERROR_MOTOR = 598;
constexpr int IDS_INSTRUMENT_ERROR_CAPACITOR = 599;
constexpr int IDS_INSTRUMENT_ERROR_EEPROM_WRITE = 600;
constexpr int IDS_INSTRUMENT_ERROR_DATA_IN = 601;
constexpr int IDS_INSTRUMENT_ERROR_PROBE = 602;
constexpr int IDS_COMPONENT_ERROR_NONE = 603;
constexpr int IDS_COMPONENT_ERROR_DATA = 604;
constexpr int IDS_COMPONENT_ERROR_RANGE = 605;
constexpr int IDS_COMPONENT_ERROR_ZERO_CAL = 606;
constexpr int IDS_COMPONENT_ERROR_ZERO_CAL_RANGE = 607;
constexpr int IDS_COMPONENT_ERROR_SPAN_CAL = 608;
constexpr int IDS_COMPONENT_ERROR_SPAN_CAL_RANGE = 609;
constexpr int IDS_COMPONENT_ERROR_CAL_STABILITY = 610;
constexpr int IDS_COMPONENT_ERROR_CAL_STABILITY_RANGE = 611;
constexpr int IDS_COMPONENT_ERROR_ADJ_STABILITY = 612;
constexpr int IDS_COMPONENT_ERROR_ZERO_ADJ = 613;
constexpr int IDS_COMPONENT_ERROR_SPAN_ADJ = 614;
constexpr int IDS_COMPONENT_ERROR_CAL_INITIAL = 615;
constexpr int IDS_COMPONENT_ERROR_BACKGROUND = 617;  // code 13; 616 belongs to the progress titles

// ---- String table: progress titles and time-label styles ------------------
constexpr int IDS_PROGRESS_LOADING = 583;
constexpr int IDS_PROGRESS_SAVING = 584;
constexpr int IDS_PROGRESS_DOWNLOADING = 616;
constexpr int IDS_TIME_LABEL_RELATIVE = 585;  // elapsed seconds
constexpr int IDS_TIME_LABEL_CLOCK = 586;     // clock time

// ---- String table: messages -------------------------------------------------
constexpr int IDS_ABOUT_MENU_ENTRY = 101;  // system-menu entry that opens the About box
constexpr int IDS_ENTER_NUMBER = 1000;
constexpr int IDS_RANGE_INVALID = 1001;
constexpr int IDS_FILE_OPEN_FAILED = 1002;
constexpr int IDS_FILE_FORMAT_INVALID = 1003;
constexpr int IDS_NO_DATA_TO_SAVE = 1004;
constexpr int IDS_FILE_SAVE_FAILED = 1005;
constexpr int IDS_PORT_OPEN_FAILED = 1006;
constexpr int IDS_COMM_FAILED = 1007;
constexpr int IDS_NO_REPLY = 1008;  // same text as IDS_COMM_FAILED
constexpr int IDS_MEMORY_FAILED = 1009;
constexpr int IDS_CONFIRM_CLEAR = 2000;
constexpr int IDS_CONFIRM_CAPTURE = 2001;
constexpr int IDS_STATE_CONNECTED = 2002;  // downloading
constexpr int IDS_STATE_CAPTURING = 2003;
constexpr int IDS_STATE_IDLE = 2004;
constexpr int IDS_CAPTURE_START = 2005;  // capture button caption while idle
constexpr int IDS_CAPTURE_STOP = 2006;   // capture button caption while capturing
constexpr int IDS_CONFIRM_REDOWNLOAD = 2007;
constexpr int IDS_CONFIRM_DOWNLOAD = 2008;
constexpr int IDS_INSTRUMENT_EMPTY = 2009;
constexpr int IDS_APP_TITLE = 2010;
constexpr int IDS_CONFIRM_REPLACE_SELECTION = 2011;
constexpr int IDS_NO_DATA = 2012;
constexpr int IDS_XY_GRAPH_TITLE = 2013;
constexpr int IDS_NO_DEPTH = 2014;
constexpr int IDS_MEASURED_DATA = 2015;
constexpr int IDS_TIME_AXIS_CLOCK = 2016;
constexpr int IDS_TIME_AXIS_SECONDS = 2017;
constexpr int IDS_CONFIRM_STOP = 2018;
// Message box buttons and the file dialogs' filter.
constexpr int IDS_BUTTON_OK = 2100;
constexpr int IDS_BUTTON_CANCEL = 2101;
constexpr int IDS_BUTTON_YES = 2102;
constexpr int IDS_BUTTON_NO = 2103;
constexpr int IDS_CSV_FILTER = 2104;

// ---- Common buttons -----------------------------------------------------------
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;  // also the close button of the data selection

// ---- Icon and bitmaps ---------------------------------------------------------
constexpr int IDI_MAIN = 128;      // program icon
constexpr int IDB_ONE_PANE = 131;  // trend pane layout buttons
constexpr int IDB_THREE_PANES = 132;
constexpr int IDB_TWO_PANES = 133;

// ---- Labels that the templates leave without an id ------------------------------
// Numbered here so that their captions can be looked up and tests can find
// them; one number per role, reused in every template that has the role.
constexpr int IDC_LABEL_SITE = 1901;
constexpr int IDC_LABEL_DATETIME = 1902;
constexpr int IDC_LABEL_GPS = 1903;
constexpr int IDC_LABEL_FILE_NAME = 1904;
constexpr int IDC_LABEL_RECORD_NO = 1905;
constexpr int IDC_LABEL_DEPTH_UNIT = 1906;
constexpr int IDC_LABEL_X_AXIS = 1907;
constexpr int IDC_LABEL_Y_AXIS = 1908;
constexpr int IDC_LABEL_Y_SCALE = 1909;
constexpr int IDC_LABEL_COMPONENT = 1910;  // column header of the range rows
constexpr int IDC_LABEL_UNIT = 1911;       // column header of the range rows
constexpr int IDC_LABEL_RANGE = 1912;      // column header of the range rows
constexpr int IDC_LABEL_TILDE = 1913;      // between a lower and an upper edit
constexpr int IDC_LABEL_SECONDS = 1914;    // after an edit that holds seconds
constexpr int IDC_GROUP_TIME_AXIS = 1915;
constexpr int IDC_LABEL_PORT_NO = 1916;
constexpr int IDC_GROUP_LINE_DETAILS = 1917;
constexpr int IDC_LABEL_BAUD_RATE = 1918;
constexpr int IDC_LABEL_BYTE_SIZE = 1919;
constexpr int IDC_LABEL_PARITY = 1920;
constexpr int IDC_LABEL_STOP_BITS = 1921;
constexpr int IDC_LABEL_CAPTURE_CYCLE = 1922;

// ---- About box (template 100) ---------------------------------------------------
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_ABOUT_APP_NAME = 1218;
constexpr int IDC_ABOUT_VERSION = 1219;
constexpr int IDC_ABOUT_PART_NO = 1220;
constexpr int IDC_ABOUT_COPYRIGHT = 1221;

// ---- Main window (template 102, menu 129) -----------------------------------------
constexpr int IDD_MAIN = 102;
constexpr int IDC_GRAPH_SCROLL = 1000;  // chooses the slot of the first pane
constexpr int IDC_RECORD_SPIN = 1002;
constexpr int IDC_CAPTURE = 1003;
constexpr int IDC_DOWNLOAD = 1004;
constexpr int IDC_XY_GRAPH = 1005;
constexpr int IDC_DEPTH_GRAPH = 1006;
constexpr int IDC_GRAPH_SETTINGS = 1007;
constexpr int IDC_SITE = 1008;
constexpr int IDC_DATETIME = 1009;
constexpr int IDC_GPS = 1010;
constexpr int IDC_VALUE_CELL_FIRST = 1011;  // row i: 1011 + i, i = 0 to 12
constexpr int IDC_UNIT_TEXT_FIRST = 1024;   // row i: 1024 + i
constexpr int IDC_LABEL_CELL_FIRST = 1037;  // row i: 1037 + i
constexpr int IDC_LAMP_CALIBRATING = 1050;
constexpr int IDC_LAMP_OTHER = 1051;
constexpr int IDC_STATE = 1052;
constexpr int IDC_PANE_AREA = 1053;
constexpr int IDC_FILE_NAME = 1054;
constexpr int IDC_LAMP_INSTRUMENT_ERROR = 1055;
constexpr int IDC_LAMP_ERROR = 1056;
constexpr int IDC_RECORD_NO = 1144;  // buddy text of the record spin

constexpr int IDR_MENU_MAIN = 129;
constexpr int ID_ABOUT = 16;  // also the system-menu entry
constexpr int ID_FILE_OPEN = 32776;
constexpr int ID_FILE_SAVE = 32777;
constexpr int ID_EXIT = 32778;
constexpr int ID_CAPTURE = 32779;
constexpr int ID_CAPTURE_STOP = 32780;
constexpr int ID_DOWNLOAD = 32782;
constexpr int ID_CLEAR = 32783;
constexpr int ID_PANES_1 = 32785;
constexpr int ID_PANES_2 = 32786;
constexpr int ID_PANES_3 = 32787;
constexpr int ID_GRAPH_SETTINGS = 32788;
constexpr int ID_DEPTH_GRAPH = 32789;
constexpr int ID_XY_GRAPH = 32790;
constexpr int ID_PORT_SETTINGS = 32791;
constexpr int ID_DATA_SELECT = 32794;
constexpr int ID_CAPTURE_CYCLE = 32795;
// Submenus carry no command id in a menu template; these numbers name them
// for their texts and objectNames.
constexpr int ID_POPUP_PANE_COUNT = 40001;
constexpr int ID_POPUP_FILE = 40002;
constexpr int ID_POPUP_MEASURE = 40003;
constexpr int ID_POPUP_GRAPH = 40004;
constexpr int ID_POPUP_SETTINGS = 40005;
constexpr int ID_POPUP_HELP = 40006;

// ---- Trend graph pane (template 130) ------------------------------------------------
constexpr int IDD_TREND_PANE = 130;
constexpr int IDC_PANE_ONE = 1054;
constexpr int IDC_PANE_TWO = 1055;
constexpr int IDC_PANE_THREE = 1056;
constexpr int IDC_PANE_FOCUS = 1057;
constexpr int IDC_PANE_PLOT = 1145;

// ---- Depth-profile graph (template 134, menu 136) -------------------------------------
constexpr int IDD_DEPTH_GRAPH = 134;
constexpr int IDC_DEPTH_SWATCH_FIRST = 1058;  // swatch k: 1058 + k, k = 0 to 16
constexpr int IDC_DEPTH_LEVEL_FIRST = 1078;   // threshold label k: 1078 + k, k = 0 to 15
constexpr int IDC_DEPTH_COMPONENT = 1095;
constexpr int IDC_DEPTH_ADD = 1096;
constexpr int IDC_DEPTH_LEVEL_SPARE = 1097;  // seventeenth label, never shown
constexpr int IDC_DEPTH_DELETE = 1098;
constexpr int IDC_DEPTH_ROW_LABEL = 1099;  // hidden layout template
constexpr int IDC_DEPTH_COLUMN_NO = 1107;  // hidden layout template
constexpr int IDC_DEPTH_CAPTION = 1123;
constexpr int IDC_DEPTH_FRAME = 1124;
constexpr int IDC_DEPTH_COMPONENT_UNIT = 1215;
constexpr int IDC_DEPTH_UNIT = 1216;
constexpr int IDC_DEPTH_SERIES_LIST = 1217;

constexpr int IDR_MENU_DEPTH = 136;
constexpr int ID_ADD_SERIES = 32793;
constexpr int ID_CLOSE_GRAPH = 32778;  // same command number as ID_EXIT
// The one submenu of the depth and X-Y graph menus (136 and 138).
constexpr int ID_POPUP_GRAPH_FILE = 40020;

// ---- X-Y graph (template 137, menu 138) -------------------------------------------------
constexpr int IDD_XY_GRAPH = 137;
constexpr int IDC_XY_COMPONENT = 1125;
constexpr int IDC_XY_SETTINGS = 1129;
constexpr int IDC_XY_FRAME = 1140;
constexpr int IDC_XY_LEGEND = 1141;
constexpr int IDC_XY_Y_SCALE = 1214;
// Component check box of slot k.
constexpr int kXYCheckIds[13] = {1126, 1127, 1128, 1130, 1131, 1132, 1133,
                                 1134, 1135, 1136, 1137, 1138, 1139};

constexpr int IDR_MENU_XY = 138;
constexpr int ID_OPEN_DATA_FILE = 32776;  // same command number as ID_FILE_OPEN

// ---- Progress dialog (template 139) ----------------------------------------------------
constexpr int IDD_PROGRESS = 139;
constexpr int IDC_PROGRESS_COUNTER = 1052;
constexpr int IDC_PROGRESS_BAR = 1142;
constexpr int IDC_PROGRESS_CANCEL = 1143;

// ---- Graph display settings (template 140) and axis settings (template 144) ------------
constexpr int IDD_GRAPH_SETTINGS = 140;
constexpr int IDD_AXIS_SETTINGS = 144;
// Row n (index n - 1) of the 13 range rows. Both dialogs share the unit,
// auto, lower and upper ids; the first column differs.
constexpr int kRangeRowComponentIds[13] = {1151, 1153, 1159, 1158, 1163, 1167, 1171,
                                           1175, 1179, 1183, 1187, 1191, 1195};  // template 140
constexpr int kRangeRowLabelIds[13] = {1213, 1214, 1215, 1216, 1217, 1218, 1219,
                                       1220, 1221, 1222, 1223, 1224, 1225};  // template 144
constexpr int kRangeRowUnitIds[13] = {1096, 1097, 1098, 1099, 1100, 1101, 1102,
                                      1103, 1104, 1105, 1106, 1107, 1108};
constexpr int kRangeRowAutoIds[13] = {1146, 1150, 1155, 1160, 1164, 1168, 1172,
                                      1176, 1180, 1184, 1188, 1192, 1196};
constexpr int kRangeRowLowerIds[13] = {1147, 1152, 1156, 1161, 1165, 1169, 1173,
                                       1177, 1181, 1185, 1189, 1193, 1197};
constexpr int kRangeRowUpperIds[13] = {1148, 1154, 1157, 1162, 1166, 1170, 1174,
                                       1178, 1182, 1186, 1190, 1194, 1198};
constexpr int IDC_APPLY = 1149;
constexpr int IDC_RANGE_AUTO = 1199;  // time-axis range mode radios
constexpr int IDC_RANGE_FIXED = 1202;
constexpr int IDC_RANGE_LATEST = 1203;
constexpr int IDC_X_MIN = 1200;
constexpr int IDC_X_MAX = 1201;
constexpr int IDC_X_RANGE = 1204;
constexpr int IDC_TIME_LABEL_STYLE = 1205;
constexpr int IDC_SHOW_CURSOR = 1209;

// ---- Port settings (template 141) -----------------------------------------------------------
constexpr int IDD_PORT_SETTINGS = 141;
constexpr int IDC_PORT_NO = 1207;
constexpr int IDC_BAUD_RATE = 1208;
constexpr int IDC_BYTE_SIZE = 1209;
constexpr int IDC_PARITY = 1210;
constexpr int IDC_STOP_BITS = 1211;

// ---- Data selection (template 143) --------------------------------------------------------
constexpr int IDD_DATA_SELECT = 143;
constexpr int IDC_SELECT_LIST = 1211;
constexpr int IDC_SELECT_CLEAR = 1212;
constexpr int IDC_SELECT_DELETE = 1213;
constexpr int IDC_SELECT_ALL = 1214;
constexpr int IDC_SELECT_IMPORT = 1215;

// ---- Capture cycle (template 146) -----------------------------------------------------------
constexpr int IDD_CAPTURE_CYCLE = 146;
constexpr int IDC_CAPTURE_CYCLE = 1222;

// ---- String table: capture journal and port-open reasons --------------------------------
// The question asked at start-up when the last capture was not saved.
constexpr int IDS_CONFIRM_RESTORE = 2200;
// Lines added under message 1006 when the port cannot be opened: the device
// path after IDS_PORT_DEVICE, then one reason.
constexpr int IDS_PORT_DEVICE = 2201;
constexpr int IDS_PORT_REASON_NO_DEVICE = 2202;
constexpr int IDS_PORT_REASON_PERMISSION = 2203;
constexpr int IDS_PORT_REASON_BUSY = 2204;
constexpr int IDS_PORT_REASON_OTHER = 2205;  // followed by the system's own text
constexpr int IDS_PORT_DEVICE_GROUP = 2206;  // followed by the device's group name

// ---- String table: unsaved data, the journal and the capture limit (ids 2210 to 2229) ----
// Asked (Yes/No/Cancel) before unsaved live data would be closed or replaced.
constexpr int IDS_CONFIRM_SAVE_UNSAVED = 2210;
// Told once per capture when its journal cannot be written; the journal's
// folder follows after IDS_JOURNAL_FOLDER.
constexpr int IDS_JOURNAL_NOT_WRITTEN = 2211;
constexpr int IDS_JOURNAL_FOLDER = 2212;
// A capture ended because the live data set is full.
constexpr int IDS_CAPTURE_LIMIT_REACHED = 2213;
// Added to the restore question when lines of the journal could not be
// read: %1 the lines, %2 the records that can be restored.
constexpr int IDS_RESTORE_UNREADABLE = 2214;
// A journal of which no record could be read (%1 the lines) was set aside.
constexpr int IDS_JOURNAL_UNREADABLE = 2215;

// ---- String table: files and the link under faults (ids 2230 to 2249) ----
// Reasons added under the message that a file could not be written.
constexpr int IDS_FILE_REASON_NOT_REGULAR = 2230;
constexpr int IDS_FILE_REASON_UNTRUSTED_LINK = 2231;
constexpr int IDS_FILE_REASON_PERMISSION = 2232;
constexpr int IDS_FILE_REASON_DISK_FULL = 2233;
constexpr int IDS_FILE_REASON_READ_ONLY = 2234;
constexpr int IDS_FILE_REASON_NO_FOLDER = 2235;
constexpr int IDS_FILE_REASON_OTHER = 2236;  // followed by the system's own text

// ---- Keyboard, ports, messages and files (strings 2250-2289, commands 32800-32809) ----
// Line added under message 1001 naming what the setting accepts.
constexpr int IDS_RANGE_ALLOWED = 2250;   // "%1" to "%2"
constexpr int IDS_RANGE_ORDER = 2251;     // lower bound below the upper
constexpr int IDS_RANGE_AT_LEAST = 2252;  // "%1" or more
// The close box while a run is active.
constexpr int IDS_CLOSE_WHILE_CAPTURING = 2253;
constexpr int IDS_CLOSE_WHILE_DOWNLOADING = 2254;
// Line settings the port settings dialog refuses at OK.
constexpr int IDS_PORT_BYTE_SIZE_4 = 2255;
constexpr int IDS_PORT_STOP_BITS_1_5 = 2256;
constexpr int IDS_PORT_STOP_BITS_2 = 2257;
// Tooltips of the value cells and the lamps.
constexpr int IDS_TIP_NORMAL = 2258;
constexpr int IDS_TIP_NO_VALUE = 2259;
constexpr int IDS_TIP_STATE = 2260;             // "%1": the state code
constexpr int IDS_TIP_COMPONENT_ERROR = 2261;   // "%1": the component error text
constexpr int IDS_TIP_INSTRUMENT_ERROR = 2262;  // "%1": the instrument error text
constexpr int IDS_TIP_LAMP_CALIBRATING = 2263;
constexpr int IDS_TIP_LAMP_OTHER = 2264;
constexpr int IDS_TIP_LAMP_ERROR = 2265;
constexpr int IDS_TIP_NO_INSTRUMENT_ERROR = 2266;

// ---- Graph readings and pictures (strings 2290-2319, commands 32810-32819) ----
// Said in a graph's plot area instead of an empty axis or a blank map.
constexpr int IDS_GRAPH_NO_DATA = 2290;        // no value of the component in the unit
constexpr int IDS_DEPTH_NO_DEPTH_UNIT = 2291;  // no record has its depth in the chosen unit
constexpr int IDS_DEPTH_NO_VALUES = 2292;      // no record has the component in the chosen unit
// The file dialog of File > Save Picture: its title and one filter a format.
constexpr int IDS_PICTURE_SAVE_TITLE = 2293;
constexpr int IDS_PICTURE_FILTER_PNG = 2294;
constexpr int IDS_PICTURE_FILTER_SVG = 2295;
constexpr int IDS_PICTURE_FILTER_PDF = 2296;
constexpr int IDS_PICTURE_SAVE_FAILED = 2297;
constexpr int IDS_PRINT_FAILED = 2298;
// File > Save Picture... and File > Print... in the main window (menu 129,
// the trend panes shown) and the depth and X-Y graphs (menus 136 and 138).
constexpr int ID_SAVE_PICTURE = 32810;
constexpr int ID_PRINT_GRAPH = 32811;

// ---- Graphs that say what they show (strings 2470-2499) ----
// The title line of a picture of the trend panes: what stands for data
// that were never saved, the sites beyond the first three, the time span.
constexpr int IDS_PICTURE_UNSAVED = 2470;
constexpr int IDS_PICTURE_MORE_SITES = 2471;  // %1: how many more sites
constexpr int IDS_PICTURE_TIME_SPAN = 2472;   // %1: first, %2: last time
// An X-Y line's legend entry: %1 the component, %2 and %3 the bottom and
// top of its scale, %4 its unit.
constexpr int IDS_XY_LEGEND_RANGE = 2473;
// More files chosen in the depth graph than series fit: %1 files left out.
constexpr int IDS_DEPTH_FILES_LEFT_OUT = 2474;

// ---- String table: command line (ids 2320 to 2389) ----
// Help texts: the overall help, a summary line and a --help text per
// subcommand. %1, %2 ... in a text are filled in where it is used.
constexpr int IDS_CLI_USAGE = 2320;         // overall help: before the list of subcommands
constexpr int IDS_CLI_USAGE_FOOTER = 2321;  // overall help: after it (common options, exit statuses)
constexpr int IDS_CLI_SUMMARY_DOWNLOAD = 2322;
constexpr int IDS_CLI_SUMMARY_CAPTURE = 2323;
constexpr int IDS_CLI_SUMMARY_INFO = 2324;
constexpr int IDS_CLI_SUMMARY_EXPORT = 2325;
constexpr int IDS_CLI_SUMMARY_PLOT = 2326;
constexpr int IDS_CLI_HELP_DOWNLOAD = 2327;
constexpr int IDS_CLI_HELP_CAPTURE = 2328;
constexpr int IDS_CLI_HELP_INFO = 2329;
constexpr int IDS_CLI_HELP_EXPORT = 2330;
constexpr int IDS_CLI_HELP_PLOT = 2331;
constexpr int IDS_CLI_TRY_HELP = 2332;  // %1: the command
constexpr int IDS_CLI_UNKNOWN_COMMAND = 2333;
constexpr int IDS_CLI_UNKNOWN_OPTION = 2334;
constexpr int IDS_CLI_MISSING_VALUE = 2335;
constexpr int IDS_CLI_BAD_VALUE = 2336;  // %1: the option, %2: its value
constexpr int IDS_CLI_NO_OUTPUT = 2337;
constexpr int IDS_CLI_NO_INPUT = 2338;
constexpr int IDS_CLI_EXTRA_ARGUMENT = 2339;
constexpr int IDS_CLI_SETTINGS_MISSING = 2340;
constexpr int IDS_CLI_COUNT_OR_FOR = 2341;
constexpr int IDS_CLI_UNKNOWN_FORMAT = 2342;
constexpr int IDS_CLI_PORT_HINT = 2343;       // %1: the settings file
constexpr int IDS_CLI_NO_REPLY_HINT = 2344;   // %1: the port, %2: the settings file
constexpr int IDS_CLI_COMM_HINT = 2345;       // %1: the port
constexpr int IDS_CLI_DOWNLOAD_RETRY = 2346;  // %1: records received before the failure
constexpr int IDS_CLI_NOTHING_SAVED = 2347;
constexpr int IDS_CLI_INTERRUPTED = 2348;
constexpr int IDS_CLI_SAVED = 2349;           // %1: records, %2: the file
constexpr int IDS_CLI_WRITE_HINT = 2350;      // %1: the file
constexpr int IDS_CLI_OUTPUT_EXISTS = 2352;   // %1: the file
constexpr int IDS_CLI_JOURNAL_EXISTS = 2353;  // %1: the journal
constexpr int IDS_CLI_JOURNAL_FAILED = 2354;  // %1: the journal
constexpr int IDS_CLI_JOURNAL_KEPT = 2355;    // %1: the journal
constexpr int IDS_CLI_CAPTURE_START = 2356;   // %1: the port, %2: the interval, %3: the file
constexpr int IDS_CLI_CAPTURING = 2357;       // progress title
constexpr int IDS_CLI_ENDED_EARLY = 2358;
constexpr int IDS_CLI_PROGRESS_OF = 2359;     // %1 of %2 records
constexpr int IDS_CLI_PROGRESS_COUNT = 2360;  // %1 records
constexpr int IDS_CLI_EXPORTED = 2361;        // %1: records, %2: the file
constexpr int IDS_CLI_EXPORT_TIME =
    2362;  // column titles of the tidy file (latitude and longitude: 573, 574)
constexpr int IDS_CLI_EXPORT_SITE = 2363;
constexpr int IDS_CLI_INFO_RECORDS = 2364;  // info labels
constexpr int IDS_CLI_INFO_FIRST = 2365;
constexpr int IDS_CLI_INFO_LAST = 2366;
constexpr int IDS_CLI_INFO_SPAN = 2367;
constexpr int IDS_CLI_INFO_SITES = 2368;
constexpr int IDS_CLI_INFO_POSITIONS = 2369;
constexpr int IDS_CLI_INFO_POSITION_RANGE = 2370;  // %1 records, latitude %2 to %3, longitude %4 to %5
constexpr int IDS_CLI_INFO_NONE = 2371;
constexpr int IDS_CLI_INFO_COMPONENTS = 2372;
constexpr int IDS_CLI_INFO_VALUES = 2373;  // %1 values, %2 minimum, %3 maximum
constexpr int IDS_CLI_PLOT_KIND = 2374;
constexpr int IDS_CLI_PLOT_NO_COMPONENT = 2375;  // %1: the name given, %2: the file, %3: its components
constexpr int IDS_CLI_PLOT_AMBIGUOUS = 2376;     // %1: the name given, %2: the components it fits
constexpr int IDS_CLI_PLOT_NO_UNIT = 2377;       // %1: the component, %2: the unit given, %3: its units
constexpr int IDS_CLI_PLOT_ONE_FILE = 2378;      // %1: the option
constexpr int IDS_CLI_PLOT_TOO_MANY_FILES = 2379;
constexpr int IDS_CLI_PLOT_FORMAT = 2380;         // %1: the output file
constexpr int IDS_CLI_PLOT_NO_DEPTH_HINT = 2381;  // %1: the file
constexpr int IDS_CLI_PLOT_SIZE_HINT = 2382;
constexpr int IDS_CLI_PLOT_TOO_MANY_TRENDS = 2383;
constexpr int IDS_CLI_PLOT_X_AS_Y = 2384;  // %1: the component
constexpr int IDS_CLI_PLOTTED = 2385;      // %1: the picture file

// Stations and casts on the command line: the casts and split commands.
constexpr int IDS_CLI_SUMMARY_CASTS = 2500;
constexpr int IDS_CLI_SUMMARY_SPLIT = 2501;
constexpr int IDS_CLI_HELP_CASTS = 2502;
constexpr int IDS_CLI_HELP_SPLIT = 2503;
constexpr int IDS_CLI_CAST_OPTION_HINT = 2504;
constexpr int IDS_CLI_CASTS_SUMMARY = 2505;   // %1 stations, %2 casts, %3 series
constexpr int IDS_CLI_CASTS_COL_CAST = 2506;  // table column titles
constexpr int IDS_CLI_CASTS_COL_STATION = 2507;
constexpr int IDS_CLI_CASTS_COL_SITE = 2508;
constexpr int IDS_CLI_CASTS_COL_START = 2509;
constexpr int IDS_CLI_CASTS_COL_END = 2510;
constexpr int IDS_CLI_CASTS_COL_RECORDS = 2511;
constexpr int IDS_CLI_CASTS_COL_DEPTH = 2512;
constexpr int IDS_CLI_CASTS_COL_NUMBERS = 2513;
constexpr int IDS_CLI_CASTS_COL_DOWN = 2514;
constexpr int IDS_CLI_CASTS_SERIES = 2515;
constexpr int IDS_CLI_CASTS_CSV_ONE_FILE = 2516;
constexpr int IDS_CLI_STDOUT_FAILED = 2517;
constexpr int IDS_CLI_SPLIT_BY = 2518;            // %1: the value given
constexpr int IDS_CLI_SPLIT_CANNOT_WRITE = 2519;  // %1: the folder
constexpr int IDS_CLI_SPLIT_DONE = 2520;          // %1 files, %2 records, %3 the folder
constexpr int IDS_CLI_SPLIT_PARTIAL = 2521;       // %1 files, %2 records, %3 the folder
constexpr int IDS_CLI_SPLIT_SERIES_LEFT = 2522;   // %1 series
constexpr int IDS_CLI_SPLIT_NOTHING = 2523;       // %1: the input file
constexpr int IDS_CLI_SPLIT_NOT_FOLDER = 2524;    // %1: what was given as the folder
// ---- Casts in the windows, depth bins and cast pictures (strings 2530-2559, controls 1950-1969,
// commands 32840-32849) ----
// Rows of the casts view of the data selection: %1 the number, %2 the site.
constexpr int IDS_CAST_TREE_STATION = 2530;
constexpr int IDS_CAST_TREE_CAST = 2531;
constexpr int IDS_CAST_TREE_SERIES = 2532;
// Save Each Cast...: the folder dialog's title; nothing to save.
constexpr int IDS_CASTS_FOLDER_TITLE = 2533;
constexpr int IDS_CASTS_NOTHING_TO_SAVE = 2534;
// Add Casts in the depth graph: %1 casts left out; none found.
constexpr int IDS_DEPTH_CASTS_LEFT_OUT = 2535;
constexpr int IDS_DEPTH_NO_CASTS = 2536;
// The thresholds could not be kept (%1 the settings file).
constexpr int IDS_CAST_OPTIONS_NOT_KEPT = 2537;
// export --bin.
constexpr int IDS_CLI_EXPORT_BIN_CENTRE = 2538;  // column title
constexpr int IDS_CLI_EXPORT_BINNED = 2539;      // %1 rows, %2 casts, %3 the bin height, %4 the file
constexpr int IDS_CLI_EXPORT_BIN_HINT = 2540;
constexpr int IDS_CLI_EXPORT_BIN_ONLY = 2541;  // %1: the option
// plot --casts.
constexpr int IDS_CLI_PLOT_CASTS_KIND = 2543;
constexpr int IDS_CLI_PLOT_CASTS_ONE_FILE = 2544;
constexpr int IDS_CLI_PLOT_CASTS_LEFT_OUT = 2545;  // %1 the file, %2 its casts
constexpr int IDS_CLI_PLOT_NO_CASTS = 2546;        // %1: the file
constexpr int IDS_CLI_PLOT_CASTS_ONLY = 2547;      // %1: the option

// Data selection (template 143): the casts view beside the list.
constexpr int IDC_SELECT_CASTS = 1950;
constexpr int IDC_SELECT_DOWNCAST = 1951;
constexpr int IDC_SELECT_SAVE_CASTS = 1952;
constexpr int IDC_SELECT_SAVE_BY = 1953;
constexpr int IDC_SELECT_CAST_OPTIONS = 1954;
constexpr int IDC_LABEL_CASTS = 1955;  // the count of stations and casts
// Depth graph (template 134, menu 136).
constexpr int IDC_DEPTH_ADD_CASTS = 1956;
constexpr int ID_ADD_CASTS = 32840;
constexpr int ID_DOWNCASTS_ONLY = 32841;
// X-Y graph (template 137): which records are drawn.
constexpr int IDC_XY_CAST = 1957;
constexpr int IDC_LABEL_CAST = 1958;
// The thresholds of the cast finder (template 1959).
constexpr int IDD_CAST_OPTIONS = 1959;
constexpr int IDC_CAST_GAP = 1960;
constexpr int IDC_CAST_DISTANCE = 1961;
constexpr int IDC_CAST_HEIGHT = 1962;
constexpr int IDC_CAST_RECORDS = 1963;
constexpr int IDC_LABEL_CAST_GAP = 1964;
constexpr int IDC_LABEL_CAST_DISTANCE = 1965;
constexpr int IDC_LABEL_CAST_HEIGHT = 1966;
constexpr int IDC_LABEL_CAST_RECORDS = 1967;
constexpr int IDC_CAST_DEFAULTS = 1968;
// ---- Starting on the desktop and from scripts (strings 2560-2599, controls 1970-1979) ----
// A start whose arguments are not understood: the message, then this line.
constexpr int IDS_CLI_USAGE_LINE = 2560;
// A window start where no display is set, or where Qt could not reach the
// one set (%1: what Qt said).
constexpr int IDS_CLI_NO_DISPLAY = 2561;
constexpr int IDS_CLI_DISPLAY_FAILED = 2562;
// A later start that found the window running but got no answer from it.
constexpr int IDS_CLI_RUNNING_NO_ANSWER = 2563;
// A file handed to the window (%1) while it cannot open one.
constexpr int IDS_OPEN_BUSY = 2564;
// ---- The command line as scripts use it (strings 2565-2599) ----
// The choices of --baud, --data-bits, --parity and --stop-bits.
constexpr int IDS_CLI_LINE_HINT = 2565;
// How messages name the file "-".
constexpr int IDS_CLI_STDIN = 2566;
constexpr int IDS_CLI_STDOUT = 2567;
// An input file that cannot be read, by its cause; %1 is the file.
constexpr int IDS_CLI_INPUT_MISSING = 2568;
constexpr int IDS_CLI_INPUT_NOT_FILE = 2569;  // %2: what it is (one of the next four)
constexpr int IDS_CLI_KIND_FOLDER = 2570;
constexpr int IDS_CLI_KIND_FIFO = 2571;
constexpr int IDS_CLI_KIND_DEVICE = 2572;
constexpr int IDS_CLI_KIND_SOCKET = 2573;
constexpr int IDS_CLI_INPUT_UNREADABLE = 2574;  // %2: the system's reason
constexpr int IDS_CLI_INPUT_EMPTY = 2575;
constexpr int IDS_CLI_INPUT_NOT_DATA = 2576;      // %2: how its first line begins
constexpr int IDS_CLI_INPUT_DAMAGED = 2577;       // %2: line, %3: field number, %4: field name, %5: why
constexpr int IDS_CLI_INPUT_DAMAGED_LINE = 2578;  // %2: line, %3: why
// Why a field or a line is refused; %1 is the field's text.
constexpr int IDS_CLI_WHY_FIELD_COUNT = 2579;  // %1: fields of the line, %2: fields it needs
constexpr int IDS_CLI_WHY_NOT_NUMBER = 2580;
constexpr int IDS_CLI_WHY_TOO_LARGE = 2581;
constexpr int IDS_CLI_WHY_CODE = 2582;        // %2: the letter, %3: characters after it
constexpr int IDS_CLI_WHY_CODE_DIGIT = 2583;  // %2: the digit, %3: the largest code
constexpr int IDS_CLI_WHY_SITE = 2584;
constexpr int IDS_CLI_WHY_BATTERY = 2585;
constexpr int IDS_CLI_WHY_ELEMENT = 2586;
constexpr int IDS_CLI_WHY_LINE_TOO_LONG = 2587;
constexpr int IDS_CLI_FIELD_ELEMENT = 2588;  // the name of an element number field of line 2
// --settings naming something that is not a file: %1 the name, %2 what it is.
constexpr int IDS_CLI_SETTINGS_NOT_FILE = 2589;
// The choices of export's --titles and --utc-offset, and of plot's --format.
constexpr int IDS_CLI_TITLES_HINT = 2590;
constexpr int IDS_CLI_UTC_OFFSET_HINT = 2591;
constexpr int IDS_CLI_PLOT_FORMAT_HINT = 2592;
// Files of more records than a data set takes
constexpr int IDS_FILE_PARTLY_READ = 2450;  // %1: records in the file, %2: records read
// ---- Records kept under faults: deletions, journals, reconnection, recovery (strings 2400-2449) ----

constexpr int IDS_DOWNLOAD_COUNT_DIFFERS = 2400;     // %1: the count announced, %2: the records received
constexpr int IDS_CONFIRM_DELETE_RECORDS = 2401;     // %1: the records selected
constexpr int IDS_CONFIRM_CLOSE_DEPTH = 2402;        // %1: the series the user added
constexpr int IDS_CLI_SAME_FILE = 2403;              // %1: the output, %2: the input
constexpr int IDS_CLI_PARTIAL_SAVED = 2404;          // %1: records, %2: the new file, %3: the file left alone
constexpr int IDS_CLI_CAPTURE_RUNNING = 2405;        // %1: the file, %2: its journal
constexpr int IDS_CLI_NAME_TAKEN = 2406;             // %1: the name taken, %2: the name used
constexpr int IDS_CLI_JOURNAL_WRITTEN_AGAIN = 2407;  // %1: the journal
constexpr int IDS_CLI_JOURNAL_LOST = 2408;           // %1: the journal
constexpr int IDS_CLI_JOURNAL_MOVED = 2409;          // %1: the new journal
constexpr int IDS_CLI_KEPT_IN_MEMORY = 2410;
constexpr int IDS_CLI_SAVED_INSTEAD = 2411;  // %1: records, %2: the file
constexpr int IDS_CLI_RECORDS_LOST = 2412;   // %1: records
constexpr int IDS_CLI_PORT_LOST = 2413;      // %1: the port, %2: records kept, %3: how long it is reopened
constexpr int IDS_CLI_RECONNECTED = 2414;    // %1: the port, %2: the time without data
constexpr int IDS_CLI_RECONNECT_SUMMARY = 2415;  // %1: reconnections, %2: the time without data
constexpr int IDS_CLI_RECONNECT_GAVE_UP = 2416;  // %1: how long it was reopened
constexpr int IDS_CLI_SUMMARY_RECOVER = 2417;
constexpr int IDS_CLI_HELP_RECOVER = 2418;
constexpr int IDS_CLI_RECOVERED = 2419;       // %1: the journal, %2: records, %3: the file, %4: lines skipped
constexpr int IDS_CLI_JOURNAL_IN_USE = 2420;  // %1: the journal
constexpr int IDS_CLI_RECOVER_NOTHING = 2421;       // %1: the journal, %2: lines skipped
constexpr int IDS_CLI_JOURNAL_REMOVED = 2422;       // %1: the journal
constexpr int IDS_CLI_JOURNAL_KEPT_DAMAGED = 2423;  // %1: the journal
constexpr int IDS_CLI_FILE_EXISTS = 2424;           // %1: the file
constexpr int IDS_CLI_NOT_A_JOURNAL = 2425;         // %1: the file given to recover
