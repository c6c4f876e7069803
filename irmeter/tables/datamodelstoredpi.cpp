#include "datamodelstoredpi.h"

DataModelStoredPI::DataModelStoredPI(QList<Column *> columns, QObject *parent)
    : DataModelPI(columns, parent)
{}

QVariant DataModelStoredPI::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1 || column == 7 || column == 8))
        return QStringLiteral("-");
    return DataModelPI::data(index, role);
}
