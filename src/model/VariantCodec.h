#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// A compact binary form of the values a contact record holds (maps, lists, strings, numbers, bytes,
// dates and the store's value structs). Unlike QVariant's own streaming, decoding trusts nothing:
// every count and length is checked against the bytes that remain, nesting is bounded, and malformed
// data gives an error instead of a huge allocation or a crash.
namespace VariantCodec {

constexpr int MaxDepth = 32;

QByteArray encode(const QVariant &value);
// False with a reason when the data is not a complete, well-formed value.
bool decode(const QByteArray &data, QVariant &value, QString *error = nullptr);

} // namespace VariantCodec
