#include "ui/table/ItemOperationDialog.h"

#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ItemOperationDialog::ItemOperationDialog(const ReplacePanelRequest &request, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("replaceSheet"));
    // The mode is the context menu's English title; the sheet shows it as the menu did.
    setWindowTitle(QCoreApplication::translate("ReplacePanelText", request.type.toUtf8().constData()));
    auto *layout = new QVBoxLayout(this);
    auto *message = new QLabel(request.message, this);
    message->setObjectName(QStringLiteral("replaceSheetMessage"));
    message->setWordWrap(true);
    layout->addWidget(message);
    auto *form = new QFormLayout;

    // The column the command acts on: shown, not chosen.
    auto *column = new QComboBox(this);
    column->setObjectName(QStringLiteral("replaceSheetColumn"));
    column->addItem(ZRPerson::localizedIdentifierForKey(request.identifier), request.identifier);
    column->setEnabled(false);
    form->addRow(tr("Columns"), column);

    m_label = new QComboBox(this);
    m_label->setObjectName(QStringLiteral("replaceSheetLabel"));
    if (request.labelEnabled) {
        QStringList labels = request.labels;
        if (!request.label.isEmpty() && !labels.contains(request.label))
            labels.append(request.label); // a label of the user's own stays choosable
        for (const QString &label : labels)
            m_label->addItem(Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label)), label);
        const int current = m_label->findData(request.label);
        if (current >= 0)
            m_label->setCurrentIndex(current);
    }
    m_label->setEnabled(request.labelEnabled);
    form->addRow(tr("Label:"), m_label);

    m_text = new QLineEdit(request.replaceString, this);
    m_text->setObjectName(QStringLiteral("replaceSheetText"));
    m_text->selectAll();
    form->addRow(tr("Text:"), m_text);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(request.okTitle);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

ReplacePanelAnswer ItemOperationDialog::answer() const
{
    ReplacePanelAnswer answer;
    if (m_label->isEnabled())
        answer.label = m_label->currentData().toString();
    answer.replaceString = m_text->text();
    return answer;
}
