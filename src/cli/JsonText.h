#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

// Field values written straight as indented JSON text: byte for byte what
// QJsonDocument::toJson(Indented) writes for VariantJson::toJson of the same values, without building
// the QJsonValue tree first. The dump of a large file spent most of its time building and freeing
// that tree.
namespace JsonText {

using Members = QList<std::pair<QString, QVariant>>;

// The value as it stands depth steps in: the lines inside it are indented depth + 1 steps of four
// spaces, and its closing bracket depth steps.
void appendValue(QByteArray &out, const QVariant &value, int depth);
// An object of the members in a JSON object's key order, a later member of the same key replacing an
// earlier one.
void appendObject(QByteArray &out, Members members, int depth);
// A string, quoted and escaped.
void appendString(QByteArray &out, const QString &text);

} // namespace JsonText
