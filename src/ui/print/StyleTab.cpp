#include "ui/print/StyleTab.h"

#include <QCheckBox>
#include <QFormLayout>

QCheckBox *StyleTab::addCheckRow(QFormLayout *form, const QString &text, const QString &objectName)
{
    auto *box = new QCheckBox(text, this);
    box->setObjectName(objectName);
    form->addRow(box);
    connect(box, &QCheckBox::clicked, this, &StyleTab::edited);
    return box;
}
