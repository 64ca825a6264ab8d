#include "find/FindCommandSupport.h"

#include "formats/EncodingDetector.h"
#include "formats/TextCodec.h"
#include "formats/ZRvCard.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace FindCommandSupport {

std::optional<Options> parse(
    const QStringList &arguments, bool allowOutput, bool allowSubItems, QTextStream &err)
{
    Options o;
    bool modeSet = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                err << u"%1 needs a value"_s.arg(a) << Qt::endl;
                return std::nullopt;
            }
            return arguments.at(++i);
        };
        auto list = [](const QString &text) { return text.split(u',', Qt::SkipEmptyParts); };
        if (a == u"--regex"_s || a == u"--case-sensitive"_s) {
            if (modeSet) {
                err << u"--regex and --case-sensitive exclude each other"_s << Qt::endl;
                return std::nullopt;
            }
            modeSet = true;
            o.mode = a == u"--regex"_s ? FindPanel::Mode::Regex : FindPanel::Mode::CaseSensitive;
        } else if (a == u"--items"_s || (a == u"--subitems"_s && allowSubItems) || a == u"--labels"_s
            || (a == u"-o"_s && allowOutput)) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            if (a == u"-o"_s)
                o.output = *v;
            else if (list(*v).isEmpty())
                continue;
            else if (a == u"--items"_s)
                o.items = list(*v);
            else if (a == u"--subitems"_s)
                o.subItems = list(*v);
            else
                o.labels = list(*v);
        } else if (a.startsWith(u'-') && a.size() > 1) {
            err << u"unknown option %1"_s.arg(a) << Qt::endl;
            return std::nullopt;
        } else {
            o.positional.append(a);
        }
    }
    return o;
}

std::optional<ContactTable> readContacts(const QString &path, ContainerTable &containers, QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << u"%1: %2"_s.arg(path, file.errorString()) << Qt::endl;
        return std::nullopt;
    }
    if (file.size() > TextCodec::MaxInputBytes) {
        err << u"%1: %2"_s.arg(path, TextCodecMessage::TooLarge) << Qt::endl;
        return std::nullopt;
    }
    const DecodedText decoded = EncodingDetector::detectAndDecode(file.readAll());
    if (!decoded.ok()) {
        err << u"%1: %2"_s.arg(path, decoded.error) << Qt::endl;
        return std::nullopt;
    }
    QList<ZRvCard::CardProblem> problems;
    const auto read = ZRvCard().containersFromVCards(decoded.text, {}, &problems);
    for (const auto &p : problems)
        err << u"%1: card %2: %3"_s.arg(path).arg(p.cardNumber).arg(p.reason) << Qt::endl;
    if (!read || read->isEmpty() || read->first()->groups.isEmpty()
        || !read->first()->groups.first()->contactTable) {
        err << u"%1: no contacts could be read"_s.arg(path) << Qt::endl;
        return std::nullopt;
    }
    containers = *read;
    return *containers.first()->groups.first()->contactTable;
}

void configure(FindPanel &panel, const ContactTable &contacts, const QString &text, const Options &options)
{
    panel.setContacts(contacts);
    panel.setCompareOptions(options.mode);
    panel.setSelectedItems(options.items);
    panel.setSelectedSubItems(options.subItems);
    panel.setSelectedLabels(options.labels);
    panel.textDidEnter(text);
}

} // namespace FindCommandSupport
