#include "Panels.h"

#include <QFileDialog>

namespace velmora {

std::optional<QString> Panels::chooseFolder(QWidget *parent, const QString &title, const QString &start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
}

std::optional<QString> Panels::chooseSaveFile(QWidget *parent, const QString &title, const QString &suggestedName,
                                              const QString &filter)
{
    const QString file = QFileDialog::getSaveFileName(parent, title, suggestedName, filter);
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

std::optional<QString> Panels::chooseOpenFile(QWidget *parent, const QString &title, const QString &filter)
{
    const QString file = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

QStringList Panels::chooseOpenFiles(QWidget *parent, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

} // namespace velmora
