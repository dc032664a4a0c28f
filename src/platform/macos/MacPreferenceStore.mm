#include "MacPreferenceStore.h"

#include "MacPropertyListConverter.h"
#include "platform/PlatformMessages.h"

#import <CoreFoundation/CoreFoundation.h>

namespace velmora {

namespace {

// Holds one reference the caller owns and gives it back to the system when done.
class Owned {
public:
    explicit Owned(CFTypeRef ref) : m_ref(ref) {}
    ~Owned()
    {
        if (m_ref)
            CFRelease(m_ref);
    }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    CFTypeRef get() const { return m_ref; }

private:
    CFTypeRef m_ref;
};

// The application id as the system takes it: the global domain by its own constant.
CFStringRef copyApplication(const QString &applicationID)
{
    if (applicationID == PreferenceStore::anyApplication())
        return static_cast<CFStringRef>(CFRetain(kCFPreferencesAnyApplication));
    return applicationID.toCFString();
}

} // namespace

QVariant MacPreferenceStore::copyAppValue(const QString &key, const QString &applicationID) const
{
    const Owned name(key.toCFString());
    const Owned application(copyApplication(applicationID));
    const Owned value(CFPreferencesCopyAppValue(static_cast<CFStringRef>(name.get()),
                                                static_cast<CFStringRef>(application.get())));
    return MacPropertyListConverter::toVariant(value.get());
}

Status MacPreferenceStore::setAppValue(const QString &key, const QVariant &value,
                                       const QString &applicationID)
{
    const Owned name(key.toCFString());
    const Owned application(copyApplication(applicationID));
    const auto applicationName = static_cast<CFStringRef>(application.get());
    if (value.isValid()) {
        const Result<const void *> converted = MacPropertyListConverter::fromVariant(value);
        if (!converted)
            return Status::failure(PlatformMessages::valueNotStored(key, applicationID, converted.error()));
        const Owned native(*converted);
        CFPreferencesSetValue(static_cast<CFStringRef>(name.get()), native.get(), applicationName,
                              kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    } else {
        // No value removes the key.
        CFPreferencesSetValue(static_cast<CFStringRef>(name.get()), nullptr, applicationName,
                              kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    }
    // A set is only pending until it is saved; saving here is what lets a failure be told.
    if (!CFPreferencesSynchronize(applicationName, kCFPreferencesCurrentUser, kCFPreferencesAnyHost))
        return Status::failure(PlatformMessages::domainNotSynchronized(applicationID));
    return Status::success();
}

bool MacPreferenceStore::synchronize(const QString &applicationID)
{
    const Owned application(copyApplication(applicationID));
    return CFPreferencesSynchronize(static_cast<CFStringRef>(application.get()), kCFPreferencesCurrentUser,
                                    kCFPreferencesAnyHost);
}

std::optional<QString> MacPreferenceStore::readProblem(const QString &) const
{
    return std::nullopt;
}

} // namespace velmora
