#pragma once

#include "ui/editors/FieldEditor.h"

class QComboBox;
class QLineEdit;

// One chat account: its label, service and user name.
class InstantMessageEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit InstantMessageEditor(QWidget *parent = nullptr);

    QComboBox *labelCombo() const { return m_label; }
    QComboBox *serviceCombo() const { return m_service; }
    QLineEdit *usernameField() const { return m_username; }

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    QVariantMap m_entry;
    QComboBox *m_label = nullptr;
    QComboBox *m_service = nullptr;
    QLineEdit *m_username = nullptr;
};

// One social profile: its service (which is also its label), user name, user identifier and URL.
class SocialNetworkEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit SocialNetworkEditor(QWidget *parent = nullptr);

    QComboBox *serviceCombo() const { return m_service; }
    QLineEdit *usernameField() const { return m_username; }
    QLineEdit *userIdentifierField() const { return m_userIdentifier; }
    QLineEdit *urlField() const { return m_url; }

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    QVariantMap m_entry;
    QComboBox *m_service = nullptr;
    QLineEdit *m_username = nullptr;
    QLineEdit *m_userIdentifier = nullptr;
    QLineEdit *m_url = nullptr;
};
