// The contact table's copies, paste, and rows dragged out and vCards dropped in.

#include "document/ContactTransfer.h"
#include "document/DocumentHub.h"
#include "ui/dialogs/Alerts.h"
#include "ui/table/ContactTableView.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {

// vCard text copied as plain text (from a mail or an editor) counts as vCard data.
std::unique_ptr<QMimeData> asVCardData(const QMimeData &data)
{
    auto copy = std::make_unique<QMimeData>();
    if (data.hasFormat(ContactTransfer::VCardMimeType))
        copy->setData(ContactTransfer::VCardMimeType, data.data(ContactTransfer::VCardMimeType));
    else if (data.hasFormat(u"text/x-vcard"_s))
        copy->setData(ContactTransfer::VCardMimeType, data.data(u"text/x-vcard"_s));
    else if (data.hasText() && data.text().trimmed().startsWith(u"BEGIN:VCARD"_s, Qt::CaseInsensitive))
        copy->setData(ContactTransfer::VCardMimeType, data.text().toUtf8());
    if (data.hasUrls())
        copy->setUrls(data.urls());
    return copy;
}

} // namespace

void ContactTableView::copy()
{
    copyWithSeparator(ContactTransfer::TabSeparator);
}

void ContactTableView::copyAsCsv()
{
    copyWithSeparator(ContactTransfer::CsvSeparator);
}

void ContactTableView::copyWithSeparator(const QString &separator)
{
    const QString text
        = ContactTransfer::copyText(m_hub.table().selectedSubContacts(), m_hub.table().columns(), separator);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

bool ContactTableView::canPaste() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !m_hub.editState())
        return false;
    ContactTransfer::DropTarget target;
    target.row = int(m_hub.table().subRows().size());
    target.subRowCount = target.row;
    target.editState = true;
    return ContactTransfer::validateDrop(*asVCardData(*data), target);
}

bool ContactTableView::paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    return acceptData(*data, QPoint(-1, -1), false);
}

ContactTransfer::DropTarget ContactTableView::dropTargetAt(const QPoint &position, bool fromThisTable) const
{
    ContactTransfer::DropTarget target;
    target.fromThisTable = fromThisTable;
    target.subRowCount = subRowCount();
    target.row = target.subRowCount;
    target.editState = m_hub.editState();
    const QModelIndex index = position.x() >= 0 ? indexAt(position) : QModelIndex();
    if (index.isValid() && !m_hub.table().isSummaryRow(index.row())) {
        // Between rows only: the middle of a row is "onto" it.
        const QRect rect = visualRect(index);
        const int edge = std::max(2, rect.height() / 4);
        target.onRow = position.y() > rect.top() + edge && position.y() < rect.bottom() - edge;
        target.row = position.y() <= rect.top() + edge ? index.row() : index.row() + 1;
    }
    return target;
}

bool ContactTableView::acceptData(const QMimeData &data, const QPoint &position, bool fromThisTable)
{
    const ContactTransfer::DropTarget target = dropTargetAt(position, fromThisTable);
    const std::unique_ptr<QMimeData> vcards = asVCardData(data);
    if (!ContactTransfer::validateDrop(*vcards, target))
        return false;
    QStringList errors;
    const bool added = ContactTransfer::acceptDrop(*vcards, target, m_hub.viewController(), &errors);
    if (!errors.isEmpty())
        Alerts::show(window(), tr("Some contacts could not be added."), errors.join(u'\n'));
    return added;
}

QMimeData *ContactTableView::dragDataForSelection()
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows()) {
        if (!m_hub.table().isSummaryRow(index.row()))
            rows << index.row();
    }
    if (rows.isEmpty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    ContactTable subRows;
    for (int row : std::as_const(rows))
        subRows << m_hub.table().subRows().row(row);
    const QString folder = m_dragFolder.isValid() ? m_dragFolder.path() : QString();
    return ContactTransfer::dragData(subRows, rows, folder);
}

void ContactTableView::startDrag(Qt::DropActions)
{
    QMimeData *data = dragDataForSelection();
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void ContactTableView::dragEnterEvent(QDragEnterEvent *event)
{
    // Entering is allowed from anywhere; where the drop may go is decided as it moves.
    if (event->source() == this || !m_hub.editState()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void ContactTableView::dragMoveEvent(QDragMoveEvent *event)
{
    QTableView::dragMoveEvent(event);
    const ContactTransfer::DropTarget target
        = dropTargetAt(event->position().toPoint(), event->source() == this);
    if (ContactTransfer::validateDrop(*asVCardData(*event->mimeData()), target)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ContactTableView::dropEvent(QDropEvent *event)
{
    const bool added = acceptData(*event->mimeData(), event->position().toPoint(), event->source() == this);
    if (added) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}
