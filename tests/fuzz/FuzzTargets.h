#pragma once

// The decoders of outside input, each as one libFuzzer entry point. The same functions serve the
// fuzz executables (one LLVMFuzzerTestOneInput each) and tst_fuzz_replay, which feeds them every
// file of tests/fuzz/corpus/<name>/ in the ordinary build, so an input that once broke a decoder
// stays a test.
//
// Each returns 0. A broken promise of the decoder (a round trip that changes the value, a link
// that should have been dropped) ends the process through fuzzFailure, as a crash does.

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

namespace velmora::fuzz {

using FuzzFunction = int (*)(const uint8_t *data, size_t size);

/// Property-list bytes, XML or binary: parse must answer with a value or an error.
int fuzzPropertyList(const uint8_t *data, size_t size);
/// Property-list bytes: whatever parses, written as XML and as binary and parsed again, is the same tree.
int fuzzPropertyListRoundTrip(const uint8_t *data, size_t size);
/// Old-style text as UTF-8: whatever parses, formatted the way `defaults read` prints it and parsed
/// again, is the same tree.
int fuzzOpenStepText(const uint8_t *data, size_t size);
/// The bytes of a profile file: a profile that reads, saved and read again, is the same profile.
int fuzzProfile(const uint8_t *data, size_t size);
/// A property list holding the Dock's tile arrays (a dictionary with "persistent-apps" and
/// "persistent-others", or one bare array): reading the entries and writing them back keeps every tile.
int fuzzDockTiles(const uint8_t *data, size_t size);
/// The "dock.apps" JSON (an object, or the older array of applications): what reads writes back the same.
int fuzzDockPayload(const uint8_t *data, size_t size);
/// The wallpaper JSON: what reads writes back the same.
int fuzzWallpaperConfig(const uint8_t *data, size_t size);
/// An appcast feed: parse answers with releases or an error, and keeps only http and https links.
int fuzzAppcast(const uint8_t *data, size_t size);
/// The arguments after a key of `defaults write`, separated by NUL bytes, read one value after another.
int fuzzDefaultsValues(const uint8_t *data, size_t size);
/// An application's icon file: decode answers with an image no larger than it accepts, or an error.
int fuzzIcnsFile(const uint8_t *data, size_t size);
/// A shell script of `defaults write` lines (UTF-8): every line is mapped or left out with a reason,
/// and the imported profile saves and reads back the same.
int fuzzDefaultsScript(const uint8_t *data, size_t size);

struct FuzzTarget {
    /// The fuzz executable is fuzz_<name>; its corpus is tests/fuzz/corpus/<name>/.
    const char *name;
    FuzzFunction function;
};

/// Every target, in a fixed order.
QList<FuzzTarget> fuzzTargets();

/// The fuzzer's bytes, copied.
inline QByteArray inputBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

/// Reports a broken promise of a decoder on standard error, then aborts.
[[noreturn]] void fuzzFailure(const char *target, const char *what);

} // namespace velmora::fuzz
