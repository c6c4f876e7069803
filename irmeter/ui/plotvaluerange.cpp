#include "plotvaluerange.h"

#include "qcustomplotinclude.h"

void PlotValueRange::rebuild(const QCPGraph *graph)
{
    reset();
    if (!graph)
        return;
    const QSharedPointer<QCPGraphDataContainer> data = graph->data();
    for (auto it = data->constBegin(); it != data->constEnd(); ++it)
        add(it->value);
}
