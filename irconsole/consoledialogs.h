#ifndef CONSOLEDIALOGS_H
#define CONSOLEDIALOGS_H

#include <QString>
#include <functional>

class QWidget;
class DataReport;

// Every message box, question, file dialog and print preview of the
// recording side goes through here, so that tests can answer them. The
// defaults show the real dialogs, parented to the given widget.
class ConsoleDialogs
{
public:
    enum class Icon { Information, Warning, Error };

    struct FileRequest
    {
        QString filter;        // Qt filter string, entries separated by ";;"
        QString defaultSuffix; // added when the name has none ("" for none)
        bool save = false;
    };

    explicit ConsoleDialogs(QWidget *parent = nullptr);

    // Information or error box with one OK button.
    std::function<void(const QString &title, const QString &text, Icon icon)> message;
    // Box with OK and Cancel; true for OK.
    std::function<bool(const QString &title, const QString &text)> confirm;
    // File name chosen by the user; empty when the dialog was cancelled.
    std::function<QString(const FileRequest &request)> fileName;
    // Shows the print preview of the report, from which the user prints.
    std::function<void(DataReport &report)> preview;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent;
};

#endif // CONSOLEDIALOGS_H
