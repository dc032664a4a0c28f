#include "TweakEngine.h"

#include "TweakHandler.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

#include <QCoro/QCoroSignal>
#include <QPointer>

namespace velmora {

TweakEngine::TweakEngine(TweakRegistry registry, Platform &platform, TweakHandlers handlers, QObject *parent)
    : QObject(parent), m_registry(std::move(registry)), m_platform(&platform),
      m_handlers(std::move(handlers)), m_preferences(platform)
{
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

std::optional<TweakValue> TweakEngine::readValue(const Tweak &tweak) const
{
    if (tweak.servedByHandler) {
        const TweakHandler *handler = handlerFor(tweak);
        if (!handler)
            return std::nullopt;
        const Result<TweakValue> value = handler->currentValue(*m_platform);
        return value ? std::optional<TweakValue>(*value) : std::nullopt;
    }
    if (tweak.preferenceKey)
        return m_preferences.read(*tweak.preferenceKey);
    return std::nullopt;
}

TweakValue TweakEngine::sameStateKept(const Tweak &tweak, const TweakValue &read) const
{
    // A handler's text may change on every read without the state changing (the Dock's others get
    // new identities); the value held stays then, so nothing announces a change that is none.
    const auto held = m_currentValues.constFind(tweak.id);
    const TweakHandler *handler = handlerFor(tweak);
    if (handler && held != m_currentValues.constEnd() && handler->valuesEquivalent(*held, read))
        return *held;
    return read;
}

void TweakEngine::refreshAll()
{
    QHash<QString, TweakValue> values;
    for (const Tweak &tweak : m_registry.tweaks()) {
        if (const std::optional<TweakValue> value = readValue(tweak))
            values.insert(tweak.id, sameStateKept(tweak, *value));
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

void TweakEngine::refreshCategory(const QString &categoryID, bool force)
{
    if (!force && m_refreshedCategoryIDs.contains(categoryID))
        return;
    for (const Tweak &tweak : m_registry.tweaksInCategory(categoryID)) {
        if (const std::optional<TweakValue> value = readValue(tweak))
            setCurrentValue(tweak.id, sameStateKept(tweak, *value));
    }
    if (!m_refreshedCategoryIDs.contains(categoryID)) {
        m_refreshedCategoryIDs.insert(categoryID);
        emit refreshedCategoryIDsChanged();
    }
}

QCoro::Task<quint64> TweakEngine::enterLane(QString tweakID)
{
    QPointer<TweakEngine> self(this);
    const quint64 ticket = m_lanes[tweakID].nextTicket++;
    while (self && m_lanes.value(tweakID).serving != ticket)
        co_await qCoro(this, &TweakEngine::laneAdvanced);
    co_return ticket;
}

void TweakEngine::leaveLane(const QString &tweakID)
{
    Lane &lane = m_lanes[tweakID];
    ++lane.serving;
    if (lane.serving == lane.nextTicket)
        m_lanes.remove(tweakID); // nobody waiting: forget the lane
    emit laneAdvanced(tweakID);
}

QCoro::Task<Status> TweakEngine::writeValue(TweakValue value, Tweak tweak)
{
    if (tweak.servedByHandler) {
        const TweakHandler *handler = handlerFor(tweak);
        if (!handler)
            co_return Status::failure(QStringLiteral("Nothing serves %1 here.").arg(tweak.title));
        co_return co_await handler->apply(*m_platform, value);
    }
    if (tweak.preferenceKey) {
        const PreferencesBackend::WriteStatus written =
            co_await m_preferences.write(tweak.preferenceKey->domain, tweak.preferenceKey->key, value);
        co_return written ? Status::success() : Status::failure(written.error().description());
    }
    co_return Status::success();
}

QCoro::Task<Status> TweakEngine::removeValue(Tweak tweak)
{
    if (tweak.servedByHandler) {
        const TweakHandler *handler = handlerFor(tweak);
        if (!handler)
            co_return Status::failure(QStringLiteral("Nothing serves %1 here.").arg(tweak.title));
        co_return co_await handler->reset(*m_platform);
    }
    if (tweak.preferenceKey) {
        const PreferencesBackend::WriteStatus removed =
            co_await m_preferences.deleteValue(tweak.preferenceKey->domain, tweak.preferenceKey->key);
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
    const Status gone =
        Status::failure(QStringLiteral("The application closed before the value was written."));
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
    setCurrentValue(tweak.id, value);
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
    setCurrentValue(tweak.id, readValue(tweak).value_or(tweak.defaultValue));
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
