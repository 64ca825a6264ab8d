#include "find/FindController.h"

#include "document/ContactsViewController.h"
#include "document/ViewController.h"
#include "find/ReplaceOperations.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QtDebug>
#include <utility>

using namespace Qt::StringLiterals;

FindController::FindController(ViewController &viewController, ContactsViewController &table, QObject *parent)
    : QObject(parent)
    , m_vc(viewController)
    , m_table(table)
{
    // Catches every rebuild of the rows early, so the old rows are not kept alive by the index.
    connect(&table, &ContactsViewController::tableReloaded, this, &FindController::invalidateFindIndex);
}

void FindController::setCaseInsensitive(bool on)
{
    if (on != m_caseInsensitive)
        m_index.clear();
    m_caseInsensitive = on;
}

void FindController::popupChanged(const QString &selectedTitle)
{
    setCaseInsensitive(selectedTitle == FindOption::CaseInsensitiveTitle);
    findBarButtonDidPress(FindAction::OptionChanged);
}

QString FindController::findOption() const
{
    return m_caseInsensitive ? FindOption::CaseInsensitive : FindOption::CaseSensitive;
}

Qt::CaseSensitivity FindController::caseSensitivity() const
{
    return m_caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

void FindController::ensureSelectedItem(bool contactInfoVisible)
{
    if (m_selected)
        return;
    FindMatch start;
    start.identifier = Ident::Name;
    start.range = { 0, 0 };
    const ContactTable &rows = m_table.subContactTable();
    if (contactInfoVisible && m_panelContact) {
        start.contact = m_panelContact;
        start.uniqueId = m_panelContact->uniqueId;
    } else if (!rows.isEmpty() && rows.first()) {
        start.contact = rows.first();
        start.uniqueId = rows.first()->uniqueId;
    }
    m_selected = start;
}

std::optional<FindMatch> FindController::find(
    const QString &text, bool contactInfoVisible, FindEngine::Direction direction)
{
    if (text.isEmpty())
        return std::nullopt;
    m_findString = text;
    ensureSelectedItem(contactInfoVisible);
    std::optional<FindMatch> found;
    if (contactInfoVisible)
        found = FindEngine::findInPanel(text, m_panelContact, *m_selected, caseSensitivity(), direction);
    else
        found = findInTable(text, direction);
    if (found)
        m_selected = found;
    return m_selected;
}

std::optional<FindMatch> FindController::findInTable(const QString &text, FindEngine::Direction direction)
{
    const ContactTable &rows = m_table.subContactTable();
    const QStringList &columns = m_table.columns();
    const Qt::CaseSensitivity cs = caseSensitivity();
    FindEngine::RowFilter filter;
    if (FindRowIndex::canFilter(text, cs)) {
        const quint64 changes = m_vc.undoManager().changeCount();
        if (!m_index.isBuiltFor(rows, columns, changes))
            m_index.build(rows, columns, changes); // goes on with a build started by prepareFindIndex
        filter = m_index.filter(text, cs, direction);
    }
    return FindEngine::findInTable(text, rows, columns, *m_selected, cs, direction, filter);
}

bool FindController::prepareFindIndex(int milliseconds)
{
    // With the information pane shown only its one contact is searched.
    if (m_contactInfoVisible)
        return true;
    const ContactTable &rows = m_table.subContactTable();
    const QStringList &columns = m_table.columns();
    const quint64 changes = m_vc.undoManager().changeCount();
    if (m_index.isBuiltFor(rows, columns, changes))
        return true;
    if (!m_index.isBuildingFor(rows, columns, changes))
        m_index.startBuild(rows, columns, changes);
    return m_index.buildSome(QDeadlineTimer(milliseconds));
}

std::optional<FindMatch> FindController::findNextString(const QString &text, bool contactInfoVisible)
{
    return find(text, contactInfoVisible, FindEngine::Direction::Forward);
}

std::optional<FindMatch> FindController::findPreviousString(const QString &text, bool contactInfoVisible)
{
    return find(text, contactInfoVisible, FindEngine::Direction::Backward);
}

void FindController::findStringDidChange(const QString &text)
{
    m_findString = text;
    if (!text.isEmpty())
        emit sharedFindTextChanged(text);
    const auto result = findNextString(text, m_contactInfoVisible);
    m_table.setFindString(text, !m_caseInsensitive);
    emit findStringChanged(text, findOption());
    if (result)
        emit matchSelected(*result, m_contactInfoVisible);
}

void FindController::findBarButtonDidPress(const QString &action)
{
    if (action == FindAction::Done) {
        m_findString.clear();
        m_table.setFindString(QString(), !m_caseInsensitive);
        // The orange mark goes with the bar; the place the next search starts from stays.
        m_table.selectItemAndRange(std::nullopt);
        emit findStringChanged(QString(), findOption());
        const bool wasVisible = std::exchange(m_findBarVisible, false);
        emit findBarDismissed();
        if (wasVisible)
            emit findBarVisibilityChanged(false);
    } else if (action == FindAction::OptionChanged) {
        m_table.setFindString(m_findString, !m_caseInsensitive);
        emit findStringChanged(m_findString, findOption());
    } else if (action == FindAction::Next || action == FindAction::Previous) {
        const auto result = action == FindAction::Next
            ? findNextString(m_findString, m_contactInfoVisible)
            : findPreviousString(m_findString, m_contactInfoVisible);
        if (result)
            emit matchSelected(*result, m_contactInfoVisible);
    } else if (action == FindAction::Replace) {
        replace();
    } else if (action == FindAction::ReplaceAll) {
        replaceAll();
    }
}

void FindController::takeSharedFindText(const QString &sharedText)
{
    if (sharedText.isEmpty() || sharedText == m_findString)
        return;
    m_findString = sharedText;
    // Only while the bar shows do the cells mark the text: a hidden bar searches without marking.
    if (m_findBarVisible)
        m_table.setFindString(sharedText, !m_caseInsensitive);
    emit findStringChanged(sharedText, findOption());
}

void FindController::performFindBarAction(FindMenuItem item, const QString &sharedText)
{
    takeSharedFindText(sharedText);
    switch (item) {
    case FindMenuItem::Find:
    case FindMenuItem::FindAndReplace:
        showFindBar(!m_findBarVisible);
        break;
    case FindMenuItem::FindNext:
        findBarButtonDidPress(FindAction::Next);
        break;
    case FindMenuItem::FindPrevious:
        findBarButtonDidPress(FindAction::Previous);
        break;
    case FindMenuItem::UseSelectionForFind:
        break;
    }
}

void FindController::showFindBar(bool show, const QString &sharedText)
{
    if (show)
        takeSharedFindText(sharedText);
    if (show == m_findBarVisible)
        return;
    m_findBarVisible = show;
    if (show) {
        m_table.setFindString(m_findString, !m_caseInsensitive);
    } else {
        // A hidden bar leaves no marks and no find text; the selected item stays for the next search.
        m_findString.clear();
        m_table.setFindString(QString(), !m_caseInsensitive);
        m_table.selectItemAndRange(std::nullopt);
        emit findStringChanged(QString(), findOption());
    }
    emit findBarVisibilityChanged(show);
}

ContactEntryPtr FindController::entryWithUniqueId(const QString &uniqueId) const
{
    for (const ContactEntryPtr &entry : m_table.contactTable()) {
        if (entry && entry->uniqueId == uniqueId)
            return entry;
    }
    return nullptr;
}

bool FindController::replaceByString(const QString &replacement, const FindMatch &match)
{
    const ContactEntryPtr entry = entryWithUniqueId(match.uniqueId);
    if (!entry || !entry->person)
        return false;
    ZRPerson &person = *entry->person;
    const QString &id = match.identifier;
    const qsizetype L = match.labelIndex == FindRange::NotFound ? 0 : match.labelIndex;
    const QString cellText = person.stringValueForIdentifierAtLabelIndex(id, L);
    // A match found before the value changed may no longer fit: then nothing is touched.
    if (cellText.isEmpty() || !match.range.found() || match.range.location > cellText.size()
        || match.range.length > cellText.size() - match.range.location)
        return false;

    const bool hasItemRange = match.itemRange && match.itemRange->length > 0;
    bool changed = false;
    auto labeledAt = [&](const QString &field) -> std::optional<QVariantMap> {
        const QVariant v = person.labeledValueForIdentifierAtLabelIndex(field, L);
        if (v.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        QVariantMap map = v.toMap();
        map.insert(Key::LabelIndex, L);
        return map;
    };

    if (id == Ident::Address || ZRPerson::addressIdentifiers().contains(id)) {
        const bool column = id != Ident::Address;
        const QString component = column ? id : match.subIdentifier;
        if (!ZRPerson::addressIdentifiers().contains(component) || (!column && !hasItemRange))
            return true;
        const QString text = person.stringValueForIdentifierAtLabelIndex(component, L);
        auto address = labeledAt(Ident::Address);
        const auto newText
            = ReplaceOperations::replaceRange(text, column ? match.range : *match.itemRange, replacement);
        if (text.isEmpty() || !address || !newText)
            return true;
        address->insert(component, *newText);
        changed = m_vc.undoReplaceValue(*address, Ident::Address, entry);
    } else if (id == Ident::InstantMessage || id == Ident::SocialNetwork) {
        const bool im = id == Ident::InstantMessage;
        // Only the user name can be replaced: the service names a fixed choice.
        if (im && (match.subIdentifier != CN::InstantMessageAddressUsernameKey || !hasItemRange))
            return true;
        if (!im && match.range.length == 0)
            return true;
        const QString text
            = person.stringValueForIdentifierAtLabelIndex(im ? Ident::IMSusername : Ident::SNSusername, L);
        auto labeled = labeledAt(id);
        const auto newText
            = ReplaceOperations::replaceRange(text, im ? *match.itemRange : match.range, replacement);
        if (text.isEmpty() || !labeled || !newText)
            return true;
        labeled->insert(Key::Value, *newText);
        labeled->insert(im ? CN::InstantMessageAddressUsernameKey : CN::SocialProfileUsernameKey, *newText);
        changed = m_vc.undoReplaceValue(*labeled, id, entry);
    } else if (id == Ident::Phone || id == Ident::Email || id == Ident::URL || id == Ident::Relationship) {
        auto labeled = labeledAt(id);
        const auto newText = ReplaceOperations::replaceRange(cellText, match.range, replacement);
        if (!labeled || !newText)
            return true;
        labeled->insert(Key::Value, *newText);
        changed = m_vc.undoReplaceValue(*labeled, id, entry);
    } else if (id == Ident::Name && match.subIdentifier.isEmpty()
        && !(person.readNameValue(), person.showAsPerson())) {
        // The name cell of an organisation shows its company name.
        const auto newText = ReplaceOperations::replaceRange(
            person.valueForIdentifier(Ident::Company).toString(), match.range, replacement);
        if (newText)
            changed = m_vc.undoReplaceValue(*newText, Ident::Company, entry);
    } else if (id == Ident::Name || id == Ident::PhoneticName) {
        if (!hasItemRange || match.subIdentifier.isEmpty())
            return true;
        const QString text = person.valueForIdentifier(match.subIdentifier).toString();
        const auto newText = ReplaceOperations::replaceRange(text, *match.itemRange, replacement);
        if (text.isEmpty() || !newText)
            return true;
        changed = m_vc.undoReplaceValue(*newText, match.subIdentifier, entry);
    } else if (id == Ident::Dates || id == Ident::Birthday) {
        return true;
    } else {
        const QString text = person.valueForIdentifier(id).toString();
        const auto newText = ReplaceOperations::replaceRange(text, match.range, replacement);
        if (text.isEmpty() || !newText)
            return true;
        changed = m_vc.undoReplaceValue(*newText, id, entry);
    }
    if (changed)
        emit documentEdited();
    return true;
}

void FindController::replace()
{
    if (m_findString.isEmpty() || !m_selected)
        return;
    replaceByString(m_replaceString, *m_selected);
    if (const auto next = findNextString(m_findString, m_contactInfoVisible))
        emit matchSelected(*next, m_contactInfoVisible);
}

int FindController::replaceAll()
{
    if (m_findString.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = caseSensitivity();
    int changed = 0;
    {
        UndoManager::Group group(m_vc.undoManager());
        if (m_contactInfoVisible) {
            changed = ReplaceOperations::replaceAllInContact(m_vc, m_findString, m_replaceString,
                ReplaceOperations::panelReplaceIdentifiers(), cs, m_panelContact, false);
        } else {
            QStringList columns;
            for (const QString &column : m_table.columns()) {
                if (ZRPerson::addressIdentifiers().contains(column))
                    qWarning("ERROR"); // a single address part is replaced through its address
                else
                    columns.append(column);
            }
            for (const ContactEntryPtr &entry : m_table.contactTable()) {
                if (entry && !entry->deleted)
                    changed += ReplaceOperations::replaceAllInContact(
                        m_vc, m_findString, m_replaceString, columns, cs, entry, true);
            }
        }
    }
    if (changed > 0)
        emit documentEdited();
    return changed;
}
