#pragma once

#include "model/DateComponents.h"
#include "ui/editors/FieldEditor.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// A date: the birthday, or one labelled date. The year may be left empty (a date without a year); the
// month is picked by name; the text below shows the date as it is stored.
class DateEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit DateEditor(QWidget *parent = nullptr);

    QComboBox *labelCombo() const { return m_label; }
    QLineEdit *yearField() const { return m_year; }
    QComboBox *monthCombo() const { return m_month; }
    QSpinBox *dayField() const { return m_day; }
    QLabel *preview() const { return m_preview; }
    // The date as typed; nullopt while the year is not accepted.
    std::optional<DateComponents> date() const;

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    bool isDates() const;
    void setDate(const DateComponents &date);
    void refreshPreview();

    QVariantMap m_entry;
    bool m_editable = false;
    QWidget *m_labelRow = nullptr;
    QComboBox *m_label = nullptr;
    QLineEdit *m_year = nullptr;
    QComboBox *m_month = nullptr;
    QSpinBox *m_day = nullptr;
    QLabel *m_preview = nullptr;
};
