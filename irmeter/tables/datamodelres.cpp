#include "datamodelres.h"

DataModelRES::DataModelRES(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelRES::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataRES *r = recordAs<DMMDataRES>(index, DMMData::dmRES)) {
            switch (index.column()) {
            case 3:
                return over(r->overRange, r->res);
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelRES::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelRES::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
