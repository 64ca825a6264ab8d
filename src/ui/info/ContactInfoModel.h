#pragma once

#include "document/editors/ContactInfoRows.h"

#include <QAbstractTableModel>
#include <functional>

class ViewController;

// The information panel's rows as an item model: the field (or label) in the first column, the value
// in the second. Edits go to the panel's undoable edits; the model never changes a record itself.
class ContactInfoModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { LabelColumn = 0, ValueColumn = 1 };
    // The row's labels or choices for the pop-ups, as stored (Qt::UserRole + 1) and as shown.
    static constexpr int ChoicesRole = Qt::UserRole + 1;
    static constexpr int ChoiceTitlesRole = Qt::UserRole + 2;

    explicit ContactInfoModel(QObject *parent = nullptr);

    void setController(ViewController *controller) { m_controller = controller; }
    ViewController *controller() const { return m_controller; }
    void setEditable(bool editable);
    bool isEditable() const { return m_editable && m_controller; }
    void setGroupNamesProvider(std::function<QStringList(const ContactEntryPtr &)> provider)
    {
        m_groupNames = std::move(provider);
    }
    void setPhotoSize(int size);
    int photoSize() const { return m_photoSize; }

    // Builds the rows of the contact in the order given.
    void setContact(const ContactEntryPtr &contact, const QStringList &rowOrder);
    const ContactEntryPtr &contact() const { return m_contact; }
    const QList<InfoRow> &rows() const { return m_rows; }
    const InfoRow *rowAt(int row) const
    {
        return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
    }

    // The title of a row's field (or of a name part).
    static QString fieldTitle(const QString &identifier);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // An edit changed the record.
    void contactEdited();

private:
    QString labelText(const InfoRow &row) const;

    ViewController *m_controller = nullptr;
    ContactEntryPtr m_contact;
    QList<InfoRow> m_rows;
    std::function<QStringList(const ContactEntryPtr &)> m_groupNames;
    bool m_editable = false;
    int m_photoSize = 64;
};
