#include "recordactions.h"

#include "consoledialogs.h"
#include "datareport.h"
#include "readingchart.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "readingtextfile.h"
#include "readingxmlpacket.h"

#include <QDebug>
#include <QDir>

const char RecordActions::SaveFilter[] = "Excel File(*.xls);;XML(*.xml);;Txt File(*.txt)";
const char RecordActions::OpenFilter[] = "Excel File(*.xls);;XML (*.xml);;Txt File(*.txt)";
const char RecordActions::ClearWarning[] = " Warning:all Records will be deleted! ";

RecordActions::RecordActions(ReadingTable *table, ReadingRecorder *recorder,
                             ConsoleDialogs *dialogs, QObject *parent)
    : QObject(parent), m_table(table), m_recorder(recorder), m_dialogs(dialogs)
{}

bool RecordActions::isXmlName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

bool RecordActions::clearAll()
{
    // The user may still keep the records.
    if (!m_dialogs->confirm(QString(), QString::fromLatin1(ClearWarning)))
        return false;
    m_table->clear();
    m_recorder->resetCounter();
    return true;
}

bool RecordActions::newSession()
{
    if (!m_dialogs->confirm(QString(), QString::fromLatin1(ClearWarning)))
        return false;
    if (m_chart)
        m_chart->reset();
    m_table->clear();
    m_recorder->resetCounter();
    return true;
}

bool RecordActions::saveAs()
{
    ConsoleDialogs::FileRequest request;
    request.filter = QString::fromLatin1(SaveFilter);
    request.defaultSuffix = QStringLiteral("xls");
    request.save = true;
    const QString fileName = m_dialogs->fileName(request);
    if (fileName.isEmpty())
        return false;
    const bool ok = saveTo(fileName);
    emit repaintRequested();
    return ok;
}

bool RecordActions::saveTo(const QString &fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    QString error;
    if (isXmlName(fileName)) {
        if (!ReadingXmlPacket::write(*m_table, fileName, &error)) {
            qWarning().noquote() << "Save_asClick:" << fileName << error;
            m_dialogs->message(QStringLiteral("Error"),
                               QStringLiteral("Could not save table to specified file: ") + shown +
                                   QStringLiteral("\n") + error,
                               ConsoleDialogs::Icon::Error);
            return false;
        }
    } else if (!ReadingTextFile::write(*m_table, fileName, &error)) {
        qWarning().noquote() << "Save_asClick:" << fileName << error;
        m_dialogs->message(QString(),
                           QStringLiteral("Could not save table to specified file: ") + shown,
                           ConsoleDialogs::Icon::Information);
        return false;
    }
    m_dialogs->message(QString(),
                       QStringLiteral("Save table to specified file: ") + shown +
                           QStringLiteral(" Scuss!"),
                       ConsoleDialogs::Icon::Information);
    return true;
}

bool RecordActions::open()
{
    ConsoleDialogs::FileRequest request;
    request.filter = QString::fromLatin1(OpenFilter);
    request.save = false;
    const QString fileName = m_dialogs->fileName(request);
    if (fileName.isEmpty())
        return false;
    const bool ok = openFrom(fileName);
    emit repaintRequested();
    return ok;
}

bool RecordActions::openFrom(const QString &fileName)
{
    QString error;
    if (isXmlName(fileName)) {
        if (!ReadingXmlPacket::read(*m_table, fileName, &error)) {
            qWarning().noquote() << "OpenClick:" << fileName << error;
            m_dialogs->message(QStringLiteral("Error"),
                               QStringLiteral("Failed to Load File!\n") +
                                   QDir::toNativeSeparators(fileName) + QStringLiteral(": ") +
                                   error,
                               ConsoleDialogs::Icon::Error);
            return false;
        }
        return true;
    }
    if (!ReadingTextFile::read(*m_table, fileName, &error)) {
        qWarning().noquote() << "OpenClick:" << fileName << error;
        m_dialogs->message(QStringLiteral("Error"), QStringLiteral("Failed to Load File!"),
                           ConsoleDialogs::Icon::Error);
        return false;
    }
    return true;
}

void RecordActions::print()
{
    DataReport report(m_table);
    report.prepare();
    m_dialogs->preview(report);
    emit repaintRequested();
}
