#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {

QList<FuzzTarget> fuzzTargets()
{
    return {
        {"plist", &fuzzPropertyList},
        {"plist_roundtrip", &fuzzPropertyListRoundTrip},
        {"openstep", &fuzzOpenStepText},
        {"profile", &fuzzProfile},
        {"dock_tiles", &fuzzDockTiles},
        {"dock_payload", &fuzzDockPayload},
        {"wallpaper_config", &fuzzWallpaperConfig},
        {"appcast", &fuzzAppcast},
        {"defaults_values", &fuzzDefaultsValues},
        {"icns", &fuzzIcnsFile},
        {"defaults_script", &fuzzDefaultsScript},
    };
}

void fuzzFailure(const char *target, const char *what)
{
    // Straight to stderr and abort: libFuzzer saves the input on the abort, and the replay test
    // shows the message above the crash.
    std::fprintf(stderr, "fuzz target %s: %s\n", target, what);
    std::fflush(stderr);
    std::abort();
}

} // namespace velmora::fuzz
