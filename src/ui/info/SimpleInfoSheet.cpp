#include "ui/info/SimpleInfoSheet.h"

#include "document/DocumentHub.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString NewContactCountry = QStringLiteral("JP");

} // namespace

SimpleInfoSheet::SimpleInfoSheet(const ContactEntryPtr &row, bool editable, QWidget *parent)
    : QDialog(parent)
    , m_row(row)
{
    setWindowTitle(row ? tr("Contact") : tr("New Contact"));
    auto *form = new QFormLayout(this);
    auto line = [this, form](const QString &identifier, const QString &title) {
        auto *edit = new QLineEdit(this);
        form->addRow(title, edit);
        m_fields.insert(identifier, edit);
    };
    line(Ident::LastName, tr("Last name"));
    line(Ident::FirstName, tr("First name"));
    line(Ident::Company, tr("Company"));
    m_renmei = new QPlainTextEdit(this);
    m_renmei->setTabChangesFocus(true);
    m_renmei->setFixedHeight(fontMetrics().lineSpacing() * 3 + 12);
    form->addRow(tr("Joint names (one a line)"), m_renmei);
    line(Ident::ZIP, tr("ZIP"));
    line(Ident::State, tr("State"));
    line(Ident::City, tr("City"));
    m_street = new QPlainTextEdit(this);
    m_street->setTabChangesFocus(true);
    m_street->setFixedHeight(fontMetrics().lineSpacing() * 2 + 12);
    form->addRow(tr("Street"), m_street);
    line(Ident::Country, tr("Country"));
    m_note = new QPlainTextEdit(this);
    m_note->setTabChangesFocus(true);
    form->addRow(tr("Note"), m_note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (row && row->person) {
        ZRPerson &person = *row->person;
        const QVariantMap name = person.readNameValue();
        m_fields.value(Ident::FirstName)->setText(name.value(Ident::FirstName).toString());
        m_fields.value(Ident::LastName)->setText(name.value(Ident::LastName).toString());
        m_fields.value(Ident::Company)->setText(person.valueForIdentifier(Ident::Company).toString());
        m_renmei->setPlainText(person.valueForIdentifier(Ident::Renmei).toString());
        m_note->setPlainText(person.valueForIdentifier(Ident::Note).toString());
        const QVariantMap address = person.labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
        for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Country })
            m_fields.value(part)->setText(address.value(part).toString());
        m_street->setPlainText(address.value(Ident::Street).toString());
    }
    const bool canEdit = editable || !row;
    for (QLineEdit *edit : std::as_const(m_fields))
        edit->setReadOnly(!canEdit);
    for (QPlainTextEdit *edit : { m_street, m_renmei, m_note })
        edit->setReadOnly(!canEdit);
    if (!canEdit)
        buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
}

QLineEdit *SimpleInfoSheet::field(const QString &identifier) const
{
    return m_fields.value(identifier);
}

ContactEntryPtr SimpleInfoSheet::newContact() const
{
    auto record = ZRPerson::create();
    QVariantMap name = m_row && m_row->person ? m_row->person->readNameValue() : QVariantMap();
    name.insert(Ident::FirstName, field(Ident::FirstName)->text());
    name.insert(Ident::LastName, field(Ident::LastName)->text());
    record->setValueForIdentifier(name, Ident::Name);
    record->setValueForIdentifier(field(Ident::Company)->text(), Ident::Company);
    QStringList names = m_renmei->toPlainText().split(u'\n');
    names.removeAll(QString());
    record->setValueForIdentifier(names.join(u'\n'), Ident::Renmei);
    record->setValueForIdentifier(m_note->toPlainText(), Ident::Note);

    QVariantList addresses;
    if (m_row && m_row->person) {
        if (const QVariantList *stored = m_row->person->labeledValues(Ident::Address))
            addresses = *stored;
    }
    QVariantMap first = addresses.isEmpty() ? QVariantMap { { Key::Label, LabelName::Home },
        { Key::LabelIndex, qsizetype(-1) }, { CN::PostalAddressISOCountryCodeKey, NewContactCountry } }
                                            : addresses.first().toMap();
    for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Country })
        first.insert(part, field(part)->text());
    first.insert(Ident::Street, m_street->toPlainText());
    bool empty = true;
    for (const QString &part : ZRPerson::addressIdentifiers())
        empty = empty && first.value(part).toString().isEmpty();
    ZRPerson::updateAddressValue(first, ZRPerson::AddressOption);
    if (!addresses.isEmpty())
        addresses[0] = first;
    else if (!empty)
        addresses << first;
    record->setValueForIdentifier(addresses, Ident::Address);

    auto entry = std::make_shared<ContactEntry>();
    entry->person = record;
    entry->uniqueId = record->uniqueId();
    entry->isNew = true;
    return entry;
}

SimpleInfoSheet *SimpleInfoSheet::showContact(DocumentHub &hub, const ContactEntryPtr &row, QWidget *parent)
{
    auto *sheet = new SimpleInfoSheet(row, hub.editState(), parent);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(sheet, &QDialog::accepted, &hub,
        [sheet, row, &hub] { hub.viewController().showContact(row, sheet->newContact()); });
    sheet->open();
    return sheet;
}

SimpleInfoSheet *SimpleInfoSheet::addContact(DocumentHub &hub, QWidget *parent)
{
    auto *sheet = new SimpleInfoSheet(nullptr, true, parent);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(sheet, &QDialog::accepted, &hub,
        [sheet, &hub] { hub.viewController().addContact(sheet->newContact()); });
    sheet->open();
    return sheet;
}
