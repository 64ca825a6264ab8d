#include "ui/tools/MergeSheet.h"

#include "document/DocumentHub.h"
#include "document/editors/EditorApply.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditor.h"
#include "ui/editors/FieldEditors.h"
#include "ui/info/ContactInfoView.h"
#include "ui/tools/MergeLabelDelegate.h"
#include "ui/tools/MergeTableModel.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using Side = MergePanelController::Side;

namespace {

QTableView *makeView(MergeTableModel *model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setDragEnabled(true);
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->setDropIndicatorShown(true);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    view->setDefaultDropAction(Qt::MoveAction);
    view->setDragDropOverwriteMode(true);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::SelectedClicked);
    view->setItemDelegateForColumn(MergeTableModel::LabelColumn, new MergeLabelDelegate(view));
    view->setWordWrap(false);
    return view;
}

} // namespace

MergeSheet::MergeSheet(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Merge Contacts"));
    setWindowModality(Qt::WindowModal);

    m_leftModel = new MergeTableModel(m_controller, Side::Left, this);
    m_rightModel = new MergeTableModel(m_controller, Side::Right, this);
    m_leftView = makeView(m_leftModel, this);
    m_rightView = makeView(m_rightModel, this);
    m_leftView->setAccessibleName(tr("First contact"));
    m_rightView->setAccessibleName(tr("Second contact"));
    for (MergeTableModel *model : { m_leftModel, m_rightModel }) {
        connect(model, &MergeTableModel::edited, this, &MergeSheet::reloadTables);
        connect(model, &MergeTableModel::photoRefused, this, &MergeSheet::showPhotoRefused);
    }
    for (QTableView *view : { m_leftView, m_rightView }) {
        connect(view, &QTableView::doubleClicked, this, [this, view](const QModelIndex &index) {
            openFieldEditor(view == m_leftView ? Side::Left : Side::Right, index.row());
        });
    }

    m_leftTitle = new QLabel(this);
    m_rightTitle = new QLabel(this);
    for (QLabel *title : { m_leftTitle, m_rightTitle }) {
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
    }

    m_separator = new QFrame(this);
    m_separator->setFixedWidth(4);
    m_separator->setAutoFillBackground(true);

    m_editButton = new QPushButton(this);
    m_editButton->setCheckable(true);
    connect(m_editButton, &QPushButton::clicked, this, [this](bool on) { setEditing(on); });
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { done(m_controller.cancel()); });
    m_confirmButton = new QPushButton(this);
    m_confirmButton->setDefault(true);
    connect(m_confirmButton, &QPushButton::clicked, this, &MergeSheet::confirm);

    m_undoAction = new QAction(tr("Undo"), this);
    m_undoAction->setShortcut(QKeySequence::Undo);
    connect(m_undoAction, &QAction::triggered, this, [this] {
        m_controller.undo();
        reloadTables();
    });
    m_redoAction = new QAction(tr("Redo"), this);
    m_redoAction->setShortcut(QKeySequence::Redo);
    connect(m_redoAction, &QAction::triggered, this, [this] {
        m_controller.redo();
        reloadTables();
    });
    addAction(m_undoAction);
    addAction(m_redoAction);

    auto *left = new QVBoxLayout;
    left->addWidget(m_leftTitle);
    left->addWidget(m_leftView, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_rightTitle);
    right->addWidget(m_rightView, 1);
    auto *tables = new QHBoxLayout;
    tables->addLayout(left, 1);
    tables->addWidget(m_separator);
    tables->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_editButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_confirmButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Drag rows from one contact to the other; hold Alt to copy them."), this));
    layout->addLayout(tables, 1);
    layout->addLayout(buttons);
    resize(900, 560);
    showLook();
}

MergeSheet *MergeSheet::open(QWidget *window, DocumentHub &hub)
{
    auto *sheet = window ? window->findChild<MergeSheet *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (sheet && sheet->isVisible()) {
        sheet->done(0);
        return nullptr;
    }
    MergeContext context;
    context.contacts = hub.selectedContacts();
    if (context.contacts.size() < 2)
        return nullptr;
    if (!sheet)
        sheet = new MergeSheet(window);
    if (!sheet->setContextInfo(context, hub.editState()))
        return nullptr;
    QPointer<DocumentHub> guardedHub(&hub);
    QObject::disconnect(sheet, &QDialog::finished, nullptr, nullptr);
    connect(sheet, &QDialog::finished, sheet, [sheet, guardedHub](int code) {
        if (code != 1 || !guardedHub || !guardedHub->isOpen())
            return;
        const MergeContext &done = sheet->controller().context();
        guardedHub->viewController().undoReplacePersonByContacts(done.newContacts, done.contacts);
    });
    sheet->QDialog::open();
    return sheet;
}

bool MergeSheet::isOpenFor(const QWidget *window)
{
    const auto *sheet
        = window ? window->findChild<MergeSheet *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return sheet && sheet->isVisible();
}

bool MergeSheet::setContextInfo(const MergeContext &context, bool editable)
{
    const bool ok = m_controller.setContextInfo(context, editable);
    reloadTables();
    return ok;
}

MergeTableModel *MergeSheet::model(MergePanelController::Side side) const
{
    return side == MergePanelController::Side::Left ? m_leftModel : m_rightModel;
}

QTableView *MergeSheet::view(MergePanelController::Side side) const
{
    return side == MergePanelController::Side::Left ? m_leftView : m_rightView;
}

void MergeSheet::setEditing(bool on)
{
    m_controller.setEditButtonOn(on);
    reloadTables();
}

void MergeSheet::confirm()
{
    // A cell still being typed in is part of what the user confirms: its editor commits on losing focus.
    m_confirmButton->setFocus();
    const int code = m_controller.confirm();
    showLook();
    done(code);
}

EditorPopover *MergeSheet::openFieldEditor(MergePanelController::Side side, int row)
{
    MergeTableModel *model = this->model(side);
    const QModelIndex index = model->index(row, MergeTableModel::ValueColumn);
    if (!model->opensFieldEditor(index))
        return nullptr;
    const MergeRow entry = m_controller.table(side).at(row);
    const ContactEntryPtr contact = m_controller.contact(side);
    const qsizetype labelIndex
        = entry.labeled ? (entry.isAddingRow() ? EditorContext::NewEntry : entry.labelIndex) : 0;
    FieldEditor *editor = FieldEditors::createEditor(EditorRoster::editorForField(entry.type));
    if (!editor || !contact || !contact->person)
        return nullptr;
    editor->setContextInfo(EditorRoster::contextFor(contact, entry.type, labelIndex, true));
    // The working copy the editor was opened on: a cancelled sheet or a new context drops it, and then
    // the result has nowhere to go.
    const std::shared_ptr<ZRPerson> person = contact->person;
    QTableView *view = this->view(side);
    const QRect cell = view->visualRect(index);
    return FieldEditors::showEditor(editor, QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size()),
        EditorRoster::popoverContentSize(entry.type), this, [this, editor, side, person] {
            const ContactEntryPtr &current = m_controller.contact(side);
            if (current && current->person == person
                && EditorApply::applyToRecord(m_controller.edits(), editor->contextInfo(), person))
                reloadTables();
        });
}

void MergeSheet::showPhotoRefused(const QString &fileName, const QString &reason)
{
    // Told without waiting: the drop that brought the file is still being handled.
    auto *box = new QMessageBox(QMessageBox::Warning, ContactInfoView::tr("The image can't be used."),
        ContactInfoView::notAnImageMessage(fileName), QMessageBox::Ok, this);
    box->setInformativeText(reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MergeSheet::reloadTables()
{
    for (MergeTableModel *model : { m_leftModel, m_rightModel }) {
        QTableView *view = model == m_leftModel ? m_leftView : m_rightView;
        const int selected = view->currentIndex().row();
        model->reload();
        if (selected >= 0 && selected < model->rowCount())
            view->selectRow(selected);
        view->resizeColumnToContents(MergeTableModel::TypeColumn);
        view->resizeColumnToContents(MergeTableModel::LabelColumn);
        view->resizeRowsToContents();
    }
    const ContactEntryPtr &left = m_controller.contact(Side::Left);
    const ContactEntryPtr &right = m_controller.contact(Side::Right);
    m_leftTitle->setText(left && left->person ? left->person->compositeName() : QString());
    m_rightTitle->setText(right && right->person ? right->person->compositeName() : QString());
    showLook();
}

void MergeSheet::showLook()
{
    const MergeSheetLook &look = m_controller.look();
    m_editButton->setText(look.editButtonTitle);
    m_editButton->setChecked(look.editButtonOn);
    m_confirmButton->setText(look.confirmButtonTitle);
    m_confirmButton->setEnabled(look.confirmButtonEnabled);
    m_cancelButton->setHidden(look.cancelHidden);
    QPalette palette = m_separator->palette();
    palette.setColor(QPalette::Window, look.separatorRed ? QColor(Qt::red) : QColor(Qt::gray));
    m_separator->setPalette(palette);
    m_separator->setFixedWidth(look.separatorRed ? int(look.separatorBorderWidth) * 2 : 1);
    m_undoAction->setEnabled(m_controller.undoManager().canUndo());
    m_redoAction->setEnabled(m_controller.undoManager().canRedo());
    for (QTableView *view : { m_leftView, m_rightView })
        view->setEditTriggers(look.editable ? QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                            : QAbstractItemView::NoEditTriggers);
}
