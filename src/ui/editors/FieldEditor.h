#pragma once

#include "document/editors/EditorContext.h"
#include "document/editors/EditorLockState.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class ZRPerson;

// What every field editor shares: the context in and out, the contact's name on top, the Edit/Lock
// toggle, the separator, and Cancel and the confirm button below. A subclass fills its fields from the
// record, hands back its result and switches its fields between read-only and editable.
class FieldEditor : public QWidget
{
    Q_OBJECT

public:
    explicit FieldEditor(QWidget *parent = nullptr);

    // Takes the context and fills the fields; editable: whether editing may be unlocked at all.
    void setContextInfo(const EditorContext &context, bool editable = true);
    // The context, with "dirty", "value" and "values" once the user confirmed a change.
    const EditorContext &contextInfo() const { return m_context; }
    const EditorLockState &lockState() const { return m_state; }

    QPushButton *editButton() const { return m_editButton; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    // Unlocks or locks as the Edit toggle does.
    void setUnlocked(bool unlocked);
    // The confirm button: hands back the result when a change was made, and closes.
    void confirm();
    void cancel();
    // Fields call this when the user changed them.
    void fieldChanged();

signals:
    // The editor is done: its popover closes.
    void finished();

protected:
    virtual void fillFields() = 0;
    virtual void collectResult(EditorContext &context) = 0;
    virtual void setFieldsEditable(bool editable) = 0;
    virtual void clearFields() { }

    QVBoxLayout *body() const { return m_body; }
    ZRPerson *person() const;
    const EditorContext &context() const { return m_context; }

private:
    void refreshState();
    void refreshButtons();

    EditorContext m_context;
    EditorLockState m_state;
    bool m_editable = true;
    bool m_filling = false;
    QLabel *m_title = nullptr;
    QPushButton *m_editButton = nullptr;
    QFrame *m_separator = nullptr;
    QVBoxLayout *m_body = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_confirmButton = nullptr;
};
