#include "ui/print/PreviewView.h"

#include "print/EnvelopeLayout.h"
#include "print/HagakiLayout.h"
#include "print/LayoutWriteBack.h"
#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsStore.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Styles that show one receiver per page; the others show a sheet of several.
bool showsOneReceiver(const QString &style)
{
    return style == PrintValue::StyleHagaki || style == PrintValue::StyleEnvelope;
}

} // namespace

PreviewView::PreviewView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("previewView"));
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

bool PreviewView::styleHasLayout(const QString &style)
{
    return showsOneReceiver(style);
}

QSize PreviewView::sizeHint() const
{
    return QSize(int(MaximumWidth) + 4, int(MaximumHeight) + 4);
}

void PreviewView::setContent(const Content &content)
{
    m_content = content;
    m_live = false;
    rebuild();
    rebuildBlocks();
    update();
}

void PreviewView::setLayoutMode(bool on)
{
    if (m_layoutMode == on)
        return;
    m_layoutMode = on;
    setMouseTracking(on);
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    if (!on) {
        m_editor.clearSelection();
        unsetCursor();
        if (m_live) {
            // Nudged blocks that were never dragged go back where they are stored.
            m_live = false;
            rebuild();
        }
    }
    rebuildBlocks();
    update();
}

PreviewView::Content PreviewView::placedContent() const
{
    Content placed = m_content;
    const QList<LayoutEditor::Block> &blocks = m_editor.blocks();
    if (m_content.style == PrintValue::StyleHagaki) {
        bool receiverSide = false;
        bool senderSide = false;
        for (const LayoutEditor::Block &block : blocks)
            (LayoutWriteBack::isSenderBlock(block.kind) ? senderSide : receiverSide) = true;
        if (receiverSide && placed.receiver)
            placed.receiver->layoutDict = LayoutWriteBack::placedLayout(*placed.receiver, blocks, false);
        if (senderSide && placed.sender)
            placed.sender->layoutDict = LayoutWriteBack::placedLayout(*placed.sender, blocks, true);
    } else if (m_content.style == PrintValue::StyleEnvelope) {
        for (const LayoutEditor::Block &block : blocks)
            placed.options = LayoutWriteBack::withEnvelopeRect(placed.options, m_document.paperName(),
                LayoutWriteBack::isSenderBlock(block.kind), block.rect);
    }
    return placed;
}

void PreviewView::rebuild()
{
    const Content content = m_live ? placedContent() : m_content;
    PrintDocument::Request request;
    request.style = content.style;
    request.options = content.options;
    if (content.receiver)
        request.receivers.append(*content.receiver);
    if (!showsOneReceiver(content.style))
        request.receivers += content.moreReceivers;
    else
        request.sender = content.sender;
    request.paperName = content.paperName;
    request.landscape = content.landscape;
    request.surface = PrintDocument::Surface::Preview;
    m_document = PrintDocument::make(request);
}

void PreviewView::rebuildBlocks()
{
    m_editor.setPageSize(paperSize());
    if (!m_layoutMode || !styleHasLayout(m_content.style) || !m_content.receiver) {
        m_editor.setBlocks({});
        return;
    }
    if (m_content.style == PrintValue::StyleHagaki) {
        HagakiLayout layout;
        layout.setPrintOptions(m_content.options);
        layout.setSenderPerson(m_content.sender);
        layout.setReceiverPersons({ *m_content.receiver });
        m_editor.setBlocks(LayoutWriteBack::postcardBlocks(layout.pageForReceiver(0)));
    } else if (const auto paper = EnvelopePaper::named(m_document.paperName())) {
        m_editor.setBlocks(LayoutWriteBack::envelopeBlocks(
            EnvelopeLayout::layoutPage(*m_content.receiver, m_content.sender, m_content.options, *paper)));
    }
}

QSizeF PreviewView::paperSize() const
{
    if (m_document.isValid() && !m_document.paperSize().isEmpty())
        return m_document.paperSize();
    const QString name = m_content.paperName.isEmpty() ? PrintOptionsStore::paperNameForStyle(m_content.style)
                                                       : m_content.paperName;
    const QSizeF size = PaperSizes::sizeInPoints(name);
    return size.isEmpty() ? HagakiLayout::pageSize() : size;
}

QRectF PreviewView::pageRect() const
{
    const QSizeF paper = paperSize();
    const qreal aspect = paper.width() / paper.height();
    QSizeF size = aspect > MaximumWidth / MaximumHeight ? QSizeF(MaximumWidth, MaximumWidth / aspect)
                                                        : QSizeF(MaximumHeight * aspect, MaximumHeight);
    // A pane narrower than the largest page still shows the whole page.
    const qreal fit = std::min({ 1.0, (width() - 2) / size.width(), (height() - 2) / size.height() });
    if (fit > 0)
        size *= fit;
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF PreviewView::blockOrigin() const
{
    return QPointF(PrintOptions::number(m_content.options.value(PrintKey::LeftMargin)),
        PrintOptions::number(m_content.options.value(PrintKey::TopMargin)));
}

QPointF PreviewView::toWidget(const QPointF &pagePoint) const
{
    const QRectF page = pageRect();
    const qreal scale = page.width() / paperSize().width();
    return page.topLeft() + (pagePoint + blockOrigin()) * scale;
}

QPointF PreviewView::toPage(const QPointF &widgetPoint) const
{
    const QRectF page = pageRect();
    const qreal scale = page.width() / paperSize().width();
    return (widgetPoint - page.topLeft()) / scale - blockOrigin();
}

void PreviewView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF page = pageRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.translate(page.topLeft());
    const qreal scale = page.width() / paperSize().width();
    painter.scale(scale, scale);
    painter.fillRect(QRectF(QPointF(), paperSize()), Qt::white);
    if (m_document.isValid() && m_document.pageCount() > 0)
        m_document.drawPage(&painter, 0);
    if (m_layoutMode)
        drawSelection(&painter);
    painter.restore();
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void PreviewView::drawSelection(QPainter *painter) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->translate(blockOrigin());
    for (const LayoutEditor::Block &block : m_editor.blocks()) {
        const QRectF rect = block.rect.translated(0, block.yOffset);
        if (!block.selected) {
            // Where a click takes a block, faintly, so that the blocks can be found on a bare card.
            QPen pen(QColor(0, 0, 0, 60), 0.5, Qt::DotLine);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(rect);
            continue;
        }
        // Red and white dashes of 3 points, so that the frame shows on any card picture.
        QPen pen(Qt::red, 0.5);
        pen.setDashPattern({ 6, 6 });
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect);
        pen.setColor(Qt::white);
        pen.setDashOffset(6);
        painter->setPen(pen);
        painter->drawRect(rect);
        painter->setPen(QPen(Qt::gray, 0.4));
        painter->setBrush(Qt::white);
        for (int handle = 0; handle < LayoutEditor::HandleCount; ++handle)
            painter->drawRect(LayoutEditor::handleRect(rect, handle));
    }
    painter->restore();
}

void PreviewView::updateCursor(const QPointF &pagePoint)
{
    setCursor(m_editor.cursorAt(pagePoint));
}

void PreviewView::mousePressEvent(QMouseEvent *event)
{
    if (!m_layoutMode || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPointF point = toPage(event->position());
    m_editor.press(point);
    updateCursor(point);
    update();
}

void PreviewView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_layoutMode) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF point = toPage(event->position());
    if ((event->buttons() & Qt::LeftButton) && m_editor.drag(point)) {
        m_live = true;
        rebuild();
        update();
    }
    updateCursor(point);
}

void PreviewView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_layoutMode || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QList<LayoutEditor::Block> changed = m_editor.release();
    updateCursor(toPage(event->position()));
    update();
    if (!changed.isEmpty())
        emit blocksPlaced(changed, m_editor.blocks());
}

void PreviewView::keyPressEvent(QKeyEvent *event)
{
    if (m_layoutMode && m_editor.nudgeForKey(event->key())) {
        m_live = true;
        rebuild();
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}
