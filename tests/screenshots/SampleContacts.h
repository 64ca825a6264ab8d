#pragma once

#include "formats/ContactContainer.h"

#include <QByteArray>

// The contacts the scenes show: our own invented people, Japanese and Western, one with a photo.
namespace SampleContacts {

QByteArray vCardText();
ContactTable entries();

} // namespace SampleContacts
