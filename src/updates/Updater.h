#pragma once

#include <QObject>

namespace velmora {

/// The application's updater: started once at start-up, asked to check when the user chooses
/// "Check for Updates…". Each backend shows its own progress and result windows.
class Updater : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    /// Starts the updater (scheduled checks, if the user's settings ask for them). Before this,
    /// no check can start.
    virtual void start() = 0;
    /// Whether a user-initiated check can start now: false before `start` and while a check or an
    /// update is already in progress.
    virtual bool canCheckForUpdates() const = 0;
    /// A check the user asked for; does nothing when `canCheckForUpdates` is false.
    virtual void checkForUpdates() = 0;

signals:
    void canCheckForUpdatesChanged(bool canCheck);
};

} // namespace velmora
