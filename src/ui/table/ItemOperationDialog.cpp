#include "ui/table/ItemOperationDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ItemOperationDialog::ItemOperationDialog(const ReplacePanelRequest &request, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(request.type);
    auto *layout = new QVBoxLayout(this);
    auto *message = new QLabel(request.message, this);
    message->setWordWrap(true);
    layout->addWidget(message);
    auto *form = new QFormLayout;
    if (request.labelEnabled) {
        m_label = new QComboBox(this);
        m_label->setEditable(true);
        m_label->addItems(request.labels);
        m_label->setCurrentText(request.label);
        form->addRow(tr("Label:"), m_label);
    }
    m_text = new QLineEdit(request.replaceString, this);
    m_text->selectAll();
    form->addRow(tr("Text:"), m_text);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(request.okTitle);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

ReplacePanelAnswer ItemOperationDialog::answer() const
{
    ReplacePanelAnswer answer;
    if (m_label)
        answer.label = m_label->currentText();
    answer.replaceString = m_text->text();
    return answer;
}
