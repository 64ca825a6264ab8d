#include "ui/editors/FieldEditor.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FieldEditor::FieldEditor(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    auto *top = new QHBoxLayout;
    m_title = new QLabel(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_title, 1);
    m_editButton = new QPushButton(this);
    m_editButton->setCheckable(true);
    m_editButton->setAutoDefault(false);
    top->addWidget(m_editButton);
    layout->addLayout(top);
    m_separator = new QFrame(this);
    m_separator->setFrameShape(QFrame::NoFrame);
    m_separator->setAutoFillBackground(true);
    layout->addWidget(m_separator);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    m_cancelButton = new QPushButton(EditorText::Cancel.text(), this);
    m_cancelButton->setAutoDefault(false);
    m_confirmButton = new QPushButton(this);
    m_confirmButton->setDefault(true);
    bottom->addWidget(m_cancelButton);
    bottom->addWidget(m_confirmButton);
    layout->addLayout(bottom);

    connect(m_editButton, &QPushButton::toggled, this, &FieldEditor::setUnlocked);
    connect(m_confirmButton, &QPushButton::clicked, this, &FieldEditor::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &FieldEditor::cancel);
    refreshButtons(); // the fields come with the subclass, and are set with the context
}

ZRPerson *FieldEditor::person() const
{
    return m_context.contact ? m_context.contact->person.get() : nullptr;
}

void FieldEditor::setContextInfo(const EditorContext &context, bool editable)
{
    m_context = context;
    m_context.dirty = false;
    m_editable = editable;
    m_state = EditorLockState(editable && context.editEnabled);
    QString name;
    if (ZRPerson *p = person())
        name = p->compositeName();
    if (name.isEmpty() || name == LabelText::NoName)
        name = EditorText::NoName.text();
    m_title->setText(name);
    m_filling = true;
    fillFields();
    m_filling = false;
    refreshState();
}

void FieldEditor::setUnlocked(bool unlocked)
{
    if (unlocked && !m_editable)
        unlocked = false;
    if (unlocked == m_state.unlocked())
        return;
    if (m_state.setUnlocked(unlocked)) {
        m_filling = true;
        fillFields(); // locking forgets what was typed
        m_filling = false;
    }
    refreshState();
}

void FieldEditor::fieldChanged()
{
    if (m_filling)
        return;
    m_state.fieldChanged();
    refreshState();
}

void FieldEditor::confirm()
{
    if (m_state.confirm() == EditorLockState::Confirm::Commit) {
        m_context.value = QVariant();
        m_context.values.clear();
        collectResult(m_context);
        m_context.dirty = true;
    }
    emit finished();
}

void FieldEditor::cancel()
{
    m_context.dirty = false;
    m_filling = true;
    clearFields();
    m_filling = false;
    emit finished();
}

void FieldEditor::refreshState()
{
    refreshButtons();
    setFieldsEditable(m_state.fieldsEditable());
}

void FieldEditor::refreshButtons()
{
    const QSignalBlocker blocker(m_editButton);
    m_editButton->setChecked(m_state.unlocked());
    m_editButton->setText(m_state.toggleTitle());
    m_editButton->setEnabled(m_editable);
    m_confirmButton->setText(m_state.confirmTitle());
    m_confirmButton->setEnabled(m_state.confirmEnabled());
    m_cancelButton->setVisible(m_state.cancelVisible());
    m_separator->setFixedHeight(m_state.separatorWidth());
    QPalette palette = m_separator->palette();
    palette.setColor(QPalette::Window, m_state.separatorRed() ? QColor(Qt::red) : QColor(Qt::gray));
    m_separator->setPalette(palette);
}
