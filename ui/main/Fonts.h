#pragma once
#include <QFont>
#include <QString>

namespace kelp {

// The Japanese faces named by the dialog templates and the drawing code
// ("MS UI Gothic", "ＭＳ Ｐゴシック", ...) are Windows fonts. This maps such a
// name to the installed face that serves best for it: the fixed-pitch
// Japanese gothic for the UI and fixed faces, the proportional one for the P
// faces. Any other name is returned unchanged.
QString MapFontFace(const QString& face);

// The font every text of the program is drawn in: the application's default
// font in the face of the dialog templates, mapped as above, so that Japanese
// texts and site names show. Needs a QGuiApplication (a QApplication will do).
QFont ProgramFont();

}  // namespace kelp
