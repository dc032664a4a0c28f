#include "MacUpdateFramework.h"

#include "platform/MacPaths.h"
#include "platform/PlatformMessages.h"

#import <Foundation/Foundation.h>

// The few messages sent to the framework's objects. Its headers are not used at build time: the
// framework is found and loaded at run time, so the application starts without it.
@protocol VelmoraFrameworkUpdater <NSObject>
- (BOOL)startUpdater:(NSError **)error;
- (void)checkForUpdates;
@property(nonatomic, readonly) BOOL canCheckForUpdates;
@end

@protocol VelmoraFrameworkUpdaterController <NSObject>
- (instancetype)initWithStartingUpdater:(BOOL)startUpdater
                        updaterDelegate:(id)updaterDelegate
                     userDriverDelegate:(id)userDriverDelegate;
@property(nonatomic, readonly) id<VelmoraFrameworkUpdater> updater;
@end

namespace velmora {

struct MacUpdateFramework::State {
    id<VelmoraFrameworkUpdaterController> controller = nil;
    std::optional<QString> unavailable;
    bool started = false;
};

MacUpdateFramework::MacUpdateFramework() : m_state(std::make_unique<State>())
{
    @autoreleasepool {
        NSString *frameworks = [[NSBundle mainBundle] privateFrameworksPath];
        const QString path =
            MacPaths::updateFramework(frameworks ? QString::fromNSString(frameworks) : QString());
        NSBundle *bundle = [NSBundle bundleWithPath:path.toNSString()];
        if (!bundle) {
            m_state->unavailable = PlatformMessages::updateFrameworkMissing(path);
            return;
        }
        NSError *error = nil;
        if (![bundle loadAndReturnError:&error]) {
            m_state->unavailable = PlatformMessages::updateFrameworkNotLoaded(
                path, error ? QString::fromNSString(error.localizedDescription)
                            : QStringLiteral("no reason given"));
            return;
        }
        const QString className = MacPaths::updateControllerClass();
        Class controllerClass = NSClassFromString(className.toNSString());
        if (!controllerClass) {
            m_state->unavailable = PlatformMessages::updateControllerMissing(className, path);
            return;
        }
        // Not started here: `start` does that, so a failure comes back as a value to log.
        id<VelmoraFrameworkUpdaterController> allocated = [controllerClass alloc];
        m_state->controller = [allocated initWithStartingUpdater:NO
                                                 updaterDelegate:nil
                                              userDriverDelegate:nil];
        if (!m_state->controller)
            m_state->unavailable = PlatformMessages::updateControllerMissing(className, path);
    }
}

MacUpdateFramework::~MacUpdateFramework() = default;

std::optional<QString> MacUpdateFramework::unavailableReason() const
{
    return m_state->unavailable;
}

Status MacUpdateFramework::start()
{
    if (m_state->unavailable)
        return Status::failure(*m_state->unavailable);
    if (m_state->started)
        return Status::success();
    @autoreleasepool {
        NSError *error = nil;
        if (![m_state->controller.updater startUpdater:&error])
            return Status::failure(error ? QString::fromNSString(error.localizedDescription)
                                         : QStringLiteral("no reason given"));
        m_state->started = true;
        return Status::success();
    }
}

bool MacUpdateFramework::canCheckForUpdates() const
{
    return m_state->started && m_state->controller.updater.canCheckForUpdates;
}

void MacUpdateFramework::checkForUpdates()
{
    if (canCheckForUpdates())
        [m_state->controller.updater checkForUpdates];
}

} // namespace velmora
