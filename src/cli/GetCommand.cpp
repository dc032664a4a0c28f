#include "GetCommand.h"

#include "CommandContext.h"
#include "common/JsonText.h"

#include <QIODevice>

#include <algorithm>

namespace velmora {

namespace {

// Prints a text of any size without widening it whole: a picture's Base64 is tens of megabytes,
// and a QTextStream would hold it as UTF-16 and again as UTF-8. Slices end on whole characters.
void printText(QTextStream &out, const QByteArray &utf8)
{
    constexpr qsizetype slice = 1024 * 1024;
    QIODevice *device = out.device();
    if (device)
        out.flush();
    for (qsizetype at = 0; at < utf8.size();) {
        qsizetype end = std::min(utf8.size(), at + slice);
        while (end < utf8.size() && end > at && (uchar(utf8[end]) & 0xC0) == 0x80)
            --end;
        const QByteArrayView piece(utf8.constData() + at, end - at);
        if (device)
            device->write(piece.data(), piece.size());
        else
            out << QString::fromUtf8(piece);
        at = end;
    }
}

} // namespace

GetCommand::GetCommand() : TweakCommand(QStringLiteral("get"), QStringLiteral("a tweak's current value"))
{
    addArgument({QStringLiteral("ID"), QStringLiteral("the tweak's id (see velmoractl list)")});
    addOption(QCommandLineOption(QStringLiteral("json"), QStringLiteral("print the value's coded form")));
}

QCoro::Task<int> GetCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool json = arguments.isSet(QStringLiteral("json"));
    const QStringList args = arguments.positional();
    const std::optional<TweakTarget> target = openTweak(context, args.first());
    if (!target)
        co_return 1;
    if (const std::optional<QString> problem = domainProblem(target->engine->platform(), target->tweak)) {
        context.err << "velmoractl: " << target->tweak.id << " cannot be read: " << *problem << '\n';
        co_return 1;
    }
    co_await target->engine->refreshCategory(target->tweak.categoryID);
    const TweakValue value = target->engine->valueOrDefault(target->tweak);
    if (json)
        context.out << jsonText(value.encoded(), false);
    else if (value.isString())
        printText(context.out, value.toUtf8());
    else
        context.out << value.displayText();
    context.out << '\n';
    co_return 0;
}

} // namespace velmora
