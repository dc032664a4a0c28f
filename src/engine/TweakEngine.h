#pragma once

#include "TweakHandlers.h"
#include "catalogue/TweakRegistry.h"
#include "preferences/PreferencesBackend.h"
#include "preferences/ShellRunner.h"

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPromise>
#include <QSet>

#include <memory>
#include <optional>

namespace velmora {

class Platform;

/// The one model of the application: the current value of every tweak read so far, applies and
/// resets, the processes that must restart for changes to show, and the text of the last failure.
/// Lives on the UI thread; views read its properties and redraw on its signals.
class TweakEngine : public QObject {
    Q_OBJECT

public:
    TweakEngine(TweakRegistry registry, Platform &platform, TweakHandlers handlers,
                QObject *parent = nullptr);
    ~TweakEngine() override;

    const TweakRegistry &registry() const { return m_registry; }
    /// The handler serving a tweak, or null for a tweak served by its preference (or left without).
    const TweakHandler *handlerFor(const Tweak &tweak) const;
    Platform &platform() const { return *m_platform; }

    /// The last value read or applied per tweak id. A tweak without an entry shows its default.
    const QHash<QString, TweakValue> &currentValues() const { return m_currentValues; }
    /// The entry of a tweak, or its default when it has none.
    TweakValue valueOrDefault(const Tweak &tweak) const;
    const QSet<RestartTarget> &pendingRestarts() const { return m_pendingRestarts; }
    /// The pending restarts in the order they are carried out.
    QList<RestartTarget> pendingRestartsInOrder() const;
    /// The readable description of the last failed apply or reset; none after a success.
    const std::optional<QString> &lastError() const { return m_lastError; }
    const QSet<QString> &refreshedCategoryIDs() const { return m_refreshedCategoryIDs; }

    /// The catalogue's preference domains ("com.apple.dock", "NSGlobalDomain") that cannot be read,
    /// each with why. Their values read as absent, so whoever gathers every value (a profile) asks.
    QMap<QString, QString> unreadableDomains() const;

    /// The one rule for reading a tweak: its handler, else its preference, else nothing. The files
    /// are read on a worker thread.
    /// A handler is told `likely`, the value the state may well equal (see
    /// TweakHandler::currentValueLike).
    QCoro::Task<std::optional<TweakValue>> readValue(Tweak tweak,
                                                     std::optional<TweakValue> likely = {}) const;
    /// Whether two values of a tweak describe the same state: equal, or judged the same by the
    /// tweak's handler, on a worker thread (a handler may have to parse texts of many megabytes).
    QCoro::Task<bool> sameState(Tweak tweak, TweakValue a, TweakValue b) const;

    // Refreshes read on worker threads and store what they read when they finish, so several may
    // be under way at once, and applies may finish in the middle of one. The rule: what a refresh
    // read never replaces newer knowledge of a tweak. A tweak applied or reset after the refresh
    // began, or stored by a refresh that began later, keeps that value, and this refresh's reading
    // of it is dropped (it may predate the write). A category already being read is not read twice:
    // an unforced `refreshCategory` of it waits for the read under way.

    /// Reads every tweak; values no longer readable lose their entry, and every category counts as
    /// refreshed. `likely` holds values the state may well equal (a profile about to be compared);
    /// a handler's tweak not in it is likely to hold what is held now.
    QCoro::Task<> refreshAll(QHash<QString, TweakValue> likely = {});
    /// Reads a category's tweaks, once per run unless `force`; unreadable tweaks keep their entry.
    QCoro::Task<> refreshCategory(QString categoryID, bool force = false);

    /// Writes a value; on success stores it and records the tweak's restarts. Applies and resets of
    /// one tweak reach the system in the order they were made; other tweaks run side by side.
    QCoro::Task<bool> apply(TweakValue value, Tweak tweak);
    /// `apply`, telling this value's own outcome: the last error may already belong to another
    /// apply by the time a caller looks, so callers that must know each value's fate use this.
    QCoro::Task<Status> applyValue(TweakValue value, Tweak tweak);
    /// Removes the stored value, then shows what the system now reports (or the default).
    QCoro::Task<> reset(Tweak tweak);
    /// Restarts every pending process once, in a fixed order; the pending set empties at once and
    /// failures are passed over silently.
    QCoro::Task<> restartPending();

signals:
    void currentValuesChanged();
    /// One tweak's entry changed (emitted with `currentValuesChanged`).
    void currentValueChanged(const QString &tweakID);
    void pendingRestartsChanged();
    void lastErrorChanged();
    void refreshedCategoryIDsChanged();

private:
    /// The operations of one tweak, one at a time: each waiting one holds a promise that the one
    /// before finishes when it leaves.
    struct Lane {
        QList<std::shared_ptr<QPromise<void>>> waiting;
    };

    /// One tweak as a refresh read it. A handler's tweak also says how its value compared with the
    /// one held when it was read, judged on a worker.
    struct Reading {
        TweakValue value;
        std::optional<TweakValue> judgedAgainst;
        bool judgedSame = false;
    };
    using Readings = QHash<QString, Reading>;

    /// Reads `tweaks`: their preferences in one batch on a worker, their handlers one by one.
    QCoro::Task<Readings> readTweaks(QList<Tweak> tweaks, QHash<QString, TweakValue> likely = {});
    /// Whether something newer than a refresh begun at `asOf` is known of a tweak.
    bool knowsNewer(const QString &tweakID, quint64 asOf) const;
    /// What to hold after a reading: the value held when it is the same state, else the one read.
    TweakValue keptOrRead(const Tweak &tweak, const Reading &reading) const;
    void setCurrentValue(const QString &tweakID, const TweakValue &value);
    void insertRestarts(const QList<RestartTarget> &targets);
    void setLastError(const std::optional<QString> &error);

    QCoro::Task<> enterLane(QString tweakID);
    void leaveLane(const QString &tweakID);

    QCoro::Task<Status> writeValue(TweakValue value, Tweak tweak);
    QCoro::Task<Status> removeValue(Tweak tweak);

    TweakRegistry m_registry;
    Platform *m_platform;
    TweakHandlers m_handlers;
    PreferencesBackend m_preferences;
    ShellRunner m_shell;

    QHash<QString, TweakValue> m_currentValues;
    QSet<RestartTarget> m_pendingRestarts;
    std::optional<QString> m_lastError;
    QSet<QString> m_refreshedCategoryIDs;
    QHash<QString, Lane> m_lanes;
    /// The latest read of each category under way: when it began, and its end to wait for.
    struct CategoryRead {
        quint64 asOf = 0;
        QFuture<void> done;
    };
    QHash<QString, CategoryRead> m_categoryReads;
    /// A count of the moments that order what is known: a refresh beginning, an apply or a reset
    /// ending. Each tweak's entry is stamped with the moment its value dates from.
    quint64 m_clock = 0;
    QHash<QString, quint64> m_stamps;
};

} // namespace velmora
