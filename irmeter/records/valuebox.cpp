#include "valuebox.h"

#include <cmath>

QString ValueBox::toString()
{
    if (!std::isfinite(value)) {
        value = 0.0;
        text = QStringLiteral("-");
    }
    return QStringLiteral("%1 %2").arg(text, unit);
}
