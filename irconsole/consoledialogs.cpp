#include "consoledialogs.h"

#include "datareport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace {

// "Name(*.ext)" gives "ext".
QString suffixOfFilter(const QString &filter)
{
    static const QRegularExpression re(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = re.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

ConsoleDialogs::ConsoleDialogs(QWidget *parent) : m_parent(parent)
{
    message = [this](const QString &title, const QString &text, Icon icon) {
        QMessageBox::Icon boxIcon = QMessageBox::Information;
        if (icon == Icon::Warning)
            boxIcon = QMessageBox::Warning;
        else if (icon == Icon::Error)
            boxIcon = QMessageBox::Critical;
        QMessageBox box(boxIcon, title, text, QMessageBox::Ok, m_parent);
        box.exec();
    };
    confirm = [this](const QString &title, const QString &text) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        m_parent);
        box.setDefaultButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    };
    fileName = [this](const FileRequest &request) {
        QFileDialog dialog(m_parent);
        dialog.setNameFilter(request.filter);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (request.save) {
            // The suffix follows the chosen file type; before a choice it is
            // the request's default.
            dialog.setDefaultSuffix(request.defaultSuffix);
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog, request](const QString &filter) {
                                 const QString s = suffixOfFilter(filter);
                                 dialog.setDefaultSuffix(s.isEmpty() ? request.defaultSuffix : s);
                             });
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
    preview = [this](DataReport &report) {
        QPrinter printer(QPrinter::HighResolution);
        DataReport::setupPage(&printer);
        QPrintPreviewDialog dialog(&printer, m_parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&report](QPrinter *p) { report.render(p); });
        dialog.exec();
    };
}
