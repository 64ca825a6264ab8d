#include "ui/editors/DateEditor.h"

#include "document/editors/DateRules.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

DateEditor::DateEditor(QWidget *parent)
    : FieldEditor(parent)
{
    auto *holder = new QWidget(this);
    auto *form = new QFormLayout(holder);
    m_label = new QComboBox(holder);
    form->addRow(tr("Label"), m_label);
    m_labelRow = m_label;
    m_year = new QLineEdit(holder);
    m_year->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_year));
    m_year->setPlaceholderText(tr("No year"));
    form->addRow(tr("Year"), m_year);
    m_month = new QComboBox(holder);
    m_month->addItems(DateRules::monthNames());
    form->addRow(tr("Month"), m_month);
    auto *dayRow = new QHBoxLayout;
    m_day = new QSpinBox(holder);
    m_day->setRange(1, 31);
    dayRow->addWidget(m_day);
    auto *today = new QPushButton(tr("Today"), holder);
    today->setAutoDefault(false);
    dayRow->addWidget(today);
    dayRow->addStretch();
    form->addRow(tr("Day"), dayRow);
    m_preview = new QLabel(holder);
    form->addRow(QString(), m_preview);
    body()->addWidget(holder);
    body()->addStretch();

    auto changed = [this] {
        fieldChanged();
        refreshPreview(); // after the buttons: a refused year keeps the confirm button off
    };
    connect(m_year, &QLineEdit::textEdited, this, changed);
    connect(m_month, &QComboBox::activated, this, changed);
    connect(m_day, &QSpinBox::valueChanged, this, changed);
    connect(m_label, &QComboBox::activated, this, changed);
    connect(today, &QPushButton::clicked, this, [this, changed] {
        if (!m_editable)
            return;
        setDate(DateRules::today());
        changed();
    });
}

bool DateEditor::isDates() const
{
    return context().type == Ident::Dates;
}

void DateEditor::setDate(const DateComponents &date)
{
    const QSignalBlocker a(m_day);
    m_year->setText(DateRules::textFromYear(date.year));
    m_month->setCurrentIndex(std::clamp(date.month, 1, 12) - 1);
    m_day->setValue(std::clamp(date.day, 1, 31));
    refreshPreview();
}

std::optional<DateComponents> DateEditor::date() const
{
    const auto year = DateRules::yearFromText(m_year->text());
    if (!year)
        return std::nullopt;
    const int month = m_month->currentIndex() + 1;
    const int day = std::min(m_day->value(), DateRules::daysInMonth(*year, month));
    return DateComponents { *year, month, day };
}

void DateEditor::refreshPreview()
{
    const auto typed = date();
    if (!typed)
        confirmButton()->setEnabled(false);
    m_preview->setText(typed ? DateRules::displayText(*typed)
                             : tr("The year must be a number up to %1.").arg(DateRules::MaximumYear));
}

void DateEditor::fillFields()
{
    m_labelRow->setVisible(isDates());
    DateComponents value = DateRules::today();
    if (isDates()) {
        m_entry
            = context().value.typeId() == QMetaType::QVariantMap ? context().value.toMap() : QVariantMap();
        if (m_entry.isEmpty() && person() && !context().isNewEntry())
            m_entry
                = person()->labeledValueForIdentifierAtLabelIndex(Ident::Dates, context().labelIndex).toMap();
        EditorFields::fillLabelCombo(
            m_label, Ident::Dates, m_entry.value(Key::Label).toString(), context().labels);
    } else if (person()) {
        m_entry = person()->birthdayValue();
    }
    const QVariant stored = m_entry.value(Key::Value);
    if (stored.typeId() == qMetaTypeId<DateComponents>() && stored.value<DateComponents>().isValid())
        value = stored.value<DateComponents>();
    setDate(value);
}

void DateEditor::collectResult(EditorContext &context)
{
    const DateComponents typed = date().value_or(DateRules::today());
    if (isDates()) {
        context.value
            = DateRules::datesResult(EditorFields::labelOfCombo(m_label), typed, context.labelIndex);
    } else {
        context.value = DateRules::birthdayResult(typed);
    }
}

void DateEditor::setFieldsEditable(bool editable)
{
    m_editable = editable;
    m_label->setEnabled(editable);
    m_year->setReadOnly(!editable);
    m_month->setEnabled(editable);
    m_day->setReadOnly(!editable);
}

void DateEditor::clearFields()
{
    m_year->clear();
}
