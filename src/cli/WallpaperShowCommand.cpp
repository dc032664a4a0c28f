#include "WallpaperShowCommand.h"

#include "CommandContext.h"
#include "common/JsonText.h"
#include "platform/Platform.h"
#include "wallpaper/DesktopPictures.h"

namespace velmora {

namespace {

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

} // namespace

WallpaperShowCommand::WallpaperShowCommand()
    : Command(QStringLiteral("show"), QStringLiteral("each display and its desktop picture"))
{
    addOption(
        QCommandLineOption(QStringLiteral("json"), QStringLiteral("print the displays as a JSON array")));
}

QCoro::Task<int> WallpaperShowCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool json = arguments.isSet(QStringLiteral("json"));
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    const QList<ShownDisplay> displays = shownDisplays(platform->displays());
    if (json) {
        QVariantList list;
        for (const ShownDisplay &d : displays) {
            list << QVariantMap{
                {QStringLiteral("displayID"), qint64(displayID(d.display))},
                {QStringLiteral("name"), d.display.name},
                {QStringLiteral("width"), qint64(d.display.frame.width())},
                {QStringLiteral("height"), qint64(d.display.frame.height())},
                {QStringLiteral("main"), d.main},
                {QStringLiteral("imagePath"),
                 d.imagePath ? QVariant(*d.imagePath) : QVariant::fromValue(nullptr)},
                {QStringLiteral("scaling"), rawValue(d.scaling)},
                {QStringLiteral("allowClipping"), d.allowClipping},
            };
        }
        context.out << jsonText(list) << '\n';
        co_return 0;
    }
    if (displays.isEmpty()) {
        context.out << "No displays detected.\n";
        co_return 0;
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
    co_return 0;
}

} // namespace velmora
