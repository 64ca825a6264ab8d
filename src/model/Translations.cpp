#include "model/Translations.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

// Where lrelease's output is embedded by the build.
const QString ResourceFolder = u":/translations"_s;
const QString OurPrefix = u"corvanthe_"_s;
const QString TranslatorName = u"corvanthe-translator"_s;

QAtomicInt installed;

// "ja_JP.UTF-8@modifier" -> "ja_JP"; "ja-JP" -> "ja_JP".
QString localeName(QString entry)
{
    entry = entry.trimmed();
    const qsizetype cut = entry.indexOf(QRegularExpression(u"[.@]"_s));
    if (cut >= 0)
        entry.truncate(cut);
    entry.replace(u'-', u'_');
    return entry;
}

bool isEnglish(const QString &name)
{
    return name == u"C"_s || name == u"POSIX"_s || name == u"en"_s || name.startsWith(u"en_"_s);
}

QString environment(const char *name)
{
    return qEnvironmentVariable(name);
}

void removeOurTranslators(QCoreApplication &app)
{
    const QList<QTranslator *> previous = app.findChildren<QTranslator *>(TranslatorName);
    for (QTranslator *translator : previous) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

bool installTranslator(QCoreApplication &app, const QString &fileName, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    translator->setObjectName(TranslatorName);
    if (!translator->load(fileName, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

namespace Translations {

QStringList preferredLanguages()
{
    return preferredLanguages(
        environment("LANGUAGE"), environment("LC_ALL"), environment("LC_MESSAGES"), environment("LANG"));
}

QStringList preferredLanguages(
    const QString &language, const QString &lcAll, const QString &lcMessages, const QString &lang)
{
    // LANGUAGE is honoured even under the C locale (gettext would ignore it there): a person who sets it
    // asks for that language, and a desktop session started with LANG=C.UTF-8 is common.
    QStringList result;
    for (const QString &entry : language.split(u':', Qt::SkipEmptyParts)) {
        const QString name = localeName(entry);
        if (!name.isEmpty() && !result.contains(name))
            result.append(name);
    }
    for (const QString &value : { lcAll, lcMessages, lang }) {
        if (value.isEmpty())
            continue;
        const QString name = localeName(value);
        if (!name.isEmpty() && !result.contains(name))
            result.append(name);
        break;
    }
    return result;
}

QStringList availableLanguages()
{
    QStringList result;
    const QStringList files = QDir(ResourceFolder).entryList({ OurPrefix + u"*.qm"_s }, QDir::Files);
    for (const QString &file : files)
        result.append(file.mid(OurPrefix.size(), file.size() - OurPrefix.size() - 3));
    return result;
}

QString chooseLanguage(const QStringList &preferred, const QStringList &available)
{
    for (const QString &name : preferred) {
        if (isEnglish(name))
            return QString();
        if (available.contains(name))
            return name;
        const QString language = name.section(u'_', 0, 0);
        if (available.contains(language))
            return language;
    }
    return QString();
}

QString installTranslations(QCoreApplication &app)
{
    return installTranslations(app, preferredLanguages());
}

QString installTranslations(QCoreApplication &app, const QStringList &preferred)
{
    removeOurTranslators(app);
    const QString language = chooseLanguage(preferred, availableLanguages());
    if (!language.isEmpty()) {
        if (!installTranslator(app, OurPrefix + language, ResourceFolder))
            qWarning("%s: ERROR can't load the %s texts", Q_FUNC_INFO, qUtf8Printable(language));
        // Qt's own texts (standard buttons, file dialogs) are optional: without them those read English.
        installTranslator(app, u"qtbase_"_s + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    installed.fetchAndAddOrdered(1);
    return language;
}

int generation()
{
    return installed.loadAcquire();
}

} // namespace Translations
