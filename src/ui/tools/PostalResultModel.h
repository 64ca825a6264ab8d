#pragma once

#include <QAbstractTableModel>

class ZipSheetController;

// The postal-code sheet's result rows as a table: the code, the company, and the address with its
// readings. It holds nothing of its own; a cell is made from the sheet's found line when the view asks
// for it, so a search that finds thousands of areas shows as fast as one that finds a single one.
class PostalResultModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ZipColumn, CompanyColumn, AddressColumn, ColumnCount };

    explicit PostalResultModel(QObject *parent = nullptr);

    // The sheet made a new controller (the national data arrived); null shows nothing.
    void setController(const ZipSheetController *controller);
    // The controller's table changed.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ZipSheetController *m_controller = nullptr;
};
