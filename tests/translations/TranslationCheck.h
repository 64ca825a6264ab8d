#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One message of a translation file as lupdate wrote it.
struct TsMessage
{
    QString context;
    QString source;
    QString comment;
    QString type; // "", "unfinished", "obsolete" or "vanished"
    QStringList translations; // one, or one per plural form
    QString location; // "file:line" of the first place it is marked (an absolute path), when recorded
};

// Reads a .ts file; false with *error set when it cannot be read or is not one.
bool readTsFile(const QString &path, QList<TsMessage> *messages, QString *error);

// One line per message a person would see untranslated or wrongly translated: unfinished or empty
// translations, entries whose text is no longer marked anywhere, and translations whose placeholders
// (%1, %n, %L1, %@) differ from the source's. Each line names the context, the text and its place, the
// file given relative to ROOT.
QStringList translationProblems(const QList<TsMessage> &messages, const QString &root);
