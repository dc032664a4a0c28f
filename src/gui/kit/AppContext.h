#pragma once

namespace velmora {

class Panels;
class Platform;
class TweakEngine;

/// What every view is handed: the one engine, the platform, and the seam through which file panels
/// and dialogs are shown (tests answer them). It plays the part of the views' environment.
struct AppContext {
    TweakEngine &engine;
    Platform &platform;
    Panels &panels;
};

} // namespace velmora
