#pragma once

#include "formats/ContactContainer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Reading vCard text into a container: cards are found by their BEGIN/END lines, their categories
// become groups, each card's standard properties go through the vCard parser and become a record,
// and the private joint-name and postcard-layout properties are applied to it.
class ZRvCard
{
public:
    // Called after each card with the position up to which the text is consumed; setting *stop ends
    // the read, which then yields nothing.
    using ProgressHandler = std::function<void(bool *stop, qsizetype position)>;

    // A card that could not be read: its number (from 1) and why.
    struct CardProblem
    {
        int cardNumber = 0;
        QString reason;
    };

    // One "vCard" container holding every contact read; nullopt when the handler asked to stop.
    // Cards that cannot be read are skipped, and listed in *problems when it is given.
    std::optional<ContainerTable> containersFromVCards(const QString &text,
        const ProgressHandler &handler = {}, QList<CardProblem> *problems = nullptr) const;
    // The same from UTF-8 text, the form cards are parsed in; positions are byte offsets. The records
    // keep a share of text (no copy) until their values are built.
    std::optional<ContainerTable> containersFromVCards(const QByteArray &text,
        const ProgressHandler &handler = {}, QList<CardProblem> *problems = nullptr) const;

    // The top group's table of a "vCard" container; nullptr for any other container.
    static ContactTable *contactsInContainer(const ContactContainer &container);
    // The table of the container's group with the given group's unique id; nullptr when none.
    static ContactTable *contactsForGroup(const ContactGroup &group, const ContactContainer &container);

    static ContactContainerPtr makeVCardContainer();
};
