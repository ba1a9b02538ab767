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

// Messages 1007 and 1008 (a failed exchange, no reply) read the same.
constexpr char kCommFailed[] =
    "データの通信に失敗しました\n次の点を確認してください。\n"
    "・ケーブルが計器と選んだポートにつながっているか\n"
    "・計器の電源が入り、通信できる状態になっているか\n"
    "・通信速度の設定が計器の設定と同じか";

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
    {S(IDS_COMM_FAILED), kCommFailed},
    {S(IDS_NO_REPLY), kCommFailed},
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
    {S(IDS_INSTRUMENT_EMPTY), "計器にデータが存在しません"},
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
    {S(IDS_CONFIRM_SAVE_UNSAVED),
     "表示中のデータは保存されていません。\n保存しますか？\n"
     "はい：保存してから続行\nいいえ：保存せずに続行（データは破棄されます）\nキャンセル：中止"},
    {S(IDS_JOURNAL_NOT_WRITTEN),
     "取込データの控えファイル（ジャーナル）を書き込めません。\n"
     "取込はこのまま続けますが、プログラムが異常終了すると、保存していないデータは失われます。\n"
     "データは早めに保存してください。"},
    {S(IDS_JOURNAL_FOLDER), "フォルダー："},
    {S(IDS_CAPTURE_LIMIT_REACHED),
     "取込データが上限の10000件に達したため、取込を終了しました。\nデータを保存してください。"},
    {S(IDS_RESTORE_UNREADABLE),
     "ただし、%1 行が読み取れませんでした（復元できるデータは %2 件です）。\n"
     "読み取れない行を含む元のファイルは、どちらを選んでも別名で保管します。"},
    {S(IDS_JOURNAL_UNREADABLE),
     "前回の取込データの控えファイルを読み取れませんでした（読み取れない行：%1 行）。\n"
     "ファイルは別名で保管しました。"},

    // ---- Files and the link under faults ----
    {S(IDS_FILE_REASON_NOT_REGULAR),
     "デバイスやパイプなど、通常のファイルではありません。\n別の名前を指定してください。"},
    {S(IDS_FILE_REASON_UNTRUSTED_LINK),
     "共有フォルダーにある他のユーザーのリンクはたどりません。\nリンク先のファイルを直接指定してください。"},
    {S(IDS_FILE_REASON_PERMISSION), "ファイルまたはフォルダーに書き込む権限がありません。"},
    {S(IDS_FILE_REASON_DISK_FULL), "ディスクの空き容量が足りません。"},
    {S(IDS_FILE_REASON_READ_ONLY), "ディスクが書き込み禁止になっています。"},
    {S(IDS_FILE_REASON_NO_FOLDER), "フォルダーが存在しません。"},
    {S(IDS_FILE_REASON_OTHER), "システムエラー："},

    // ---- Keyboard, ports, messages and files ----
    {S(IDS_RANGE_ALLOWED), "%1 から %2 までの値を入力してください。"},
    {S(IDS_RANGE_ORDER), "下限には上限より小さい値を入力してください。"},
    {S(IDS_RANGE_AT_LEAST), "%1 以上の値を入力してください。"},
    {S(IDS_CLOSE_WHILE_CAPTURING),
     "取込中はウィンドウを閉じられません。\n「取込停止」で取込を止めてから閉じてください。"},
    {S(IDS_CLOSE_WHILE_DOWNLOADING),
     "ダウンロード中はウィンドウを閉じられません。\n"
     "ダウンロードが終わるまで待つか、「ｷｬﾝｾﾙ」で中止してください。"},
    {S(IDS_PORT_BYTE_SIZE_4),
     "データビット 4 はこのパソコンのシリアルポートでは使えません。\n"
     "データビットは 5～8 から選んでください。"},
    {S(IDS_PORT_STOP_BITS_1_5),
     "ストップビット 1.5 はデータビット 5 のときだけ使えます。\n"
     "ストップビット 1 か 2 を選ぶか、データビットを 5 にしてください。"},
    {S(IDS_PORT_STOP_BITS_2),
     "ストップビット 2 はデータビット 5 では使えません。\n"
     "ストップビット 1 か 1.5 を選ぶか、データビットを 6～8 にしてください。"},
    {S(IDS_TIP_NORMAL), "正常"},
    {S(IDS_TIP_NO_VALUE), "値なし"},
    {S(IDS_TIP_STATE), "状態コード：%1"},
    {S(IDS_TIP_COMPONENT_ERROR), "成分エラー：%1"},
    {S(IDS_TIP_INSTRUMENT_ERROR), "計器エラー：%1"},
    {S(IDS_TIP_LAMP_CALIBRATING), "緑：校正中の値"},
    {S(IDS_TIP_LAMP_OTHER), "黄：正常でも校正中でもない状態の値"},
    {S(IDS_TIP_LAMP_ERROR), "赤：成分エラーのある値\n値の上にマウスを置くとエラーの内容が表示されます"},
    {S(IDS_TIP_NO_INSTRUMENT_ERROR), "計器エラーはありません"},

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

    // ---- Graphs that say what they show ----
    {S(IDS_PICTURE_UNSAVED), "未保存のデータ"},
    {S(IDS_PICTURE_MORE_SITES), "他 %1 地点"},
    {S(IDS_PICTURE_TIME_SPAN), "%1 ～ %2"},
    {S(IDS_XY_LEGEND_RANGE), "%1  %2～%3 %4"},
    {S(IDS_DEPTH_FILES_LEFT_OUT),
     "深さグラフで比べられるデータは 20 個までです。\n選んだファイルのうち %1 個は追加しませんでした。"},

    // ---- Command line ----
    {S(IDS_CLI_USAGE),
     "使い方: kelp-collector [FILE.csv]\n"
     "        kelp-collector コマンド [オプション]... [ファイル]...\n"
     "コマンドなしで起動するとウィンドウを開きます（FILE.csv を付けると、その\n"
     "ファイルを開きます）。コマンドを付けると画面（ディスプレイ）なしで動作し、\n"
     "端末、スクリプト、cron、ssh から使えます。\n"
     "\n"
     "コマンド:"},
    {S(IDS_CLI_USAGE_FOOTER),
     "すべてのコマンドのオプション:\n"
     "  --settings FILE  ポート、通信設定、[PortDevices]、取込周期を、この\n"
     "                   ソフトの設定ファイルではなく FILE から読みます\n"
     "  -q, --quiet      標準エラー出力に進み具合や報告を出さず、問題だけを出します\n"
     "  -h, --help       コマンドの説明を表示して終了します\n"
     "kelp-collector --version でバージョンを表示します。\n"
     "\n"
     "データファイルの名前を - にすると標準入力から読みます。-o - で、export の表と\n"
     "plot の画像を標準出力に書きます。読む側が途中でやめたとき（head）は、何も\n"
     "表示せずに終了ステータス 8 で終了します。\n"
     "\n"
     "終了ステータス:\n"
     "    0  成功\n"
     "    2  コマンドラインが正しくない（出力ファイルが入力ファイルと同じなど）、\n"
     "       またはウィンドウを開くディスプレイがない\n"
     "    3  ポートがオープンできない\n"
     "    4  計器が応答しない\n"
     "    5  通信に失敗した\n"
     "    6  計器にデータが存在しない\n"
     "    7  入力ファイルが読めない、またはデータファイルではない\n"
     "    8  出力ファイルが書き込めない\n"
     "    9  データは保存したが、計器が示した件数と合わない\n"
     "  130  中断された（Ctrl+C、SIGTERM、SIGHUP）\n"
     "\n"
     "メッセージは標準エラー出力に、ウィンドウと同じ言語で出ます。\n"
     "コマンドの説明は「kelp-collector コマンド --help」、詳しくは\n"
     "「man kelp-collector」を見てください。"},
    {S(IDS_CLI_SUMMARY_DOWNLOAD), "計器に記録された全データをデータファイルに取り込みます"},
    {S(IDS_CLI_SUMMARY_CAPTURE), "測定値を必要なだけ取り込み、データファイルに保存します"},
    {S(IDS_CLI_SUMMARY_INFO), "データファイルの内容（件数、日時、地点、値の範囲）を表示します"},
    {S(IDS_CLI_SUMMARY_EXPORT), "データファイルを整然とした UTF-8 の CSV ファイルに書き出します"},
    {S(IDS_CLI_SUMMARY_PLOT), "トレンド、深さ、X-Y グラフを PNG、SVG、PDF の画像にします"},
    {S(IDS_CLI_HELP_DOWNLOAD),
     "使い方: kelp-collector download [--port PORT] [通信設定のオプション] [--settings FILE]\n"
     "                               -o FILE.csv\n"
     "計器のメモリに記録された全データを取り込み、古い順にこのソフトのデータ\n"
     "ファイルとして保存します。ウィンドウで全データをダウンロードし、全件を\n"
     "取り込んで保存したときと同じ内容のファイルになります。\n"
     "\n"
     "  -o, --output FILE  書き込むデータファイル（既存のファイルは、\n"
     "                     ダウンロードが成功したときだけ置き換えます）\n"
     "  --port PORT        COM1～COM19（ウィンドウと同じく、設定ファイルの\n"
     "                     [PortDevices] も含めてデバイスに対応づけます）、\n"
     "                     または /dev/ttyUSB0 のようなデバイスのパス。\n"
     "                     省略時は設定ファイルのポート\n"
     "  --baud RATE        4800、9600、19200、38400、57600 ビット/秒\n"
     "  --data-bits N      5、6、7、8\n"
     "  --parity PARITY    none（なし）、odd（奇数）、even（偶数）\n"
     "  --stop-bits N      1、1.5（データビット 5 のときだけ）、2（5 では不可）\n"
     "                     通信設定のオプションは、設定ファイルの代わりにこの\n"
     "                     実行だけの通信設定にします。通信設定ダイアログと\n"
     "                     同じ規則で確かめます\n"
     "  --settings FILE    別の設定ファイル\n"
     "\n"
     "進み具合は標準エラー出力に、端末ではバーで、それ以外では 1 割ごとに\n"
     "1 行で表示します。Ctrl+C でダウンロードを止め、それまでに受信した\n"
     "データを保存します（終了ステータス 130）。このとき FILE.csv が既に\n"
     "あれば、そのファイルは変更せず、横の FILE.partial.csv に保存します。\n"
     "ダウンロードに失敗したときはファイルを書きません。データは計器に残って\n"
     "いるので、もう一度実行してください。受信したデータの数が計器の示した\n"
     "件数と合わないときは、その旨を表示し、終了ステータスは 9 です。"},
    {S(IDS_CLI_HELP_CAPTURE),
     "使い方: kelp-collector capture [--port PORT] [--interval SECONDS]\n"
     "                              [--count N | --for DURATION]\n"
     "                              [--reconnect DURATION] -o FILE.csv\n"
     "SECONDS 秒ごと（0 は連続）に測定値を要求して保存します。10000 件ごとに\n"
     "次のファイルに続けます: FILE.csv、FILE-2.csv、FILE-3.csv ...。どれも\n"
     "ウィンドウで開ける完全なデータファイルです。\n"
     "\n"
     "  -o, --output FILE     最初のデータファイル。このファイルも FILE-N.csv も\n"
     "                        存在してはいけません（以前の取込を上書きしません）\n"
     "  --interval SECONDS    0～9999。省略時は設定ファイルの取込周期\n"
     "  --count N             N 件で終了\n"
     "  --for DURATION        DURATION で終了: 秒数、または数字に d、h、m、s を\n"
     "                        付けたもの（90s、15m、12h、2d、1h30m）\n"
     "  --reconnect DURATION  ポートが使えなくなったとき（変換器が抜けた、回線が\n"
     "                        切れた）、データを保持したまま DURATION の間、数秒\n"
     "                        ごとにポートを開き直し、同じファイルに取込を続け\n"
     "                        ます（省略時は 10m。0 はすぐに終了）\n"
     "  --port PORT           COM1～COM19 またはデバイスのパス（download と同じ）\n"
     "  --baud、--data-bits、--parity、--stop-bits\n"
     "                        この実行の通信設定（download と同じ）\n"
     "  --settings FILE       別の設定ファイル\n"
     "\n"
     "--count も --for もなければ Ctrl+C まで取り込み、Ctrl+C で正常に終了\n"
     "します（終了ステータス 0）。どちらかがあれば Ctrl+C で途中終了します\n"
     "（終了ステータス 130）。いずれの場合も受信したデータはすべて保存します。\n"
     "各データはすぐにファイルの横のジャーナルにも書き込みます:\n"
     "FILE.journal.csv、FILE-2.journal.csv ...。プロセスが強制終了されても、\n"
     "書き込み中のファイルのデータはジャーナルに残り、「kelp-collector recover\n"
     "FILE.journal.csv」でデータファイルにできます。ジャーナルはファイルを\n"
     "保存すると削除します。取込の実行中は、同じ名前への 2 つ目の取込を受け\n"
     "付けません。取込が使う予定の名前に別のファイルが作られたときは、その\n"
     "ファイルは変更せず、データは FILE.capture.csv に保存して、その旨を表示\n"
     "します。フォルダにジャーナルやファイルを書き込めないとき（ディスクが\n"
     "いっぱい、フォルダが削除された）は、データを保持して\n"
     "$XDG_STATE_HOME/kelp-collector（なければ ~/.local/state/kelp-collector）、\n"
     "ホームフォルダ、/tmp のいずれかに保存し、そのファイル名を表示します\n"
     "（終了ステータス 8）。ウィンドウのジャーナルとは別のファイルなので、\n"
     "ウィンドウを開いたままでも取り込めます。"},
    {S(IDS_CLI_HELP_INFO),
     "使い方: kelp-collector info [--json] FILE.csv...\n"
     "各データファイルについて、データ件数、最初と最後の日時とその間の時間、\n"
     "地点とそのデータ件数、位置のあるデータの件数と位置の範囲、成分と単位\n"
     "ごとの有効な値の数と最小値・最大値を表示します。FILE を - にすると標準\n"
     "入力から読みます。\n"
     "\n"
     "  --json           同じ内容をスクリプト向けの JSON で出します。ファイルごとに\n"
     "                   1 つのオブジェクトの配列で、メンバーは file、records、\n"
     "                   first と last（ISO 8601、なければ null）、span_seconds、\n"
     "                   sites（name、records）、positions（records と、10 進の度の\n"
     "                   south、north、west、east。位置がなければ null）、\n"
     "                   components（column、name、unit、title、values、minimum、\n"
     "                   maximum。名前と単位は export の列名と同じ ASCII）です\n"
     "  --settings FILE  別の設定ファイル（このコマンドは読みません）"},
    {S(IDS_CLI_HELP_EXPORT),
     "使い方: kelp-collector export [--titles ascii|program] [--utc-offset +HH:MM]\n"
     "                             FILE.csv -o OUT.csv\n"
     "        kelp-collector export FILE.csv --bin METRES [--downcast] -o OUT.csv\n"
     "データファイルを、pandas、R、表計算ソフトが文字コードの指定なしで読める\n"
     "整然とした UTF-8 の CSV ファイルに書き出します。1 行が 1 データで、\n"
     "ISO 8601 の日時（2024-05-01T10:30:00）、地点、10 進の度で表した緯度と\n"
     "経度（南緯と西経は負、位置がなければ空）、続いて成分と単位ごとに 1 列、\n"
     "列名に単位を付けます。列名はどのパソコンでも同じで、time、site、latitude、\n"
     "longitude、続いて成分と単位を ASCII で表した temperature_degC、ph、orp_mV、\n"
     "conductivity_mS_per_m、depth_m などです。有効でない値は空欄です。ファイルは\n"
     "UTF-8 のバイト順マークで始まり、行は CR LF で終わります。標準出力（-o -）\n"
     "にはバイト順マークを付けません。FILE を - にすると標準入力から読みます。\n"
     "\n"
     "  --titles ascii|program\n"
     "                     列名を ASCII で（省略時）、またはこのソフトの見出しを\n"
     "                     表示言語で（水温 [℃]）\n"
     "  --utc-offset +HH:MM\n"
     "                     各日時に時計のタイムゾーンの UTC からのずれを付けます\n"
     "                     （2024-05-01T10:30:00+09:00）。省略時は計器の現地時刻を\n"
     "                     タイムゾーンなしで書きます\n"
     "  --format utf8      書き出す形式（utf8 のみで、省略時も utf8）\n"
     "  -o, --output FILE  書き込むファイル。- で標準出力（既存のファイルは、全体を\n"
     "                     書き終えたときだけ置き換えます。入力ファイルには書き込みません）\n"
     "  --bin METRES       代わりに、casts が見つけるキャストごとに、水面から\n"
     "                     METRES（0.01～1000）ごとの水深の区間で平均します。\n"
     "                     キャストと区間ごとに 1 行で、キャストの番号、地点、\n"
     "                     区間の中央、成分と単位ごとの平均（値より 1 桁多く）、\n"
     "                     区間のデータ数を書きます\n"
     "  --downcast         --bin で、下降のデータだけを使います\n"
     "  --gap、--min-height、--min-records、--distance、--settings\n"
     "                     --bin で使うキャスト検出のしきい値（casts と同じ）"},
    {S(IDS_CLI_HELP_PLOT),
     "使い方: kelp-collector plot --trend COMPONENT[,COMPONENT...] FILE.csv -o OUT\n"
     "        kelp-collector plot --depth COMPONENT FILE.csv... -o OUT\n"
     "        kelp-collector plot --xy X[:Y[,Y...]] FILE.csv -o OUT\n"
     "        kelp-collector plot --depth COMPONENT --casts [--downcast] FILE.csv -o OUT\n"
     "        kelp-collector plot --xy X[:Y[,Y...]] --casts [--downcast] FILE.csv -o OUT\n"
     "データファイルのグラフをウィンドウと同じ描画処理で描き、画像として書き込み\n"
     "ます。形式は OUT の拡張子で決まります: .png（画素）、.svg、.pdf（ベクター、\n"
     "PDF は 1 ページ）。\n"
     "\n"
     "  --trend COMPONENTS  1 つのファイルのトレンドグラフ。メインウィンドウの\n"
     "                      グラフと同じく、成分をデータの時間に対して描きます。\n"
     "                      コンマで区切って 2～3 成分を指定すると、ウィンドウと\n"
     "                      同じく縦に並べます\n"
     "  --depth COMPONENT   最大 20 個のファイル（キャスト）を並べた深さグラフ。\n"
     "                      成分の値を深さごとの色で表します\n"
     "  --xy X:Y,Y...       1 つのファイルの X-Y グラフ。各 Y を X に対して描き、\n"
     "                      左の Y 軸は最初の Y、右の軸は 2 番目の Y に合わせ、\n"
     "                      凡例に各線の目盛の範囲を書きます。X だけを指定すると、\n"
     "                      ウィンドウを開いたときと同じく他の全成分を描きます\n"
     "  --casts             --depth か --xy で、casts が 1 つのファイルに見つける\n"
     "                      キャストを別々の系列として描きます。深さグラフでは\n"
     "                      1 キャスト 1 列（最初の 20 個）、X-Y グラフでは\n"
     "                      1 キャスト 1 本の線で、成分が 1 つなら線ごとに色を\n"
     "                      変えます。プロファイルのない時系列は描きません\n"
     "  --downcast          --casts で、下降のデータだけを描きます\n"
     "  --gap、--min-height、--min-records、--distance\n"
     "                      --casts で使うキャスト検出のしきい値（casts と同じ）\n"
     "  -o, --output OUT    書き込む画像（既存のファイルは、画像を書き終えたとき\n"
     "                      だけ置き換えます）。- で標準出力\n"
     "  --format FORMAT     拡張子の代わりに png、svg、pdf のどれか（標準出力には、\n"
     "                      指定がなければ PNG を書きます）\n"
     "  --size WxH          画像の大きさ（ピクセル、幅と高さはそれぞれ 200～4000。\n"
     "                      PDF は 1 インチ 96 ピクセル）。省略時はトレンドグラフ\n"
     "                      1 つに 640x440（表題の行と高さ 400 のグラフ、グラフが\n"
     "                      1 つ増えるごとに 399 増）、深さグラフ 800x575、\n"
     "                      X-Y グラフ 800x600\n"
     "  --settings FILE     別の設定ファイル\n"
     "\n"
     "成分は、info やウィンドウに出る日本語または英語の名前（水温、Water Temp.）\n"
     "か、列の番号（1～13）で指定します。大文字と小文字、空白、ピリオド、全角と\n"
     "半角は区別しません。1 つの成分にしか当てはまらなければ、名前の先頭や一部\n"
     "でもかまいません（cond、temp）。角かっこで単位を選べます（水深 [feet]）。\n"
     "単位を省くと、ウィンドウと同じく最初のデータの単位で描きます。\n"
     "グラフはウィンドウでファイルを開いたときと同じ設定で描きます。トレンド\n"
     "グラフは設定ファイルの [GraphSettings] の時間軸と値の範囲（カーソル線は\n"
     "描きません）、X-Y グラフは [XYGraphSettings] の値の範囲、深さグラフは最初の\n"
     "ファイルの深さの単位を使います。\n"
     "名前に当てはまる成分がなければ、ファイルの成分を表示して終了ステータス 2 で\n"
     "終了します。読めないファイルや、--depth で深さのないファイルがあれば終了\n"
     "ステータス 7 です。"},
    {S(IDS_CLI_TRY_HELP), "「%1 --help」で使い方を表示します。"},
    {S(IDS_CLI_UNKNOWN_COMMAND), "不明なコマンドです: %1"},
    {S(IDS_CLI_UNKNOWN_OPTION), "不明なオプションです: %1"},
    {S(IDS_CLI_MISSING_VALUE), "オプション %1 には値が必要です。"},
    {S(IDS_CLI_BAD_VALUE), "%1 の値が正しくありません: %2"},
    {S(IDS_CLI_NO_OUTPUT), "出力ファイルがありません。-o FILE で指定してください。"},
    {S(IDS_CLI_NO_INPUT), "入力ファイルが指定されていません。"},
    {S(IDS_CLI_EXTRA_ARGUMENT), "余分な引数があります: %1"},
    {S(IDS_CLI_SETTINGS_MISSING), "設定ファイル %1 が存在しません。"},
    {S(IDS_CLI_COUNT_OR_FOR), "--count と --for はどちらか一方だけ指定してください。"},
    {S(IDS_CLI_UNKNOWN_FORMAT), "不明な形式です: %1（形式は utf8 です）"},
    {S(IDS_CLI_PORT_HINT),
     "--port で別のポートを指定するか、%1 の [PortDevices] でポートをデバイスに対応づけてください。"},
    {S(IDS_CLI_NO_REPLY_HINT),
     "%1 の計器が応答しません。計器の電源と接続、および %2 の通信設定が計器と合っているか確認してください。"},
    {S(IDS_CLI_COMM_HINT),
     "%1 の回線に異常があります。ケーブルと変換器を確認して、もう一度実行してください。"},
    {S(IDS_CLI_DOWNLOAD_RETRY),
     "%1 "
     "件を受信しましたが、保存していません。データは計器に残っているので、もう一度ダウンロードしてください"
     "。"},
    {S(IDS_CLI_NOTHING_SAVED), "何も保存していません。"},
    {S(IDS_CLI_INTERRUPTED), "中断しました。"},
    {S(IDS_CLI_SAVED), "%1 件を %2 に保存しました"},
    {S(IDS_CLI_WRITE_HINT),
     "%1 に書き込めません。フォルダが存在し、書き込む権限があり、ディスクに空きがあるか確認してください。"},
    {S(IDS_CLI_OUTPUT_EXISTS),
     "%1 "
     "が存在します。取込は以前のファイルを上書きしません。別の名前を指定するか、以前の取込のファイルを移動し"
     "てください。"},
    {S(IDS_CLI_JOURNAL_EXISTS),
     "%1 "
     "は正常に終了しなかった取込のジャーナルです。次のコマンドでデータファイルにしてから、もう一度取り込んで"
     "ください:\n"
     "  kelp-collector recover %1"},
    {S(IDS_CLI_JOURNAL_FAILED),
     "ジャーナル %1 "
     "に書き込めません。異常終了するとデータが失われます。フォルダとディスクを確認してください。"},
    {S(IDS_CLI_JOURNAL_KEPT), "そのデータはジャーナル %1（データファイル）に残っています。"},
    {S(IDS_CLI_CAPTURE_START), "%1 から %2 秒ごとに %3 へ取り込みます。Ctrl+C で終了します。"},
    {S(IDS_CLI_CAPTURING), "取込中"},
    {S(IDS_CLI_ENDED_EARLY), "取込が途中で終わりました。それまでに受信したデータはすべて保存しました。"},
    {S(IDS_CLI_PROGRESS_OF), "%1/%2 件"},
    {S(IDS_CLI_PROGRESS_COUNT), "%1 件"},
    {S(IDS_CLI_EXPORTED), "%1 件を %2 に書き出しました"},
    {S(IDS_CLI_EXPORT_TIME), "日時"},
    {S(IDS_CLI_EXPORT_SITE), "地点"},
    {S(IDS_CLI_INFO_RECORDS), "データ件数"},
    {S(IDS_CLI_INFO_FIRST), "最初"},
    {S(IDS_CLI_INFO_LAST), "最後"},
    {S(IDS_CLI_INFO_SPAN), "期間"},
    {S(IDS_CLI_INFO_SITES), "地点"},
    {S(IDS_CLI_INFO_POSITIONS), "位置"},
    {S(IDS_CLI_INFO_POSITION_RANGE), "%1 件、緯度 %2 ～ %3、経度 %4 ～ %5"},
    {S(IDS_CLI_INFO_NONE), "なし"},
    {S(IDS_CLI_INFO_COMPONENTS), "成分（有効な値の数、最小値、最大値）"},
    {S(IDS_CLI_INFO_VALUES), "%1 個  %2 .. %3"},
    {S(IDS_CLI_PLOT_KIND), "--trend、--depth、--xy のどれか 1 つを指定してください。"},
    {S(IDS_CLI_PLOT_NO_COMPONENT), "%1 に当てはまる成分が %2 にありません。成分: %3"},
    {S(IDS_CLI_PLOT_AMBIGUOUS), "%1 は複数の成分に当てはまります: %2。名前をもっと詳しく指定してください。"},
    {S(IDS_CLI_PLOT_NO_UNIT), "%1 に単位 %2 はありません。単位: %3"},
    {S(IDS_CLI_PLOT_ONE_FILE),
     "%1 で描けるデータファイルは 1 つです。ファイルを並べて比べるには --depth を使ってください。"},
    {S(IDS_CLI_PLOT_TOO_MANY_FILES), "深さグラフで比べられるデータファイルは 20 個までです。"},
    {S(IDS_CLI_PLOT_FORMAT),
     "%1: 画像の形式は拡張子で決まります。.png、.svg、.pdf のどれかにしてください（--format "
     "で選ぶこともできます）。"},
    {S(IDS_CLI_PLOT_NO_DEPTH_HINT), "%1 を深さグラフから外すか、--trend か --xy で描いてください。"},
    {S(IDS_CLI_PLOT_SIZE_HINT), "大きさは 幅x高さ のピクセル数で、それぞれ 200～4000 です（例: 1200x800）。"},
    {S(IDS_CLI_PLOT_TOO_MANY_TRENDS), "--trend で描ける成分は、ウィンドウのグラフと同じく 1～3 個です。"},
    {S(IDS_CLI_PLOT_X_AS_Y), "%1 は X 軸です。コロンの後には、X に対して描く他の成分を指定してください。"},
    {S(IDS_CLI_PLOTTED), "%1 に画像を書き込みました"},
    // Stations and casts on the command line
    {S(IDS_CLI_SUMMARY_CASTS), "データファイルの測点とキャストを見つけて一覧にします"},
    {S(IDS_CLI_SUMMARY_SPLIT), "データファイルのキャストまたは測点ごとに、別のデータファイルに書き出します"},
    {S(IDS_CLI_HELP_CASTS),
     "使い方: kelp-collector casts [--csv] [--gap DURATION] [--min-height METRES]\n"
     "                            [--min-records N] [--distance METRES] FILE.csv...\n"
     "各データファイルのデータを記録順に見て、測点とキャストを見つけて一覧に\n"
     "します。地点名が変わったところ、間隔が GAP より長く空いたところ、位置が\n"
     "DISTANCE より遠くへ動いたところで測点が変わります。キャストは、プローブが\n"
     "最小の高さ以上、最小のデータ件数以上をかけて下降し、また上がってくるまで\n"
     "です。1 つの測点の複数のキャストはヨーヨーです。最初の下降の前に水面近くに\n"
     "あるデータ（ソーク）は最初のキャストに含み、下降には含みません。水深の\n"
     "ない測点や下降のない測点は 1 つの時系列（定点の連続観測）です。データ番号は\n"
     "ファイルの No. 列の番号です。\n"
     "\n"
     "  --csv                スクリプト用の CSV（ファイル 1 つ）。見出しは\n"
     "                       cast,station,site,first,last,deepest,max_depth_m,\n"
     "                       start,end,records,down_first,down_last\n"
     "                       （日時は ISO 8601、水深はメートル。時系列には\n"
     "                       下降がありません）\n"
     "  --gap DURATION       測点を分ける間隔（省略時 10m）: 秒数、または数字に\n"
     "                       d、h、m、s を付けたもの\n"
     "  --min-height METRES  キャストの最小の高さ（省略時 1。測点の水深の幅の\n"
     "                       1 割の方が大きければそちら）\n"
     "  --min-records N      下降の最小のデータ件数（省略時 5）\n"
     "  --distance METRES    測点を分ける移動距離（省略時 500）\n"
     "  --settings FILE      別の設定ファイル\n"
     "\n"
     "指定しなかったしきい値は、設定ファイルの [CastFinder] セクション（ウィンドウが\n"
     "保存します）の値、なければ省略時の値です。"},
    {S(IDS_CLI_HELP_SPLIT),
     "使い方: kelp-collector split FILE.csv -o FOLDER [--by cast|station] [--downcast]\n"
     "                            [--gap DURATION] [--min-height METRES]\n"
     "                            [--min-records N] [--distance METRES]\n"
     "casts がデータファイルに見つけるキャスト（または測点）ごとに、FOLDER に別の\n"
     "データファイルを書き出します。どれもウィンドウで開ける完全なデータファイルで、\n"
     "名前は保存ダイアログが提案するのと同じく、最初のデータの地点と日時です\n"
     "（KELP BAY ST.01_20260615-0800.csv）。既存のファイルは置き換えません。\n"
     "名前が使われていれば、空いている次の番号を付けます\n"
     "（KELP BAY ST.01_20260615-0800-2.csv）。書き終えてディスクに記録した\n"
     "ファイルから、標準出力に 1 行ずつ表示します。\n"
     "\n"
     "  -o, --output FOLDER  書き込むフォルダ（存在していること）\n"
     "  --by cast|station    キャストごと（省略時。時系列は 1 つのキャストとして）\n"
     "                       または測点ごとに 1 ファイル\n"
     "  --downcast           下降のデータだけを書き出します（下降のない時系列は\n"
     "                       書き出しません）\n"
     "  --gap、--min-height、--min-records、--distance、--settings\n"
     "                       casts と同じ"},
    {S(IDS_CLI_CAST_OPTION_HINT),
     "--gap は時間（600、90s、15m、1h）、--min-height は 0.01 以上のメートル、--min-records は "
     "2～10000、--distance は 1 以上のメートルです。"},
    {S(IDS_CLI_CASTS_SUMMARY), "測点 %1、キャスト %2、時系列 %3"},
    {S(IDS_CLI_CASTS_COL_CAST), "キャスト"},
    {S(IDS_CLI_CASTS_COL_STATION), "測点"},
    {S(IDS_CLI_CASTS_COL_SITE), "地点"},
    {S(IDS_CLI_CASTS_COL_START), "開始"},
    {S(IDS_CLI_CASTS_COL_END), "終了"},
    {S(IDS_CLI_CASTS_COL_RECORDS), "件数"},
    {S(IDS_CLI_CASTS_COL_DEPTH), "最大水深"},
    {S(IDS_CLI_CASTS_COL_NUMBERS), "No."},
    {S(IDS_CLI_CASTS_COL_DOWN), "下降"},
    {S(IDS_CLI_CASTS_SERIES), "時系列"},
    {S(IDS_CLI_CASTS_CSV_ONE_FILE), "--csv で表せるデータファイルは 1 つずつです。"},
    {S(IDS_CLI_STDOUT_FAILED), "標準出力に書き込めません。"},
    {S(IDS_CLI_SPLIT_BY), "--by の値が正しくありません: %1（cast か station を指定してください）"},
    {S(IDS_CLI_SPLIT_CANNOT_WRITE), "%1 に書き込めません。"},
    {S(IDS_CLI_SPLIT_DONE), "%1 個のファイル（%2 件）を %3 に書き込みました"},
    {S(IDS_CLI_SPLIT_PARTIAL), "それまでに %1 個の完全なファイル（%2 件）を %3 に書き込みました。"},
    {S(IDS_CLI_SPLIT_SERIES_LEFT), "下降のない時系列 %1 個は書き出していません。"},
    {S(IDS_CLI_SPLIT_NOTHING), "%1 にはデータがありません。何も書き込んでいません。"},
    {S(IDS_CLI_SPLIT_NOT_FOLDER), "%1 はフォルダではありません。"},

    // ---- Casts in the windows, depth bins and cast pictures ----
    {S(IDS_CAST_TREE_STATION), "測点%1  %2"},
    {S(IDS_CAST_TREE_CAST), "キャスト%1"},
    {S(IDS_CAST_TREE_SERIES), "時系列%1"},
    {S(IDS_CASTS_FOLDER_TITLE), "キャストごとのファイルを保存するフォルダ"},
    {S(IDS_CASTS_NOTHING_TO_SAVE), "保存する下降のデータがありません（時系列には下降がありません）。"},
    {S(IDS_DEPTH_CASTS_LEFT_OUT),
     "深さグラフで比べられるデータは 20 個までです。\nキャストのうち %1 個は追加していません。"},
    {S(IDS_DEPTH_NO_CASTS), "表示中のデータにキャストがありません。水深に計器の下降が見つかりませんでした。"},
    {S(IDS_CAST_OPTIONS_NOT_KEPT), "しきい値は使いますが、設定ファイルに保存できませんでした。\n%1"},
    {S(IDS_CLI_EXPORT_BIN_CENTRE), "区間中央 [m]"},
    {S(IDS_CLI_EXPORT_BINNED), "%1 行（キャスト %2 個、%3 m ごとの区間）を %4 に書き出しました"},
    {S(IDS_CLI_EXPORT_BIN_HINT), "--bin には区間の高さをメートルで 0.01～1000 の範囲で指定してください。"},
    {S(IDS_CLI_EXPORT_BIN_ONLY), "%1 は --bin と一緒に指定してください。"},
    {S(IDS_CLI_PLOT_CASTS_KIND), "--casts は --depth か --xy と一緒に指定してください。"},
    {S(IDS_CLI_PLOT_CASTS_ONE_FILE), "--casts で描けるのは 1 つのデータファイルのキャストです。"},
    {S(IDS_CLI_PLOT_CASTS_LEFT_OUT),
     "%1 にはキャストが %2 個あります。深さグラフには最初の 20 個を描きます。"},
    {S(IDS_CLI_PLOT_NO_CASTS), "%1 にキャストがありません。水深に計器の下降が見つかりませんでした。"},
    {S(IDS_CLI_PLOT_CASTS_ONLY), "%1 は --casts と一緒に指定してください。"},
    {C(IDD_DATA_SELECT, IDC_SELECT_CASTS), "キャスト\n開始\n最大水深\n件数"},
    {C(IDD_DATA_SELECT, IDC_SELECT_DOWNCAST), "下降のみ"},
    {C(IDD_DATA_SELECT, IDC_SELECT_SAVE_CASTS), "キャストごとに保存..."},
    {C(IDD_DATA_SELECT, IDC_SELECT_SAVE_BY), "キャストごと\n測点ごと"},
    {C(IDD_DATA_SELECT, IDC_SELECT_CAST_OPTIONS), "しきい値..."},
    {C(IDD_DEPTH_GRAPH, IDC_DEPTH_ADD_CASTS), "キャスト追加"},
    {M(IDR_MENU_DEPTH, ID_ADD_CASTS), "キャスト追加(&C)"},
    {M(IDR_MENU_DEPTH, ID_DOWNCASTS_ONLY), "下降のみ(&D)"},
    {C(IDD_XY_GRAPH, IDC_LABEL_CAST), "キャスト"},
    {C(IDD_XY_GRAPH, IDC_XY_CAST), "全データ\n各キャスト"},
    {T(IDD_CAST_OPTIONS), "キャスト検出のしきい値"},
    {C(IDD_CAST_OPTIONS, IDC_LABEL_CAST_GAP), "測点を分ける無記録の時間（分）"},
    {C(IDD_CAST_OPTIONS, IDC_LABEL_CAST_DISTANCE), "測点を分ける移動距離（m）"},
    {C(IDD_CAST_OPTIONS, IDC_LABEL_CAST_HEIGHT), "キャストの最小の高さ（m）"},
    {C(IDD_CAST_OPTIONS, IDC_LABEL_CAST_RECORDS), "下降の最少データ数"},
    {C(IDD_CAST_OPTIONS, IDC_CAST_DEFAULTS), "既定値"},
    {C(IDD_CAST_OPTIONS, IDOK), "OK"},
    {C(IDD_CAST_OPTIONS, IDCANCEL), "ｷｬﾝｾﾙ"},

    // ---- Starting on the desktop and from scripts ----
    {S(IDS_CLI_USAGE_LINE),
     "使い方: kelp-collector [FILE.csv] または kelp-collector コマンド "
     "[オプション]...（コマンドの一覧は「kelp-collector --help」）"},
    {S(IDS_CLI_NO_DISPLAY),
     "ウィンドウを開くにはディスプレイが必要ですが、設定されていません（DISPLAY、WAYLAND_DISPLAY）。"
     "コマンドはディスプレイなしで動作します。一覧は「kelp-collector --help」で表示します。"},
    {S(IDS_CLI_DISPLAY_FAILED),
     "ウィンドウを開けません: %1。コマンドはディスプレイなしで動作します。一覧は「kelp-collector "
     "--help」で表示します。"},
    {S(IDS_CLI_RUNNING_NO_ANSWER), "このディスプレイで起動しているプログラムが応答しません。"},
    {S(IDS_OPEN_BUSY),
     "取込またはダウンロードの実行中か、ダイアログが開いているため、次のファイルを開きませんでした。\n"
     "終わってから、もう一度開いてください。\n\n%1"},

    // ---- The command line as scripts use it ----
    {S(IDS_CLI_LINE_HINT),
     "--baud は 4800、9600、19200、38400、57600、--data-bits は 5、6、7、8、--parity は "
     "none（なし）、odd（奇数）、even（偶数）、--stop-bits は 1、1.5、2 のどれかです。"},
    {S(IDS_CLI_STDIN), "標準入力"},
    {S(IDS_CLI_STDOUT), "標準出力"},
    {S(IDS_CLI_INPUT_MISSING), "%1 は存在しません。"},
    {S(IDS_CLI_INPUT_NOT_FILE), "%1 は%2で、データファイルではありません。"},
    {S(IDS_CLI_KIND_FOLDER), "フォルダ"},
    {S(IDS_CLI_KIND_FIFO), "名前付きパイプ（FIFO）"},
    {S(IDS_CLI_KIND_DEVICE), "デバイス"},
    {S(IDS_CLI_KIND_SOCKET), "ソケット"},
    {S(IDS_CLI_INPUT_UNREADABLE), "%1 を読めません: %2。"},
    {S(IDS_CLI_INPUT_EMPTY), "%1 は空です。"},
    {S(IDS_CLI_INPUT_NOT_DATA),
     "%1 はこのソフトのデータファイルではありません。先頭が「%2」です（データファイルの先頭は"
     "「KelpPC DataFile,Version」）。"},
    {S(IDS_CLI_INPUT_DAMAGED), "%1 の %2 行目、%3 番目のフィールド（%4）が壊れています: %5。"},
    {S(IDS_CLI_INPUT_DAMAGED_LINE), "%1 の %2 行目が壊れています: %3。"},
    {S(IDS_CLI_WHY_FIELD_COUNT), "フィールドが %1 個しかありません（%2 個必要です）"},
    {S(IDS_CLI_WHY_NOT_NUMBER),
     "「%1」はこのソフトの書く数値ではありません（数字と 1 つまでの小数点、先頭のマイナス記号だけです）"},
    {S(IDS_CLI_WHY_TOO_LARGE), "「%1」は測定値として大きすぎます"},
    {S(IDS_CLI_WHY_CODE), "「%1」は文字 %2 の後に %3 文字が続く形ではありません"},
    {S(IDS_CLI_WHY_CODE_DIGIT), "「%1」のコード %2 は範囲外です（%3 まで）"},
    {S(IDS_CLI_WHY_SITE), "地点名「%1」が 20 バイトを超えています"},
    {S(IDS_CLI_WHY_BATTERY), "「%1」は、ただ 1 つの V で終わる形ではありません"},
    {S(IDS_CLI_WHY_ELEMENT), "「%1」は成分番号（0～24）ではありません"},
    {S(IDS_CLI_WHY_LINE_TOO_LONG),
     "行が 64 KiB を超えています（データファイルの行はそれほど長くなりません）"},
    {S(IDS_CLI_FIELD_ELEMENT), "成分番号"},
    {S(IDS_CLI_SETTINGS_NOT_FILE), "設定ファイル %1 は%2で、ファイルではありません。"},
    {S(IDS_CLI_TITLES_HINT),
     "--titles は ascii（名前と単位を ASCII で。どのパソコンでも同じ）か program（このソフトの"
     "見出し。表示言語で）です。"},
    {S(IDS_CLI_UTC_OFFSET_HINT),
     "時計のタイムゾーンの UTC からのずれを +HH:MM か -HH:MM で、-12:00 から +14:00 までで指定してください"
     "（例: +09:00）。"},
    {S(IDS_CLI_PLOT_FORMAT_HINT), "--format は png、svg、pdf のどれかです。"},

    // Files of more records than a data set takes
    {S(IDS_FILE_PARTLY_READ),
     "このファイルには %1 件のデータがあります。読み込んだのは最初の %2 件だけです。"},

    // ---- Records kept under faults: deletions, journals, reconnection, recovery ----
    {S(IDS_DOWNLOAD_COUNT_DIFFERS), "計器が示したデータ数は %1 件ですが、受信したデータは %2 件です。"},
    {S(IDS_CONFIRM_DELETE_RECORDS),
     "選択した %1 件のデータを削除しますか？\n"
     "削除したデータは元に戻せません。"},
    {S(IDS_CONFIRM_CLOSE_DEPTH),
     "追加したデータファイル（%1 件）は、閉じると一覧から消えます。\n"
     "閉じますか？"},
    {S(IDS_CLI_SAME_FILE),
     "%1 は入力ファイル %2 "
     "と同じファイルです。入力ファイルは上書きしません。別の出力ファイルを指定してください。"},
    {S(IDS_CLI_PARTIAL_SAVED), "%1 件を %2 に保存しました。%3 は変更していません。"},
    {S(IDS_CLI_CAPTURE_RUNNING),
     "%1 への取込が実行中です（ジャーナル %2 を使用中）。別の名前を指定してください。"},
    {S(IDS_CLI_NAME_TAKEN), "取込中に %1 が作られたため、そのファイルは変更せず、データは %2 に保存します。"},
    {S(IDS_CLI_JOURNAL_WRITTEN_AGAIN), "ジャーナル %1 に再び書き込めるようになりました。"},
    {S(IDS_CLI_JOURNAL_LOST),
     "ジャーナル %1 がなくなりました（フォルダが削除されたか、媒体が外されました）。"},
    {S(IDS_CLI_JOURNAL_MOVED), "以後のデータはジャーナル %1 に書き込みます。"},
    {S(IDS_CLI_KEPT_IN_MEMORY), "データはメモリに保持し、取込の終わりに保存します。"},
    {S(IDS_CLI_SAVED_INSTEAD), "%1 件を代わりに %2 に保存しました。"},
    {S(IDS_CLI_RECORDS_LOST), "%1 件のデータはどこにも保存できませんでした。"},
    {S(IDS_CLI_PORT_LOST),
     "%1 との通信が途絶えました。ここまでの %2 件は保持しています。%3 "
     "の間、数秒ごとにポートを開き直します。"},
    {S(IDS_CLI_RECONNECTED), "%1 に再接続しました（データのなかった時間 %2）。"},
    {S(IDS_CLI_RECONNECT_SUMMARY), "再接続 %1 回、データのなかった時間は合計 %2 です。"},
    {S(IDS_CLI_RECONNECT_GAVE_UP), "%1 の間に再接続できませんでした。"},
    {S(IDS_CLI_SUMMARY_RECOVER), "異常終了した取込のジャーナルをデータファイルにします"},
    {S(IDS_CLI_HELP_RECOVER),
     "使い方: kelp-collector recover JOURNAL [-o FILE.csv]\n"
     "正常に終了しなかった取込（強制終了、停電など）のジャーナルをデータファイルに\n"
     "します。読み取れるデータをすべて取込の順に保存し、1 行目の件数は保存した\n"
     "件数になります。読み取れない行は飛ばして、その行数を表示します。JOURNAL は、\n"
     "コマンドラインの取込の FILE.journal.csv か、ウィンドウの CaptureJournal.csv\n"
     "です。\n"
     "\n"
     "  -o, --output FILE  書き込むデータファイル（存在してはいけません）。省略時は\n"
     "                     ジャーナルの横の取込のファイル（station.journal.csv なら\n"
     "                     station.csv）、それ以外は JOURNAL の拡張子の前に\n"
     "                     .recovered を付けた名前。その名前が使われていれば、\n"
     "                     拡張子の前に .recovered（-2、-3 ...）を付けます\n"
     "\n"
     "既存のファイルを置き換えることはありません。ジャーナルのすべての行をデータ\n"
     "ファイルに保存したら、ジャーナルは削除します。読み取れない行のあった\n"
     "ジャーナルは残します。実行中の取込のジャーナルは受け付けません（終了\n"
     "ステータス 7）。"},
    {S(IDS_CLI_RECOVERED), "%1 から %2 件を復元して %3 に保存しました（読み取れなかった行：%4 行）。"},
    {S(IDS_CLI_JOURNAL_IN_USE),
     "%1 は実行中の取込が使用しているジャーナルです。取込が終わるまで待ってください。"},
    {S(IDS_CLI_RECOVER_NOTHING), "%1 には復元できるデータがありません（読み取れなかった行：%2 行）。"},
    {S(IDS_CLI_JOURNAL_REMOVED), "ジャーナル %1 は削除しました。"},
    {S(IDS_CLI_JOURNAL_KEPT_DAMAGED), "読み取れない行があるため、ジャーナル %1 は残しました。"},
    {S(IDS_CLI_FILE_EXISTS), "%1 は既に存在します。上書きしないので、-o で別の名前を指定してください。"},
    {S(IDS_CLI_NOT_A_JOURNAL),
     "%1 "
     "は完成したデータファイルで、取込のジャーナルではありません。復元するものはなく、ファイルは変更していま"
     "せん。"},
};

}  // namespace

std::span<const TextEntry> JapaneseTexts() {
    return kJapaneseTexts;
}

}  // namespace kelp
