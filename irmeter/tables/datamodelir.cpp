#include "datamodelir.h"

#include "timebox.h"

DataModelIR::DataModelIR(QList<Column *> columns, QObject *parent) : DataModel(columns, parent) {}

QVariant DataModelIR::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataIR *r = recordAs<DMMDataIR>(index, DMMData::dmIR)) {
            switch (index.column()) {
            case 3:
                return over(r->overRange, r->res);
            case 4:
                return r->current.toString();
            case 5:
                return r->vset.toString();
            case 6:
                return r->vout.toString();
            case 7:
                return r->dar.toString();
            case 8:
                return r->pi.toString();
            case 9:
                return TimeBox::convertString(r->testTime);
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelIR::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelIR::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
