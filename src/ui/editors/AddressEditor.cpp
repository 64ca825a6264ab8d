#include "ui/editors/AddressEditor.h"

#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"
#include "tools/ZipAddressUpdate.h"
#include "ui/editors/EditorFields.h"
#include "ui/editors/EditorPopover.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalSearchSheet.h"
#include "ui/window/WindowIcons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

namespace {

QString partTitle(const QString &part)
{
    if (part == Ident::ZIP)
        return QCoreApplication::translate("AddressEditor", "ZIP");
    if (part == Ident::State)
        return QCoreApplication::translate("AddressEditor", "State");
    if (part == Ident::City)
        return QCoreApplication::translate("AddressEditor", "City");
    if (part == Ident::Street)
        return QCoreApplication::translate("AddressEditor", "Street");
    if (part == Ident::Country)
        return QCoreApplication::translate("AddressEditor", "Country");
    return QCoreApplication::translate("AddressEditor", "Country Code");
}

} // namespace

AddressEditor::AddressEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Label"), this));
    m_label = new QComboBox(this);
    top->addWidget(m_label);
    top->addStretch();
    body()->addLayout(top);
    m_grid = new QGridLayout;
    m_grid->setVerticalSpacing(4);
    body()->addLayout(m_grid, 1);
    for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Country }) {
        auto *line = new QLineEdit(this);
        m_lines.insert(part, line);
        connect(line, &QLineEdit::textEdited, this, [this] { fieldChanged(); });
    }
    m_code = new QLineEdit(this);
    m_code->setMaxLength(3);
    m_code->setFixedWidth(m_code->fontMetrics().horizontalAdvance(QStringLiteral("MMMMM")));
    connect(m_code, &QLineEdit::textEdited, this, [this] { fieldChanged(); });
    connect(m_code, &QLineEdit::editingFinished, this, &AddressEditor::layOut);
    connect(m_lines.value(Ident::Country), &QLineEdit::editingFinished, this, &AddressEditor::layOut);
    m_street = new QPlainTextEdit(this);
    m_street->setTabChangesFocus(true);
    // One line high, as the other parts; a street of two lines scrolls.
    m_street->setFixedHeight(m_street->fontMetrics().lineSpacing() + 12);
    m_street->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_street, &QPlainTextEdit::textChanged, this, [this] { fieldChanged(); });
    m_zipRow = new QWidget(this);
    m_zipAccessory = new QHBoxLayout(m_zipRow);
    m_zipAccessory->setContentsMargins(0, 0, 0, 0);
    m_zipAccessory->addWidget(m_lines.value(Ident::ZIP), 1);
    m_postalSearch = new QToolButton(m_zipRow);
    m_postalSearch->setIcon(WindowIcons::icon(QStringLiteral("zip")));
    m_postalSearch->setAccessibleName(tr("Postal Code Search"));
    m_postalSearch->setAutoRaise(true);
    m_zipAccessory->addWidget(m_postalSearch);
    // After the click has been handled: the search may tear the pop-up, and this button with it, off
    // into a window of its own.
    connect(m_postalSearch, &QToolButton::clicked, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { searchPostalCode(); }, Qt::QueuedConnection);
    });
    connect(m_label, &QComboBox::activated, this, [this] { fieldChanged(); });
}

QWidget *AddressEditor::partField(const QString &part) const
{
    if (part == Ident::Street)
        return m_street;
    if (part == CN::PostalAddressISOCountryCodeKey)
        return m_code;
    return m_lines.value(part);
}

void AddressEditor::setPartText(const QString &part, const QString &text)
{
    if (part == Ident::Street)
        m_street->setPlainText(text);
    else if (part == CN::PostalAddressISOCountryCodeKey)
        m_code->setText(text);
    else if (QLineEdit *line = m_lines.value(part))
        line->setText(text);
}

QString AddressEditor::partText(const QString &part) const
{
    if (part == Ident::Street)
        return m_street->toPlainText();
    if (part == CN::PostalAddressISOCountryCodeKey)
        return m_code->text().trimmed();
    const QLineEdit *line = m_lines.value(part);
    return line ? line->text() : QString();
}

QString AddressEditor::countryCode() const
{
    QString code = partText(CN::PostalAddressISOCountryCodeKey);
    if (code.isEmpty())
        code = AddressFormats::shared().predictCountryCode(partText(Ident::Country).toUpper());
    if (code.isEmpty())
        code = ContactDefaults::countryCode();
    return code.toUpper();
}

void AddressEditor::layOut()
{
    QStringList order = AddressFormats::shared().orderOfaddressFormats(countryCode()).mid(1);
    order.removeAll(QString());
    order.removeDuplicates();
    for (const QString &part : ZRPerson::addressIdentifiers()) {
        if (!order.contains(part))
            order << part;
    }
    if (order == m_order)
        return;
    m_order = order;
    while (QLayoutItem *item = m_grid->takeAt(0)) {
        if (item->widget() && qobject_cast<QLabel *>(item->widget()))
            item->widget()->deleteLater();
        delete item;
    }
    // The country code stands beside the country, so the address keeps to the popover's height.
    int row = 0;
    for (const QString &part : m_order) {
        m_grid->addWidget(new QLabel(partTitle(part), this), row, 0);
        if (part == Ident::Country) {
            m_grid->addWidget(partField(part), row, 1);
            m_grid->addWidget(new QLabel(partTitle(CN::PostalAddressISOCountryCodeKey), this), row, 2);
            m_grid->addWidget(m_code, row, 3);
        } else {
            m_grid->addWidget(part == Ident::ZIP ? m_zipRow : partField(part), row, 1, 1, 3);
        }
        ++row;
    }
    m_grid->setColumnStretch(1, 1);
}

QVariantMap AddressEditor::fieldsAddress() const
{
    QVariantMap address;
    for (const QString &part : ZRPerson::addressIdentifiers())
        address.insert(part, partText(part));
    return address;
}

PostalDataLoader &AddressEditor::postalData() const
{
    return m_postalData ? *m_postalData : PostalDataLoader::instance();
}

void AddressEditor::setPostalData(PostalDataLoader *data)
{
    m_postalData = data;
    showPostalToolTip();
}

void AddressEditor::showPostalToolTip()
{
    QString tip = tr("Search addresses by postal code");
    // Without the national data only a sample is searched: the button says so before it is pressed.
    if (!postalData().isInstalled())
        tip += u'\n' + postalData().statusText();
    m_postalSearch->setToolTip(tip);
}

PostalSearchSheet *AddressEditor::searchPostalCode()
{
    if (!lockState().fieldsEditable())
        return nullptr;
    QWidget *window = EditorPopover::keepOpen(this);
    const QString company
        = person() ? person()->stringValueForIdentifierAtLabelIndex(Ident::Company, 0) : QString();
    QPointer<AddressEditor> self(this);
    return PostalSearchSheet::openForTarget(window,
        ZipAddressUpdate::targetForAddress(fieldsAddress(), company), postalData(),
        [self](const QVariantMap &row, int mode) {
            if (self)
                self->applyPostalResult(row, mode);
        });
}

void AddressEditor::applyPostalResult(const QVariantMap &row, int mode)
{
    if (!lockState().fieldsEditable())
        return;
    const QVariantMap before = fieldsAddress();
    const QVariantMap after = ZipAddressUpdate::addressByApplyingResult(before, row, mode);
    if (after == before)
        return;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (it.value() != before.value(it.key()))
            setPartText(it.key(), it.value().toString());
    }
    fieldChanged();
}

void AddressEditor::fillFields()
{
    showPostalToolTip();
    m_entry = context().labeledValue;
    if (m_entry.isEmpty() && person() && !context().isNewEntry())
        m_entry
            = person()->labeledValueForIdentifierAtLabelIndex(Ident::Address, context().labelIndex).toMap();
    EditorFields::fillLabelCombo(m_label, Ident::Address, m_entry.value(Key::Label).toString());
    for (const QString &part : ZRPerson::addressIdentifiers())
        setPartText(part, m_entry.value(part).toString());
    setPartText(
        CN::PostalAddressISOCountryCodeKey, m_entry.value(CN::PostalAddressISOCountryCodeKey).toString());
    layOut();
}

void AddressEditor::collectResult(EditorContext &context)
{
    QVariantMap entry = m_entry;
    entry.insert(Key::Label, EditorFields::labelOfCombo(m_label));
    for (const QString &part : ZRPerson::addressIdentifiers())
        entry.insert(part, partText(part));
    entry.insert(CN::PostalAddressISOCountryCodeKey, partText(CN::PostalAddressISOCountryCodeKey));
    entry.insert(Key::LabelIndex, context.labelIndex);
    ZRPerson::updateAddressValue(entry, ZRPerson::AddressOption);
    context.type = Ident::Address;
    context.value = entry;
}

void AddressEditor::setFieldsEditable(bool editable)
{
    for (QLineEdit *line : std::as_const(m_lines))
        line->setReadOnly(!editable);
    m_street->setReadOnly(!editable);
    m_code->setReadOnly(!editable);
    m_label->setEnabled(editable);
    m_postalSearch->setEnabled(editable);
}

void AddressEditor::clearFields()
{
    for (QLineEdit *line : std::as_const(m_lines))
        line->clear();
    m_street->clear();
    m_code->clear();
}
