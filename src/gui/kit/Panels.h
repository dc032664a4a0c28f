#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace velmora {

/// Modal file panels. The application shows the platform's own; tests install answers instead.
class Panels {
public:
    virtual ~Panels() = default;

    /// One folder, or nothing when the user cancels. `message` says what the folder is for; `prompt` is
    /// the text of the accepting button.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const QString &message, const QString &start,
                                                const QString &prompt);
    /// A file to write, or nothing. `filter` as in file dialogs ("Property List (*.plist)").
    virtual std::optional<QString> chooseSaveFile(QWidget *parent, const QString &title,
                                                  const QString &suggestedName, const QString &filter);
    /// One existing file, or nothing.
    virtual std::optional<QString> chooseOpenFile(QWidget *parent, const QString &title,
                                                  const QString &filter);
    /// One image file (any format the platform decodes), or nothing when the user cancels. `prompt` is
    /// the text of the accepting button.
    virtual std::optional<QString> chooseImage(QWidget *parent, const QString &title, const QString &prompt);
    /// Tells the user that something they asked for failed.
    virtual void showError(QWidget *parent, const QString &message, const QString &details);
    /// Tells the user that something they asked for was done, but not wholly.
    virtual void showWarning(QWidget *parent, const QString &message, const QString &details);
};

} // namespace velmora
