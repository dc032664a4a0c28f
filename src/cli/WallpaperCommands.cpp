#include "WallpaperCommands.h"

#include "CommandContext.h"
#include "common/JsonText.h"
#include "platform/Platform.h"
#include "wallpaper/DesktopPictures.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

const char kUsage[] =
    "usage: velmoractl wallpaper show [--json]\n"
    "       velmoractl wallpaper set IMAGE [--display N] [--scaling fill|fit|stretch|center]\n"
    "                                      [--no-clipping]\n";

struct ShownDisplay {
    Display display;
    QString name;
    bool main = false;
    std::optional<QString> imagePath;
    Scaling scaling = Scaling::fill;
    bool allowClipping = true;
};

// Each display with what it shows, in the platform's order. Without a picture the options are the
// ones a picture would get by default.
QList<ShownDisplay> shownDisplays(DisplayService &service)
{
    const std::optional<Display> main = service.mainDisplay();
    QList<ShownDisplay> shown;
    const QList<Display> displays = service.displays();
    for (qsizetype i = 0; i < displays.size(); ++i) {
        ShownDisplay s;
        s.display = displays[i];
        s.name = displays[i].name.isEmpty() ? QStringLiteral("Display %1").arg(i + 1) : displays[i].name;
        s.main = main && main->name == displays[i].name && main->frame == displays[i].frame &&
                 main->deviceDescription == displays[i].deviceDescription;
        s.imagePath = service.desktopImagePath(displays[i]);
        const QVariantMap options = service.desktopImageOptions(displays[i]);
        if (options.contains(DisplayService::scalingKey()))
            s.scaling = scalingFromPlatformCode(options.value(DisplayService::scalingKey()).toULongLong())
                            .value_or(Scaling::fill);
        if (options.contains(DisplayService::allowClippingKey()))
            s.allowClipping = options.value(DisplayService::allowClippingKey()).toBool();
        shown.append(s);
    }
    return shown;
}

int show(CommandContext &context, QStringList args)
{
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (!args.isEmpty()) {
        context.err << kUsage;
        return 2;
    }
    Platform *platform = context.platform();
    if (!platform)
        return 1;
    const QList<ShownDisplay> displays = shownDisplays(platform->displays());
    if (json) {
        QVariantList list;
        for (const ShownDisplay &d : displays) {
            list << QVariantMap{
                {"displayID", qint64(displayID(d.display))},
                {"name", d.display.name},
                {"width", qint64(d.display.frame.width())},
                {"height", qint64(d.display.frame.height())},
                {"main", d.main},
                {"imagePath", d.imagePath ? QVariant(*d.imagePath) : QVariant::fromValue(nullptr)},
                {"scaling", rawValue(d.scaling)},
                {"allowClipping", d.allowClipping},
            };
        }
        context.out << jsonText(list) << '\n';
        return 0;
    }
    if (displays.isEmpty()) {
        context.out << "No displays detected.\n";
        return 0;
    }
    for (const ShownDisplay &d : displays) {
        const quint32 id = displayID(d.display);
        context.out << id << "  " << d.name << "  " << d.display.frame.width() << "×"
                    << d.display.frame.height() << (d.main ? "  (main)" : "") << '\n';
        context.out << "   picture: " << d.imagePath.value_or(QStringLiteral("(none)")) << '\n';
        if (d.imagePath)
            context.out << "   scaling: " << rawValue(d.scaling)
                        << (d.allowClipping ? ", clipping allowed" : ", no clipping") << '\n';
    }
    return 0;
}

// Takes "--name VALUE" or "--name=VALUE" out of the arguments. False when the value is missing.
bool takeOption(QStringList &args, const QString &name, std::optional<QString> &value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size())
                return false;
            value = args[i + 1];
            args.remove(i, 2);
            return true;
        }
        if (args[i].startsWith(name + QLatin1Char('='))) {
            value = args[i].mid(name.size() + 1);
            args.remove(i);
            return true;
        }
    }
    return true;
}

int set(CommandContext &context, QStringList args)
{
    const bool noClipping = args.removeAll(QStringLiteral("--no-clipping")) > 0;
    std::optional<QString> displayText;
    std::optional<QString> scalingText;
    if (!takeOption(args, QStringLiteral("--display"), displayText) ||
        !takeOption(args, QStringLiteral("--scaling"), scalingText)) {
        context.err << "velmoractl: --display and --scaling need a value\n" << kUsage;
        return 2;
    }
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        context.err << kUsage;
        return 2;
    }
    Scaling scaling = Scaling::fill;
    if (scalingText) {
        const std::optional<Scaling> parsed = scalingFromRawValue(*scalingText);
        if (!parsed) {
            context.err << "velmoractl: \"" << *scalingText
                        << "\" is not a scaling mode (fill, fit, stretch, center)\n";
            return 2;
        }
        scaling = *parsed;
    }
    std::optional<quint32> wanted;
    if (displayText) {
        bool ok = false;
        const uint number = displayText->toUInt(&ok);
        if (!ok) {
            context.err << "velmoractl: \"" << *displayText
                        << "\" is not a display number (see velmoractl wallpaper show)\n";
            return 2;
        }
        wanted = number;
    }

    Platform *platform = context.platform();
    if (!platform)
        return 1;
    // Paths are taken as the shell would: "~" is the home folder, anything relative starts here.
    QString path = platform->fileLocations().expandTilde(args.first());
    if (QFileInfo(path).isRelative())
        path = QDir::current().absoluteFilePath(path);
    path = QDir::cleanPath(path);

    std::optional<QList<Display>> targets;
    if (wanted) {
        QList<Display> matching;
        for (const Display &display : platform->displays().displays()) {
            if (displayID(display) == *wanted)
                matching << display;
        }
        if (matching.isEmpty()) {
            context.err << "velmoractl: no display has the number " << *wanted
                        << " (see velmoractl wallpaper show)\n";
            return 1;
        }
        targets = matching;
    }
    const qsizetype count = targets ? targets->size() : platform->displays().displays().size();
    const WallpaperStatus applied = applyWallpaper(*platform, path, scaling, !noClipping, targets);
    if (!applied) {
        context.err << "velmoractl: " << applied.error().description() << '\n';
        return 1;
    }
    context.out << "Set " << path << " on " << count << (count == 1 ? " display" : " displays") << " ("
                << rawValue(scaling) << (noClipping ? ", no clipping" : ", clipping allowed") << ").\n";
    return 0;
}

} // namespace

QCoro::Task<int> runWallpaperCommand(CommandContext &context, QStringList args)
{
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (verb == QLatin1String("show"))
        co_return show(context, args);
    if (verb == QLatin1String("set"))
        co_return set(context, args);
    context.err << kUsage;
    co_return 2;
}

} // namespace velmora
