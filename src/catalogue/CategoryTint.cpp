#include "CategoryTint.h"

#include "common/EnumText.h"

namespace velmora {

QString rawValue(CategoryTint tint)
{
    return enumText(tint);
}

} // namespace velmora
