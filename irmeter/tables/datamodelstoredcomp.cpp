#include "datamodelstoredcomp.h"

DataModelStoredCOMP::DataModelStoredCOMP(QList<Column *> columns, QObject *parent)
    : DataModelCOMP(columns, parent)
{}

QVariant DataModelStoredCOMP::data(const QModelIndex &index, int role) const
{
    if (!recordAt(index))
        return QVariant();
    const int column = index.column();
    if (role == Qt::DisplayRole && (column == 1))
        return QStringLiteral("-");
    return DataModelCOMP::data(index, role);
}
