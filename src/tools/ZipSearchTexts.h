#pragma once

#include <QString>
#include <QStringView>
#include <memory>

// The compact search texts of the postal-code data, one line per address area or business:
//   K,"code","pref reading","city reading","town reading","prefecture","city","town",
//   J,"name reading","name","prefecture","city","town","block","code",
// Every search is a plain substring scan over these two texts.
struct ZipSearchTexts
{
    QString general; // from the general address file ("K" lines)
    QString business; // from the business file ("J" lines)

    bool isEmpty() const { return general.isEmpty() && business.isEmpty(); }
};

namespace ZipSearchTextBuilder {

// A town name longer than one field runs over several records with the same code; more than this
// many is not a continuation but a broken file.
constexpr int MaximumJoinedRecords = 32;

// The compact text of the decoded general file. Records that continue a town name whose bracket is
// still open are joined into the record they continue.
QString compactGeneralText(QStringView csv);
// The compact text of the decoded business file.
QString compactBusinessText(QStringView csv);

// Inflates, decodes and rewrites both files found by PostalDataFile::locate. A missing or corrupt
// file gives an empty text.
ZipSearchTexts build(const QString &directory = QString());

} // namespace ZipSearchTextBuilder

// The search texts of this run, built once off the GUI thread and published whole: a reader gets
// either the complete pair or, while the build runs, waits for it.
namespace ZipSearchTextStore {

// Where the texts are read from; takes effect only before the build starts.
void setDataDirectory(const QString &directory);
// Starts the build on a worker thread unless it has started already.
void startBuilding();
// True once the texts are complete.
bool isBuilt();
// The texts, building them (and waiting for the build) on first use.
std::shared_ptr<const ZipSearchTexts> zipdb();

} // namespace ZipSearchTextStore
