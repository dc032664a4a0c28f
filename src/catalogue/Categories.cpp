// The sidebar's categories, declared in sidebar order.

#include "CatalogueTables.h"

namespace velmora::catalogue {

using namespace Qt::StringLiterals;

QList<Tweak> makeTweaks(const char *categoryID, std::initializer_list<Row> rows)
{
    auto optionalText = [](const char *utf8) {
        return utf8 ? std::optional<QString>(QString::fromUtf8(utf8)) : std::nullopt;
    };
    QList<Tweak> tweaks;
    tweaks.reserve(qsizetype(rows.size()));
    for (const Row &row : rows) {
        Tweak t;
        t.id = QString::fromUtf8(row.id);
        t.title = QString::fromUtf8(row.title);
        t.summary = optionalText(row.summary);
        t.categoryID = QString::fromUtf8(categoryID);
        t.kind = row.kind;
        t.defaultValue = row.defaultValue;
        t.preferenceKey = row.preferenceKey;
        t.restart = row.restart;
        t.warning = optionalText(row.warning);
        t.servedByHandler = row.servedByHandler;
        tweaks.append(std::move(t));
    }
    return tweaks;
}

QList<TweakCategory> categoryTable()
{
    using T = CategoryTint;
    return {
        {u"appearance"_s, u"Appearance"_s, u"paintbrush.fill"_s, T::purple, -3},
        {u"accessibility"_s, u"Accessibility"_s, u"accessibility"_s, T::blue, -2},
        {u"sound"_s, u"Sound"_s, u"speaker.wave.3.fill"_s, T::pink, -1},
        {u"dock"_s, u"Dock Appearance"_s, u"dock.rectangle"_s, T::blue, 0},
        {u"dockapps"_s, u"Dock Apps"_s, u"rectangle.stack.fill"_s, T::blue, 1},
        {u"wallpaper"_s, u"Wallpaper"_s, u"photo.fill"_s, T::mint, 2},
        {u"finder"_s, u"Finder"_s, u"folder.fill"_s, T::indigo, 3},
        {u"desktop"_s, u"Desktop"_s, u"desktopcomputer"_s, T::brown, 4},
        {u"mission-control"_s, u"Mission Control"_s, u"square.grid.3x2.fill"_s, T::red, 5},
        {u"screenshot"_s, u"Screenshots"_s, u"camera.viewfinder"_s, T::purple, 6},
        {u"keyboard"_s, u"Keyboard"_s, u"keyboard"_s, T::teal, 7},
        {u"mouse"_s, u"Mouse"_s, u"computermouse.fill"_s, T::yellow, 8},
        {u"trackpad"_s, u"Trackpad"_s, u"rectangle.fill.on.rectangle.fill"_s, T::orange, 9},
        {u"menubar"_s, u"Menu Bar"_s, u"menubar.rectangle"_s, T::green, 10},
        {u"lock-screen"_s, u"Lock Screen"_s, u"lock.fill"_s, T::gray, 11},
        {u"language"_s, u"Language & Region"_s, u"globe"_s, T::blue, 12},
        {u"software-update"_s, u"Software Update"_s, u"arrow.triangle.2.circlepath"_s, T::green, 13},
        {u"sharing"_s, u"Sharing"_s, u"network"_s, T::orange, 14},
        {u"login-window"_s, u"Login Window"_s, u"person.crop.circle.fill"_s, T::indigo, 15},
        {u"safari"_s, u"Safari"_s, u"safari.fill"_s, T::blue, 16},
        {u"messages"_s, u"Messages"_s, u"message.fill"_s, T::green, 17},
        {u"music"_s, u"Music"_s, u"music.note"_s, T::pink, 18},
        {u"textedit"_s, u"TextEdit"_s, u"doc.richtext.fill"_s, T::yellow, 19},
        {u"timemachine"_s, u"Time Machine"_s, u"clock.arrow.circlepath"_s, T::mint, 20},
        {u"xcode"_s, u"Xcode"_s, u"hammer.fill"_s, T::indigo, 21},
        {u"activity-monitor"_s, u"Activity Monitor"_s, u"chart.bar.xaxis"_s, T::purple, 22},
        {u"general"_s, u"General"_s, u"gearshape.fill"_s, T::gray, 23},
    };
}

} // namespace velmora::catalogue
