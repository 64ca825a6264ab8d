#pragma once

#include "ui/editors/FieldEditor.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// The name: its four parts, the order they are shown in, and whether the contact is a person.
class NameEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit NameEditor(QWidget *parent = nullptr);

    QLineEdit *partField(const QString &part) const;

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    QList<QPair<QString, QLineEdit *>> m_parts;
    QComboBox *m_ordering = nullptr;
    QCheckBox *m_company = nullptr;
};

// The readings of the name's parts.
class PhoneticNameEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit PhoneticNameEditor(QWidget *parent = nullptr);

    QLineEdit *partField(const QString &part) const;

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    QList<QPair<QString, QLineEdit *>> m_parts;
};
