#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QSettings;
class QTextStream;

// `corvanthe print INPUT --style hagaki|envelope|labels|list -o OUT.pdf [--group NAME] [--sender N]
// [--paper NAME] [--preset NAME] [--honorific TEXT] [--font NAME]`: prints every contact of a vCard file
// (or of one of its category groups), or of a CSV file in the envelope product's layout, to a PDF, with
// the stored print options and the overrides given. Lives here rather than in the application so that
// tests run it as a function.
namespace PrintCommand {

inline const QString Name = QStringLiteral("print");
inline const QString Usage = QStringLiteral(
    "print INPUT --style hagaki|envelope|labels|list -o OUT.pdf [--group NAME] [--sender N] [--paper NAME] "
    "[--preset NAME] [--honorific TEXT] [--font NAME]");

// Runs with more pages than this report their progress.
inline constexpr int ProgressThreshold = 100;
// Input files larger than this are refused rather than read into memory.
inline constexpr qint64 MaxInputBytes = 256ll * 1024 * 1024;

struct Arguments
{
    QString input;
    QString style; // the print style value ("Hagaki", "Envelope", "Labels", "Address List")
    QString output;
    QString group;
    int sender = 0; // from 1; 0: the contact whose address is marked as the sender's
    QString paper;
    QString preset;
    QString honorific;
    QString font;
};

// The arguments after the subcommand's name; nothing, with the reason in *error, when they are wrong.
std::optional<Arguments> parse(const QStringList &arguments, QString *error);

// Exit status 0 on success, 1 on any error (reported on `err`). Progress goes to `err` as well.
int run(const QStringList &arguments, QTextStream &err, QSettings &settings);
// With the application's settings and standard error.
int run(const QStringList &arguments);

} // namespace PrintCommand
