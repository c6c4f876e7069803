#include "dialoghooks.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>

namespace {
DialogHooks::MessageFn &messageHook()
{
    static DialogHooks::MessageFn fn;
    return fn;
}
DialogHooks::SaveFileNameFn &saveFileNameHook()
{
    static DialogHooks::SaveFileNameFn fn;
    return fn;
}
DialogHooks::ItemFn &itemHook()
{
    static DialogHooks::ItemFn fn;
    return fn;
}
DialogHooks::OpenUrlFn &openUrlHook()
{
    static DialogHooks::OpenUrlFn fn;
    return fn;
}
} // namespace

QMessageBox::StandardButton DialogHooks::message(QMessageBox::Icon icon, QWidget *parent,
                                                 const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    if (messageHook())
        return messageHook()(icon, parent, title, text, buttons);
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString DialogHooks::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    if (saveFileNameHook())
        return saveFileNameHook()(parent, caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString DialogHooks::getItem(QWidget *parent, const QString &title, const QString &label,
                             const QStringList &items, int current, bool editable, bool *ok)
{
    if (itemHook())
        return itemHook()(parent, title, label, items, current, editable, ok);
    return QInputDialog::getItem(parent, title, label, items, current, editable, ok);
}

bool DialogHooks::openUrl(const QUrl &url)
{
    if (openUrlHook())
        return openUrlHook()(url);
    return QDesktopServices::openUrl(url);
}

void DialogHooks::setMessageHook(MessageFn fn)
{
    messageHook() = std::move(fn);
}
void DialogHooks::setSaveFileNameHook(SaveFileNameFn fn)
{
    saveFileNameHook() = std::move(fn);
}
void DialogHooks::setItemHook(ItemFn fn)
{
    itemHook() = std::move(fn);
}
void DialogHooks::setOpenUrlHook(OpenUrlFn fn)
{
    openUrlHook() = std::move(fn);
}

void DialogHooks::resetAll()
{
    messageHook() = nullptr;
    saveFileNameHook() = nullptr;
    itemHook() = nullptr;
    openUrlHook() = nullptr;
}
