#pragma once

#include "document/editors/RenmeiList.h"
#include "ui/editors/FieldEditor.h"

class QListWidget;
class QPushButton;

// The joint names: one name a row, edited in place; Add puts "new" after the selected row.
class RenmeiEditor : public FieldEditor
{
    Q_OBJECT

public:
    explicit RenmeiEditor(QWidget *parent = nullptr);

    QListWidget *list() const { return m_view; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *deleteButton() const { return m_delete; }

protected:
    void fillFields() override;
    void collectResult(EditorContext &context) override;
    void setFieldsEditable(bool editable) override;
    void clearFields() override;

private:
    void reload(int select);

    RenmeiList m_names;
    bool m_editable = false;
    bool m_reloading = false;
    QListWidget *m_view = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
};
