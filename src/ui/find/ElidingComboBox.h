#pragma once

#include <QComboBox>

// A pop-up button that, squeezed below the width of its title, shows the title cut with an ellipsis
// rather than clipped mid-character; the full title stays its tool tip while it is cut.
class ElidingComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ElidingComboBox(QWidget *parent = nullptr);

    // The title as painted at the current width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateToolTip();
};
