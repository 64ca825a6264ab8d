#include "ui/editors/AccountEditors.h"

#include "document/editors/MultiValueList.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QVariantMap entryOf(ZRPerson *person, const EditorContext &context, const QString &field)
{
    if (!person || context.isNewEntry())
        return { { Key::LabelIndex, EditorContext::NewEntry } };
    return person->labeledValueForIdentifierAtLabelIndex(field, context.labelIndex).toMap();
}

} // namespace

InstantMessageEditor::InstantMessageEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *holder = new QWidget(this);
    auto *form = new QFormLayout(holder);
    m_label = new QComboBox(holder);
    form->addRow(tr("Label"), m_label);
    m_service = new QComboBox(holder);
    // Services are names of their own, shown as they are in every language.
    for (const QString &service : MultiValueList::instantMessageServices())
        m_service->addItem(service, service);
    form->addRow(tr("Service Type"), m_service);
    m_username = EditorFields::addLine(form, tr("Username"), this);
    body()->addWidget(holder);
    body()->addStretch();
    connect(m_label, &QComboBox::activated, this, [this] { fieldChanged(); });
    connect(m_service, &QComboBox::activated, this, [this] { fieldChanged(); });
}

void InstantMessageEditor::fillFields()
{
    m_entry = entryOf(person(), context(), Ident::InstantMessage);
    EditorFields::fillLabelCombo(m_label, Ident::InstantMessage, m_entry.value(Key::Label).toString());
    const QString service = m_entry.value(CN::InstantMessageAddressServiceKey).toString();
    if (!service.isEmpty() && m_service->findData(service) < 0)
        m_service->addItem(service, service);
    m_service->setCurrentIndex(std::max(0, m_service->findData(service)));
    m_username->setText(m_entry.value(Key::Value).toString());
}

void InstantMessageEditor::collectResult(EditorContext &context)
{
    QVariantMap entry = m_entry;
    entry.insert(Key::Label, EditorFields::labelOfCombo(m_label));
    entry.insert(CN::InstantMessageAddressServiceKey, m_service->currentData().toString());
    entry.insert(Key::Value, m_username->text());
    entry.insert(Key::LabelIndex, context.labelIndex);
    ZRPerson::updateIMSValue(entry);
    context.type = Ident::InstantMessage;
    context.value = entry;
}

void InstantMessageEditor::setFieldsEditable(bool editable)
{
    m_label->setEnabled(editable);
    m_service->setEnabled(editable);
    m_username->setReadOnly(!editable);
}

void InstantMessageEditor::clearFields()
{
    m_username->clear();
}

SocialNetworkEditor::SocialNetworkEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *holder = new QWidget(this);
    auto *form = new QFormLayout(holder);
    m_service = new QComboBox(holder);
    m_service->setEditable(true); // a service of the user's own
    form->addRow(tr("Service Type"), m_service);
    m_username = EditorFields::addLine(form, tr("Username"), this);
    m_userIdentifier = EditorFields::addLine(form, tr("User Identifier"), this);
    m_url = EditorFields::addLine(form, tr("URL String"), this);
    body()->addWidget(holder);
    body()->addStretch();
    connect(m_service, &QComboBox::activated, this, [this] { fieldChanged(); });
    connect(m_service, &QComboBox::editTextChanged, this, [this] { fieldChanged(); });
}

void SocialNetworkEditor::fillFields()
{
    m_entry = entryOf(person(), context(), Ident::SocialNetwork);
    EditorFields::fillLabelCombo(m_service, Ident::SocialNetwork, m_entry.value(Key::Label).toString());
    m_username->setText(m_entry.value(Key::Value).toString());
    m_userIdentifier->setText(m_entry.value(CN::SocialProfileUserIdentifierKey).toString());
    m_url->setText(m_entry.value(CN::SocialProfileURLStringKey).toString());
}

void SocialNetworkEditor::collectResult(EditorContext &context)
{
    QVariantMap entry = m_entry;
    QString service = EditorFields::labelOfCombo(m_service);
    if (service.isEmpty())
        service = LabelText::NoService;
    entry.insert(Key::Label, service);
    entry.insert(Key::Value, m_username->text());
    entry.insert(CN::SocialProfileUserIdentifierKey, m_userIdentifier->text());
    entry.insert(CN::SocialProfileURLStringKey, m_url->text());
    entry.insert(Key::LabelIndex, context.labelIndex);
    ZRPerson::updateSNSValue(entry);
    context.type = Ident::SocialNetwork;
    context.value = entry;
}

void SocialNetworkEditor::setFieldsEditable(bool editable)
{
    m_service->setEnabled(editable);
    for (QLineEdit *line : { m_username, m_userIdentifier, m_url })
        line->setReadOnly(!editable);
}

void SocialNetworkEditor::clearFields()
{
    for (QLineEdit *line : { m_username, m_userIdentifier, m_url })
        line->clear();
}
