#pragma once

#include <QWidget>

// The 2-point line under the toolbar that tells at a glance whether the contacts can be edited:
// red while editing is on, grey while the document is locked.
class EditStateLine : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Thickness = 2;

    explicit EditStateLine(QWidget *parent = nullptr);

    void setEditing(bool editing);
    bool isEditing() const { return m_editing; }
    QColor colour() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_editing = true;
};
