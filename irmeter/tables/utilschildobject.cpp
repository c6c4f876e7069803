#include "utils.h"

// Children of `parent` whose meta-object class name is exactly one of
// `classNames` (every child when the list is empty); with `recursive` the
// matching descendants too, in depth-first pre-order.
QList<QObject *> Utils::getChildObject(QObject *parent, const QStringList &classNames,
                                       bool recursive)
{
    QList<QObject *> result;
    if (!parent)
        return result;
    const QObjectList children = parent->children();
    for (QObject *child : children) {
        if (classNames.isEmpty() ||
            classNames.contains(QLatin1String(child->metaObject()->className()), Qt::CaseSensitive))
            result.append(child);
        if (recursive)
            result.append(getChildObject(child, classNames, true));
    }
    return result;
}
