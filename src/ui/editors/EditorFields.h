#pragma once

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QString>
#include <QStringList>

// Small helpers the editors build their forms with.
namespace EditorFields {

// A line edit added to the form under a label; changes are reported through onChange.
template <typename Editor> QLineEdit *addLine(QFormLayout *form, const QString &label, Editor *editor)
{
    auto *line = new QLineEdit(form->parentWidget());
    form->addRow(label, line);
    QObject::connect(line, &QLineEdit::textEdited, editor, [editor] { editor->fieldChanged(); });
    return line;
}

// The label pop-up of a labelled field: its labels shown in the reader's language, the stored label as
// item data; a label not among them is added.
// Given labels, only they are offered.
void fillLabelCombo(
    QComboBox *combo, const QString &identifier, const QString &current, const QStringList &only = {});
QString labelOfCombo(const QComboBox *combo);
// The text a label is shown as.
QString displayLabel(const QString &identifier, const QString &label);

} // namespace EditorFields
