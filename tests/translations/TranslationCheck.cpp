#include "TranslationCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(u"%(?:L?\\d+|n|@)"_s);
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    std::sort(found.begin(), found.end());
    return found;
}

QString describe(const TsMessage &message, const QDir &root)
{
    QString text = message.source;
    text.replace(u'\n', u"\\n"_s);
    QString line = message.context + u": \""_s + text + u'"';
    if (!message.comment.isEmpty())
        line += u" ("_s + message.comment + u')';
    if (!message.location.isEmpty())
        line += u" at "_s + root.relativeFilePath(message.location);
    return line;
}

void readMessage(
    QXmlStreamReader &xml, const QString &context, const QDir &folder, QList<TsMessage> *messages)
{
    TsMessage message;
    message.context = context;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == u"source"_s) {
            message.source = xml.readElementText();
        } else if (name == u"comment"_s) {
            message.comment = xml.readElementText();
        } else if (name == u"location"_s) {
            if (message.location.isEmpty()) {
                const QString file = xml.attributes().value(u"filename"_s).toString();
                message.location = QDir::cleanPath(folder.absoluteFilePath(file)) + u':'
                    + xml.attributes().value(u"line"_s).toString();
            }
            xml.skipCurrentElement();
        } else if (name == u"translation"_s) {
            message.type = xml.attributes().value(u"type"_s).toString();
            QString text;
            bool numerus = false;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters()) {
                    text += xml.text();
                } else if (xml.isStartElement() && xml.name() == u"numerusform"_s) {
                    numerus = true;
                    message.translations.append(xml.readElementText());
                } else if (xml.isEndElement() && xml.name() == u"translation"_s) {
                    break;
                }
            }
            if (!numerus)
                message.translations.append(text);
        } else {
            xml.skipCurrentElement();
        }
    }
    messages->append(message);
}

} // namespace

bool readTsFile(const QString &path, QList<TsMessage> *messages, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + u": "_s + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != u"TS"_s) {
        *error = path + u": not a translation file"_s;
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != u"context"_s) {
            xml.skipCurrentElement();
            continue;
        }
        QString context;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"name"_s)
                context = xml.readElementText();
            else if (xml.name() == u"message"_s)
                readMessage(xml, context, QFileInfo(path).absoluteDir(), messages);
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        *error = path + u": line "_s + QString::number(xml.lineNumber()) + u": "_s + xml.errorString();
        return false;
    }
    return true;
}

QStringList translationProblems(const QList<TsMessage> &messages, const QString &root)
{
    const QDir rootDir(root);
    const auto describe = [&rootDir](const TsMessage &message) { return ::describe(message, rootDir); };
    QStringList problems;
    for (const TsMessage &message : messages) {
        if (message.type == u"obsolete"_s || message.type == u"vanished"_s) {
            problems.append(u"no longer marked in the code: "_s + describe(message));
            continue;
        }
        const bool empty = message.translations.isEmpty()
            || std::any_of(message.translations.cbegin(), message.translations.cend(),
                [](const QString &t) { return t.isEmpty(); });
        if (message.type == u"unfinished"_s || empty) {
            problems.append(u"not translated: "_s + describe(message));
            continue;
        }
        const QStringList expected = placeholders(message.source);
        for (const QString &translation : message.translations) {
            if (placeholders(translation) != expected) {
                problems.append(u"placeholders differ (\""_s + translation + u"\"): "_s + describe(message));
                break;
            }
        }
    }
    return problems;
}
