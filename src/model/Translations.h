#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The language a person reads the program in, and the translators that show it. Only QtCore is needed,
// so the command line and the window call the same function.
namespace Translations {

// The languages asked for, most wanted first, read the way Linux programs read them: the
// colon-separated LANGUAGE list first, then the first of LC_ALL, LC_MESSAGES and LANG that is set.
QStringList preferredLanguages();
QStringList preferredLanguages(
    const QString &language, const QString &lcAll, const QString &lcMessages, const QString &lang);

// The languages whose texts are built into the program ("ja"), English excepted: it is the source.
QStringList availableLanguages();

// The first preferred language there are texts for ("ja"), or "" for English. English and the C or POSIX
// locale stop the search: "en:ja" means English first.
QString chooseLanguage(const QStringList &preferred, const QStringList &available);

// Installs the translators for the preferred languages on the application, ours and Qt's own (standard
// buttons and dialogs), in place of any this function installed before. Returns the language shown,
// "" for English.
QString installTranslations(QCoreApplication &app);
QString installTranslations(QCoreApplication &app, const QStringList &preferred);

// Grows each time the installed translations change, so that caches of translated texts know when they
// are stale.
int generation();

} // namespace Translations
