#ifndef QCUSTOMPLOTINCLUDE_H
#define QCUSTOMPLOTINCLUDE_H

// The project builds with QT_NO_FOREACH, but two inline templates of the
// plotting library's header still use the foreach keyword. Give them a
// plain range-for while the header is read, and take it away afterwards.
// Include this instead of <qcustomplot.h>.
#include <QtGlobal>

#ifndef foreach
#define IRM_LOCAL_FOREACH
#define foreach(variable, container) for (variable : qAsConst(container))
#endif

#include <qcustomplot.h>

#ifdef IRM_LOCAL_FOREACH
#undef foreach
#undef IRM_LOCAL_FOREACH
#endif

#endif // QCUSTOMPLOTINCLUDE_H
