#include "ui/graphs/GraphWindowUtil.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QMenu>
#include <cstdio>

#include "data/FileJobs.h"
#include "data/MeasDataSet.h"
#include "resources/Texts.h"
#include "ui/dialogs/ProgressDlg.h"

namespace kelp {

QRect TemplateScale::Map(const TemplateRect& r) const {
    const int left = r.x * clientWidth / templateWidth;
    const int top = r.y * clientHeight / templateHeight;
    const int right = (r.x + r.width) * clientWidth / templateWidth;
    const int bottom = (r.y + r.height) * clientHeight / templateHeight;
    return QRect(left, top, right - left, bottom - top);
}

QRect TemplateScale::MapCombo(const TemplateRect& r) const {
    QRect rect = Map(r);
    rect.setHeight(QComboBox().sizeHint().height());
    return rect;
}

std::string FormatWith(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int LoadGraphDataFile(QWidget* owner, const QFont* font, const std::string& path, CMeasDataSet& data) {
    int fileRecords = 0;
    const int result = LoadWithProgress(owner, font, path, data, &fileRecords);
    if (result == FILEJOB_OK) {
        ShowPartlyRead(owner, fileRecords, data.GetCount());
    }
    static_assert(kLoadOk == FILEJOB_OK && kLoadOpenFailed == FILEJOB_OPEN_FAILED &&
                  kLoadFormatFailed == FILEJOB_FAILED);
    return result;
}

std::string NameTail(const std::string& name) {
    const std::size_t separator = name.find_last_of("\\/");
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

std::string CaptionWithName(int captionId, const std::string& name) {
    const std::string tail = NameTail(name);
    return LoadText(captionId) + (tail.empty() ? "" : " [" + tail + "]");
}

QAction* AddMenuCommand(QMenu* menu, int menuId, int commandId) {
    QAction* action = menu->addAction(Utf8(LoadMenuText(menuId, commandId)));
    action->setObjectName(QString::number(commandId));
    return action;
}

std::string OneLineLabel(std::string label) {
    const std::size_t lineBreak = label.find('\n');
    if (lineBreak != std::string::npos) {
        label[lineBreak] = ' ';
    }
    return label;
}

}  // namespace kelp
