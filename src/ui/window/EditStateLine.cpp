#include "ui/window/EditStateLine.h"

#include <QPainter>

EditStateLine::EditStateLine(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("editStateLine"));
    setFixedHeight(Thickness);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void EditStateLine::setEditing(bool editing)
{
    if (editing == m_editing)
        return;
    m_editing = editing;
    update();
}

QColor EditStateLine::colour() const
{
    return m_editing ? QColor(Qt::red) : palette().color(QPalette::Mid);
}

void EditStateLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour());
}
