#pragma once

#include "document/HubTestSupport.h"
#include "find/SearchableDocumentHub.h"

#include <gtest/gtest.h>

// A document as the window holds it, with its find controller, loaded from vCard text, for the find
// tests. Rows keep the order of the cards: the tests name them by position.
class FindFixture : public ::testing::Test
{
protected:
    void load(const QString &text, const QStringList &columns)
    {
        // A key no field has leaves the cards in file order.
        t.defaults.setLastSortDesc({ QStringLiteral("file order"), true });
        t.open(text, columns);
        top = t.top();
    }

    static QString card(const QString &n, const QString &extra = QString())
    {
        return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1\r\nFN:x\r\n").arg(n) + extra
            + QStringLiteral("END:VCARD\r\n");
    }

    ContactEntryPtr entry(int i) const { return top->contactTable->at(i); }

    TestHubOf<SearchableDocumentHub> t;
    ViewController &controller = t.controller();
    ContactsViewController &table = t.table();
    FindController &find = t.hub.findController();
    ContactGroupPtr top;
};
