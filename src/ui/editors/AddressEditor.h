#pragma once

#include "ui/editors/FieldEditor.h"

#include <QMap>

class PostalDataLoader;
class PostalSearchSheet;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// One postal address: its label and its parts in the order the address's country writes them (the
// country code, or the country predicted from its name, decides), laid out again when the country
// changes. Confirming hands back the labelled address with its number. The button beside the postal
// code searches the postal data for what the fields hold and writes a chosen row into the fields (not
// into the record: the editor's Change or Cancel still decides).
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

    QToolButton *postalSearchButton() const { return m_postalSearch; }
    // The postal data searched (the application's unless set; tests give their own).
    void setPostalData(PostalDataLoader *data);
    // Opens the postal-code search for the fields' address, over the window the editor is in (a
    // pop-up is torn off first: it would close when the sheet opens). Null while the fields are locked.
    PostalSearchSheet *searchPostalCode();
    // Writes a row the search found into the fields, as the window's command writes it into a record.
    void applyPostalResult(const QVariantMap &row, int mode);

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    void layOut();
    QString countryCode() const;
    QVariantMap fieldsAddress() const;
    PostalDataLoader &postalData() const;
    void showPostalToolTip();

    QComboBox *m_label = nullptr;
    QGridLayout *m_grid = nullptr;
    QHBoxLayout *m_zipAccessory = nullptr;
    QWidget *m_zipRow = nullptr;
    QMap<QString, QLineEdit *> m_lines;
    QPlainTextEdit *m_street = nullptr;
    QLineEdit *m_code = nullptr;
    QToolButton *m_postalSearch = nullptr;
    PostalDataLoader *m_postalData = nullptr;
    QStringList m_order;
    QVariantMap m_entry;
};
