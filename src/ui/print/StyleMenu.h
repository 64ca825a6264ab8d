#pragma once

#include <QMenu>

class QActionGroup;

// The print style pop-up of the toolbar and the View menu: the four styles, the current one checked.
class StyleMenu : public QMenu
{
    Q_OBJECT

public:
    explicit StyleMenu(QWidget *parent = nullptr);

    void setCurrentStyle(const QString &style);
    QString currentStyle() const;
    QAction *actionForStyle(const QString &style) const;

signals:
    // The user chose a style (also the one already current).
    void styleChosen(const QString &style);

private:
    QActionGroup *m_group = nullptr;
};
