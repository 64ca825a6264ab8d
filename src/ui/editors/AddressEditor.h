#pragma once

#include "ui/editors/FieldEditor.h"

#include <QMap>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;

// One postal address: its label and its parts in the order the address's country writes them (the
// country code, or the country predicted from its name, decides), laid out again when the country
// changes. Confirming hands back the labelled address with its number.
class AddressEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit AddressEditor(QWidget *parent = nullptr);

    // The field of a part ("ZIP", "State", "City", "Street", "Country") or of the country code.
    QWidget *partField(const QString &part) const;
    void setPartText(const QString &part, const QString &text);
    QString partText(const QString &part) const;
    QComboBox *labelCombo() const { return m_label; }
    // Beside the ZIP field: where the postal-code search button goes.
    QHBoxLayout *zipAccessoryLayout() const { return m_zipAccessory; }
    // The parts in the order they are laid out now.
    const QStringList &partOrder() const { return m_order; }

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    void layOut();
    QString countryCode() const;

    QComboBox *m_label = nullptr;
    QGridLayout *m_grid = nullptr;
    QHBoxLayout *m_zipAccessory = nullptr;
    QWidget *m_zipRow = nullptr;
    QMap<QString, QLineEdit *> m_lines;
    QPlainTextEdit *m_street = nullptr;
    QLineEdit *m_code = nullptr;
    QStringList m_order;
    QVariantMap m_entry;
};
