#include "FuzzTargets.h"

#include "ValueArguments.h"
#include "plist/PropertyList.h"

namespace velmora::fuzz {

int fuzzDefaultsValues(const uint8_t *data, size_t size)
{
    // The arguments after the key, as a script hands them over: NUL separates them, as in an argv.
    QStringList arguments;
    for (const QByteArray &part : inputBytes(data, size).split('\0'))
        arguments.append(QString::fromUtf8(part));
    qsizetype index = 0;
    while (index < arguments.size()) {
        const qsizetype before = index;
        const Result<QVariant> value = defaults::takeValue(arguments, index);
        if (!value)
            break;
        if (index <= before)
            fuzzFailure("defaults_values", "a value was read without consuming an argument");
        // The tool stores each value in a binary property list; that may refuse a value, never crash.
        (void)PropertyList::serialize(*value, PropertyList::Format::binary);
    }
    return 0;
}

} // namespace velmora::fuzz
