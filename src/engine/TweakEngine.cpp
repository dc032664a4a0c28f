#include "TweakEngine.h"

#include "TweakHandler.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroSignal>
#include <QPointer>
#include <QPromise>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

// The worker half of a refresh: every preference among `tweaks`, read in one go. The preferences
// service reads the domains' files afresh on every call and keeps nothing between calls, so it
// answers from any thread. The 131 reads take about a millisecond on the seeded simulated Mac, where
// most domains have no file; a real Mac has one per domain, some large, and the global domain is read
// again for every key a domain lacks.
QHash<QString, TweakValue> readPreferences(PreferencesBackend preferences, QList<Tweak> tweaks)
{
    QHash<QString, TweakValue> values;
    for (const Tweak &tweak : tweaks) {
        if (std::optional<TweakValue> value = preferences.read(*tweak.preferenceKey))
            values.insert(tweak.id, *std::move(value));
    }
    return values;
}

bool equalValues(TweakValue a, TweakValue b)
{
    return a == b;
}

bool judgeSameState(TweakHandlers::Handler handler, TweakValue a, TweakValue b)
{
    return a == b || handler->valuesEquivalent(a, b);
}

} // namespace

TweakEngine::TweakEngine(TweakRegistry registry, Platform &platform, TweakHandlers handlers, QObject *parent)
    : QObject(parent), m_registry(std::move(registry)), m_platform(&platform),
      m_handlers(std::move(handlers)), m_preferences(platform)
{
}

TweakEngine::~TweakEngine()
{
    // The reads this engine started run on the shared worker threads against the platform it was
    // given, which its owner may take away right after the engine: they finish first.
    QThreadPool::globalInstance()->waitForDone();
}

const TweakHandler *TweakEngine::handlerFor(const Tweak &tweak) const
{
    return tweak.servedByHandler ? m_handlers.handlerFor(tweak.id) : nullptr;
}

TweakValue TweakEngine::valueOrDefault(const Tweak &tweak) const
{
    return m_currentValues.value(tweak.id, tweak.defaultValue);
}

QList<RestartTarget> TweakEngine::pendingRestartsInOrder() const
{
    QList<RestartTarget> ordered;
    for (RestartTarget target : allRestartTargets()) {
        if (m_pendingRestarts.contains(target))
            ordered.append(target);
    }
    return ordered;
}

QMap<QString, QString> TweakEngine::unreadableDomains() const
{
    QMap<QString, QString> unreadable;
    QSet<QString> asked;
    for (const Tweak &tweak : m_registry.tweaks()) {
        if (!tweak.preferenceKey || asked.contains(tweak.preferenceKey->domain))
            continue;
        const QString &domain = tweak.preferenceKey->domain;
        asked.insert(domain);
        const std::optional<QString> problem =
            m_platform->preferences().readProblem(PreferencesBackend::applicationID(domain));
        if (problem)
            unreadable.insert(domain, *problem);
    }
    return unreadable;
}

QCoro::Task<std::optional<TweakValue>> TweakEngine::readValue(Tweak tweak,
                                                              std::optional<TweakValue> likely) const
{
    if (tweak.servedByHandler) {
        // Shared, so the handler outlives the read should the engine go first.
        const TweakHandlers::Handler handler = m_handlers.sharedHandlerFor(tweak.id);
        if (!handler)
            co_return std::nullopt;
        Result<TweakValue> value;
        if (likely)
            value = co_await handler->currentValueLike(*m_platform, *std::move(likely));
        else
            value = co_await handler->currentValue(*m_platform);
        co_return value ? std::optional<TweakValue>(*value) : std::nullopt;
    }
    if (tweak.preferenceKey) {
        QFuture<QHash<QString, TweakValue>> read =
            QtConcurrent::run(&readPreferences, m_preferences, QList<Tweak>{tweak});
        const QHash<QString, TweakValue> values = co_await read;
        const auto found = values.constFind(tweak.id);
        co_return found == values.cend() ? std::nullopt : std::optional<TweakValue>(*found);
    }
    co_return std::nullopt;
}

QCoro::Task<bool> TweakEngine::sameState(Tweak tweak, TweakValue a, TweakValue b) const
{
    TweakHandlers::Handler handler = tweak.servedByHandler ? m_handlers.sharedHandlerFor(tweak.id) : nullptr;
    if (!handler)
        co_return a == b;
    // Even comparing two captures of the desktop picture, 56 MB each, is a worker's job.
    QFuture<bool> judged = QtConcurrent::run(&judgeSameState, std::move(handler), std::move(a), std::move(b));
    co_return co_await judged;
}

QCoro::Task<TweakEngine::Readings> TweakEngine::readTweaks(QList<Tweak> tweaks,
                                                           QHash<QString, TweakValue> likely)
{
    QPointer<TweakEngine> self(this);
    QList<Tweak> preferenceTweaks;
    QList<Tweak> handlerTweaks;
    for (const Tweak &tweak : std::as_const(tweaks)) {
        if (tweak.servedByHandler)
            handlerTweaks.append(tweak);
        else if (tweak.preferenceKey)
            preferenceTweaks.append(tweak);
    }
    // The preferences are read while the handlers read theirs.
    QFuture<QHash<QString, TweakValue>> preferences;
    if (!preferenceTweaks.isEmpty())
        preferences = QtConcurrent::run(&readPreferences, m_preferences, preferenceTweaks);

    Readings readings;
    for (const Tweak &tweak : std::as_const(handlerTweaks)) {
        // A value of many megabytes read again is most often the one held, or the profile's.
        std::optional<TweakValue> expected;
        if (const auto given = likely.constFind(tweak.id); given != likely.cend())
            expected = *given;
        else if (const auto held = m_currentValues.constFind(tweak.id); held != m_currentValues.cend())
            expected = *held;
        const std::optional<TweakValue> value = co_await readValue(tweak, std::move(expected));
        if (!self)
            co_return Readings();
        if (!value)
            continue;
        Reading reading{*value, std::nullopt, false};
        // A handler's text may change on every read without the state changing (the Dock's others
        // get new identities); whether it did is judged now, off the window's thread.
        const auto held = m_currentValues.constFind(tweak.id);
        if (held != m_currentValues.cend()) {
            const TweakValue against = *held;
            reading.judgedSame = co_await sameState(tweak, against, *value);
            if (!self)
                co_return Readings();
            reading.judgedAgainst = against;
        }
        readings.insert(tweak.id, std::move(reading));
    }
    if (!preferenceTweaks.isEmpty()) {
        const QHash<QString, TweakValue> values = co_await preferences;
        if (!self)
            co_return Readings();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            readings.insert(it.key(), Reading{it.value(), std::nullopt, false});
    }
    co_return readings;
}

bool TweakEngine::knowsNewer(const QString &tweakID, quint64 asOf) const
{
    return m_stamps.value(tweakID, 0) > asOf;
}

TweakValue TweakEngine::keptOrRead(const Tweak &tweak, const Reading &reading) const
{
    // The value held stays when it is the same state, so nothing announces a change that is none.
    const auto held = m_currentValues.constFind(tweak.id);
    if (held == m_currentValues.cend())
        return reading.value;
    if (reading.judgedAgainst && *reading.judgedAgainst == *held)
        return reading.judgedSame ? *held : reading.value;
    // The held value changed while the tweak was read (another refresh stored its reading
    // meanwhile): rare enough to judge here.
    const TweakHandler *handler = handlerFor(tweak);
    if (handler && handler->valuesEquivalent(*held, reading.value))
        return *held;
    return reading.value;
}

QCoro::Task<> TweakEngine::refreshAll(QHash<QString, TweakValue> likely)
{
    QPointer<TweakEngine> self(this);
    const quint64 asOf = ++m_clock;
    const Readings readings = co_await readTweaks(m_registry.tweaks(), std::move(likely));
    if (!self)
        co_return;

    QHash<QString, TweakValue> values = m_currentValues;
    for (auto it = m_currentValues.cbegin(); it != m_currentValues.cend(); ++it) {
        if (!readings.contains(it.key()) && !knowsNewer(it.key(), asOf)) {
            values.remove(it.key());
            m_stamps.insert(it.key(), asOf);
        }
    }
    for (const Tweak &tweak : m_registry.tweaks()) {
        const auto reading = readings.constFind(tweak.id);
        if (reading == readings.cend() || knowsNewer(tweak.id, asOf))
            continue;
        values.insert(tweak.id, keptOrRead(tweak, *reading));
        m_stamps.insert(tweak.id, asOf);
    }
    QSet<QString> everyCategory;
    for (const TweakCategory &category : m_registry.categories())
        everyCategory.insert(category.id);

    if (values != m_currentValues) {
        QSet<QString> changed;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (m_currentValues.value(it.key()) != it.value() || !m_currentValues.contains(it.key()))
                changed.insert(it.key());
        }
        for (auto it = m_currentValues.cbegin(); it != m_currentValues.cend(); ++it) {
            if (!values.contains(it.key()))
                changed.insert(it.key());
        }
        m_currentValues = values;
        for (const QString &id : changed)
            emit currentValueChanged(id);
        emit currentValuesChanged();
    }
    if (everyCategory != m_refreshedCategoryIDs) {
        m_refreshedCategoryIDs = everyCategory;
        emit refreshedCategoryIDsChanged();
    }
}

QCoro::Task<> TweakEngine::refreshCategory(QString categoryID, bool force)
{
    QPointer<TweakEngine> self(this);
    if (!force) {
        // Waiting on a future, not on a signal: every waiter gets its own watcher, so a read that
        // ends resumes each of them once. (QCoro's signal awaiter is queued, and a second emission
        // before the first is delivered would resume a waiter that has already gone.)
        while (self && m_categoryReads.contains(categoryID)) {
            QFuture<void> underWay = m_categoryReads.value(categoryID).done;
            co_await underWay;
        }
        if (!self || m_refreshedCategoryIDs.contains(categoryID))
            co_return;
    }
    const quint64 asOf = ++m_clock;
    const QList<Tweak> tweaks = m_registry.tweaksInCategory(categoryID);
    // Whoever waits for this read is released when this promise ends, stored values and all (or
    // when the engine goes, which ends it unfinished).
    QPromise<void> done;
    done.start();
    m_categoryReads.insert(categoryID, CategoryRead{asOf, done.future()});
    const Readings readings = co_await readTweaks(tweaks);
    if (!self)
        co_return;
    if (m_categoryReads.value(categoryID).asOf == asOf)
        m_categoryReads.remove(categoryID);
    for (const Tweak &tweak : tweaks) {
        const auto reading = readings.constFind(tweak.id);
        if (reading == readings.cend() || knowsNewer(tweak.id, asOf))
            continue;
        setCurrentValue(tweak.id, keptOrRead(tweak, *reading));
        m_stamps.insert(tweak.id, asOf);
    }
    if (!m_refreshedCategoryIDs.contains(categoryID)) {
        m_refreshedCategoryIDs.insert(categoryID);
        emit refreshedCategoryIDsChanged();
    }
    done.finish();
}

QCoro::Task<> TweakEngine::enterLane(QString tweakID)
{
    // Waiting on a future of one's own, not on a signal: QCoro's signal awaiter is queued, so two
    // lanes moving on in one turn of the event loop would resume a waiter twice.
    const auto lane = m_lanes.find(tweakID);
    if (lane == m_lanes.end()) {
        m_lanes.insert(tweakID, Lane{});
        co_return;
    }
    auto turn = std::make_shared<QPromise<void>>();
    turn->start();
    lane->waiting.append(turn);
    QFuture<void> myTurn = turn->future();
    // Resumed once: when the operation before leaves, or when the engine goes (the promise then ends
    // unfinished, and the caller's guard sees it).
    co_await myTurn;
}

void TweakEngine::leaveLane(const QString &tweakID)
{
    const auto lane = m_lanes.find(tweakID);
    if (lane == m_lanes.end())
        return;
    if (lane->waiting.isEmpty()) {
        m_lanes.erase(lane); // nobody waiting: forget the lane
        return;
    }
    // The lane passes to the next in line, still taken.
    const std::shared_ptr<QPromise<void>> next = lane->waiting.takeFirst();
    next->finish();
}

QCoro::Task<Status> TweakEngine::writeValue(TweakValue value, Tweak tweak)
{
    if (tweak.servedByHandler) {
        const TweakHandler *handler = handlerFor(tweak);
        if (!handler)
            co_return Status::failure(tr("Nothing serves %1 here.").arg(tweak.title));
        co_return co_await handler->apply(*m_platform, value);
    }
    if (tweak.preferenceKey) {
        const PreferencesBackend::WriteStatus written =
            co_await m_preferences.write(*tweak.preferenceKey, value);
        co_return written ? Status::success() : Status::failure(written.error().description());
    }
    co_return Status::success();
}

QCoro::Task<Status> TweakEngine::removeValue(Tweak tweak)
{
    if (tweak.servedByHandler) {
        const TweakHandler *handler = handlerFor(tweak);
        if (!handler)
            co_return Status::failure(tr("Nothing serves %1 here.").arg(tweak.title));
        co_return co_await handler->reset(*m_platform);
    }
    if (tweak.preferenceKey) {
        const PreferencesBackend::WriteStatus removed =
            co_await m_preferences.deleteValue(*tweak.preferenceKey);
        co_return removed ? Status::success() : Status::failure(removed.error().description());
    }
    co_return Status::success();
}

QCoro::Task<bool> TweakEngine::apply(TweakValue value, Tweak tweak)
{
    const Status applied = co_await applyValue(std::move(value), std::move(tweak));
    co_return applied.ok();
}

QCoro::Task<Status> TweakEngine::applyValue(TweakValue value, Tweak tweak)
{
    const Status gone = Status::failure(tr("The application closed before the value was written."));
    QPointer<TweakEngine> self(this);
    // Two applies to one tweak (a text field applies on every keystroke) must reach the store in
    // order, or a slow first write could land after the second and leave the older text behind.
    co_await enterLane(tweak.id);
    if (!self)
        co_return gone;
    const Status written = co_await writeValue(value, tweak);
    if (!self)
        co_return written ? gone : written;
    if (!written) {
        setLastError(written.error());
        leaveLane(tweak.id);
        co_return written;
    }
    if (tweak.servedByHandler) {
        // A handler's value may be tens of megabytes (the desktop picture travels in it): whether it
        // differs from the value held is a worker's question too.
        const auto held = m_currentValues.constFind(tweak.id);
        if (held != m_currentValues.cend()) {
            const TweakValue before = *held;
            QFuture<bool> compared = QtConcurrent::run(&equalValues, before, value);
            const bool unchanged = co_await compared;
            if (!self)
                co_return gone;
            // Still held (the same text, so this comparison takes no time): nothing changes.
            if (unchanged && m_currentValues.value(tweak.id) == before)
                value = before;
        }
    }
    setCurrentValue(tweak.id, value);
    m_stamps.insert(tweak.id, ++m_clock);
    insertRestarts(tweak.restart);
    setLastError(std::nullopt);
    leaveLane(tweak.id);
    co_return Status::success();
}

QCoro::Task<> TweakEngine::reset(Tweak tweak)
{
    QPointer<TweakEngine> self(this);
    co_await enterLane(tweak.id);
    if (!self)
        co_return;
    const Status removed = co_await removeValue(tweak);
    if (!self)
        co_return;
    if (!removed) {
        setLastError(removed.error());
        leaveLane(tweak.id);
        co_return;
    }
    const quint64 asOf = ++m_clock;
    const std::optional<TweakValue> shown = co_await readValue(tweak);
    if (!self)
        co_return;
    if (!knowsNewer(tweak.id, asOf)) {
        setCurrentValue(tweak.id, shown.value_or(tweak.defaultValue));
        m_stamps.insert(tweak.id, asOf);
    }
    insertRestarts(tweak.restart);
    setLastError(std::nullopt);
    leaveLane(tweak.id);
}

QCoro::Task<> TweakEngine::restartPending()
{
    QPointer<TweakEngine> self(this);
    const QList<RestartTarget> targets = pendingRestartsInOrder();
    if (!m_pendingRestarts.isEmpty()) {
        m_pendingRestarts.clear();
        emit pendingRestartsChanged();
    }
    const QString killall = m_platform->killallToolPath();
    for (RestartTarget target : targets) {
        // A process that is not running, or a killall that fails, is passed over: the system
        // relaunches what it can, and nothing here would help the user.
        // (Arguments built beforehand: GCC 12 miscompiles a braced list inside co_await.)
        const QStringList arguments(rawValue(target));
        co_await m_shell.run(killall, arguments);
        if (!self)
            co_return;
    }
}

void TweakEngine::setCurrentValue(const QString &tweakID, const TweakValue &value)
{
    auto it = m_currentValues.constFind(tweakID);
    if (it != m_currentValues.cend() && *it == value)
        return;
    m_currentValues.insert(tweakID, value);
    emit currentValueChanged(tweakID);
    emit currentValuesChanged();
}

void TweakEngine::insertRestarts(const QList<RestartTarget> &targets)
{
    for (RestartTarget target : targets) {
        if (m_pendingRestarts.contains(target))
            continue;
        m_pendingRestarts.insert(target);
        emit pendingRestartsChanged();
    }
}

void TweakEngine::setLastError(const std::optional<QString> &error)
{
    if (m_lastError == error)
        return;
    m_lastError = error;
    emit lastErrorChanged();
}

} // namespace velmora
