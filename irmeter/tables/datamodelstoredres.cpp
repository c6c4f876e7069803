#include "datamodelstoredres.h"

DataModelStoredRES::DataModelStoredRES(QList<Column *> columns, QObject *parent)
    : DataModelRES(columns, parent)
{}

QVariant DataModelStoredRES::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1))
        return QStringLiteral("-");
    return DataModelRES::data(index, role);
}
