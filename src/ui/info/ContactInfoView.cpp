#include "ui/info/ContactInfoView.h"

#include "document/ChangeNotice.h"
#include "document/DefaultsKeys.h"
#include "document/UserDefaults.h"
#include "document/ViewController.h"
#include "document/ViewTypeTables.h"
#include "document/editors/ContactInfoEdits.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/info/ContactInfoDelegate.h"
#include "ui/info/ContactInfoModel.h"
#include "ui/info/ContactInfoTable.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QMenu>
#include <QMessageBox>
#include <QVBoxLayout>

ContactInfoView::ContactInfoView(ViewController *controller, UserDefaults *defaults, QWidget *parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_defaults(defaults)
    , m_model(new ContactInfoModel(this))
{
    m_rowOrder = defaults ? defaults->lastRowOrder() : ViewTypeTables::defaultRowOrder();
    m_model->setController(controller);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_table = new ContactInfoTable(this);
    m_table->setModel(m_model);
    m_delegate = new ContactInfoDelegate(m_table);
    m_table->setItemDelegate(m_delegate);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->horizontalHeader()->setSectionResizeMode(
        ContactInfoModel::LabelColumn, QHeaderView::ResizeToContents);
    layout->addWidget(m_table);

    connect(m_model, &ContactInfoModel::contactEdited, this, &ContactInfoView::edited);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const InfoRow *row = m_model->rowAt(index.row());
        if (!row)
            return;
        if (EditorRoster::editorForField(row->type) != EditorKind::None
            && !ContactInfoRows::isTextEditable(*row))
            openEditorForRow(index.row());
        else if (row->type == Ident::Name || row->type == Ident::PhoneticName)
            openEditorForRow(index.row());
        else if (m_model->flags(index) & Qt::ItemIsEditable)
            m_table->edit(index);
    });
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const int row = m_table->indexAt(at).row();
        if (row < 0)
            return;
        QMenu *menu = menuForRow(row, this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_table->viewport()->mapToGlobal(at));
    });
    if (controller)
        connect(controller, &ViewController::contactsChanged, this, &ContactInfoView::contactsChanged);
}

ContactInfoView::~ContactInfoView() = default;

void ContactInfoView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Wrapped values take the height the new width gives them.
    m_table->resizeRowsToContents();
}

QTableView *ContactInfoView::tableView() const
{
    return m_table;
}

void ContactInfoView::setContact(const ContactEntryPtr &contact)
{
    if (m_editor)
        m_editor->close();
    m_model->setContact(contact, m_rowOrder);
    m_table->resizeRowsToContents();
}

const ContactEntryPtr &ContactInfoView::contact() const
{
    return m_model->contact();
}

void ContactInfoView::setEditable(bool editable)
{
    m_model->setEditable(editable);
}

bool ContactInfoView::isEditable() const
{
    return m_model->isEditable();
}

void ContactInfoView::setGroupNamesProvider(std::function<QStringList(const ContactEntryPtr &)> provider)
{
    m_model->setGroupNamesProvider(std::move(provider));
}

void ContactInfoView::setTableFont(const QFont &font)
{
    m_table->setFont(font);
    m_table->resizeRowsToContents();
}

void ContactInfoView::updateTable()
{
    m_updateScheduled = false;
    const int selected = m_table->currentIndex().row();
    const int column = std::max(0, m_table->currentIndex().column());
    m_model->setContact(m_model->contact(), m_rowOrder);
    m_table->resizeRowsToContents();
    if (selected >= 0 && selected < m_model->rowCount())
        m_table->setCurrentIndex(m_model->index(selected, column));
}

void ContactInfoView::scheduleUpdate()
{
    // A notice may arrive while a cell's editor is committing: the rows are rebuilt after it returns.
    if (m_updateScheduled)
        return;
    m_updateScheduled = true;
    QMetaObject::invokeMethod(this, &ContactInfoView::updateTable, Qt::QueuedConnection);
}

void ContactInfoView::contactsChanged(const ChangeNotice &notice)
{
    const ContactEntryPtr &shown = contact();
    if (!shown)
        return;
    // The table's rows are built for the view and are never marked deleted: a panel opened from one
    // looks its record up in the document.
    if (shown->deleted || FieldEditors::rowsGone(*m_controller, notice, { shown })) {
        m_model->setContact(nullptr, m_rowOrder);
        emit contactDeleted();
        return;
    }
    if (notice.changesRows() || notice.touches(shown->person.get()))
        scheduleUpdate();
}

void ContactInfoView::edited()
{
    emit contactDidUpdate(contact());
}

void ContactInfoView::selectItemAndRange(const FindHit &hit)
{
    const QString field = EditorRoster::fieldOfType(hit.identifier);
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const InfoRow *row = m_model->rowAt(r);
        bool match = false;
        if (row->type == Ident::Name)
            match = hit.identifier == row->label || (hit.identifier == Ident::Name && row->labelIndex == 0);
        else if (row->type == Ident::PhoneticName)
            match = hit.identifier == ContactInfoRows::partIdentifier(*row)
                || (hit.identifier == Ident::PhoneticName && row->labelIndex == 0);
        else if (row->type == field)
            match = !row->isLabeled() || hit.labelIndex < 0 || row->index == hit.labelIndex;
        if (match) {
            const QModelIndex index = m_model->index(r, ContactInfoModel::ValueColumn);
            m_delegate->setCurrentMatch(r, hit.range);
            m_table->viewport()->update();
            m_table->setCurrentIndex(index);
            m_table->scrollTo(index);
            return;
        }
    }
}

void ContactInfoView::setFindString(const QString &text, Qt::CaseSensitivity cs)
{
    m_delegate->setFindString(text, cs);
    m_table->viewport()->update();
}

CellHighlights ContactInfoView::highlightsOfRow(int row) const
{
    return m_delegate->highlights(m_model->index(row, ContactInfoModel::ValueColumn));
}

EditorPopover *ContactInfoView::openEditorForRow(int row)
{
    const InfoRow *info = m_model->rowAt(row);
    if (!info || !m_controller || !contact())
        return nullptr;
    const qsizetype labelIndex = info->isLabeled() ? info->labelIndex : 0;
    EditorContext context = EditorRoster::contextFor(contact(), info->type, labelIndex, isEditable());
    const QRect rect = m_table->visualRect(m_model->index(row, ContactInfoModel::ValueColumn));
    const QRect anchor(m_table->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    if (m_editor)
        m_editor->close();
    m_editor = FieldEditors::openEditor(
        *m_controller, context, { contact() }, anchor, this, false, [this](bool changed) {
            if (changed)
                edited();
        });
    return m_editor;
}

void ContactInfoView::insertItem(int row)
{
    const InfoRow *info = m_model->rowAt(row);
    if (!info || !m_controller || !isEditable())
        return;
    const auto result = ContactInfoEdits::insertItem(*m_controller, contact(), *info);
    if (result.openEditor) {
        const QRect rect = m_table->visualRect(m_model->index(row, ContactInfoModel::ValueColumn));
        const QRect anchor(m_table->viewport()->mapToGlobal(rect.topLeft()), rect.size());
        m_editor = FieldEditors::openEditor(
            *m_controller, *result.openEditor, { contact() }, anchor, this, false, [this](bool changed) {
                if (changed)
                    edited();
            });
    } else if (result.changed) {
        edited();
    }
}

void ContactInfoView::deleteItem(int row)
{
    const InfoRow *info = m_model->rowAt(row);
    if (info && m_controller && isEditable() && ContactInfoEdits::deleteItem(*m_controller, contact(), *info))
        edited();
}

bool ContactInfoView::doWorkspaceAction(int row, bool googleMap)
{
    const InfoRow *info = m_model->rowAt(row);
    if (!info || !contact() || !contact()->person)
        return false;
    const QUrl url = ContactInfoRows::workspaceUrl(*contact()->person, *info, googleMap);
    if (url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

void ContactInfoView::addEditorActions(
    QMenu *menu, int row, const QString &openTitle, const QString &itemTitle)
{
    if (!openTitle.isEmpty())
        menu->addAction(openTitle, this, [this, row] { openEditorForRow(row); });
    if (itemTitle.isEmpty())
        return;
    QMenu *items = menu->addMenu(itemTitle);
    const InfoRow *info = m_model->rowAt(row);
    QAction *add = items->addAction(tr("Add Item"), this, [this, row] { insertItem(row); });
    add->setEnabled(isEditable());
    if (info && contact() && contact()->person && ContactInfoRows::hasValue(*contact()->person, *info)) {
        QAction *remove = items->addAction(tr("Delete Item"), this, [this, row] { deleteItem(row); });
        remove->setEnabled(isEditable());
    }
}

QMenu *ContactInfoView::menuForRow(int row, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const InfoRow *info = m_model->rowAt(row);
    if (!info || !contact())
        return menu;
    const QString &type = info->type;
    auto workspace = [this, menu, row](const QString &title, bool google = false) {
        menu->addAction(title, this, [this, row, google] { doWorkspaceAction(row, google); });
    };
    if (type == Ident::Photo) {
        menu->addAction(tr("Icon Size Bigger"), this, [this] { changePhotoSize(+1); });
        menu->addAction(tr("Icon Size Smaller"), this, [this] { changePhotoSize(-1); });
        const bool hasImage = ContactInfoRows::hasValue(*contact()->person, *info);
        QAction *choose = menu->addAction(
            hasImage ? tr("Replace Image") : tr("Add Image"), this, [this] { chooseImage(); });
        choose->setEnabled(isEditable());
        if (hasImage) {
            QAction *remove = menu->addAction(tr("Delete Image"), this, [this] { deleteImage(); });
            remove->setEnabled(isEditable());
        }
    } else if (type == Ident::Phone) {
        workspace(tr("Call Phone"));
        addEditorActions(menu, row, QString(), tr("Add/Delete Phone Item"));
    } else if (type == Ident::Email) {
        workspace(tr("Send Email"));
        addEditorActions(menu, row, QString(), tr("Add/Delete Email Item"));
    } else if (type == Ident::URL) {
        workspace(tr("Open URL"));
        addEditorActions(menu, row, QString(), tr("Add/Delete URL Item"));
    } else if (type == Ident::Relationship) {
        addEditorActions(menu, row, tr("Open Relationship Panel"), tr("Add/Delete Relationship Item"));
    } else if (type == Ident::Address) {
        workspace(tr("Open Apple Map"));
        workspace(tr("Open Google Map"), true);
        addEditorActions(menu, row, tr("Open Address Panel"), tr("Add/Delete Address Item"));
    } else if (type == Ident::InstantMessage) {
        addEditorActions(menu, row, tr("Open IMS Panel"), tr("Add/Delete IMS Item"));
    } else if (type == Ident::SocialNetwork) {
        addEditorActions(menu, row, tr("Open SNS Panel"), tr("Add/Delete SNS Item"));
    } else if (type == Ident::Dates) {
        addEditorActions(menu, row, tr("Open Dates Panel"), tr("Add/Delete Date Item"));
    } else if (type == Ident::Birthday) {
        addEditorActions(menu, row, tr("Open Birthday Panel"), QString());
    }
    return menu;
}

QString ContactInfoView::notAnImageMessage(const QString &fileName)
{
    return tr("\"%1\" is not an image that can be read.").arg(fileName);
}

bool ContactInfoView::setImageFromFile(const QString &path)
{
    if (!m_controller || !contact() || !isEditable())
        return false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        QMessageBox box(QMessageBox::Warning, tr("The image can't be used."),
            notAnImageMessage(QFileInfo(path).fileName()), QMessageBox::Ok, this);
        box.setInformativeText(reader.errorString());
        box.exec();
        return false;
    }
    if (m_controller->undoReplaceValue(image, Ident::Photo, contact()))
        edited();
    return true;
}

void ContactInfoView::deleteImage()
{
    if (m_controller && contact() && isEditable()
        && m_controller->undoReplaceValue(QVariant(), Ident::Photo, contact()))
        edited();
}

void ContactInfoView::chooseImage()
{
    QStringList patterns { QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png") };
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    if (formats.contains("heif") || formats.contains("heic"))
        patterns << QStringLiteral("*.heic") << QStringLiteral("*.heif");
    const QString filter = tr("Images (%1)").arg(patterns.join(u' '));
    auto *dialog = new QFileDialog(window(), tr("Choose an Image"), QString(), filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(
        dialog, &QFileDialog::fileSelected, this, [this](const QString &path) { setImageFromFile(path); });
    dialog->open();
}

void ContactInfoView::changePhotoSize(int step)
{
    m_model->setPhotoSize(m_model->photoSize() + step * 16);
    m_table->resizeRowsToContents();
}

void ContactInfoView::moveRowField(int from, int to)
{
    const InfoRow *dragged = m_model->rowAt(from);
    const InfoRow *target = m_model->rowAt(to);
    if (!dragged || !target || dragged->type == target->type)
        return;
    m_rowOrder = ContactInfoRows::moveField(m_rowOrder, dragged->type, target->type);
    if (m_defaults)
        m_defaults->setLastRowOrder(m_rowOrder);
    updateTable();
}
