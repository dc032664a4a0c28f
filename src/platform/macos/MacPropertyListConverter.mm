#include "MacPropertyListConverter.h"

#include "platform/PlatformMessages.h"
#include "platform/PropertyListBridge.h"

#import <CoreFoundation/CoreFoundation.h>
#import <Foundation/Foundation.h>

#include <optional>
#include <vector>

namespace velmora {

namespace {

using Kind = PropertyListBridge::Kind;

std::optional<QVariant> toVariantAt(CFTypeRef value, int depth)
{
    if (!value || depth > PropertyListBridge::maxDepth())
        return std::nullopt;
    const CFTypeID type = CFGetTypeID(value);
    // Booleans first: they are numbers to some of the system's own functions.
    if (type == CFBooleanGetTypeID())
        return QVariant(bool(CFBooleanGetValue(static_cast<CFBooleanRef>(value))));
    if (type == CFNumberGetTypeID()) {
        const auto number = static_cast<CFNumberRef>(value);
        if (CFNumberIsFloatType(number)) {
            double real = 0;
            CFNumberGetValue(number, kCFNumberDoubleType, &real);
            return QVariant(real);
        }
        SInt64 exact = 0;
        if (CFNumberGetValue(number, kCFNumberSInt64Type, &exact))
            return PropertyListBridge::fromInteger(qint64(exact), 0);
        // Only a number above the signed range fails the exact read; the system keeps it wider,
        // and reads it back unsigned.
        const unsigned long long wide = [(__bridge NSNumber *)value unsignedLongLongValue];
        return PropertyListBridge::fromInteger(std::nullopt, quint64(wide));
    }
    if (type == CFStringGetTypeID())
        return QVariant(QString::fromCFString(static_cast<CFStringRef>(value)));
    if (type == CFDateGetTypeID())
        return PropertyListBridge::fromAbsoluteTime(CFDateGetAbsoluteTime(static_cast<CFDateRef>(value)));
    if (type == CFDataGetTypeID())
        return QVariant(QByteArray::fromCFData(static_cast<CFDataRef>(value)));
    if (type == CFArrayGetTypeID()) {
        const auto array = static_cast<CFArrayRef>(value);
        const CFIndex count = CFArrayGetCount(array);
        QVariantList list;
        list.reserve(qsizetype(count));
        for (CFIndex i = 0; i < count; ++i) {
            const std::optional<QVariant> item = toVariantAt(CFArrayGetValueAtIndex(array, i), depth + 1);
            if (!item)
                return std::nullopt;
            list.append(*item);
        }
        return QVariant(list);
    }
    if (type == CFDictionaryGetTypeID()) {
        const auto dictionary = static_cast<CFDictionaryRef>(value);
        const CFIndex count = CFDictionaryGetCount(dictionary);
        std::vector<const void *> keys(size_t(count));
        std::vector<const void *> values(size_t(count));
        CFDictionaryGetKeysAndValues(dictionary, keys.data(), values.data());
        QVariantMap map;
        for (CFIndex i = 0; i < count; ++i) {
            // A property list's keys are strings; the system can hold others, which no file can.
            if (!keys[size_t(i)] || CFGetTypeID(keys[size_t(i)]) != CFStringGetTypeID())
                return std::nullopt;
            const std::optional<QVariant> item = toVariantAt(values[size_t(i)], depth + 1);
            if (!item)
                return std::nullopt;
            map.insert(QString::fromCFString(static_cast<CFStringRef>(keys[size_t(i)])), *item);
        }
        return QVariant(map);
    }
    return std::nullopt;
}

Result<CFTypeRef> fromVariantAt(const QVariant &value, int depth)
{
    using R = Result<CFTypeRef>;
    if (depth > PropertyListBridge::maxDepth())
        return R::failure(PlatformMessages::nestedTooDeeply(PropertyListBridge::maxDepth()));
    const Result<Kind> kind = PropertyListBridge::kindOf(value);
    if (!kind)
        return R::failure(kind.error());
    switch (*kind) {
    case Kind::boolean: return R(CFRetain(value.toBool() ? kCFBooleanTrue : kCFBooleanFalse));
    case Kind::signedInteger: {
        const SInt64 number = value.toLongLong();
        return R(CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt64Type, &number));
    }
    case Kind::unsignedInteger:
        // CoreFoundation has no unsigned 64-bit type of its own; the Foundation number holds it.
        return R(CFBridgingRetain([NSNumber numberWithUnsignedLongLong:value.toULongLong()]));
    case Kind::real: {
        const double number = value.toDouble();
        return R(CFNumberCreate(kCFAllocatorDefault, kCFNumberDoubleType, &number));
    }
    case Kind::string: return R(value.toString().toCFString());
    case Kind::date: return R(CFDateCreate(kCFAllocatorDefault, PropertyListBridge::absoluteTimeOf(value)));
    case Kind::data: return R(value.toByteArray().toCFData());
    case Kind::array: {
        const QVariantList list = value.toList();
        CFMutableArrayRef array =
            CFArrayCreateMutable(kCFAllocatorDefault, CFIndex(list.size()), &kCFTypeArrayCallBacks);
        for (const QVariant &item : list) {
            const R converted = fromVariantAt(item, depth + 1);
            if (!converted) {
                CFRelease(array);
                return converted;
            }
            CFArrayAppendValue(array, *converted);
            CFRelease(*converted);
        }
        return R(array);
    }
    case Kind::dictionary: {
        const QVariantMap map = value.toMap();
        CFMutableDictionaryRef dictionary =
            CFDictionaryCreateMutable(kCFAllocatorDefault, CFIndex(map.size()),
                                      &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const R converted = fromVariantAt(it.value(), depth + 1);
            if (!converted) {
                CFRelease(dictionary);
                return converted;
            }
            CFStringRef key = it.key().toCFString();
            CFDictionarySetValue(dictionary, key, *converted);
            CFRelease(key);
            CFRelease(*converted);
        }
        return R(dictionary);
    }
    }
    return R::failure(PlatformMessages::notAPropertyListValue(QString::fromLatin1(value.typeName())));
}

} // namespace

QVariant MacPropertyListConverter::toVariant(const void *propertyList)
{
    @autoreleasepool {
        return toVariantAt(propertyList, 0).value_or(QVariant());
    }
}

Result<const void *> MacPropertyListConverter::fromVariant(const QVariant &value)
{
    @autoreleasepool {
        const Result<CFTypeRef> converted = fromVariantAt(value, 0);
        if (!converted)
            return Result<const void *>::failure(converted.error());
        return Result<const void *>(*converted);
    }
}

} // namespace velmora
