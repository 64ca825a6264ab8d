#include "find/SearchableDocumentHub.h"

#include "model/Identifiers.h"

SearchableDocumentHub::SearchableDocumentHub(UserDefaults &defaults, QObject *parent)
    : SearchableDocumentHub(defaults, Options(), parent)
{
}

SearchableDocumentHub::SearchableDocumentHub(UserDefaults &defaults, Options options, QObject *parent)
    : DocumentHub(defaults, std::move(options), parent)
    , m_find(viewController(), table())
{
    connect(&m_find, &FindController::matchSelected, this, &SearchableDocumentHub::matchSelected);
    connect(
        &viewController(), &ViewController::selectionChanged, this, &SearchableDocumentHub::selectionChanged);
}

SearchableDocumentHub::~SearchableDocumentHub()
{
    // The contacts go while the find controller still exists.
    close();
}

FindHit SearchableDocumentHub::hitOfMatch(const FindMatch &match)
{
    FindHit hit;
    hit.uniqueId = match.uniqueId;
    hit.identifier = match.identifier;
    hit.labelIndex = match.labelIndex == FindRange::NotFound ? -1 : match.labelIndex;
    if (match.range.found())
        hit.range = { match.range.location, match.range.length };
    return hit;
}

void SearchableDocumentHub::matchSelected(const FindMatch &match, bool inPanel)
{
    // Selecting the match must not move the place the next search starts from.
    m_selectingMatch = true;
    if (inPanel)
        table().selectItemAndRange(std::nullopt);
    else
        table().selectItemAndRange(hitOfMatch(match));
    m_selectingMatch = false;
}

void SearchableDocumentHub::selectionChanged(const ContactTable &rows)
{
    if (m_selectingMatch || rows.isEmpty())
        return;
    // The next search starts at the beginning of the first selected row.
    FindMatch start;
    start.contact = rows.first();
    start.uniqueId = rows.first()->uniqueId;
    start.identifier = Ident::Name;
    start.labelIndex = rows.first()->labelIndex;
    start.range = { 0, 0 };
    m_find.setSelectedItemAndRange(start);
}

void SearchableDocumentHub::releaseContacts()
{
    m_find.setSelectedItemAndRange(std::nullopt);
    m_find.setPanelContact(nullptr);
    m_find.invalidateFindIndex();
}
