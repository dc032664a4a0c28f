#pragma once

#include "engine/TweakHandler.h"

#include <memory>

namespace velmora {

/// The handler of the "wallpaper.config" tweak: the main display's desktop picture as the JSON text of
/// one wallpaper configuration, with the picture's bytes embedded so a profile can restore it on a
/// machine that does not have the file. One configuration for all displays; the per-display editor
/// does not go through it.
class WallpaperTweakHandler : public TweakHandler {
public:
    /// Reads the whole picture file into the value (no size limit), on a worker thread. Scaling is
    /// always "fill" and clipping allowed: what is in effect on the display is not read.
    QCoro::Task<Result<TweakValue>> currentValue(Platform &platform) const override;
    /// `likely` itself when the picture still gives that text to the byte (compared a slice at a
    /// time, never built), so a profile's picture and the current one are held once.
    QCoro::Task<Result<TweakValue>> currentValueLike(Platform &platform, TweakValue likely) const override;
    /// Decodes the text and writes an embedded picture back to a file off the UI thread, then sets the
    /// picture on every display. Values of another case than `string` are ignored.
    QCoro::Task<Status> apply(Platform &platform, TweakValue value) const override;
    /// Changes nothing.
    QCoro::Task<Status> reset(Platform &platform) const override;
    /// Two captures show the same state when they carry the same picture with the same options, even
    /// from different paths: a picture restored from a profile gets a new file name on every apply.
    bool valuesEquivalent(const TweakValue &a, const TweakValue &b) const override;
};

std::shared_ptr<const TweakHandler> makeWallpaperTweakHandler();

} // namespace velmora
