#ifndef DATAMODELDAR_H
#define DATAMODELDAR_H

#include "datamodel.h"

// Live dielectric-absorption tests; the ratio is the main reading.
class DataModelDAR : public DataModel
{
    Q_OBJECT
public:
    DataModelDAR(QList<Column *> columns, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString getMainTitle() const override;
    QVariant getMainValue(int row) const override;

    static constexpr int MainColumn = 5;
};

#endif // DATAMODELDAR_H
