#include "resources/JapaneseTexts.h"

#include "resources/ResourceIds.h"

namespace kelp {

namespace {

constexpr TextKey S(int id) {
    return StringKey(id);
}
constexpr TextKey C(int templateId, int controlId) {
    return ControlKey(templateId, controlId);
}
constexpr TextKey T(int templateId) {
    return DialogTitleKey(templateId);
}
constexpr TextKey M(int menuId, int commandId) {
    return MenuItemKey(menuId, commandId);
}

// U+3000 (ideographic space) is written as an escape where it occurs so that
// it cannot be mistaken for, or edited into, an ordinary blank.
constexpr TextEntry kJapaneseTexts[] = {
    // ---- Component catalogue: element names ----
    {S(IDS_ELM_NONE), "---"},
    {S(IDS_ELM_PH), "pH"},
    {S(IDS_ELM_ORP), "ORP"},
    {S(IDS_ELM_TURBIDITY), "濁度"},
    {S(IDS_ELM_DO), "DO"},
    {S(IDS_ELM_OPTICAL_DO), "蛍光DO"},
    {S(IDS_ELM_CONDUCTIVITY), "電気伝導率"},
    {S(IDS_ELM_SALINITY), "塩分"},
    {S(IDS_ELM_TDS), "TDS"},
    {S(IDS_ELM_SEAWATER_GRAVITY), "海水比重"},
    {S(IDS_ELM_WATER_TEMP), "水温"},
    {S(IDS_ELM_DEPTH), "水深"},
    {S(IDS_ELM_CHLOROPHYLL), "Chlorophyll"},
    {S(IDS_ELM_COD), "COD"},
    {S(IDS_ELM_NH4N), "NH4-N"},
    {S(IDS_ELM_RESIDUAL_CHLORINE), "残留塩素"},
    {S(IDS_ELM_MONOCHLORAMINE), "Monochloramine"},
    {S(IDS_ELM_FLUORIDE), "F+"},
    {S(IDS_ELM_NITRATE), "NO3-"},
    {S(IDS_ELM_CHLORIDE), "Cl-"},
    {S(IDS_ELM_CALCIUM), "Ca2+"},
    {S(IDS_ELM_AMMONIUM), "NH4+"},
    {S(IDS_ELM_DO_PERCENT), "DO%"},
    {S(IDS_ELM_AIR_TEMP), "大気温"},
    {S(IDS_ELM_PH_MV), "pHmV"},
    // ---- Panel labels ----
    {S(IDS_LABEL_DO), "DO"},
    {S(IDS_LABEL_OPTICAL_DO), "蛍光DO"},
    {S(IDS_LABEL_CONDUCTIVITY), "電気伝導率"},
    {S(IDS_LABEL_SEAWATER_GRAVITY), "海水比重"},
    {S(IDS_LABEL_WATER_TEMP), "水温"},
    {S(IDS_LABEL_RESIDUAL_CHLORINE), "残留塩素"},
    {S(IDS_LABEL_AIR_TEMP), "大気温"},
    // ---- Unit texts ----
    {S(IDS_UNIT_NONE), " "},
    {S(IDS_UNIT_PH), "pH"},
    {S(IDS_UNIT_MV), "mV"},
    {S(IDS_UNIT_NTU), "NTU"},
    {S(IDS_UNIT_FNU), "FNU"},
    {S(IDS_UNIT_PPM), "ppm"},
    {S(IDS_UNIT_MG_L), "mg/L"},
    {S(IDS_UNIT_PERCENT), "%"},
    {S(IDS_UNIT_MS_CM), "mS/cm"},
    {S(IDS_UNIT_S_M), "S/m"},
    {S(IDS_UNIT_MS_M), "mS/m"},
    {S(IDS_UNIT_S_M_FIX), "S/m(Fix)"},
    {S(IDS_UNIT_PPT), "ppt"},
    {S(IDS_UNIT_G_L), "g/L"},
    {S(IDS_UNIT_SIGMA_T), "σt"},
    {S(IDS_UNIT_SIGMA_0), "σ0"},
    {S(IDS_UNIT_SIGMA_15), "σ15"},
    {S(IDS_UNIT_CELSIUS), "℃"},
    {S(IDS_UNIT_FAHRENHEIT), "゜F"},
    {S(IDS_UNIT_KELVIN), "K"},
    {S(IDS_UNIT_METRE), "m"},
    {S(IDS_UNIT_FEET), "feet"},
    // ---- CSV column titles ----
    {S(IDS_COL_DATE), "日付"},
    {S(IDS_COL_TIME), "時間"},
    {S(IDS_COL_LATITUDE), "緯度"},
    {S(IDS_COL_LONGITUDE), "経度"},
    {S(IDS_COL_UNIT_CODE), "単位コード"},
    {S(IDS_COL_ERROR), "エラー"},
    {S(IDS_COL_INSTRUMENT_ERROR), "計器エラー"},
    {S(IDS_COL_BATTERY), "電池電圧"},
    {S(IDS_COL_DATE_CODE), "日付コード"},
    {S(IDS_COL_TIME_CODE), "時間コード"},
    {S(IDS_COL_FORMAT_CODE), "フォーマットコード"},
    {S(IDS_COL_STATE_CODE), "状態コード"},
    {S(IDS_COL_COMPONENT_ERROR_CODE), "成分エラーコード"},
    {S(IDS_COL_DEVICE_CODE), "装置コード"},
    // ---- Progress titles, time-label styles ----
    {S(IDS_PROGRESS_LOADING), "ファイル読込中..."},
    {S(IDS_PROGRESS_SAVING), "ファイル保存中..."},
    {S(IDS_PROGRESS_DOWNLOADING), "ダウンロード中..."},
    {S(IDS_TIME_LABEL_RELATIVE), "相対表示"},
    {S(IDS_TIME_LABEL_CLOCK), "直接表示"},
    // ---- Instrument errors, code 0 to 11 ----
    {S(IDS_INSTRUMENT_ERROR_NONE), "なし"},
    {S(IDS_INSTRUMENT_ERROR_ADC), "ADC異常"},
    {S(IDS_INSTRUMENT_ERROR_EEPROM_FACTORY), "起動時EEPROMエラー（工場調整）"},
    {S(IDS_INSTRUMENT_ERROR_EEPROM_USER), "起動時EEPROMエラー（ユーザー設定）"},
    {S(IDS_INSTRUMENT_ERROR_RTC), "起動時RTCエラー"},
    {S(IDS_INSTRUMENT_ERROR_FROM), "FROMエラー"},
    {S(IDS_INSTRUMENT_ERROR_LAMP), "ランプ故障"},
    {S(IDS_INSTRUMENT_ERROR_MOTOR), "モータ故障"},
    {S(IDS_INSTRUMENT_ERROR_CAPACITOR), "キャパシタ電圧低下"},
    {S(IDS_INSTRUMENT_ERROR_EEPROM_WRITE), "EEPROM書き込みエラー"},
    {S(IDS_INSTRUMENT_ERROR_DATA_IN), "ＤＡＴＡ\u3000ＩＮ\u3000エラー"},
    {S(IDS_INSTRUMENT_ERROR_PROBE), "プローブ異常"},
    // ---- Component errors, code 0 to 12, then 13 at 617 ----
    {S(IDS_COMPONENT_ERROR_NONE), "なし"},
    {S(IDS_COMPONENT_ERROR_DATA), "データ異常"},
    {S(IDS_COMPONENT_ERROR_RANGE), "範囲外"},
    {S(IDS_COMPONENT_ERROR_ZERO_CAL), "ゼロ校正エラー"},
    {S(IDS_COMPONENT_ERROR_ZERO_CAL_RANGE), "ゼロ校正エラー＆範囲外"},
    {S(IDS_COMPONENT_ERROR_SPAN_CAL), "スパン校正エラー"},
    {S(IDS_COMPONENT_ERROR_SPAN_CAL_RANGE), "スパン校正エラー＆範囲外"},
    {S(IDS_COMPONENT_ERROR_CAL_STABILITY), "校正安定エラー"},
    {S(IDS_COMPONENT_ERROR_CAL_STABILITY_RANGE), "校正安定エラー＆範囲外"},
    {S(IDS_COMPONENT_ERROR_ADJ_STABILITY), "調整安定エラー"},
    {S(IDS_COMPONENT_ERROR_ZERO_ADJ), "ゼロ調整エラー"},
    {S(IDS_COMPONENT_ERROR_SPAN_ADJ), "スパン調整エラー"},
    {S(IDS_COMPONENT_ERROR_CAL_INITIAL), "校正値初期値"},
    {S(IDS_COMPONENT_ERROR_BACKGROUND), "バックグラウンド不安定"},
    // ---- Messages, states, titles ----
    {S(IDS_ABOUT_MENU_ENTRY), "Kelp データ収集ソフト のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {S(IDS_ENTER_NUMBER), "数値を入力してください"},
    {S(IDS_RANGE_INVALID), "設定範囲が異常です"},
    {S(IDS_FILE_OPEN_FAILED), "ファイルのOpenに失敗しました"},
    {S(IDS_FILE_FORMAT_INVALID), "ファイルの読込に失敗しました\nフォーマットが異常です"},
    {S(IDS_NO_DATA_TO_SAVE), "保存するデータが存在しません"},
    {S(IDS_FILE_SAVE_FAILED), "ファイルの保存に失敗しました"},
    {S(IDS_PORT_OPEN_FAILED), "ポートがオープンできませんでした"},
    {S(IDS_COMM_FAILED), "データの通信に失敗しました"},
    {S(IDS_NO_REPLY), "データの通信に失敗しました"},
    {S(IDS_MEMORY_FAILED), "メモリの確保に失敗しました"},
    {S(IDS_CONFIRM_CLEAR), "データをクリアします"},
    {S(IDS_CONFIRM_CAPTURE), "取込を開始します。\nデータがある場合削除されます"},
    {S(IDS_STATE_CONNECTED), "接続中"},
    {S(IDS_STATE_CAPTURING), "取込中"},
    {S(IDS_STATE_IDLE), "未接続"},
    {S(IDS_CAPTURE_START), "測定値取込"},
    {S(IDS_CAPTURE_STOP), "取込停止"},
    {S(IDS_CONFIRM_REDOWNLOAD),
     "計器からダウンロードしたデータがすでにメモリ上に存在します\n再ダウンロードしますか？\n"
     "はい：計器から再ダウンロード\nいいえ：ダウンロード済みデータから選択"},
    {S(IDS_CONFIRM_DOWNLOAD), "全データをダウンロードします。"},
    {S(IDS_INSTRUMENT_EMPTY), "計器にデータが存在しません\nDataCount = 0"},
    {S(IDS_APP_TITLE), "Kelp データ収集ソフト"},
    {S(IDS_CONFIRM_REPLACE_SELECTION),
     "取得したデータがすでに存在します。\n実行すると取得したデータはクリアされます。"},
    {S(IDS_NO_DATA), "データがありません"},
    {S(IDS_XY_GRAPH_TITLE), "X-Yグラフ"},
    {S(IDS_NO_DEPTH), "深さ成分が存在しないか、データがありません"},
    {S(IDS_MEASURED_DATA), "測定データ"},
    {S(IDS_TIME_AXIS_CLOCK), "時間"},
    {S(IDS_TIME_AXIS_SECONDS), "時間 [秒]"},
    {S(IDS_CONFIRM_STOP), "取込を停止します。"},
    {S(IDS_BUTTON_OK), "OK"},
    {S(IDS_BUTTON_CANCEL), "キャンセル"},
    {S(IDS_BUTTON_YES), "はい(&Y)"},
    {S(IDS_BUTTON_NO), "いいえ(&N)"},
    {S(IDS_CSV_FILTER), "csv files(*csv)"},

    // ---- About box ----
    {T(IDD_ABOUTBOX), "Kelp データ収集ソフトのﾊﾞｰｼﾞｮﾝ情報"},
    {C(IDD_ABOUTBOX, IDOK), "OK"},

    // ---- Main window ----
    {C(IDD_MAIN, IDC_LABEL_SITE), "SITE"},
    {C(IDD_MAIN, IDC_LABEL_DATETIME), "日時"},
    {C(IDD_MAIN, IDC_LABEL_GPS), "GPS"},
    {C(IDD_MAIN, IDC_LABEL_FILE_NAME), "ﾌｧｲﾙ名"},
    {C(IDD_MAIN, IDC_LABEL_RECORD_NO), "No."},
    {C(IDD_MAIN, IDC_LAMP_CALIBRATING), "校正中"},
    {C(IDD_MAIN, IDC_LAMP_OTHER), "その他"},
    {C(IDD_MAIN, IDC_LAMP_ERROR), "異常"},
    {C(IDD_MAIN, IDC_LAMP_INSTRUMENT_ERROR), "計器異常"},
    {C(IDD_MAIN, IDC_CAPTURE), "測定値取込"},
    {C(IDD_MAIN, IDC_DOWNLOAD), "全データ\u3000ダウンロード"},
    {C(IDD_MAIN, IDC_GRAPH_SETTINGS), "グラフ設定"},
    {C(IDD_MAIN, IDC_XY_GRAPH), "X-Yグラフ"},
    {C(IDD_MAIN, IDC_DEPTH_GRAPH), "深さグラフ"},

    {M(IDR_MENU_MAIN, ID_POPUP_FILE), "ファイル(&F)"},
    {M(IDR_MENU_MAIN, ID_POPUP_MEASURE), "測定(&M)"},
    {M(IDR_MENU_MAIN, ID_POPUP_GRAPH), "グラフ(&G)"},
    {M(IDR_MENU_MAIN, ID_POPUP_SETTINGS), "通信設定(&C)"},
    {M(IDR_MENU_MAIN, ID_POPUP_HELP), "ヘルプ(&H)"},
    {M(IDR_MENU_MAIN, ID_FILE_OPEN), "開く(&O)"},
    {M(IDR_MENU_MAIN, ID_FILE_SAVE), "保存(&S)"},
    {M(IDR_MENU_MAIN, ID_EXIT), "終了(&X)"},
    {M(IDR_MENU_MAIN, ID_CAPTURE), "測定値取込(&M)"},
    {M(IDR_MENU_MAIN, ID_CAPTURE_STOP), "取込停止(&T)"},
    {M(IDR_MENU_MAIN, ID_DOWNLOAD), "全データダウンロード(&D)"},
    {M(IDR_MENU_MAIN, ID_DATA_SELECT), "データ選択(&S)"},
    {M(IDR_MENU_MAIN, ID_CLEAR), "クリア(&C)"},
    {M(IDR_MENU_MAIN, ID_POPUP_PANE_COUNT), "表示数"},
    {M(IDR_MENU_MAIN, ID_PANES_1), "&1"},
    {M(IDR_MENU_MAIN, ID_PANES_2), "&2"},
    {M(IDR_MENU_MAIN, ID_PANES_3), "&3"},
    {M(IDR_MENU_MAIN, ID_GRAPH_SETTINGS), "設定(&S)"},
    {M(IDR_MENU_MAIN, ID_DEPTH_GRAPH), "深さグラフ(&D)"},
    {M(IDR_MENU_MAIN, ID_XY_GRAPH), "X-Y グラフ(&X)"},
    {M(IDR_MENU_MAIN, ID_PORT_SETTINGS), "ポート(&P)"},
    {M(IDR_MENU_MAIN, ID_CAPTURE_CYCLE), "取込周期(&I)"},
    {M(IDR_MENU_MAIN, ID_ABOUT), "ﾊﾞｰｼﾞｮﾝ(&A)"},

    // ---- Depth-profile graph ----
    {T(IDD_DEPTH_GRAPH), "深さグラフ"},
    {C(IDD_DEPTH_GRAPH, IDC_LABEL_DEPTH_UNIT), "水深単位"},
    {C(IDD_DEPTH_GRAPH, IDC_DEPTH_CAPTION), "Depth"},
    {C(IDD_DEPTH_GRAPH, IDC_DEPTH_ADD), "追加"},
    {C(IDD_DEPTH_GRAPH, IDC_DEPTH_DELETE), "削除"},
    {M(IDR_MENU_DEPTH, ID_POPUP_GRAPH_FILE), "ファイル(&F)"},
    {M(IDR_MENU_DEPTH, ID_ADD_SERIES), "追加(&A)"},
    {M(IDR_MENU_DEPTH, ID_CLOSE_GRAPH), "グラフを閉じる(&X)"},

    // ---- X-Y graph ----
    {T(IDD_XY_GRAPH), "X-Y グラフ"},
    {C(IDD_XY_GRAPH, IDC_LABEL_X_AXIS), "X軸"},
    {C(IDD_XY_GRAPH, IDC_LABEL_Y_AXIS), "Y軸"},
    {C(IDD_XY_GRAPH, IDC_LABEL_Y_SCALE), "Y軸ｽｹｰﾙ"},
    {C(IDD_XY_GRAPH, IDC_XY_SETTINGS), "ｸﾞﾗﾌ設定"},
    {M(IDR_MENU_XY, ID_POPUP_GRAPH_FILE), "ファイル(&F)"},
    {M(IDR_MENU_XY, ID_OPEN_DATA_FILE), "ファイルを開く(&O)"},
    {M(IDR_MENU_XY, ID_CLOSE_GRAPH), "グラフを閉じる(&X)"},

    // ---- Progress dialog (its title comes from the job) ----
    {C(IDD_PROGRESS, IDC_PROGRESS_CANCEL), "ｷｬﾝｾﾙ"},

    // ---- Graph display settings ----
    {T(IDD_GRAPH_SETTINGS), "ｸﾞﾗﾌ表示設定"},
    {C(IDD_GRAPH_SETTINGS, IDC_LABEL_COMPONENT), "表示成分"},
    {C(IDD_GRAPH_SETTINGS, IDC_LABEL_UNIT), "表示単位"},
    {C(IDD_GRAPH_SETTINGS, IDC_LABEL_RANGE), "表示範囲設定"},
    {C(IDD_GRAPH_SETTINGS, IDC_LABEL_TILDE), "～"},
    {C(IDD_GRAPH_SETTINGS, IDC_GROUP_TIME_AXIS), "時間軸設定"},
    {C(IDD_GRAPH_SETTINGS, IDC_RANGE_AUTO), "自動"},
    {C(IDD_GRAPH_SETTINGS, IDC_RANGE_FIXED), "固定"},
    {C(IDD_GRAPH_SETTINGS, IDC_RANGE_LATEST), "直近データ"},
    {C(IDD_GRAPH_SETTINGS, IDC_LABEL_SECONDS), "秒"},
    {C(IDD_GRAPH_SETTINGS, IDC_SHOW_CURSOR), "ｶｰｿﾙ表示"},
    {C(IDD_GRAPH_SETTINGS, IDC_APPLY), "適用"},
    {C(IDD_GRAPH_SETTINGS, IDOK), "OK"},
    {C(IDD_GRAPH_SETTINGS, IDCANCEL), "キャンセル"},

    // ---- Port settings; a combo box's caption is its fixed list, one entry a line ----
    {T(IDD_PORT_SETTINGS), "通信設定"},
    {C(IDD_PORT_SETTINGS, IDC_LABEL_PORT_NO), "ポート番号"},
    {C(IDD_PORT_SETTINGS, IDC_GROUP_LINE_DETAILS), "詳細設定"},
    {C(IDD_PORT_SETTINGS, IDC_LABEL_BAUD_RATE), "通信速度"},
    {C(IDD_PORT_SETTINGS, IDC_LABEL_BYTE_SIZE), "データビット"},
    {C(IDD_PORT_SETTINGS, IDC_LABEL_PARITY), "パリティ"},
    {C(IDD_PORT_SETTINGS, IDC_LABEL_STOP_BITS), "ストップビット"},
    {C(IDD_PORT_SETTINGS, IDC_PARITY), "なし\n奇数\n偶数"},
    {C(IDD_PORT_SETTINGS, IDC_STOP_BITS), "1\n1.5\n2"},
    {C(IDD_PORT_SETTINGS, IDOK), "OK"},
    {C(IDD_PORT_SETTINGS, IDCANCEL), "ｷｬﾝｾﾙ"},

    // ---- Data selection ----
    {T(IDD_DATA_SELECT), "データ選択"},
    {C(IDD_DATA_SELECT, IDC_SELECT_ALL), "全て選択"},
    {C(IDD_DATA_SELECT, IDC_SELECT_CLEAR), "選択解除"},
    {C(IDD_DATA_SELECT, IDC_SELECT_DELETE), "選択データ削除"},
    {C(IDD_DATA_SELECT, IDC_SELECT_IMPORT), "選択データ取込"},
    {C(IDD_DATA_SELECT, IDCANCEL), "閉じる"},

    // ---- Axis settings ----
    {T(IDD_AXIS_SETTINGS), "グラフ設定"},
    {C(IDD_AXIS_SETTINGS, 1146), "自動"},
    {C(IDD_AXIS_SETTINGS, 1150), "自動"},
    {C(IDD_AXIS_SETTINGS, 1155), "自動"},
    {C(IDD_AXIS_SETTINGS, 1160), "自動"},
    {C(IDD_AXIS_SETTINGS, 1164), "自動"},
    {C(IDD_AXIS_SETTINGS, 1168), "自動"},
    {C(IDD_AXIS_SETTINGS, 1172), "自動"},
    {C(IDD_AXIS_SETTINGS, 1176), "自動"},
    {C(IDD_AXIS_SETTINGS, 1180), "自動"},
    {C(IDD_AXIS_SETTINGS, 1184), "自動"},
    {C(IDD_AXIS_SETTINGS, 1188), "自動"},
    {C(IDD_AXIS_SETTINGS, 1192), "自動"},
    {C(IDD_AXIS_SETTINGS, 1196), "自動"},
    {C(IDD_AXIS_SETTINGS, IDC_LABEL_COMPONENT), "成分"},
    {C(IDD_AXIS_SETTINGS, IDC_LABEL_UNIT), "表示単位"},
    {C(IDD_AXIS_SETTINGS, IDC_LABEL_RANGE), "表示範囲設定"},
    {C(IDD_AXIS_SETTINGS, IDC_LABEL_TILDE), "～"},
    {C(IDD_AXIS_SETTINGS, IDC_APPLY), "適用"},
    {C(IDD_AXIS_SETTINGS, IDOK), "OK"},
    {C(IDD_AXIS_SETTINGS, IDCANCEL), "ｷｬﾝｾﾙ"},

    // ---- Capture cycle ----
    {T(IDD_CAPTURE_CYCLE), "取込周期"},
    {C(IDD_CAPTURE_CYCLE, IDC_LABEL_CAPTURE_CYCLE), "取込周期"},
    {C(IDD_CAPTURE_CYCLE, IDC_LABEL_SECONDS), "秒"},
    {C(IDD_CAPTURE_CYCLE, IDOK), "OK"},
    {C(IDD_CAPTURE_CYCLE, IDCANCEL), "ｷｬﾝｾﾙ"},

    // ---- Capture journal and port-open reasons ----
    {S(IDS_CONFIRM_RESTORE),
     "前回の取込データが保存されずに残っています。\n復元しますか？\n"
     "OK：取込データを復元\nキャンセル：復元せずに別名で保管"},
    {S(IDS_PORT_DEVICE), "デバイス："},
    {S(IDS_PORT_REASON_NO_DEVICE),
     "デバイスが見つかりません。\nケーブルの接続とポート番号を確認してください。"},
    {S(IDS_PORT_REASON_PERMISSION),
     "デバイスを使用する権限がありません。\n"
     "ユーザーをデバイスの所有グループ（通常は dialout）に追加し、ログインし直してください。"},
    {S(IDS_PORT_REASON_BUSY), "デバイスは使用中です。\n他のプログラムが使用していないか確認してください。"},
    {S(IDS_PORT_REASON_OTHER), "システムエラー："},
    {S(IDS_PORT_DEVICE_GROUP), "所有グループ："},

    // ---- Unsaved data, the journal and the capture limit ----

    // ---- Files and the link under faults ----

    // ---- Keyboard, ports, messages and files ----

    // ---- Graph readings and pictures ----
    {S(IDS_GRAPH_NO_DATA), "データなし"},
    {S(IDS_DEPTH_NO_DEPTH_UNIT), "選択した水深単位のデータはありません"},
    {S(IDS_DEPTH_NO_VALUES), "選択した成分・単位のデータはありません"},
    {S(IDS_PICTURE_SAVE_TITLE), "グラフ画像の保存"},
    {S(IDS_PICTURE_FILTER_PNG), "PNG 画像 (*.png)"},
    {S(IDS_PICTURE_FILTER_SVG), "SVG 画像 (*.svg)"},
    {S(IDS_PICTURE_FILTER_PDF), "PDF 文書 (*.pdf)"},
    {S(IDS_PICTURE_SAVE_FAILED), "グラフ画像を保存できませんでした"},
    {S(IDS_PRINT_FAILED), "印刷できませんでした"},
    {M(IDR_MENU_MAIN, ID_SAVE_PICTURE), "グラフ画像の保存(&G)"},
    {M(IDR_MENU_MAIN, ID_PRINT_GRAPH), "印刷(&P)"},
    {M(IDR_MENU_DEPTH, ID_SAVE_PICTURE), "グラフ画像の保存(&G)"},
    {M(IDR_MENU_DEPTH, ID_PRINT_GRAPH), "印刷(&P)"},
    {M(IDR_MENU_XY, ID_SAVE_PICTURE), "グラフ画像の保存(&G)"},
    {M(IDR_MENU_XY, ID_PRINT_GRAPH), "印刷(&P)"},

    // ---- Command line ----
};

}  // namespace

std::span<const TextEntry> JapaneseTexts() {
    return kJapaneseTexts;
}

}  // namespace kelp
