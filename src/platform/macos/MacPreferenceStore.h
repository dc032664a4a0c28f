#pragma once

#include "platform/PreferenceStore.h"

namespace velmora {

/// The system's preferences service for the current user on any host: reads search the
/// application's domain and then the global one, as every application's reads do; writes go to the
/// application's own domain and are saved at once.
class MacPreferenceStore : public PreferenceStore {
public:
    QVariant copyAppValue(const QString &key, const QString &applicationID) const override;
    Status setAppValue(const QString &key, const QVariant &value, const QString &applicationID) override;
    bool synchronize(const QString &applicationID) override;
    /// Always nothing: the system reads a damaged domain as empty and does not say so.
    std::optional<QString> readProblem(const QString &applicationID) const override;
};

} // namespace velmora
