#include "ui/editors/EditorFields.h"

#include "model/Labels.h"

namespace EditorFields {

QString displayLabel(const QString &identifier, const QString &label)
{
    const QStringList labels = Labels::labelsForIdentifier(identifier);
    const QStringList shown = Labels::localizedLabelsForIdentifier(identifier);
    const qsizetype at = labels.indexOf(label);
    return at >= 0 && at < shown.size() && !shown.at(at).isEmpty() ? shown.at(at) : label;
}

void fillLabelCombo(
    QComboBox *combo, const QString &identifier, const QString &current, const QStringList &only)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    QStringList labels = only.isEmpty() ? Labels::labelsForIdentifier(identifier) : only;
    if (!current.isEmpty() && !labels.contains(current))
        labels << current;
    for (const QString &label : labels)
        combo->addItem(displayLabel(identifier, label), label);
    combo->setCurrentIndex(std::max<int>(0, int(labels.indexOf(current))));
}

QString labelOfCombo(const QComboBox *combo)
{
    const int at = combo->currentIndex();
    if (at < 0)
        return combo->currentText();
    // An editable pop-up may hold a label typed by the user.
    if (combo->isEditable() && combo->currentText() != combo->itemText(at))
        return combo->currentText().trimmed();
    return combo->itemData(at).toString();
}

} // namespace EditorFields
