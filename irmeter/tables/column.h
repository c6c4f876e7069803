#ifndef COLUMN_H
#define COLUMN_H

#include <QString>

// One column of a table model: the untranslated header text (`key`) and the
// text the views show and the exports write (`title`). The window creates the
// columns once; the models only point at them.
struct Column
{
    QString title;
    QString key;
};

#endif // COLUMN_H
