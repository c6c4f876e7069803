#ifndef DATAMODEL_H
#define DATAMODEL_H

#include "column.h"
#include "dmmdata.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSharedPointer>

// Read-only table of measurement records, one row per record in arrival
// order. Cells are formatted from the records on every request; columns 0 to
// 2 (row number, date and time, mode name) are the same for every mode, the
// subclasses answer the mode's own columns.
class DataModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Role of the untranslated column key in headerData().
    static constexpr int KeyRole = Qt::UserRole + 1;

    DataModel(QList<Column *> columns, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Header text of the mode's main column (the plot's value-axis label).
    virtual QString getMainTitle() const = 0;
    // Display text of the main column of `row`; invalid when there is no such row.
    virtual QVariant getMainValue(int row) const = 0;

    // Appends one row at the end and returns the new row count.
    int addData(QSharedPointer<DMMData> record);
    // Removes every row; an empty model emits nothing.
    void clear();
    QList<QSharedPointer<DMMData>> getData() const;

    static QString getVOLTViewStr(QSharedPointer<DMMDataVOLT> record);
    static QString getCAPViewStr(QSharedPointer<DMMDataCAP> record);

protected:
    // The record shown by `index`, or null for an invalid index, a row out of
    // range or a null record.
    DMMData *recordAt(const QModelIndex &index) const;
    // The record of `index` seen as its concrete class, or null when there is
    // none or it is of another mode than the model's.
    template <typename T> T *recordAs(const QModelIndex &index, DMMData::DataMode mode) const
    {
        DMMData *record = recordAt(index);
        return record && record->mode == mode ? static_cast<T *>(record) : nullptr;
    }
    QString columnTitle(int column) const;
    QVariant mainValue(int row, int mainColumn) const;

    // ">" in front of the box text when the over-range flag is set.
    template <typename Box> static QString over(bool flag, Box &box)
    {
        return flag ? QLatin1Char('>') + box.toString() : box.toString();
    }

    // The cells PI and DAR tests share: both resistances with their marks, the
    // ratio, the three times and the source values. Null for other columns.
    static QVariant piDarCell(DMMDataPIDAR &record, ValueBox &ratio, int column);

private:
    QList<QSharedPointer<DMMData>> m_records;
    QList<Column *> m_columns;
};

#endif // DATAMODEL_H
