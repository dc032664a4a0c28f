#include "FuzzTargets.h"

#include "catalogue/TweakRegistry.h"
#include "profiles/ScriptImport.h"

namespace velmora::fuzz {

int fuzzDefaultsScript(const uint8_t *data, size_t size)
{
    const ScriptImport import =
        ScriptImport::read(QString::fromUtf8(inputBytes(data, size)), QStringLiteral("fuzz.sh"),
                           TweakRegistry::shared(), QStringLiteral("1.0"));
    // Every mapped line's tweak holds a value, and every line is listed once, mapped or not.
    for (const ScriptImport::Line &line : import.mapped()) {
        if (!import.profile().values.contains(line.tweakID))
            fuzzFailure("defaults_script", "a mapped line's tweak has no value");
    }
    for (const ScriptImport::Line &line : import.skipped()) {
        if (line.reason.isEmpty() || line.number < 1)
            fuzzFailure("defaults_script", "a line left out without a reason or a line number");
    }
    // What was imported saves and reads back as the same profile.
    const Result<QByteArray> bytes = import.profile().encode();
    if (!bytes)
        fuzzFailure("defaults_script", "an imported profile could not be saved");
    const Result<Profile> again = Profile::decode(*bytes);
    if (!again || !(*again == import.profile()))
        fuzzFailure("defaults_script", "an imported profile did not read back the same");
    return 0;
}

} // namespace velmora::fuzz
