#pragma once
// Qt's own translations: the texts Qt itself shows (the Yes, No and OK
// buttons of message boxes, the print dialog) in the desktop's language.
// The program's own texts are not translated.

#include <QLocale>

class QTranslator;

namespace framework {

// Installs Qt's translation for locale from the folder Qt was installed
// with (package qt6-translations-l10n on Debian). Returns the installed
// translator, owned by the application object, or nullptr when there is no
// translation for the locale (English, Qt's own language, needs none).
// Requires the application object.
QTranslator* InstallQtTranslations(const QLocale& locale);

}  // namespace framework
