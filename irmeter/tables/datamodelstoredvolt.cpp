#include "datamodelstoredvolt.h"

DataModelStoredVOLT::DataModelStoredVOLT(QList<Column *> columns, QObject *parent)
    : DataModelVOLT(columns, parent)
{}

QVariant DataModelStoredVOLT::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1))
        return QStringLiteral("-");
    return DataModelVOLT::data(index, role);
}
