#include "ui/tools/MergeTableModel.h"

#include "document/editors/EditorContext.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"
#include "ui/tools/FieldIcons.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int PhotoSide = 64;

// Marks a drag of rows from one of the sheet's tables, so that a photo dragged between them is carried
// by the sheet's rules and one from elsewhere lands on the image well.
const QString SheetRowMimeType = QStringLiteral("application/x-corvanthe-merge-row");
const QString ImageMimeType = QStringLiteral("application/x-qt-image");
const QString UriListMimeType = QStringLiteral("text/uri-list");

// The first local file of a drop from outside, if any.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

// Fields whose value is one line of text, edited in place; the others need their field editors.
bool isPlainTextField(const QString &type)
{
    static const QStringList plain { Ident::Company, Ident::Department, Ident::JobTitle, Ident::Nickname,
        Ident::Suffix, Ident::Title, Ident::Note };
    return plain.contains(type);
}

bool isLabeledTextField(const QString &type)
{
    static const QStringList labeled { Ident::Phone, Ident::Email, Ident::URL, Ident::Relationship };
    return labeled.contains(type);
}

// Alt is the key that copies instead of moving, as Option does elsewhere; a drag the system already
// made a copy (Ctrl) copies too.
bool copies(Qt::DropAction action)
{
    return action == Qt::CopyAction || QGuiApplication::keyboardModifiers().testFlag(Qt::AltModifier);
}

} // namespace

MergeTableModel::MergeTableModel(
    MergePanelController &controller, MergePanelController::Side side, QObject *parent)
    : QAbstractTableModel(parent)
    , m_controller(controller)
    , m_side(side)
{
}

void MergeTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int MergeTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_controller.table(m_side).size());
}

int MergeTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MergeTableModel::data(const QModelIndex &index, int role) const
{
    const MergeRows &rows = m_controller.table(m_side);
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const MergeRow &row = rows.at(index.row());
    const ContactEntryPtr &contact = m_controller.contact(m_side);
    switch (index.column()) {
    case TypeColumn: {
        // A name's parts and an entry's later rows show the field once, on its first row.
        const bool firstOfField = index.row() == 0 || rows.at(index.row() - 1).type != row.type;
        if (role == Qt::DecorationRole && firstOfField)
            return FieldIcons::icon(row.type);
        if (role == Qt::DisplayRole) {
            if (!firstOfField)
                return row.part.isEmpty()
                    ? QString()
                    : ZRPerson::localizedIdentifierForKey(MergeTable::partIdentifier(row));
            const QString field = MergeTable::fieldTitle(row.type);
            return row.part.isEmpty() ? field
                                      : field + QStringLiteral(" · ")
                    + ZRPerson::localizedIdentifierForKey(MergeTable::partIdentifier(row));
        }
        break;
    }
    case LabelColumn:
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && row.labeled && !row.isAddingRow())
            return role == Qt::EditRole
                ? row.label
                : Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(row.label));
        if (role == LabelChoicesRole && row.labeled)
            return Labels::labelsForIdentifier(row.type);
        break;
    case ValueColumn:
        if (row.type == Ident::Photo) {
            if (role == Qt::DecorationRole && contact && contact->person
                && !contact->person->imageData().isEmpty()) {
                QImage image = QImage::fromData(contact->person->imageData());
                if (!image.isNull())
                    return image.scaled(PhotoSide, PhotoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_controller.textForRow(m_side, index.row());
        break;
    default:
        break;
    }
    return {};
}

QVariant MergeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TypeColumn:
        return tr("Field");
    case LabelColumn:
        return tr("Label");
    case ValueColumn:
        return tr("Value");
    default:
        return {};
    }
}

Qt::ItemFlags MergeTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    const MergeRow &row = m_controller.table(m_side).at(index.row());
    if (MergeTable::isDraggableType(row.type))
        flags |= Qt::ItemIsDragEnabled;
    if (m_controller.look().editable) {
        if (index.column() == ValueColumn && isTextEditable(row))
            flags |= Qt::ItemIsEditable;
        if (index.column() == LabelColumn && row.labeled && !row.isAddingRow())
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool MergeTableModel::opensFieldEditor(const QModelIndex &index) const
{
    const MergeRows &rows = m_controller.table(m_side);
    if (!m_controller.look().editable || !index.isValid() || index.column() != ValueColumn
        || index.row() >= rows.size())
        return false;
    const MergeRow &row = rows.at(index.row());
    return !isTextEditable(row) && row.part.isEmpty()
        && EditorRoster::editorForField(row.type) != EditorKind::None;
}

bool MergeTableModel::isTextEditable(const MergeRow &row) const
{
    if (!row.part.isEmpty())
        return true;
    if (row.labeled)
        return isLabeledTextField(row.type);
    return isPlainTextField(row.type);
}

bool MergeTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const MergeRow row = m_controller.table(m_side).at(index.row());
    const bool changed = index.column() == LabelColumn ? writeLabel(row, value.toString())
                                                       : writeText(row, index.row(), value.toString());
    if (changed)
        emit edited();
    return changed;
}

bool MergeTableModel::writeText(const MergeRow &row, int rowIndex, const QString &text)
{
    const std::shared_ptr<ZRPerson> person = m_controller.contact(m_side)->person;
    if (!person || text == m_controller.textForRow(m_side, rowIndex))
        return false;
    RecordEdits &edits = m_controller.edits();
    if (!row.part.isEmpty())
        return edits.replaceValue(text, MergeTable::partIdentifier(row), person);
    if (!row.labeled)
        return edits.replaceValue(text, row.type, person);
    if (row.isAddingRow()) {
        if (text.isEmpty())
            return false;
        const QVariantMap entry { { Key::Label, Labels::labelsForIdentifier(row.type).value(0) },
            { Key::Value, text } };
        return edits.addLabeledValue(entry, row.type, person);
    }
    QVariantMap entry = person->labeledValueForIdentifierAtIndex(row.type, row.index).toMap();
    if (entry.isEmpty())
        return false;
    entry.insert(Key::Value, text);
    return edits.replaceValue(entry, row.type, person);
}

bool MergeTableModel::writeLabel(const MergeRow &row, const QString &label)
{
    const std::shared_ptr<ZRPerson> person = m_controller.contact(m_side)->person;
    if (!person || label.isEmpty() || label == row.label)
        return false;
    QVariantMap entry = person->labeledValueForIdentifierAtIndex(row.type, row.index).toMap();
    if (entry.isEmpty())
        return false;
    entry.insert(Key::Label, label);
    return m_controller.edits().replaceValue(entry, row.type, person);
}

QStringList MergeTableModel::mimeTypes() const
{
    return { SheetRowMimeType, QStringLiteral("text/plain"), QStringLiteral("image/png"),
        QStringLiteral("image/tiff"), ImageMimeType, UriListMimeType };
}

QMimeData *MergeTableModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && !rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    std::unique_ptr<QMimeData> data = m_controller.writeRowsWithIndexes(m_side, rows);
    if (data)
        data->setData(SheetRowMimeType, QByteArray::number(int(m_side)));
    return data.release();
}

bool MergeTableModel::dropTarget(
    int row, const QModelIndex &parent, int *target, MergePanelController::DropPosition *position) const
{
    if (parent.isValid()) {
        *target = parent.row();
        *position = MergePanelController::DropPosition::On;
        return true;
    }
    if (row < 0)
        row = rowCount();
    *target = row;
    *position = MergePanelController::DropPosition::Above;
    return true;
}

bool MergeTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const
{
    Q_UNUSED(column);
    if (!data)
        return false;
    if (!data->hasFormat(SheetRowMimeType)) {
        // From outside the sheet: an image or an image file, onto the image well.
        return m_controller.look().editable && isPhotoRow(row, parent)
            && (data->hasImage() || !droppedFile(data).isEmpty());
    }
    int target = -1;
    auto position = MergePanelController::DropPosition::On;
    if (!dropTarget(row, parent, &target, &position))
        return false;
    return m_controller.validateDrop(m_side, target, position, copies(action))
        != MergePanelController::DropOperation::None;
}

bool MergeTableModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    if (!data->hasFormat(SheetRowMimeType)) {
        if (dropPhoto(data))
            emit edited();
        return false;
    }
    int target = -1;
    auto position = MergePanelController::DropPosition::On;
    dropTarget(row, parent, &target, &position);
    const bool changed = m_controller.acceptDrop(m_side, target, position, copies(action));
    m_controller.endDrag();
    if (changed)
        emit edited();
    // The controller has moved the value itself; the view must not remove the source row.
    return false;
}

bool MergeTableModel::isPhotoRow(int row, const QModelIndex &parent) const
{
    const MergeRows &rows = m_controller.table(m_side);
    const int target = parent.isValid() ? parent.row() : row;
    return target >= 0 && target < rows.size() && rows.at(target).type == Ident::Photo;
}

bool MergeTableModel::dropPhoto(const QMimeData *data)
{
    const std::shared_ptr<ZRPerson> person
        = m_controller.contact(m_side) ? m_controller.contact(m_side)->person : nullptr;
    if (!person)
        return false;
    QImage image;
    const QString path = droppedFile(data);
    if (!path.isEmpty()) {
        // A file is read as the information panel reads a chosen one: turned upright, any format Qt reads.
        QImageReader reader(path);
        reader.setAutoTransform(true);
        image = reader.read();
        if (image.isNull()) {
            emit photoRefused(QFileInfo(path).fileName(), reader.errorString());
            return false;
        }
    } else {
        image = qvariant_cast<QImage>(data->imageData());
        if (image.isNull())
            return false;
    }
    UndoManager::Group step(m_controller.undoManager());
    return m_controller.edits().replaceValue(image, Ident::Photo, person);
}
