#include "ui/dialogs/Captions.h"

#include <map>
#include <utility>

#include "resources/ResourceIds.h"

namespace kelp {

QString CaptionQ(int templateId, int controlId) {
    static const std::map<std::pair<int, int>, const char*> kCaptions = {
        {{IDD_CAPTURE_CYCLE, 0}, "取込周期"},
        {{IDD_CAPTURE_CYCLE, IDC_LABEL_CYCLE}, "取込周期"},
        {{IDD_CAPTURE_CYCLE, IDC_LABEL_SECONDS}, "秒"},
        {{IDD_CAPTURE_CYCLE, IDOK}, "OK"},
        {{IDD_CAPTURE_CYCLE, IDCANCEL}, "ｷｬﾝｾﾙ"},
        {{IDD_PORT_SETTINGS, 0}, "通信設定"},
        {{IDD_PORT_SETTINGS, IDC_LABEL_PORT}, "ポート番号"},
        {{IDD_PORT_SETTINGS, IDC_GROUP_DETAIL}, "詳細設定"},
        {{IDD_PORT_SETTINGS, IDC_LABEL_BAUD}, "通信速度"},
        {{IDD_PORT_SETTINGS, IDC_LABEL_DATA_BITS}, "データビット"},
        {{IDD_PORT_SETTINGS, IDC_LABEL_PARITY}, "パリティ"},
        {{IDD_PORT_SETTINGS, IDC_LABEL_STOP_BITS}, "ストップビット"},
        {{IDD_PORT_SETTINGS, IDC_PARITY_NONE}, "なし"},
        {{IDD_PORT_SETTINGS, IDC_PARITY_ODD}, "奇数"},
        {{IDD_PORT_SETTINGS, IDC_PARITY_EVEN}, "偶数"},
        {{IDD_PORT_SETTINGS, IDOK}, "OK"},
        {{IDD_PORT_SETTINGS, IDCANCEL}, "ｷｬﾝｾﾙ"},
        {{IDD_DATA_SELECT, 0}, "データ選択"},
        {{IDD_DATA_SELECT, IDC_SELECT_ALL}, "全て選択"},
        {{IDD_DATA_SELECT, IDC_CLEAR_SELECTION}, "選択解除"},
        {{IDD_DATA_SELECT, IDC_DELETE_SELECTED}, "選択データ削除"},
        {{IDD_DATA_SELECT, IDC_IMPORT_SELECTED}, "選択データ取込"},
        {{IDD_DATA_SELECT, IDCANCEL}, "閉じる"},
        {{IDD_GRAPH_SETTINGS, 0}, "ｸﾞﾗﾌ表示設定"},
        {{IDD_GRAPH_SETTINGS, IDC_HEAD_ELEMENT}, "表示成分"},
        {{IDD_GRAPH_SETTINGS, IDC_HEAD_UNIT}, "表示単位"},
        {{IDD_GRAPH_SETTINGS, IDC_HEAD_RANGE}, "表示範囲設定"},
        {{IDD_GRAPH_SETTINGS, IDC_LABEL_TILDE}, "～"},
        {{IDD_GRAPH_SETTINGS, IDC_GROUP_TIME}, "時間軸設定"},
        {{IDD_GRAPH_SETTINGS, IDC_RANGE_AUTO}, "自動"},
        {{IDD_GRAPH_SETTINGS, IDC_RANGE_FIXED}, "固定"},
        {{IDD_GRAPH_SETTINGS, IDC_RANGE_LATEST}, "直近データ"},
        {{IDD_GRAPH_SETTINGS, IDC_LABEL_SECONDS}, "秒"},
        {{IDD_GRAPH_SETTINGS, IDC_CURSOR}, "ｶｰｿﾙ表示"},
        {{IDD_GRAPH_SETTINGS, IDC_APPLY}, "適用"},
        {{IDD_GRAPH_SETTINGS, IDOK}, "OK"},
        {{IDD_GRAPH_SETTINGS, IDCANCEL}, "キャンセル"},
    };
    const auto found = kCaptions.find({templateId, controlId});
    return found == kCaptions.end() ? QString() : QString::fromUtf8(found->second);
}

}  // namespace kelp
