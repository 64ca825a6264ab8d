#pragma once

#include <QByteArray>
#include <QList>

// Deterministic vCard 3.0 text for benchmarks: Japanese and Western people and companies, with
// phonetic names, several phones, e-mail addresses and postal addresses, custom labels and notes,
// and, when asked, a JPEG photo on every card. The same seed gives the same bytes on every machine.
class ContactGenerator
{
public:
    explicit ContactGenerator(quint32 seed = 1, bool photos = false);

    // Cards from now on look more like a user's own address book: one or two category groups each
    // (CATEGORIES), and some Japanese names in Latin letters. Off by default, so that the in-process
    // benchmarks keep reading the same bytes.
    void setAddressBook(bool addressBook) { m_addressBook = addressBook; }

    // The next card, ending with "END:VCARD\r\n".
    QByteArray nextCard();

    // count cards, concatenated.
    static QByteArray vCardText(int count, quint32 seed = 1, bool photos = false);
    // count cards, one per element.
    static QList<QByteArray> vCards(int count, quint32 seed = 1);

private:
    quint32 next();
    int below(int n) { return int(next() % quint32(n)); }
    template <typename T, size_t N> const T &pick(const T (&items)[N]) { return items[below(int(N))]; }

    quint64 m_state;
    int m_index = 0;
    bool m_addressBook = false;
    QByteArray m_photoLines; // the folded PHOTO property, when cards carry one
};
