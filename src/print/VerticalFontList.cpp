#include "print/VerticalFontList.h"

#include "document/WorkerPool.h"
#include "print/PrintOptionKeys.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPromise>
#include <QSet>
#include <QThreadPool>
#include <QVariantMap>
#include <memory>

using namespace Qt::StringLiterals;

namespace VerticalFontList {

QStringList alwaysOfferedFonts()
{
    return { u"EPSON-GYOSHO"_s, u"EPSON-FUTO-GYOSHO"_s, u"EPSON-KAISHO"_s, u"EPSON-KYOKASHO"_s,
        u"EPSON-MARUGO"_s, u"EPSON-FUTO-MARUGO"_s, u"EPSON-FUTO-KAKUGO"_s, u"EPSON-FUTO-MINCHO"_s };
}

QStringList excludedFamilies()
{
    return { u"Apple Color Emoji"_s, u"AppleGothic"_s, u"AppleMyungjo"_s, u"Apple SD Gothic Neo"_s,
        u"Batang"_s, u"Wawati SC"_s, u"Wawati TC"_s, u"Lantinghei TC"_s, u"Lantinghei SC"_s, u"Gulim"_s,
        u"GungSeo"_s, u"PCMyungjo"_s, u"LiHei Pro"_s, u"LiSong Pro"_s, u"MS Gothic"_s, u"MS Mincho"_s,
        u"MS PGothic"_s, u"MS PMincho"_s, u"Meiryo"_s, u"Osaka"_s, u"PMingLiU"_s, u"Baoli SC"_s,
        u"STFangsong"_s, u"STHeiti"_s, u"Heiti SC"_s, u"Heiti TC"_s, u"Kaiti TC"_s, u"STKaiti"_s,
        u"Kaiti SC"_s, u"Libian SC"_s, u"STSong"_s, u"Songti SC"_s, u"Songti TC"_s, u"Xingkai SC"_s,
        u"Yuanti SC"_s, u"SimSun"_s, u"BiauKai"_s, u"Apple LiGothic"_s, u"Apple LiSung"_s, u"Hei"_s,
        u"Kai"_s };
}

QList<VerticalFont> makeVerticalFontList(const QStringList &families,
    const std::function<bool(const QString &)> &hasJapanese, const QString &fallbackFamily)
{
    const QStringList always = alwaysOfferedFonts();
    const QStringList excludedList = excludedFamilies();
    const QSet<QString> excluded(excludedList.cbegin(), excludedList.cend());
    QList<VerticalFont> fonts;
    QSet<QString> taken;
    for (const QString &family : families) {
        if (fonts.size() >= MaxFonts)
            break;
        if (family.isEmpty() || family.startsWith(u'.') || taken.contains(family))
            continue;
        const bool offered = always.contains(family) || (!excluded.contains(family) && hasJapanese(family));
        if (!offered)
            continue;
        taken.insert(family);
        fonts.append(VerticalFont { family, family });
    }
    if (fonts.isEmpty())
        fonts.append(VerticalFont { fallbackFamily, fallbackFamily });
    return fonts;
}

QList<VerticalFont> makeVerticalFontList(const QString &fallbackFamily)
{
    const auto hasJapanese = [](const QString &family) {
        return !QFontDatabase::isPrivateFamily(family)
            && QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
    };
    return makeVerticalFontList(QFontDatabase::families(), hasJapanese, fallbackFamily);
}

QFuture<QList<VerticalFont>> start()
{
    QFont userFont = QGuiApplication::font();
    userFont.setPointSize(16);
    const QString fallback = QFontInfo(userFont).family();
    auto promise = std::make_shared<QPromise<QList<VerticalFont>>>();
    QFuture<QList<VerticalFont>> future = promise->future();
    promise->start();
    WorkerPool::instance()->start([promise, fallback] {
        promise->addResult(makeVerticalFontList(fallback));
        promise->finish();
    });
    return future;
}

int indexOfFont(const QList<VerticalFont> &fonts, const QString &fontName)
{
    if (fonts.isEmpty())
        return -1;
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        if (fonts.at(i).fontName == fontName)
            return int(i);
    }
    return 0;
}

QVariantList toVariantList(const QList<VerticalFont> &fonts)
{
    QVariantList records;
    records.reserve(fonts.size());
    for (const VerticalFont &font : fonts)
        records.append(QVariantMap {
            { PrintKey::FontName, font.fontName }, { PrintKey::DisplayName, font.displayName } });
    return records;
}

} // namespace VerticalFontList
