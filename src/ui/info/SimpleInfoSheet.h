#pragma once

#include "formats/ContactContainer.h"

#include <QDialog>

class DocumentHub;
class QLineEdit;
class QPlainTextEdit;

// The short form of a contact: first and last name, company, joint names, one address and the note.
// It shows a row's contact (editable or read-only, by the window's edit state) or a new contact; it
// edits a record of its own, so nothing changes before OK, and OK is one undo step.
class SimpleInfoSheet : public QDialog
{
    Q_OBJECT

public:
    // row: the contact shown; null for a new contact (always editable).
    SimpleInfoSheet(const ContactEntryPtr &row, bool editable, QWidget *parent = nullptr);

    // The record the sheet's fields make: the row's values with the sheet's put over them. The row's
    // other addresses stay; the sheet's address is its first.
    ContactEntryPtr newContact() const;
    QLineEdit *field(const QString &identifier) const;
    QPlainTextEdit *jointNamesField() const { return m_renmei; }
    QPlainTextEdit *noteField() const { return m_note; }

    // The window's commands: the sheet opens window-modal; OK applies it through the hub as one step.
    static SimpleInfoSheet *showContact(DocumentHub &hub, const ContactEntryPtr &row, QWidget *parent);
    static SimpleInfoSheet *addContact(DocumentHub &hub, QWidget *parent);

private:
    ContactEntryPtr m_row;
    QMap<QString, QLineEdit *> m_fields;
    QPlainTextEdit *m_street = nullptr;
    QPlainTextEdit *m_renmei = nullptr;
    QPlainTextEdit *m_note = nullptr;
};
