#ifndef DATAMODELPI_H
#define DATAMODELPI_H

#include "datamodel.h"

// Live polarization-index tests; the ratio is the main reading.
class DataModelPI : public DataModel
{
    Q_OBJECT
public:
    DataModelPI(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 5;
};

#endif // DATAMODELPI_H
