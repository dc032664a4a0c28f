#pragma once

#include "common/Result.h"
#include "platform/Platform.h"

#include <QString>
#include <QTextStream>

#include <memory>

namespace velmora {

class TweakEngine;

/// What every velmoractl command works with: its output streams and, made on first use, the platform.
class CommandContext {
public:
    CommandContext(QTextStream &out, QTextStream &err) : out(out), err(err) {}

    /// The platform of this run; prints the reason to `err` and gives nullptr when there is none.
    Platform *platform();
    /// An engine on this run's platform with the Dock's and the wallpaper's handlers bound; prints the
    /// reason to `err` and gives nullptr when there is no platform.
    std::unique_ptr<TweakEngine> makeEngine();

    QTextStream &out;
    QTextStream &err;
    QString simulatedRoot;

private:
    std::unique_ptr<Platform> m_platform;
};

} // namespace velmora
