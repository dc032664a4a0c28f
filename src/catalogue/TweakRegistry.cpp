#include "TweakRegistry.h"

#include "CatalogueTables.h"

#include <QSet>

#include <algorithm>

namespace velmora {

namespace {

using namespace catalogue;
using namespace Qt::StringLiterals;

// The catalogue order is not the sidebar order: it is made of runs, each a stretch of one
// category's page. Categories split in two runs show the first run's tweaks first.
struct Run {
    const char *categoryID;
    qsizetype count;
};

constexpr Run kRuns[] = {
    {"dock", 12},       {"dockapps", 1},     {"wallpaper", 1},
    {"finder", 8},      {"screenshot", 5},   {"keyboard", 4},
    {"menubar", 3},     {"appearance", 8},   {"accessibility", 9},
    {"sound", 4},       {"desktop", 5},      {"dock", 2},
    {"finder", 10},     {"keyboard", 4},     {"menubar", 2},
    {"mouse", 3},       {"trackpad", 9},     {"mission-control", 4},
    {"lock-screen", 4}, {"language", 5},     {"software-update", 5},
    {"sharing", 2},     {"login-window", 8}, {"safari", 1},
    {"messages", 1},    {"music", 1},        {"textedit", 2},
    {"timemachine", 1}, {"xcode", 1},        {"activity-monitor", 2},
    {"general", 6},
};

QHash<QString, QList<Tweak>> tweaksPerCategory()
{
    return {
        {u"appearance"_s, appearanceTweaks()},
        {u"accessibility"_s, accessibilityTweaks()},
        {u"sound"_s, soundTweaks()},
        {u"dock"_s, dockTweaks()},
        {u"dockapps"_s, dockappsTweaks()},
        {u"wallpaper"_s, wallpaperTweaks()},
        {u"finder"_s, finderTweaks()},
        {u"desktop"_s, desktopTweaks()},
        {u"mission-control"_s, missionControlTweaks()},
        {u"screenshot"_s, screenshotTweaks()},
        {u"keyboard"_s, keyboardTweaks()},
        {u"mouse"_s, mouseTweaks()},
        {u"trackpad"_s, trackpadTweaks()},
        {u"menubar"_s, menubarTweaks()},
        {u"lock-screen"_s, lockScreenTweaks()},
        {u"language"_s, languageTweaks()},
        {u"software-update"_s, softwareUpdateTweaks()},
        {u"sharing"_s, sharingTweaks()},
        {u"login-window"_s, loginWindowTweaks()},
        {u"safari"_s, safariTweaks()},
        {u"messages"_s, messagesTweaks()},
        {u"music"_s, musicTweaks()},
        {u"textedit"_s, texteditTweaks()},
        {u"timemachine"_s, timemachineTweaks()},
        {u"xcode"_s, xcodeTweaks()},
        {u"activity-monitor"_s, activityMonitorTweaks()},
        {u"general"_s, generalTweaks()},
    };
}

QList<Tweak> tweaksInCatalogueOrder()
{
    const QHash<QString, QList<Tweak>> perCategory = tweaksPerCategory();
    QHash<QString, qsizetype> taken;
    QList<Tweak> ordered;
    for (const Run &run : kRuns) {
        const QString id = QString::fromLatin1(run.categoryID);
        const QList<Tweak> &all = perCategory.value(id);
        const qsizetype from = taken.value(id);
        if (from + run.count > all.size())
            qFatal("catalogue: run of %s asks for more tweaks than the category has", run.categoryID);
        ordered.append(all.mid(from, run.count));
        taken[id] = from + run.count;
    }
    for (auto it = perCategory.cbegin(); it != perCategory.cend(); ++it) {
        if (taken.value(it.key()) != it.value().size())
            qFatal("catalogue: tweaks of %s are not all in a run", qPrintable(it.key()));
    }
    return ordered;
}

} // namespace

const TweakRegistry &TweakRegistry::shared()
{
    // A function-local static is initialised exactly once, even when threads race for it.
    static const TweakRegistry registry = [] {
        Result<TweakRegistry> built = make(categoryTable(), tweaksInCatalogueOrder());
        if (!built)
            qFatal("catalogue: %s", qPrintable(built.error()));
        return std::move(built).value();
    }();
    return registry;
}

Result<TweakRegistry> TweakRegistry::make(QList<TweakCategory> categories, QList<Tweak> tweaks)
{
    TweakRegistry r;
    std::stable_sort(categories.begin(), categories.end(),
                     [](const TweakCategory &a, const TweakCategory &b) { return a.order < b.order; });
    QSet<QString> categoryIDs;
    for (const TweakCategory &c : categories)
        categoryIDs.insert(c.id);

    r.m_tweaksByID.reserve(tweaks.size());
    for (const Tweak &t : tweaks) {
        if (r.m_tweaksByID.contains(t.id))
            return Result<TweakRegistry>::failure(QStringLiteral("duplicate tweak id \"%1\"").arg(t.id));
        if (!categoryIDs.contains(t.categoryID))
            return Result<TweakRegistry>::failure(
                QStringLiteral("tweak \"%1\" names unknown category \"%2\"").arg(t.id, t.categoryID));
        r.m_tweaksByID.insert(t.id, t);
        r.m_tweaksByCategory[t.categoryID].append(t);
    }
    r.m_categories = std::move(categories);
    r.m_tweaks = std::move(tweaks);
    return r;
}

std::optional<Tweak> TweakRegistry::tweak(const QString &id) const
{
    auto it = m_tweaksByID.constFind(id);
    if (it == m_tweaksByID.cend())
        return std::nullopt;
    return *it;
}

QList<Tweak> TweakRegistry::tweaksInCategory(const QString &categoryID) const
{
    return m_tweaksByCategory.value(categoryID);
}

Status TweakRegistry::checkHandlerIDs(const QSet<QString> &ids) const
{
    for (const QString &id : ids) {
        const auto found = m_tweaksByID.constFind(id);
        if (found == m_tweaksByID.cend())
            return Status::failure(
                QStringLiteral("a handler is bound to \"%1\", which no tweak has").arg(id));
        if (!found->servedByHandler)
            return Status::failure(
                QStringLiteral("a handler is bound to \"%1\", which is served by its preference").arg(id));
    }
    for (const Tweak &t : m_tweaks) {
        if (t.servedByHandler && !ids.contains(t.id))
            return Status::failure(QStringLiteral("no handler is bound to \"%1\"").arg(t.id));
    }
    return Status::success();
}

std::optional<TweakCategory> TweakRegistry::category(const QString &id) const
{
    for (const TweakCategory &c : m_categories) {
        if (c.id == id)
            return c;
    }
    return std::nullopt;
}

} // namespace velmora
