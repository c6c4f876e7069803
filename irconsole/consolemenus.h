#ifndef CONSOLEMENUS_H
#define CONSOLEMENUS_H

#include <QObject>
#include <QVector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

// The File and Record menus of the form. The record limit items form one
// radio group; choosing one emits limitChosen with its number.
class ConsoleMenus : public QObject
{
    Q_OBJECT
public:
    // Adds both menus to the bar; the object is a child of the bar.
    static ConsoleMenus *fill(QMenuBar *bar);
    // Fills menus the form already has; the object is a child of the File
    // menu.
    static ConsoleMenus *fill(QMenu *file, QMenu *record);

    QMenu *fileMenu = nullptr;
    QMenu *recordMenu = nullptr;
    QMenu *recordSetMenu = nullptr;
    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *saveAsAction = nullptr;
    QAction *exitAction = nullptr;
    QAction *clearAllAction = nullptr;
    QActionGroup *limitGroup = nullptr;
    QVector<QAction *> limitActions; // in menu order

    // Number a limit item stands for ("Limitless" is 10000000).
    static int limitOf(const QAction *action);
    int checkedLimit() const;

signals:
    void limitChosen(int limit);

private:
    explicit ConsoleMenus(QObject *parent);
};

#endif // CONSOLEMENUS_H
