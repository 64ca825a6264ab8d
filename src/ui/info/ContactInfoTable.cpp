#include "ui/info/ContactInfoTable.h"

#include "document/ViewController.h"
#include "document/editors/ContactInfoEdits.h"
#include "formats/VCardExport.h"
#include "model/ZRPerson.h"
#include "ui/info/ContactInfoModel.h"
#include "ui/info/ContactInfoView.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>

namespace {

QByteArray panelId(const ContactInfoView *panel)
{
    return QByteArray::number(quintptr(panel), 16);
}

} // namespace

ContactInfoTable::ContactInfoTable(ContactInfoView *panel)
    : QTableView(panel)
    , m_panel(panel)
{
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(DragDrop);
    setShowGrid(false);
    setWordWrap(true);
    setEditTriggers(EditKeyPressed | SelectedClicked | AnyKeyPressed);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
}

void ContactInfoTable::startDrag(Qt::DropActions)
{
    const ContactInfoModel *model = m_panel->model();
    const int row = currentIndex().row();
    const InfoRow *info = model->rowAt(row);
    const ContactEntryPtr &contact = model->contact();
    if (!info || !contact || !contact->person || !ContactInfoRows::hasValue(*contact->person, *info))
        return;
    auto *mime = new QMimeData;
    mime->setData(ContactInfoMime::VCard,
        VCardExport::vCardFromContact(
            *contact, { Ident::Note, Ident::Photo, Ident::Renmei, Ident::HagakiLayout }));
    mime->setData(ContactInfoMime::Identifier, info->type.toUtf8());
    // The card read back numbers its entries by position, so the position finds the dragged entry.
    mime->setData(ContactInfoMime::LabelIndex, QByteArray::number(info->index < 0 ? 0 : info->index));
    mime->setData(ContactInfoMime::SourcePanel, panelId(m_panel));
    mime->setText(ContactInfoRows::displayText(*contact->person, *info));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void ContactInfoTable::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(ContactInfoMime::Identifier))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ContactInfoTable::dragMoveEvent(QDragMoveEvent *event)
{
    QTableView::dragMoveEvent(event);
    if (event->mimeData()->hasFormat(ContactInfoMime::Identifier))
        event->acceptProposedAction();
}

void ContactInfoTable::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const int row = indexAt(event->position().toPoint()).row();
    const bool onRow = dropIndicatorPosition() == OnItem;
    event->acceptProposedAction();
    if (mime->data(ContactInfoMime::SourcePanel) == panelId(m_panel)) {
        m_panel->moveRowField(currentIndex().row(), row);
        return;
    }
    const ContactInfoModel *model = m_panel->model();
    const InfoRow *target = model->rowAt(row);
    if (!target || !m_panel->isEditable())
        return;
    ContactInfoEdits::DraggedField dragged { mime->data(ContactInfoMime::VCard),
        QString::fromUtf8(mime->data(ContactInfoMime::Identifier)),
        mime->data(ContactInfoMime::LabelIndex).toLongLong() };
    InfoRow into = *target;
    if (!onRow && dropIndicatorPosition() == BelowItem && into.isLabeled())
        into.index += 1;
    ViewController *controller = model->controller();
    if (controller && ContactInfoEdits::dropField(*controller, model->contact(), into, dragged, onRow))
        emit m_panel->contactDidUpdate(model->contact());
}
