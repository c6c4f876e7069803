#include "datamodelpi.h"

DataModelPI::DataModelPI(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelPI::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataPI *r = recordAs<DMMDataPI>(index, DMMData::dmPI)) {
            const QVariant cell = piDarCell(*r, r->piRatio, index.column());
            if (cell.isValid())
                return cell;
        }
    }
    return DataModel::data(index, role);
}

QString DataModelPI::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelPI::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
