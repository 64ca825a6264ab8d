#pragma once

#include "print/LayoutEditor.h"
#include "print/PrintDocument.h"
#include "print/ReceiverRecord.h"

#include <QWidget>
#include <optional>

// The print preview beside the table: one page as it will print, for the current style, drawn by the
// same renderer as paper and PDF, with the screen's surround (yellow) and printable area (white). The page
// keeps the paper's shape within 285 x 420 points, centred. In layout mode the postcard's or envelope's
// blocks can be selected, moved, resized and nudged; a release says which blocks were placed.
class PreviewView : public QWidget
{
    Q_OBJECT
public:
    // What the page shows: the first receiver (none: an empty page), the sender, the style and its paper.
    struct Content
    {
        QString style;
        QVariantMap options;
        std::optional<ReceiverRecord> receiver;
        std::optional<ReceiverRecord> sender;
        QString paperName;
        bool landscape = false; // sheets turned a quarter
        // Labels and the address list show their first page of these receivers.
        QList<ReceiverRecord> moreReceivers;
    };

    // The largest page on screen, in points: a postcard's shape fills it.
    static constexpr qreal MaximumWidth = 285;
    static constexpr qreal MaximumHeight = 420;

    explicit PreviewView(QWidget *parent = nullptr);

    void setContent(const Content &content);
    const Content &content() const { return m_content; }
    // The page drawn now (page 0 of it); invalid when the style can't be shown.
    const PrintDocument &document() const { return m_document; }

    void setLayoutMode(bool on);
    bool isLayoutMode() const { return m_layoutMode; }
    // Only postcards and envelopes have blocks to place.
    static bool styleHasLayout(const QString &style);
    const LayoutEditor &editor() const { return m_editor; }

    // Where the page lies in the widget, and the widget point of a page point (and back).
    QRectF pageRect() const;
    QPointF toWidget(const QPointF &pagePoint) const;
    QPointF toPage(const QPointF &widgetPoint) const;
    // The page's paper in points.
    QSizeF paperSize() const;

    QSize sizeHint() const override;

signals:
    // A drag ended with blocks changed; `all` holds every block as placed now (a postcard stores the name
    // and address of one side together).
    void blocksPlaced(const QList<LayoutEditor::Block> &changed, const QList<LayoutEditor::Block> &all);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rebuild();
    void rebuildBlocks();
    // The content with the blocks as the editor holds them now, for drawing during a drag or after a nudge.
    Content placedContent() const;
    // The margins the renderer moves the page's blocks by.
    QPointF blockOrigin() const;
    void drawSelection(QPainter *painter) const;
    void updateCursor(const QPointF &pagePoint);

    Content m_content;
    PrintDocument m_document;
    LayoutEditor m_editor;
    bool m_layoutMode = false;
    // The editor holds block rectangles the content does not (a drag in progress, a nudge): draw those.
    bool m_live = false;
};
