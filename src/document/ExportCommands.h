#pragma once

#include "document/DocumentReader.h"
#include "formats/ContactContainer.h"
#include "formats/TextEncodings.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

namespace ExportText {
inline constexpr auto CouldNotRead = TranslatableText("ExportText", "Couldn't read the file.");
inline constexpr auto InvalidCSV
    = TranslatableText("ExportText", "Please make sure the file is a valid CSV file.");
inline constexpr auto InvalidVCard
    = TranslatableText("ExportText", "Please make sure the file is vCard 2.1/3.0 file.");
inline constexpr auto CannotSave = TranslatableText("ExportText", "Can't save the file");
inline constexpr auto SaveFailed
    = TranslatableText("ExportText", "Something error happened in saving operation.");
inline constexpr auto WritingMessage = TranslatableText("ExportText", "Writing the file: %1");
inline const QString VCardExtension = QStringLiteral(".vcf");
inline const QString CSVExtension = QStringLiteral(".csv");
} // namespace ExportText

// An alert the command shows on the window; empty when there is nothing to say.
struct CommandAlert
{
    QString message;
    QString informativeText;

    bool isSet() const { return !message.isEmpty(); }
};

// The contacts a file offers for import, or why it offers none.
struct ImportOffer
{
    QString filename; // the last path component, shown in the import panel
    ContactTable nameTable;
    CommandAlert alert;
    QList<ReadNotice> notices; // skipped cards, a CSV without header: said alongside the offer
    bool cancelled = false;
};

// The logic of the window's import and export commands, without their panels: which entries go out
// and in what order, what a file offers for import, the texts written and how they reach the disk.
// One instance per window carries the guard that keeps the four commands from overlapping.
class ExportCommands
{
public:
    using Progress = std::function<void(int percent)>;

    // The guard: begin() fails while another command runs; every way out calls end().
    bool isExporting() const { return m_isExporting; }
    bool begin();
    void end() { m_isExporting = false; }

    // Clears the guard when it goes out of scope, whichever way the command ends.
    class Scope
    {
    public:
        explicit Scope(ExportCommands &commands)
            : m_commands(commands)
            , m_active(commands.begin())
        {
        }
        ~Scope()
        {
            if (m_active)
                m_commands.end();
        }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;
        bool active() const { return m_active; }

    private:
        ExportCommands &m_commands;
        bool m_active;
    };

    // The entries to write. By selection: the contact table's entries whose unique id is that of a
    // selected contact, each once, in the order of the selection (a contact selected in several sub-rows
    // goes out once). Everything (Save As of a CSV document): every entry of the table. Deleted
    // entries never go out.
    static ContactTable entriesToExport(
        const ContactTable &contactTable, const ContactTable &selectedContacts);
    static ContactTable everyEntry(const ContactTable &contactTable);
    // The save panel's suggested name: the first selected contact's name with the extension.
    static QString defaultFileName(const ContactTable &selectedContacts, const QString &extension);

    // The vCard text of the entries, with photo, note, joint names and layouts; with a container, the
    // cards also carry the category groups they belong to. nullopt when cancelled.
    static std::optional<QString> vCardText(const ContactTable &entries,
        const ContactContainer *container = nullptr, const std::atomic_bool *cancel = nullptr,
        const Progress &progress = {});
    // The 32-column CSV of the entries, line-feed line ends.
    static QString csvText(const ContactTable &entries);

    // Writes the text in UTF-8 all at once: the file is either the whole text or untouched.
    static CommandAlert writeUtf8Atomically(
        const QString &path, const QString &text, QString *detail = nullptr);

    // What an import offers: every card read (whatever its categories), or the lines of a CSV.
    static ImportOffer importFromVCard(const QString &path, TextEncoding::Number encoding,
        const std::atomic_bool *cancel = nullptr, const DocumentReader::Progress &progress = {});
    static ImportOffer importFromCSV(const QString &path, TextEncoding::Number encoding);
    // The entries picked in the import panel's rows, in row order; out-of-range rows are ignored.
    static ContactTable chosenForImport(const ContactTable &nameTable, const QList<qsizetype> &selectedRows);

private:
    bool m_isExporting = false;
};
