#include "datamodelstoredcap.h"

DataModelStoredCAP::DataModelStoredCAP(QList<Column *> columns, QObject *parent)
    : DataModelCAP(columns, parent)
{}

QVariant DataModelStoredCAP::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1))
        return QStringLiteral("-");
    return DataModelCAP::data(index, role);
}
