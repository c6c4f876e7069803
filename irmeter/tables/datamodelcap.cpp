#include "datamodelcap.h"

DataModelCAP::DataModelCAP(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelCAP::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataCAP *r = recordAs<DMMDataCAP>(index, DMMData::dmCAP)) {
            switch (index.column()) {
            case 3:
                return over(r->overRange, r->cap);
            case 4:
                return r->vset.toString();
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelCAP::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelCAP::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
