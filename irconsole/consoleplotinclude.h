#ifndef CONSOLEPLOTINCLUDE_H
#define CONSOLEPLOTINCLUDE_H

// The project builds with QT_NO_FOREACH, but two inline templates of the
// plotting library's header still use the keyword: give them a range-for
// while the header is read. Include this instead of <qcustomplot.h>.
#include <QtGlobal>

#ifndef foreach
#define IRC_LOCAL_FOREACH
#define foreach(variable, container) for (variable : qAsConst(container))
#endif

#include <qcustomplot.h>

#ifdef IRC_LOCAL_FOREACH
#undef foreach
#undef IRC_LOCAL_FOREACH
#endif

#endif // CONSOLEPLOTINCLUDE_H
