#pragma once

namespace kelp {

// Qt's own texts (the file dialogs' labels, buttons and columns, the menus
// of edit fields) in the program's language: Japanese unless the English
// texts are in use, for which Qt needs none. Debian ships them in
// qt6-translations-l10n; without that package Qt's English stays. Call once
// a QCoreApplication exists and SelectLanguage has chosen. True when a
// translation was installed.
bool InstallQtTranslations();

}  // namespace kelp
