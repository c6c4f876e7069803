#ifndef CMDSCHED_GLOBAL_H
#define CMDSCHED_GLOBAL_H

#include <QtGlobal>

// The shared library exports Command and CommandCtrl only; everything else is
// hidden. The module compiled into irmeter is static and exports nothing.
#if defined(CMDSCHED_STATIC)
#define CMDSCHED_EXPORT
#elif defined(CMDSCHED_BUILDING_LIBRARY)
#define CMDSCHED_EXPORT Q_DECL_EXPORT
#else
#define CMDSCHED_EXPORT Q_DECL_IMPORT
#endif

#endif // CMDSCHED_GLOBAL_H
