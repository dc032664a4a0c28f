#include "DockAppsTweakHandler.h"

#include "DockPreferences.h"
#include "DockProfilePayload.h"

#include <QCoro/QCoroFuture>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

// Text that holds unpaired surrogates has no UTF-8 form.
std::optional<QByteArray> utf8(const QString &text)
{
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QCoro::Task<Status> applyPayload(Platform &platform, DockProfilePayload payload)
{
    const DockWriteStatus apps = co_await DockPreferences::writeApps(platform, payload.apps);
    if (!apps)
        co_return Status::failure(apps.error().description);
    const DockWriteStatus others = co_await DockPreferences::writeOthers(platform, payload.others);
    if (!others)
        co_return Status::failure(others.error().description);
    co_return Status::success();
}

QCoro::Task<Status> applyApps(Platform &platform, QList<DockAppEntry> apps)
{
    const DockWriteStatus written = co_await DockPreferences::writeApps(platform, std::move(apps));
    if (!written)
        co_return Status::failure(written.error().description);
    co_return Status::success();
}

QCoro::Task<Status> nothingToDo()
{
    co_return Status::success();
}

// The worker half of a read. The preferences service reads the domain's file afresh on every call
// and keeps nothing between calls, so it answers from any thread.
Result<TweakValue> readPayload(const Platform *platform)
{
    DockProfilePayload payload;
    payload.apps = DockPreferences::readApps(*platform);
    payload.others = DockPreferences::readOthers(*platform);
    // The JSON of the payload is UTF-8 by construction; decode it strictly all the same.
    const QByteArray json = payload.toJson();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(json);
    if (decoder.hasError())
        text = QStringLiteral("{}");
    return TweakValue::ofString(text);
}

} // namespace

QCoro::Task<Result<TweakValue>> DockAppsTweakHandler::currentValue(Platform &platform) const
{
    QFuture<Result<TweakValue>> read = QtConcurrent::run(&readPayload, &platform);
    co_return co_await read;
}

QCoro::Task<Status> DockAppsTweakHandler::apply(Platform &platform, TweakValue value) const
{
    if (!value.isString())
        return nothingToDo();
    const std::optional<QByteArray> bytes = utf8(value.toString());
    if (!bytes)
        return nothingToDo();
    if (Result<DockProfilePayload> payload = DockProfilePayload::fromJson(*bytes))
        return applyPayload(platform, std::move(payload).value());
    if (Result<QList<DockAppEntry>> apps = DockProfilePayload::appsFromJsonArray(*bytes))
        return applyApps(platform, std::move(apps).value());
    // Neither form ("{}" among them): the Dock stays as it is.
    return nothingToDo();
}

QCoro::Task<Status> DockAppsTweakHandler::reset(Platform &) const
{
    return nothingToDo();
}

bool DockAppsTweakHandler::valuesEquivalent(const TweakValue &a, const TweakValue &b) const
{
    if (a == b)
        return true;
    if (!a.isString() || !b.isString())
        return false;
    const Result<DockProfilePayload> first = DockProfilePayload::fromJson(a.toString().toUtf8());
    const Result<DockProfilePayload> second = DockProfilePayload::fromJson(b.toString().toUtf8());
    return first && second && first->sameTilesAs(*second);
}

std::shared_ptr<const TweakHandler> makeDockAppsTweakHandler()
{
    return std::make_shared<DockAppsTweakHandler>();
}

} // namespace velmora
