#pragma once

#include "SimulatedRoot.h"
#include "platform/PreferenceStore.h"

namespace velmora {

/// The preferences service of the simulated Mac: one binary plist per domain, read afresh on every
/// call so values written by the stand-in `defaults` tool show at once.
class SimulatedPreferenceStore : public PreferenceStore {
public:
    explicit SimulatedPreferenceStore(SimulatedRoot root) : m_root(std::move(root)) {}

    QVariant copyAppValue(const QString &key, const QString &applicationID) const override;
    Status setAppValue(const QString &key, const QVariant &value, const QString &applicationID) override;
    bool synchronize(const QString &applicationID) override;
    std::optional<QString> readProblem(const QString &applicationID) const override;

private:
    Result<QString> fileFor(const QString &applicationID) const;

    SimulatedRoot m_root;
};

} // namespace velmora
