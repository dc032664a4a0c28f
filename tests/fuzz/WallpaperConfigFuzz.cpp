#include "FuzzTargets.h"

#include "wallpaper/WallpaperConfig.h"

namespace velmora::fuzz {

int fuzzWallpaperConfig(const uint8_t *data, size_t size)
{
    const Result<WallpaperConfig> config = WallpaperConfig::fromJson(inputBytes(data, size));
    if (!config)
        return 0;
    // toJson writes the picture's Base64 by hand; whatever was read must come back unchanged.
    const QByteArray written = config->toJson();
    const Result<WallpaperConfig> reread = WallpaperConfig::fromJson(written);
    if (!reread) {
        const QByteArray message = QStringLiteral("the JSON written for settings that read does not read: %1")
                                       .arg(reread.error())
                                       .toUtf8();
        fuzzFailure("wallpaper_config", message.constData());
    }
    if (!(*reread == *config))
        fuzzFailure("wallpaper_config", "written and read again, the settings changed");
    return 0;
}

} // namespace velmora::fuzz
