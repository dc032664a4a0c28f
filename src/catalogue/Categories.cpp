// The sidebar's categories, declared in sidebar order.

#include "CatalogueTables.h"

namespace velmora::catalogue {

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
        {"appearance", "Appearance", "paintbrush.fill", T::purple, -3},
        {"accessibility", "Accessibility", "accessibility", T::blue, -2},
        {"sound", "Sound", "speaker.wave.3.fill", T::pink, -1},
        {"dock", "Dock Appearance", "dock.rectangle", T::blue, 0},
        {"dockapps", "Dock Apps", "rectangle.stack.fill", T::blue, 1},
        {"wallpaper", "Wallpaper", "photo.fill", T::mint, 2},
        {"finder", "Finder", "folder.fill", T::indigo, 3},
        {"desktop", "Desktop", "desktopcomputer", T::brown, 4},
        {"mission-control", "Mission Control", "square.grid.3x2.fill", T::red, 5},
        {"screenshot", "Screenshots", "camera.viewfinder", T::purple, 6},
        {"keyboard", "Keyboard", "keyboard", T::teal, 7},
        {"mouse", "Mouse", "computermouse.fill", T::yellow, 8},
        {"trackpad", "Trackpad", "rectangle.fill.on.rectangle.fill", T::orange, 9},
        {"menubar", "Menu Bar", "menubar.rectangle", T::green, 10},
        {"lock-screen", "Lock Screen", "lock.fill", T::gray, 11},
        {"language", "Language & Region", "globe", T::blue, 12},
        {"software-update", "Software Update", "arrow.triangle.2.circlepath", T::green, 13},
        {"sharing", "Sharing", "network", T::orange, 14},
        {"login-window", "Login Window", "person.crop.circle.fill", T::indigo, 15},
        {"safari", "Safari", "safari.fill", T::blue, 16},
        {"messages", "Messages", "message.fill", T::green, 17},
        {"music", "Music", "music.note", T::pink, 18},
        {"textedit", "TextEdit", "doc.richtext.fill", T::yellow, 19},
        {"timemachine", "Time Machine", "clock.arrow.circlepath", T::mint, 20},
        {"xcode", "Xcode", "hammer.fill", T::indigo, 21},
        {"activity-monitor", "Activity Monitor", "chart.bar.xaxis", T::purple, 22},
        {"general", "General", "gearshape.fill", T::gray, 23},
    };
}

} // namespace velmora::catalogue
