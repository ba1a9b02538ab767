#include "ui/main/Fonts.h"

#include <QGuiApplication>

namespace kelp {

QString MapFontFace(const QString& face) {
    // Compared without regard to width and case: the templates spell the
    // same face in full-width ("ＭＳ Ｐゴシック") and half-width letters.
    const QString key = face.normalized(QString::NormalizationForm_KC).toLower().remove(u' ');
    if (key == u"msuigothic" || key == u"msゴシック" || key == u"msgothic") {
        return QStringLiteral("IPAGothic");
    }
    if (key == u"mspゴシック" || key == u"mspgothic") {
        return QStringLiteral("IPAPGothic");
    }
    return face;
}

QFont ProgramFont() {
    QFont font = QGuiApplication::font();
    font.setFamily(MapFontFace(QStringLiteral("ＭＳ Ｐゴシック")));
    return font;
}

}  // namespace kelp
