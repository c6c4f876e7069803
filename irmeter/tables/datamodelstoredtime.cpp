#include "datamodelstoredtime.h"

DataModelStoredTime::DataModelStoredTime(QList<Column *> columns, QObject *parent)
    : DataModelTime(columns, parent)
{}

QVariant DataModelStoredTime::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1 || column == 5))
        return QStringLiteral("-");
    return DataModelTime::data(index, role);
}
