#pragma once

#include "model/TranslatableText.h"

#include <QStringList>

class QTextStream;

// Converting a contact file to another format from the command line, through the same reading and
// export code as the window: vCard, CSV with recognised columns, or the envelope product's CSV in;
// vCard 3.0 or the 32-column CSV out.
namespace FileConvert {

inline const QString Usage = QStringLiteral(
    "convert INPUT OUTPUT [--from vcard|csv|mailwick] [--to vcard|csv] [--encoding NAME] [--group NAME]");

inline constexpr auto NoSuchGroup
    = TranslatableText("FileConvert", "There is no group named “%1” in the file.");

// Inputs past this size report their progress.
inline constexpr qint64 ProgressThreshold = 1024 * 1024;

// arguments exclude the subcommand's name. Messages go to err. Exit status: 0 done, 1 a file couldn't be
// read or written, 2 a usage error.
int convert(const QStringList &arguments, QTextStream &err);

} // namespace FileConvert
