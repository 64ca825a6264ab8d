#pragma once

#include <QIcon>
#include <QString>

// A small line icon for each field a contact's rows show, so that a long list of rows reads at a
// glance: a telephone for phones, an envelope for e-mails, a house for addresses...
namespace FieldIcons {

// The name of the drawing (resources/icons/field-<name>.svg) for a field identifier, or for the name
// ordering and display rows; "text" for any field without a drawing of its own.
QString iconName(const QString &type);
// The icon for the field, made once per run and field.
QIcon icon(const QString &type);

} // namespace FieldIcons
