#pragma once

#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

// A document hub over settings of its own in a temporary file, so tests neither read nor change the
// user's, opened on vCard text written in the test.
template <class Hub> class TestHubOf
{
public:
    explicit TestHubOf(DocumentHub::Options options = {})
        : settings(dir.filePath(QStringLiteral("defaults.ini")), QSettings::IniFormat)
        , defaults(settings)
        , hub(defaults, std::move(options))
    {
    }

    // Opens the cards as a file's document with the given columns (after "Sender" and "Name") and labels.
    void open(const QString &text, const QStringList &columns = {},
        const QStringList &labels = { QStringLiteral("All") })
    {
        const auto containers = ZRvCard().containersFromVCards(text);
        DocumentWindowData data;
        data.containerTable = containers.value_or(ContainerTable { ZRvCard::makeVCardContainer() });
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = data.selectedGroupDict->contactTable.value_or(ContactTable());
        data.documentName = QStringLiteral("test.vcf");
        hub.open(data);
        if (!columns.isEmpty())
            hub.setColumns(columns);
        hub.setSelectedLabels(labels);
    }

    static QString card(const QString &name, const QString &extra = QString())
    {
        return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n").arg(name) + extra
            + QStringLiteral("END:VCARD\r\n");
    }

    ContactGroupPtr top() const { return hub.viewController().containerTable().first()->groups.first(); }
    ContactEntryPtr entry(int i) const { return top()->contactTable->at(i); }
    ViewController &controller() { return hub.viewController(); }
    ContactsViewController &table() { return hub.table(); }

    QTemporaryDir dir;
    QSettings settings;
    UserDefaults defaults;
    Hub hub;
};

using TestHub = TestHubOf<DocumentHub>;
