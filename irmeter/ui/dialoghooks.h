#ifndef DIALOGHOOKS_H
#define DIALOGHOOKS_H

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// Every modal question the window asks (message boxes, file and item
// dialogs) and every hand-over to the desktop goes through these calls. By
// default they run the framework's dialogs; a test installs its own answer
// so that no modal box is ever left waiting for a user.
class DialogHooks
{
public:
    using MessageFn = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons)>;
    using SaveFileNameFn = std::function<QString(QWidget *parent, const QString &caption,
                                                 const QString &dir, const QString &filter)>;
    // Returns the chosen item and sets *ok like QInputDialog::getItem.
    using ItemFn =
        std::function<QString(QWidget *parent, const QString &title, const QString &label,
                              const QStringList &items, int current, bool editable, bool *ok)>;
    using OpenUrlFn = std::function<bool(const QUrl &url)>;

    // `defaultButton` is the button Enter presses in the framework's box.
    static QMessageBox::StandardButton
    message(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter);
    static QString getItem(QWidget *parent, const QString &title, const QString &label,
                           const QStringList &items, int current, bool editable, bool *ok);
    // Opens a file or location with the desktop's associated application.
    static bool openUrl(const QUrl &url);

    // Replace a hook; an empty function restores the framework's dialog.
    static void setMessageHook(MessageFn fn);
    static void setSaveFileNameHook(SaveFileNameFn fn);
    static void setItemHook(ItemFn fn);
    static void setOpenUrlHook(OpenUrlFn fn);
    static void resetAll();
};

#endif // DIALOGHOOKS_H
