#include "WallpaperSetCommand.h"

#include "CommandContext.h"
#include "platform/Platform.h"
#include "wallpaper/DesktopPictures.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

WallpaperSetCommand::WallpaperSetCommand()
    : Command(QStringLiteral("set"), QStringLiteral("set the desktop picture"))
{
    addArgument({QStringLiteral("IMAGE"), QStringLiteral("the picture; ~ is the home folder")});
    addOption(QCommandLineOption(QStringLiteral("display"),
                                 QStringLiteral("only the display of this number (see wallpaper show)"),
                                 QStringLiteral("N")));
    addOption(QCommandLineOption(QStringLiteral("scaling"),
                                 QStringLiteral("how the picture fills the screen (fill)"),
                                 QStringLiteral("fill|fit|stretch|center")));
    addOption(QCommandLineOption(QStringLiteral("no-clipping"),
                                 QStringLiteral("never crop the picture to fill the screen")));
    setDetails(QStringLiteral("Without --display the picture goes on every display."));
}

QCoro::Task<int> WallpaperSetCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool noClipping = arguments.isSet(QStringLiteral("no-clipping"));
    const std::optional<QString> displayText = arguments.value(QStringLiteral("display"));
    const std::optional<QString> scalingText = arguments.value(QStringLiteral("scaling"));
    const QStringList args = arguments.positional();
    Scaling scaling = Scaling::fill;
    if (scalingText) {
        const std::optional<Scaling> parsed = scalingFromRawValue(*scalingText);
        if (!parsed) {
            context.err << "velmoractl: \"" << *scalingText
                        << "\" is not a scaling mode (fill, fit, stretch, center)\n";
            co_return 2;
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
            co_return 2;
        }
        wanted = number;
    }

    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
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
            co_return 1;
        }
        targets = matching;
    }
    const qsizetype count = targets ? targets->size() : platform->displays().displays().size();
    const WallpaperStatus applied = applyWallpaper(*platform, path, scaling, !noClipping, targets);
    if (!applied) {
        context.err << "velmoractl: " << applied.error().description() << '\n';
        co_return 1;
    }
    context.out << "Set " << path << " on " << count << (count == 1 ? " display" : " displays") << " ("
                << rawValue(scaling) << (noClipping ? ", no clipping" : ", clipping allowed") << ").\n";
    co_return 0;
}

} // namespace velmora
