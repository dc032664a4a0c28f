#pragma once

#include "Tweak.h"
#include "TweakCategory.h"
#include "common/Result.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace velmora {

/// The fixed catalogue: categories in sidebar order, every tweak in catalogue order, and two
/// indexes over the tweaks. Built once per process and never changed; copies share its data.
class TweakRegistry {
public:
    /// The process's one registry, built on first use (safe if two threads ask at once).
    static const TweakRegistry &shared();

    /// Builds a registry from categories and tweaks already in catalogue order. Fails on a
    /// duplicate tweak id or a tweak whose category does not exist: both are mistakes in the
    /// constant data, never something to paper over.
    static Result<TweakRegistry> make(QList<TweakCategory> categories, QList<Tweak> tweaks);

    TweakRegistry() = default;

    /// Sorted ascending by `order` (stable).
    const QList<TweakCategory> &categories() const { return m_categories; }
    /// Catalogue order: the menu-bar panel and the engine's full reads follow it.
    const QList<Tweak> &tweaks() const { return m_tweaks; }
    const QHash<QString, Tweak> &tweaksByID() const { return m_tweaksByID; }

    /// Nothing for an id no tweak has.
    std::optional<Tweak> tweak(const QString &id) const;
    /// Empty for an id no category has.
    QList<Tweak> tweaksInCategory(const QString &categoryID) const;
    std::optional<TweakCategory> category(const QString &id) const;

    /// Checks the ids a program binds handlers to: each must name a tweak served by a handler, and
    /// every such tweak must have one. Either mistake is refused with the id it concerns.
    Status checkHandlerIDs(const QSet<QString> &ids) const;

private:
    QList<TweakCategory> m_categories;
    QList<Tweak> m_tweaks;
    QHash<QString, Tweak> m_tweaksByID;
    QHash<QString, QList<Tweak>> m_tweaksByCategory;
};

} // namespace velmora
