#include "datamodeltime.h"

#include "timebox.h"

DataModelTime::DataModelTime(QList<Column *> columns, QObject *parent) : DataModel(columns, parent)
{}

QVariant DataModelTime::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole) {
        if (DMMDataTime *r = recordAs<DMMDataTime>(index, DMMData::dmTime)) {
            switch (index.column()) {
            case 3:
                return over(r->overRange, r->res);
            case 4:
                return TimeBox::convertString(r->elapsedTime);
            case 5:
                return TimeBox::convertString(r->setTime);
            case 6:
                return r->current.toString();
            case 7:
                return r->vset.toString();
            case 8:
                return r->vout.toString();
            default:
                break;
            }
        }
    }
    return DataModel::data(index, role);
}

QString DataModelTime::getMainTitle() const
{
    return columnTitle(MainColumn);
}

QVariant DataModelTime::getMainValue(int row) const
{
    return mainValue(row, MainColumn);
}
