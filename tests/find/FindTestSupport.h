#pragma once

#include "document/ContactsViewController.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"

#include <gtest/gtest.h>

// A window's controller and contact table loaded from vCard text, for the find tests.
class FindFixture : public ::testing::Test
{
protected:
    void load(const QString &text, const QStringList &columns)
    {
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        top = controller.containerTable().first()->groups.first();
        controller.setSelectedGroupDict(top);
        table.setContactTable(*top->contactTable);
        table.setColumns(columns);
        table.setSelectedLabels({ QStringLiteral("All") });
        table.updateTable();
    }

    static QString card(const QString &n, const QString &extra = QString())
    {
        return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1\r\nFN:x\r\n").arg(n) + extra
            + QStringLiteral("END:VCARD\r\n");
    }

    ContactEntryPtr entry(int i) const { return top->contactTable->at(i); }

    ViewController controller;
    ContactsViewController table { controller };
    ContactGroupPtr top;
};
