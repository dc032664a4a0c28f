#include "CatalogueCommand.h"

#include "CommandContext.h"
#include "catalogue/TweakRegistry.h"
#include "common/JsonText.h"

#include <QTextStream>

namespace velmora {

namespace {

// Absent optionals become JSON null.
template <typename T> QVariant orNull(const std::optional<T> &v)
{
    return v ? QVariant::fromValue(*v) : QVariant::fromValue(nullptr);
}

QVariantMap kindJson(const TweakKind &kind)
{
    QVariantMap o{{QStringLiteral("type"), rawValue(kind.type())}};
    switch (kind.type()) {
    case TweakKind::Type::integer:
        o[QStringLiteral("min")] = orNull(kind.integerBounds().min);
        o[QStringLiteral("max")] = orNull(kind.integerBounds().max);
        o[QStringLiteral("step")] = kind.integerBounds().step;
        break;
    case TweakKind::Type::decimal:
        o[QStringLiteral("min")] = orNull(kind.decimalBounds().min);
        o[QStringLiteral("max")] = orNull(kind.decimalBounds().max);
        o[QStringLiteral("step")] = kind.decimalBounds().step;
        break;
    case TweakKind::Type::picker: {
        QVariantList options;
        for (const TweakOption &option : kind.options())
            options.append(QVariantMap{{QStringLiteral("value"), option.value.encoded()},
                                       {QStringLiteral("label"), option.label}});
        o[QStringLiteral("options")] = options;
        break;
    }
    case TweakKind::Type::toggle:
    case TweakKind::Type::text:
    case TweakKind::Type::path: break;
    }
    return o;
}

QVariantMap tweakJson(const Tweak &t)
{
    QStringList restart;
    for (RestartTarget target : t.restart)
        restart.append(rawValue(target));
    QVariant key = QVariant::fromValue(nullptr);
    if (t.preferenceKey) {
        QVariantMap fields{{QStringLiteral("domain"), t.preferenceKey->domain},
                           {QStringLiteral("key"), t.preferenceKey->key},
                           {QStringLiteral("type"), rawValue(t.preferenceKey->type)}};
        // Only where the value is an entry of a dictionary, so every other key reads as before.
        if (t.preferenceKey->dictionaryEntry)
            fields.insert(QStringLiteral("dictionaryEntry"), *t.preferenceKey->dictionaryEntry);
        key = fields;
    }
    return QVariantMap{
        {QStringLiteral("id"), t.id},
        {QStringLiteral("title"), t.title},
        {QStringLiteral("summary"), orNull(t.summary)},
        {QStringLiteral("categoryID"), t.categoryID},
        {QStringLiteral("kind"), kindJson(t.kind)},
        {QStringLiteral("defaultValue"), t.defaultValue.encoded()},
        {QStringLiteral("preferenceKey"), key},
        {QStringLiteral("restart"), restart},
        {QStringLiteral("warning"), orNull(t.warning)},
        {QStringLiteral("hasHandler"), t.servedByHandler},
    };
}

// The catalogue as one JSON object: {"categories": [...], "tweaks": [...]}, the shape tooling reads.
QVariantMap catalogueJson(const TweakRegistry &registry)
{
    QVariantList categories;
    for (const TweakCategory &c : registry.categories())
        categories.append(QVariantMap{{QStringLiteral("id"), c.id},
                                      {QStringLiteral("title"), c.title},
                                      {QStringLiteral("symbol"), c.symbol},
                                      {QStringLiteral("tint"), rawValue(c.tint)},
                                      {QStringLiteral("order"), c.order}});
    QVariantList tweaks;
    for (const Tweak &t : registry.tweaks())
        tweaks.append(tweakJson(t));
    return QVariantMap{{QStringLiteral("categories"), categories}, {QStringLiteral("tweaks"), tweaks}};
}

// The catalogue as a readable table: category, id, kind, default.
QString catalogueTable(const TweakRegistry &registry)
{
    qsizetype categoryWidth = 0, idWidth = 0;
    for (const Tweak &t : registry.tweaks()) {
        categoryWidth = std::max(categoryWidth, t.categoryID.size());
        idWidth = std::max(idWidth, t.id.size());
    }
    QString text;
    QTextStream out(&text);
    out << QStringLiteral("CATEGORY").leftJustified(categoryWidth) << "  "
        << QStringLiteral("ID").leftJustified(idWidth) << "  " << QStringLiteral("KIND").leftJustified(7)
        << "  DEFAULT\n";
    // Grouped by category in sidebar order, each category's tweaks in page order.
    for (const TweakCategory &c : registry.categories()) {
        for (const Tweak &t : registry.tweaksInCategory(c.id)) {
            QString shown = t.defaultValue.displayText();
            if (t.defaultValue.isString())
                shown = QLatin1Char('"') + t.defaultValue.toString() + QLatin1Char('"');
            out << t.categoryID.leftJustified(categoryWidth) << "  " << t.id.leftJustified(idWidth) << "  "
                << rawValue(t.kind.type()).leftJustified(7) << "  " << shown << '\n';
        }
    }
    out.flush();
    return text;
}

} // namespace

CatalogueCommand::CatalogueCommand()
    : Command(QStringLiteral("catalogue"), QStringLiteral("print every category and tweak of the catalogue"))
{
    addOption(QCommandLineOption(QStringLiteral("json"),
                                 QStringLiteral("print it as one JSON object, the shape tooling reads")));
}

QCoro::Task<int> CatalogueCommand::run(CommandContext &context, CommandArguments arguments)
{
    const TweakRegistry &registry = TweakRegistry::shared();
    if (arguments.isSet(QStringLiteral("json")))
        context.out << jsonText(catalogueJson(registry));
    else
        context.out << catalogueTable(registry);
    co_return 0;
}

} // namespace velmora
