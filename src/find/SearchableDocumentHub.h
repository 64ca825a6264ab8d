#pragma once

#include "document/DocumentHub.h"
#include "find/FindController.h"

// A document hub with the find bar's controller: what the window holds. The find controller lives
// above the document layer, so it joins the hub here, wired to the table: its matches are selected
// and highlighted there, and a selection the user makes is where the next search starts.
class SearchableDocumentHub : public DocumentHub
{
    Q_OBJECT

public:
    explicit SearchableDocumentHub(UserDefaults &defaults, QObject *parent = nullptr);
    SearchableDocumentHub(UserDefaults &defaults, Options options, QObject *parent = nullptr);
    ~SearchableDocumentHub() override;

    FindController &findController() { return m_find; }

    // The hit as the table marks it.
    static FindHit hitOfMatch(const FindMatch &match);

protected:
    void releaseContacts() override;

private:
    void matchSelected(const FindMatch &match, bool inPanel);
    void selectionChanged(const ContactTable &rows);

    FindController m_find;
    bool m_selectingMatch = false;
};
