#include "Panels.h"

#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>

namespace velmora {

std::optional<QString> Panels::chooseFolder(QWidget *parent, const QString &message, const QString &start,
                                            const QString &prompt)
{
    // The panel's title is the only place a file dialog has for a message.
    QFileDialog dialog(parent, message, start);
    dialog.setObjectName(QStringLiteral("folderPanel"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::Accept, prompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() ||
        dialog.selectedFiles().first().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> Panels::chooseSaveFile(QWidget *parent, const QString &title,
                                              const QString &suggestedName, const QString &filter)
{
    const QString file = QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

std::optional<QString> Panels::chooseOpenFile(QWidget *parent, const QString &title, const QString &filter)
{
    const QString file = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

std::optional<QString> Panels::chooseImage(QWidget *parent, const QString &title, const QString &prompt)
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    // Formats a Mac decodes even where this Qt has no plugin for them; the service judges the file.
    for (const char *more : {"*.heic", "*.heif", "*.tif", "*.tiff", "*.webp"}) {
        if (!patterns.contains(QLatin1String(more)))
            patterns << QLatin1String(more);
    }
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QObject::tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
    dialog.setLabelText(QFileDialog::Accept, prompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void Panels::showError(QWidget *parent, const QString &message, const QString &details)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora"), message, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

void Panels::showWarning(QWidget *parent, const QString &message, const QString &details)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora"), message, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

} // namespace velmora
