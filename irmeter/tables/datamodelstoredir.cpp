#include "datamodelstoredir.h"

DataModelStoredIR::DataModelStoredIR(QList<Column *> columns, QObject *parent)
    : DataModelIR(columns, parent)
{}

QVariant DataModelStoredIR::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1))
        return QStringLiteral("-");
    return DataModelIR::data(index, role);
}
