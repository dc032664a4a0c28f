#include "NativeDisplays.h"

namespace velmora::NativeDisplays {

QString numberKey()
{
    return QStringLiteral("NSScreenNumber");
}

QRect topLeftFrame(const QRectF &bottomLeftFrame, qreal primaryTop)
{
    const QRectF flipped(bottomLeftFrame.x(), primaryTop - bottomLeftFrame.y() - bottomLeftFrame.height(),
                         bottomLeftFrame.width(), bottomLeftFrame.height());
    return flipped.toRect();
}

bool sameDisplay(const Display &screen, const Display &asked)
{
    const QVariant screenNumber = screen.deviceDescription.value(numberKey());
    const QVariant askedNumber = asked.deviceDescription.value(numberKey());
    if (screenNumber.isValid() && askedNumber.isValid())
        return screenNumber.toULongLong() == askedNumber.toULongLong();
    return screen.name == asked.name && screen.frame == asked.frame;
}

} // namespace velmora::NativeDisplays
