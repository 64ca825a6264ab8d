#pragma once

#include "document/editors/MultiValueList.h"
#include "ui/editors/FieldEditor.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The whole list of a labelled field: one row per entry with the field's columns, Add and Delete, a
// label pop-up and a custom-label field for the selected row. Confirming hands back the whole list.
class MultiValueEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit MultiValueEditor(QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *deleteButton() const { return m_delete; }
    QComboBox *labelCombo() const { return m_label; }
    QLineEdit *customLabelField() const { return m_customLabel; }
    const MultiValueList *list() const { return m_list ? &*m_list : nullptr; }

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    void reloadTable();
    void reloadLabels();
    void addRow();
    void deleteRows();
    void addCustomLabel();
    void cellEdited(int row, int column);
    void selectionChanged();
    QString field() const;

    std::optional<MultiValueList> m_list;
    QList<MultiValueColumn> m_columns;
    bool m_editable = false;
    bool m_reloading = false;
    QTableWidget *m_table = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
    QComboBox *m_label = nullptr;
    QLineEdit *m_customLabel = nullptr;
    QPushButton *m_addLabel = nullptr;
};
