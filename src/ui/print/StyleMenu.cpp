#include "ui/print/StyleMenu.h"

#include "print/PrintOptionsStore.h"

#include <QActionGroup>

StyleMenu::StyleMenu(QWidget *parent)
    : QMenu(tr("Print Style"), parent)
    , m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("printStyleMenu"));
    m_group->setExclusive(true);
    for (const QString &style : PrintOptionsStore::printStyles()) {
        QAction *action = addAction(PrintOptionsStore::printStyleTitle(style));
        action->setData(style);
        action->setCheckable(true);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, style] { emit styleChosen(style); });
    }
}

void StyleMenu::setCurrentStyle(const QString &style)
{
    if (QAction *action = actionForStyle(style))
        action->setChecked(true);
}

QString StyleMenu::currentStyle() const
{
    QAction *checked = m_group->checkedAction();
    return checked ? checked->data().toString() : QString();
}

QAction *StyleMenu::actionForStyle(const QString &style) const
{
    for (QAction *action : m_group->actions()) {
        if (action->data().toString() == style)
            return action;
    }
    return nullptr;
}
