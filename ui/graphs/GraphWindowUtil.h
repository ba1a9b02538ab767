#pragma once
#include <QRect>
#include <QString>
#include <string>

class QAction;
class QFont;
class QMenu;
class QWidget;

namespace kelp {

class CMeasDataSet;

// Small helpers shared by the depth-profile and X-Y graph windows.

// A control rectangle of a dialog template in dialog units.
struct TemplateRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    constexpr TemplateRect Shifted(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
};

// Scales template rectangles to the client area a window has: each edge is
// multiplied by the client extent and divided by the template extent, the
// multiplication first, as the window's first sizing does.
struct TemplateScale {
    int templateWidth = 1;
    int templateHeight = 1;
    int clientWidth = 1;
    int clientHeight = 1;

    QRect Map(const TemplateRect& r) const;
    // A drop-down list: the template height includes the open list, so only
    // the closed box's height (the platform's) is kept.
    QRect MapCombo(const TemplateRect& r) const;
};

inline QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// printf-style formatting of one double ("%.2f").
std::string FormatWith(const char* format, double value);

// Exclusive right and bottom edges, as the drawing rules measure rectangles.
inline int RectRight(const QRect& r) {
    return r.x() + r.width();
}
inline int RectBottom(const QRect& r) {
    return r.y() + r.height();
}

// The part of a data set's name after its last path separator (the whole
// name when it has none). Names are paths; Windows paths use backslashes.
std::string NameTail(const std::string& name);

// "Caption [file.csv]": text `captionId` with the NameTail of the data set's
// name `name`, or the caption alone when that is empty; the graph windows
// name their data so.
std::string CaptionWithName(int captionId, const std::string& name);

// Results of LoadGraphDataFile (those of the file job).
constexpr int kLoadOk = 0;
constexpr int kLoadOpenFailed = 1;
constexpr int kLoadFormatFailed = 2;

// Reads the data file at `path` into the empty `data` behind the progress
// dialog (parent `owner`, font `font`, may be null): 0 on success, 1 when the
// file could not be opened or is not a data file, 2 on a format error.
int LoadGraphDataFile(QWidget* owner, const QFont* font, const std::string& path, CMeasDataSet& data);

// Adds command `commandId` of menu `menuId` to `menu`: its text, its id as
// the object name.
QAction* AddMenuCommand(QMenu* menu, int menuId, int commandId);

// A panel label on one line: its first line break becomes a blank.
std::string OneLineLabel(std::string label);

}  // namespace kelp
