#include "ui/editors/NameEditor.h"

#include "document/editors/ContactInfoRows.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

NameEditor::NameEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *holder = new QWidget(this);
    auto *form = new QFormLayout(holder);
    form->setContentsMargins(0, 4, 0, 0);
    m_parts = {
        { Ident::FirstName, EditorFields::addLine(form, tr("First name"), this) },
        { Ident::MiddleName, EditorFields::addLine(form, tr("Middle name"), this) },
        { Ident::LastName, EditorFields::addLine(form, tr("Last name"), this) },
        { Ident::PreviousFamilyName, EditorFields::addLine(form, tr("Previous family name"), this) },
    };
    m_ordering = new QComboBox(holder);
    form->addRow(tr("Name order"), m_ordering);
    m_company = new QCheckBox(tr("Show as company"), holder);
    form->addRow(QString(), m_company);
    body()->addWidget(holder);
    connect(m_ordering, &QComboBox::activated, this, [this] { fieldChanged(); });
    connect(m_company, &QCheckBox::toggled, this, [this] { fieldChanged(); });
}

QLineEdit *NameEditor::partField(const QString &part) const
{
    for (const auto &[key, line] : m_parts) {
        if (key == part)
            return line;
    }
    return nullptr;
}

void NameEditor::fillFields()
{
    QVariantMap name;
    if (ZRPerson *p = person())
        name = p->readNameValue();
    for (const auto &[key, line] : m_parts)
        line->setText(name.value(key).toString());
    m_ordering->clear();
    const bool firstFirst = person() && person()->defaultNameOrdering() == 1;
    m_ordering->addItem(
        firstFirst ? ContactInfoText::SystemDefaultFirst.text() : ContactInfoText::SystemDefaultLast.text(),
        0);
    m_ordering->addItem(ContactInfoText::FirstNameFirst.text(), 1);
    m_ordering->addItem(ContactInfoText::LastNameFirst.text(), 2);
    m_ordering->setCurrentIndex(std::clamp(name.value(Key::NameOrdering).toInt(), 0, 2));
    const QSignalBlocker blocker(m_company);
    m_company->setChecked(!name.value(Key::ShowAsPerson, true).toBool());
}

void NameEditor::collectResult(EditorContext &context)
{
    QVariantMap name;
    if (ZRPerson *p = person())
        name = p->readNameValue();
    for (const auto &[key, line] : m_parts)
        name.insert(key, line->text());
    name.insert(Key::NameOrdering, m_ordering->currentData().toInt());
    name.insert(Key::ShowAsPerson, !m_company->isChecked());
    name.insert(Key::StringValue, ZRPerson::compositeNameFromNameDict(name));
    context.value = name;
}

void NameEditor::setFieldsEditable(bool editable)
{
    for (const auto &[key, line] : m_parts)
        line->setReadOnly(!editable);
    m_ordering->setEnabled(editable);
    m_company->setEnabled(editable);
}

void NameEditor::clearFields()
{
    for (const auto &[key, line] : m_parts)
        line->clear();
}

PhoneticNameEditor::PhoneticNameEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *holder = new QWidget(this);
    auto *form = new QFormLayout(holder);
    form->setContentsMargins(0, 4, 0, 0);
    m_parts = {
        { Ident::FirstName, EditorFields::addLine(form, tr("Phonetic first name"), this) },
        { Ident::MiddleName, EditorFields::addLine(form, tr("Phonetic middle name"), this) },
        { Ident::LastName, EditorFields::addLine(form, tr("Phonetic last name"), this) },
    };
    body()->addWidget(holder);
    body()->addStretch();
}

QLineEdit *PhoneticNameEditor::partField(const QString &part) const
{
    for (const auto &[key, line] : m_parts) {
        if (key == part)
            return line;
    }
    return nullptr;
}

void PhoneticNameEditor::fillFields()
{
    QVariantMap name;
    if (ZRPerson *p = person())
        name = p->readPhoneticNameValue();
    for (const auto &[key, line] : m_parts)
        line->setText(name.value(key).toString());
}

void PhoneticNameEditor::collectResult(EditorContext &context)
{
    QVariantMap name;
    QStringList parts;
    for (const auto &[key, line] : m_parts)
        name.insert(key, line->text());
    // The reading is shown family name first, as it is read aloud.
    for (const QString &key : { Ident::LastName, Ident::MiddleName, Ident::FirstName }) {
        if (!name.value(key).toString().isEmpty())
            parts << name.value(key).toString();
    }
    name.insert(Key::StringValue, parts.join(u' '));
    context.value = name;
}

void PhoneticNameEditor::setFieldsEditable(bool editable)
{
    for (const auto &[key, line] : m_parts)
        line->setReadOnly(!editable);
}

void PhoneticNameEditor::clearFields()
{
    for (const auto &[key, line] : m_parts)
        line->clear();
}
