#pragma once

#include <QAbstractListModel>

class EncodingMenuModel;

// Every encoding with its check box, for the encoding list panel. Ticking and unticking go to the
// menu model, which adds or removes the encoding's item in the pop-up; menuChanged() tells the
// pop-up to show the new items.
class EncodingListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit EncodingListModel(EncodingMenuModel &menu, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The buttons of the panel.
    void selectAll();
    void clearAll();
    // Named apart from QAbstractItemModel::revert(), which views call when an editor is abandoned.
    void revertList();

signals:
    void menuChanged();

private:
    template <typename Change> void changeAll(Change change);

    EncodingMenuModel &m_menu;
};
