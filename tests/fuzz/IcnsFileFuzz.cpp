#include "FuzzTargets.h"

#include "platform/simulated/IcnsFile.h"

namespace velmora::fuzz {

int fuzzIcnsFile(const uint8_t *data, size_t size)
{
    const Result<QImage> image = IcnsFile::decode(inputBytes(data, size));
    if (image &&
        (image->isNull() || image->width() > IcnsFile::maxSide || image->height() > IcnsFile::maxSide))
        fuzzFailure("icns", "an icon file decoded to no image, or one larger than the largest accepted");
    return 0;
}

} // namespace velmora::fuzz
