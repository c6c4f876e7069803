#include "datamodeldar.h"

DataModelDAR::DataModelDAR(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelDAR::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataDAR *r = recordAs<DMMDataDAR>(index, DMMData::dmDAR)) {
            const QVariant cell = piDarCell(*r, r->darRatio, index.column());
            if (cell.isValid())
                return cell;
        }
    }
    return DataModel::data(index, role);
}

QString DataModelDAR::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelDAR::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
