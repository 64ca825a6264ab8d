#include "print/PrintRecipients.h"

#include "print/PrintOptionKeys.h"

bool PrintRecipients::styleHasSender(const QString &style)
{
    return style == PrintValue::StyleHagaki || style == PrintValue::StyleEnvelope;
}

PrintRecipients PrintRecipients::choose(const ContactTable &contacts, const QString &style, int senderNumber)
{
    PrintRecipients chosen;
    chosen.receivers.reserve(contacts.size());
    for (const ContactEntryPtr &entry : contacts) {
        if (entry && entry->person && !entry->deleted)
            chosen.receivers.append(ReceiverRecord::convertContact(entry->person));
    }
    if (!styleHasSender(style))
        return chosen;
    if (senderNumber > 0) {
        if (senderNumber <= chosen.receivers.size())
            chosen.sender = chosen.receivers.takeAt(senderNumber - 1);
        return chosen;
    }
    for (qsizetype i = 0; i < chosen.receivers.size(); ++i) {
        const qsizetype labelIndex = ReceiverRecord::senderLabelIndex(chosen.receivers.at(i).person);
        if (labelIndex >= 0) {
            chosen.sender = ReceiverRecord::convertContact(chosen.receivers.at(i).person, labelIndex);
            chosen.receivers.removeAt(i);
            break;
        }
    }
    return chosen;
}
