#include "datamodelstoreddar.h"

DataModelStoredDAR::DataModelStoredDAR(QList<Column *> columns, QObject *parent)
    : DataModelDAR(columns, parent)
{}

QVariant DataModelStoredDAR::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1 || column == 7 || column == 8))
        return QStringLiteral("-");
    return DataModelDAR::data(index, role);
}
