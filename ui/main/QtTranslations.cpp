#include "ui/main/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "resources/Texts.h"

namespace kelp {

bool InstallQtTranslations() {
    if (IsEnglish() || QCoreApplication::instance() == nullptr) {
        return false;
    }
    // "qt_ja" gathers the catalogues of Qt's modules (qtbase_ja and the
    // rest); the application owns and keeps it.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qt"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kelp
