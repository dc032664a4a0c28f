#include "FuzzTargets.h"

#include "dock/DockProfilePayload.h"

namespace velmora::fuzz {

namespace {

[[noreturn]] void fail(const QString &what)
{
    const QByteArray message = what.toUtf8();
    fuzzFailure("dock_payload", message.constData());
}

} // namespace

int fuzzDockPayload(const uint8_t *data, size_t size)
{
    const QByteArray json = inputBytes(data, size);
    if (const Result<DockProfilePayload> payload = DockProfilePayload::fromJson(json)) {
        const QByteArray written = payload->toJson();
        const Result<DockProfilePayload> reread = DockProfilePayload::fromJson(written);
        if (!reread)
            fail(QStringLiteral("the JSON written for a payload that read does not read: %1")
                     .arg(reread.error()));
        // Equality includes the entries' identities, which the JSON carries.
        if (!(*reread == *payload))
            fail(QStringLiteral("written and read again, the payload changed: %1")
                     .arg(QString::fromUtf8(written.left(200))));
    }
    if (const Result<QList<DockAppEntry>> apps = DockProfilePayload::appsFromJsonArray(json)) {
        const Result<DockProfilePayload> reread =
            DockProfilePayload::fromJson(DockProfilePayload{*apps, {}}.toJson());
        if (!reread || reread->apps != *apps)
            fail(QStringLiteral("applications read from the older array form do not survive a write"));
    }
    return 0;
}

} // namespace velmora::fuzz
