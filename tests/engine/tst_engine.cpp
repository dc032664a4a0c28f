// The engine against a simulated Mac with the real stand-in tools: applies, resets, restarts,
// refreshes, handlers, and the order of quick successive applies.

#include "engine/TweakEngine.h"
#include "engine/TweakHandler.h"
#include "support/TestRoot.h"
#include "support/Ticker.h"

#include <QCoro/QCoroFuture>
#include <QElapsedTimer>
#include <QPromise>
#include <QQueue>
#include <QSignalSpy>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const TweakRegistry &catalogue()
{
    return TweakRegistry::shared();
}

Tweak tweak(const char *id)
{
    return *catalogue().tweak(QString::fromLatin1(id));
}

void sleepOnWorker(int ms)
{
    QThread::msleep(ms);
}

/// A handler whose answers a test sets; counts its calls.
class FakeHandler : public TweakHandler {
public:
    /// One read's answer and how long it takes; a read with none queued answers `readResult` at once.
    struct Answer {
        int milliseconds = 0;
        Result<TweakValue> value;
    };

    mutable int reads = 0;
    mutable int applies = 0;
    mutable QQueue<Answer> answers;
    Result<TweakValue> readResult = Result<TweakValue>::failure("unreadable");
    Status applyResult;
    /// When set, applies wait for it: several applies can then end in one turn of the event loop.
    std::optional<QFuture<void>> applyGate;

    QCoro::Task<Result<TweakValue>> currentValue(Platform &) const override
    {
        ++reads;
        const Answer answer = answers.isEmpty() ? Answer{0, readResult} : answers.dequeue();
        // The time a real handler spends with a large file, spent where a handler must spend it.
        if (answer.milliseconds > 0)
            co_await QtConcurrent::run(&sleepOnWorker, answer.milliseconds);
        co_return answer.value;
    }
    QCoro::Task<Status> apply(Platform &, TweakValue) const override
    {
        ++applies;
        if (applyGate) {
            QFuture<void> gate = *applyGate;
            co_await gate;
        }
        co_return applyResult;
    }
    QCoro::Task<Status> reset(Platform &) const override { co_return Status::success(); }
};

/// A tweak of the category "things" of `thingsRegistry`.
Tweak thing(const char *id, TweakKind kind, TweakValue defaultValue, bool servedByHandler,
            std::optional<PreferenceKey> key = std::nullopt)
{
    Tweak t;
    t.id = QString::fromLatin1(id);
    t.title = t.id;
    t.categoryID = "things";
    t.kind = kind;
    t.defaultValue = defaultValue;
    t.preferenceKey = key;
    t.servedByHandler = servedByHandler;
    return t;
}

TweakRegistry thingsRegistry(const QList<Tweak> &tweaks)
{
    return *TweakRegistry::make({{"things", "Things", "star", CategoryTint::gray, 0}}, tweaks);
}

/// A handler tweak that also has a preference key, so a test can prove the key is never used, and
/// a tweak served by its preference.
TweakRegistry registryWithHandler()
{
    Tweak handled = thing("things.handled", TweakKind::text(), TweakValue::ofString("{}"), true,
                          PreferenceKey{"com.example.things", "handled", TweakValueType::string});
    handled.restart = {RestartTarget::dock};
    return thingsRegistry(
        {handled, thing("things.size", TweakKind::integer(0, 100, 1), TweakValue::ofInt(0), false,
                        PreferenceKey{"com.example.things", "size", TweakValueType::int_})});
}

/// A `defaults` that sleeps a second before the real one runs; with a `pattern`, only when its
/// arguments match it.
void slowDefaults(TestRoot &root, const QByteArray &pattern = "*")
{
    const QByteArray real = root.platform().defaultsToolPath().toUtf8();
    root.platform().setDefaultsToolPath(root.writeTool("defaults", "#!/bin/sh\ncase \"$*\" in " + pattern +
                                                                       ") sleep 1;; esac\nexec '" + real +
                                                                       "' \"$@\"\n"));
}

/// An engine over `registryWithHandler` with a fake handler.
struct HandledEngine {
    explicit HandledEngine(TestRoot &root)
        : handler(std::make_shared<FakeHandler>()), registry(registryWithHandler()),
          engine(registry, root.platform(), *TweakHandlers::bind(registry, {{"things.handled", handler}}))
    {
    }
    std::shared_ptr<FakeHandler> handler;
    TweakRegistry registry;
    TweakEngine engine;
};

struct Spies {
    explicit Spies(TweakEngine &e)
        : values(&e, &TweakEngine::currentValuesChanged), restarts(&e, &TweakEngine::pendingRestartsChanged),
          error(&e, &TweakEngine::lastErrorChanged), refreshed(&e, &TweakEngine::refreshedCategoryIDsChanged)
    {
    }
    QSignalSpy values, restarts, error, refreshed;
};

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void applyWritesStoresAndRecordsRestarts();
    void failedWriteOnlySetsLastError();
    void restartsFormASetAndEmptyAtOnce();
    void restartPendingPassesOverFailures();
    void refreshCategoryReadsOnceUnlessForced();
    void refreshAllDropsDeletedValuesRefreshCategoryKeepsThem();
    void refreshesLeaveTheEventLoopRunning_data();
    void refreshesLeaveTheEventLoopRunning();
    void overlappingReadsKeepTheNewest();
    void aCategoryIsReadOnceWhileItsReadIsUnderWay();
    void waitersSurviveReadsEndingBackToBack();
    void resetFallsBackToWhatTheSystemReports();
    void firstWeekdayIsTheGregorianEntry_data();
    void firstWeekdayIsTheGregorianEntry();
    void handlerTweaksNeverTouchDefaults();
    void lanesMovingOnTogetherResumeEachWaiterOnce();
    void handlersAreBoundByTweakID_data();
    void handlersAreBoundByTweakID();
    void quickAppliesToOneTweakLandInOrder();
    void appliesToDifferentTweaksRunSideBySide();
    void sideBySideAppliesToOneDomainKeepBothValues();
    void anEngineGoesOnlyAfterItsReads();
};

void TestEngine::applyWritesStoresAndRecordsRestarts()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    Spies spy(engine);
    QVERIFY(engine.currentValues().isEmpty()); // creating the engine reads nothing

    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("dock.autohide"))));
    QCOMPARE(root.domain("com.apple.dock").value("autohide"), QVariant(true));
    QCOMPARE(engine.currentValues().value("dock.autohide"), TweakValue::ofBool(true));
    QCOMPARE(engine.pendingRestarts(), QSet<RestartTarget>{RestartTarget::dock});
    QVERIFY(!engine.lastError());
    QCOMPARE(spy.values.count(), 1);
    QCOMPARE(spy.restarts.count(), 1);
    QCOMPARE(spy.error.count(), 0);

    // The same value again still writes and records, but nothing observable changes.
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("dock.autohide"))));
    QCOMPARE(spy.values.count(), 1);
    QCOMPARE(spy.restarts.count(), 1);
    // A tweak of the global domain lands in the global file.
    QVERIFY(await(engine.apply(TweakValue::ofInt(3), tweak("keyboard.full-keyboard-access"))));
    QCOMPARE(root.globalDomain().value("AppleKeyboardUIMode"), QVariant(qint64(3)));
    QCOMPARE(spy.values.count(), 2);
}

void TestEngine::failedWriteOnlySetsLastError()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    QVERIFY(await(engine.apply(TweakValue::ofInt(48), tweak("dock.tilesize"))));
    await(engine.restartPending());
    Spies spy(engine);

    const QString realTool = root.platform().defaultsToolPath();
    root.platform().setDefaultsToolPath(
        root.writeFailingTool("defaults", "Could not write domain com.apple.dock"));
    QVERIFY(!await(engine.apply(TweakValue::ofInt(64), tweak("dock.tilesize"))));
    QCOMPARE(engine.currentValues().value("dock.tilesize"), TweakValue::ofInt(48));
    QVERIFY(engine.pendingRestarts().isEmpty());
    QVERIFY(engine.lastError());
    QCOMPARE(*engine.lastError(),
             QStringLiteral("Command failed (exit 1): defaults write com.apple.dock tilesize "
                            "-int 64\nCould not write domain com.apple.dock\n"));
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(48)));
    QCOMPARE(spy.values.count(), 0);
    QCOMPARE(spy.restarts.count(), 0);
    QCOMPARE(spy.error.count(), 1);

    // A failed reset is recorded the same way.
    await(engine.reset(tweak("dock.tilesize")));
    QVERIFY(
        engine.lastError()->startsWith("Command failed (exit 1): defaults delete com.apple.dock tilesize\n"));

    // A later success clears it.
    root.platform().setDefaultsToolPath(realTool);
    QVERIFY(await(engine.apply(TweakValue::ofInt(64), tweak("dock.tilesize"))));
    QVERIFY(!engine.lastError());
    QCOMPARE(spy.error.count(), 3);
}

void TestEngine::restartsFormASetAndEmptyAtOnce()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    await(engine.restartPending());
    QVERIFY(root.restartLog().isEmpty()); // nothing pending, nothing run

    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("dock.autohide"))));
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("dock.magnification"))));
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("mission-control.spans-displays"))));
    QVERIFY(await(engine.apply(TweakValue::ofBool(false), tweak("general.ns-quit-keeps-windows"))));
    QCOMPARE(
        engine.pendingRestartsInOrder(),
        (QList<RestartTarget>{RestartTarget::dock, RestartTarget::systemUIServer, RestartTarget::cfprefsd}));

    QSignalSpy spy(&engine, &TweakEngine::pendingRestartsChanged);
    auto task = engine.restartPending();
    // Emptied before any process is restarted.
    QVERIFY(engine.pendingRestarts().isEmpty());
    QCOMPARE(spy.count(), 1);
    await(std::move(task));
    QStringList names;
    for (const QString &line : root.restartLog())
        names << line.section('\t', 1);
    QCOMPARE(names, (QStringList{"Dock", "SystemUIServer", "cfprefsd"}));
}

void TestEngine::restartPendingPassesOverFailures()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("mission-control.spans-displays"))));
    root.platform().setKillallToolPath(root.writeFailingTool("killall", "No matching processes"));
    await(engine.restartPending());
    QVERIFY(engine.pendingRestarts().isEmpty());
    QVERIFY(!engine.lastError());
    // A killall that cannot even start is passed over too.
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("dock.autohide"))));
    root.platform().setKillallToolPath(root.path() + "/missing/killall");
    await(engine.restartPending());
    QVERIFY(engine.pendingRestarts().isEmpty());
    QVERIFY(!engine.lastError());
}

void TestEngine::refreshCategoryReadsOnceUnlessForced()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    Spies spy(engine);
    await(engine.refreshCategory("dock"));
    QCOMPARE(engine.currentValues().value("dock.tilesize"), TweakValue::ofInt(48));
    QCOMPARE(engine.currentValues().value("dock.orientation"), TweakValue::ofString("bottom"));
    QVERIFY(!engine.currentValues().contains("dock.scroll-to-open")); // not stored: shows the default
    QCOMPARE(engine.valueOrDefault(tweak("dock.scroll-to-open")), TweakValue::ofBool(false));
    QCOMPARE(engine.refreshedCategoryIDs(), QSet<QString>{"dock"});
    QCOMPARE(spy.refreshed.count(), 1);

    root.writeDomain("com.apple.dock", {{"tilesize", qint64(30)}});
    await(engine.refreshCategory("dock"));
    QCOMPARE(engine.currentValues().value("dock.tilesize"), TweakValue::ofInt(48));
    await(engine.refreshCategory("dock", true));
    QCOMPARE(engine.currentValues().value("dock.tilesize"), TweakValue::ofInt(30));
    QCOMPARE(spy.refreshed.count(), 1);

    await(engine.refreshCategory("no-such-category"));
    QVERIFY(engine.refreshedCategoryIDs().contains("no-such-category"));
}

void TestEngine::refreshAllDropsDeletedValuesRefreshCategoryKeepsThem()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    await(engine.refreshCategory("finder"));
    QCOMPARE(engine.currentValues().value("finder.show-pathbar"), TweakValue::ofBool(true));

    root.writeDomain("com.apple.finder", {});
    await(engine.refreshCategory("finder", true));
    QCOMPARE(engine.currentValues().value("finder.show-pathbar"), TweakValue::ofBool(true));

    QSignalSpy spy(&engine, &TweakEngine::currentValuesChanged);
    await(engine.refreshAll());
    QVERIFY(!engine.currentValues().contains("finder.show-pathbar"));
    QCOMPARE(engine.refreshedCategoryIDs().size(), catalogue().categories().size());
    QCOMPARE(spy.count(), 1);
    await(engine.refreshAll());
    QCOMPARE(spy.count(), 1); // nothing changed
}

void TestEngine::refreshesLeaveTheEventLoopRunning_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("refreshAll") << true;
    QTest::newRow("refreshCategory") << false;
}

void TestEngine::refreshesLeaveTheEventLoopRunning()
{
    // A handler that takes 200 ms over a large file (the desktop picture): the window's thread must
    // go on handling events all the while.
    QFETCH(bool, all);
    TestRoot root;
    HandledEngine handled(root);
    handled.handler->answers.enqueue({200, TweakValue::ofString("read")});
    Ticker ticker;
    QElapsedTimer clock;
    clock.start();
    await(all ? handled.engine.refreshAll() : handled.engine.refreshCategory("things"));
    QVERIFY(clock.elapsed() >= 200);
    QCOMPARE(handled.engine.currentValues().value("things.handled"), TweakValue::ofString("read"));
    QVERIFY2(ticker.ticks >= 10, qPrintable(QString::number(ticker.ticks)));
    QVERIFY2(ticker.longest < 100, qPrintable(QString::number(ticker.longest)));
}

void TestEngine::overlappingReadsKeepTheNewest()
{
    TestRoot root;
    root.writeDomain("com.example.things", {{"size", qint64(1)}});
    HandledEngine handled(root);
    TweakEngine &engine = handled.engine;
    const Tweak size = *handled.registry.tweak("things.size");
    const Tweak handledTweak = *handled.registry.tweak("things.handled");

    // An apply that ends while a refresh is still reading: the refresh read the preference before
    // the write and must not put the old value back.
    handled.handler->answers.enqueue({1500, TweakValue::ofString("read")});
    auto refresh = engine.refreshCategory("things");
    QVERIFY(await(engine.apply(TweakValue::ofInt(2), size)));
    QVERIFY(await(engine.apply(TweakValue::ofString("applied"), handledTweak)));
    await(std::move(refresh));
    QCOMPARE(engine.currentValues().value("things.size"), TweakValue::ofInt(2));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString("applied"));
    QCOMPARE(root.domain("com.example.things").value("size"), QVariant(qint64(2)));

    // Two refreshes, the later one ending first: the earlier one's reading is older and is dropped.
    handled.handler->answers.enqueue({600, TweakValue::ofString("older")});
    handled.handler->answers.enqueue({50, TweakValue::ofString("newer")});
    auto earlier = engine.refreshAll();
    auto later = engine.refreshCategory("things", true);
    await(std::move(later));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString("newer"));
    await(std::move(earlier));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString("newer"));
}

void TestEngine::aCategoryIsReadOnceWhileItsReadIsUnderWay()
{
    TestRoot root;
    HandledEngine handled(root);
    TweakEngine &engine = handled.engine;
    QSignalSpy refreshed(&engine, &TweakEngine::refreshedCategoryIDsChanged);
    handled.handler->answers.enqueue({300, TweakValue::ofString("read")});
    auto first = engine.refreshCategory("things");
    auto second = engine.refreshCategory("things");
    // The second waits for the first's values rather than reading again.
    await(std::move(second));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString("read"));
    await(std::move(first));
    QCOMPARE(handled.handler->reads, 1);
    QCOMPARE(refreshed.count(), 1);
}

void TestEngine::waitersSurviveReadsEndingBackToBack()
{
    // The quick toggles panel asks for the Dock's category six times and the Finder's twice: the
    // later asks wait for the first. Two reads that end in one turn of the event loop must release
    // each waiter exactly once.
    TestRoot root;
    const QStringList categories{"dock", "finder", "keyboard", "trackpad"};
    for (int round = 0; round < 4; ++round) {
        TweakEngine engine(catalogue(), root.platform(), standardHandlers());
        std::vector<QCoro::Task<>> reads;
        for (int i = 0; i < 6; ++i) {
            for (const QString &category : categories)
                reads.push_back(engine.refreshCategory(category));
        }
        QThread::msleep(200); // the reads end on their workers before the loop next runs
        for (QCoro::Task<> &read : reads)
            await(std::move(read));
        QTest::qWait(50);
        QCOMPARE(engine.refreshedCategoryIDs(), QSet<QString>(categories.cbegin(), categories.cend()));
        QCOMPARE(engine.currentValues().value("finder.show-pathbar"), TweakValue::ofBool(true));
    }
}

void TestEngine::resetFallsBackToWhatTheSystemReports()
{
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    QVERIFY(await(engine.apply(TweakValue::ofInt(64), tweak("dock.tilesize"))));
    await(engine.restartPending());

    await(engine.reset(tweak("dock.tilesize")));
    QVERIFY(!root.domain("com.apple.dock").contains("tilesize"));
    QCOMPARE(engine.currentValues().value("dock.tilesize"), TweakValue::ofInt(48)); // the default
    QCOMPARE(engine.pendingRestarts(), QSet<RestartTarget>{RestartTarget::dock});
    QVERIFY(!engine.lastError());

    // A key never set: the delete "fails" with "not found", which is success; restarts recorded.
    await(engine.reset(tweak("mission-control.spans-displays")));
    QVERIFY(!engine.lastError());
    QCOMPARE(engine.currentValues().value("mission-control.spans-displays"), TweakValue::ofBool(false));
    QVERIFY(engine.pendingRestarts().contains(RestartTarget::systemUIServer));

    // A value in another layer (the global domain) shows through after the reset.
    root.writeGlobalDomain({{"autohide", true}});
    QVERIFY(await(engine.apply(TweakValue::ofBool(false), tweak("dock.autohide"))));
    await(engine.reset(tweak("dock.autohide")));
    QCOMPARE(engine.currentValues().value("dock.autohide"), TweakValue::ofBool(true));
}

void TestEngine::firstWeekdayIsTheGregorianEntry_data()
{
    // What the global domain holds before, what it reads as, and what it holds after Monday is
    // applied and after the tweak is reset.
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("reads");
    QTest::addColumn<QVariant>("applied");
    QTest::addColumn<QVariant>("reset");
    const QVariantMap monday{{"gregorian", qint64(2)}};
    QTest::newRow("nothing set") << QVariant() << QVariant() << QVariant(monday) << QVariant();
    // A plain number is what the system ignores: it reads as nothing set and is replaced.
    QTest::newRow("a plain number") << QVariant(qint64(3)) << QVariant() << QVariant(monday) << QVariant();
    const QVariantMap calendars{{"gregorian", qint64(7)}, {"buddhist", qint64(3)}};
    QTest::newRow("other calendars kept")
        << QVariant(calendars) << QVariant(qint64(7))
        << QVariant(QVariantMap{{"gregorian", qint64(2)}, {"buddhist", qint64(3)}})
        << QVariant(QVariantMap{{"buddhist", qint64(3)}});
}

void TestEngine::firstWeekdayIsTheGregorianEntry()
{
    QFETCH(QVariant, before);
    QFETCH(QVariant, reads);
    QFETCH(QVariant, applied);
    QFETCH(QVariant, reset);
    TestRoot root;
    if (before.isValid())
        root.writeGlobalDomain({{"AppleFirstWeekday", before}});
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    const Tweak weekday = tweak("language.first-weekday");
    const std::optional<TweakValue> read = await(engine.readValue(weekday));
    QCOMPARE(read ? QVariant(read->toInt()) : QVariant(), reads);

    QVERIFY(await(engine.apply(TweakValue::ofInt(2), weekday)));
    QCOMPARE(root.globalDomain().value("AppleFirstWeekday"), applied);
    QCOMPARE(await(engine.readValue(weekday)), std::optional(TweakValue::ofInt(2)));

    await(engine.reset(weekday));
    QCOMPARE(root.globalDomain().value("AppleFirstWeekday"), reset);
    QVERIFY(!engine.lastError());
}

void TestEngine::lanesMovingOnTogetherResumeEachWaiterOnce()
{
    // Two tweaks, each with a second apply waiting behind a first; both firsts end in the same turn
    // of the event loop. Every apply must run once, in order, and none be resumed twice.
    TestRoot root(TestRoot::Seed::none);
    const QList<Tweak> tweaks{thing("things.a", TweakKind::text(), TweakValue::ofString(""), true),
                              thing("things.b", TweakKind::text(), TweakValue::ofString(""), true)};
    const TweakRegistry registry = thingsRegistry(tweaks);
    QPromise<void> gate;
    gate.start();
    auto a = std::make_shared<FakeHandler>();
    auto b = std::make_shared<FakeHandler>();
    a->applyGate = b->applyGate = gate.future();
    TweakEngine engine(registry, root.platform(),
                       *TweakHandlers::bind(registry, {{"things.a", a}, {"things.b", b}}));

    std::vector<QCoro::Task<bool>> applies;
    for (int round = 0; round < 3; ++round) {
        for (const Tweak &t : tweaks)
            applies.push_back(engine.apply(TweakValue::ofString(QString::number(round)), t));
    }
    QTest::qWait(20);
    QCOMPARE(a->applies + b->applies, 2); // the firsts run; the others wait their turn
    gate.finish();
    for (QCoro::Task<bool> &apply : applies)
        QVERIFY(await(std::move(apply)));
    QCOMPARE(a->applies, 3);
    QCOMPARE(b->applies, 3);
    QCOMPARE(engine.currentValues().value("things.a"), TweakValue::ofString("2"));
    QCOMPARE(engine.currentValues().value("things.b"), TweakValue::ofString("2"));
}

void TestEngine::handlersAreBoundByTweakID_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("refusal"); // empty: bound
    QTest::newRow("both") << QStringList{"dock.apps", "wallpaper.config"} << QString();
    QTest::newRow("one left without")
        << QStringList{"dock.apps"} << "no handler is bound to \"wallpaper.config\"";
    QTest::newRow("an unknown id") << QStringList{"dock.apps", "wallpaper.config", "dock.app"}
                                   << "\"dock.app\", which no tweak has";
    QTest::newRow("a preference tweak") << QStringList{"dock.apps", "wallpaper.config", "dock.autohide"}
                                        << "\"dock.autohide\", which is served by its preference";
}

void TestEngine::handlersAreBoundByTweakID()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, refusal);
    QHash<QString, TweakHandlers::Handler> handlers;
    for (const QString &id : ids)
        handlers.insert(id, std::make_shared<FakeHandler>());
    const Result<TweakHandlers> bound = TweakHandlers::bind(catalogue(), handlers);
    QCOMPARE(bound.ok(), refusal.isEmpty());
    if (!bound.ok())
        QVERIFY2(bound.error().contains(refusal), qPrintable(bound.error()));
    else
        QVERIFY(bound->handlerFor("dock.apps"));
}

void TestEngine::handlerTweaksNeverTouchDefaults()
{
    TestRoot root;
    const QString marker = root.path() + "/defaults-ran";
    root.platform().setDefaultsToolPath(
        root.writeTool("defaults", "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n"));
    HandledEngine made(root);
    TweakEngine &engine = made.engine;
    FakeHandler *handler = made.handler.get();
    const Tweak handled = *made.registry.tweak("things.handled");

    // Unreadable: no entry, so the row shows the default.
    await(engine.refreshCategory("things"));
    QVERIFY(!engine.currentValues().contains("things.handled"));
    QCOMPARE(engine.valueOrDefault(handled), TweakValue::ofString("{}"));

    handler->readResult = TweakValue::ofString(R"({"a":1})");
    await(engine.refreshCategory("things", true));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString(R"({"a":1})"));

    QVERIFY(await(engine.apply(TweakValue::ofString(R"({"b":2})"), handled)));
    QCOMPARE(handler->applies, 1);
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString(R"({"b":2})"));
    QVERIFY(engine.pendingRestarts().contains(RestartTarget::dock));
    // The same text again (another copy of it) is written, but announces nothing.
    QSignalSpy changed(&engine, &TweakEngine::currentValuesChanged);
    QVERIFY(
        await(engine.apply(TweakValue::ofString(QStringLiteral(R"({"b":)") + QLatin1String("2}")), handled)));
    QCOMPARE(handler->applies, 2);
    QCOMPARE(changed.count(), 0);

    handler->applyResult = Status::failure("The Dock could not be written.");
    QVERIFY(!await(engine.apply(TweakValue::ofString("{}"), handled)));
    QCOMPARE(*engine.lastError(), QStringLiteral("The Dock could not be written."));

    // A reset re-reads the live state through the handler.
    handler->readResult = TweakValue::ofString(R"({"c":3})");
    await(engine.reset(handled));
    QCOMPARE(engine.currentValues().value("things.handled"), TweakValue::ofString(R"({"c":3})"));
    QVERIFY(!engine.lastError());
    QVERIFY(!QFile::exists(marker));
}

void TestEngine::quickAppliesToOneTweakLandInOrder()
{
    // The text field applies on every keystroke. Slow the first write down so that, run side by side,
    // it would finish last and leave the older text in the store.
    TestRoot root;
    slowDefaults(root, "*first*");
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    const Tweak format = tweak("menubar.clock-date-format");

    auto first = engine.apply(TweakValue::ofString("first"), format);
    auto second = engine.apply(TweakValue::ofString("second"), format);
    auto third = engine.apply(TweakValue::ofString("third"), format);
    QVERIFY(await(std::move(first)));
    QVERIFY(await(std::move(second)));
    QVERIFY(await(std::move(third)));
    QCOMPARE(root.domain("com.apple.menuextra.clock").value("DateFormat"), QVariant("third"));
    QCOMPARE(engine.currentValues().value("menubar.clock-date-format"), TweakValue::ofString("third"));

    // A reset queued behind an apply also waits its turn.
    auto apply = engine.apply(TweakValue::ofString("first again"), format);
    auto reset = engine.reset(format);
    await(std::move(apply));
    await(std::move(reset));
    QVERIFY(!root.domain("com.apple.menuextra.clock").contains("DateFormat"));
    QCOMPARE(engine.currentValues().value("menubar.clock-date-format"),
             TweakValue::ofString("EEE d MMM HH:mm:ss"));
}

void TestEngine::appliesToDifferentTweaksRunSideBySide()
{
    TestRoot root;
    slowDefaults(root);
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    QElapsedTimer timer;
    timer.start();
    auto a = engine.apply(TweakValue::ofBool(true), tweak("dock.autohide"));
    auto b = engine.apply(TweakValue::ofBool(true), tweak("finder.show-statusbar"));
    QVERIFY(await(std::move(a)));
    QVERIFY(await(std::move(b)));
    QVERIFY2(timer.elapsed() < 1900, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(root.domain("com.apple.finder").value("ShowStatusBar"), QVariant(true));
}

void TestEngine::sideBySideAppliesToOneDomainKeepBothValues()
{
    // Two quick toggles on the Dock page: both tweaks live in com.apple.dock, and the engine runs
    // their writes at the same time.
    TestRoot root;
    TweakEngine engine(catalogue(), root.platform(), standardHandlers());
    const Tweak magnification = tweak("dock.magnification");
    const Tweak tileSize = tweak("dock.tilesize");
    QStringList lost;
    for (int round = 1; round <= 20; ++round) {
        const bool magnify = round % 2 == 1;
        const qint64 size = 20 + round;
        auto a = engine.apply(TweakValue::ofBool(magnify), magnification);
        auto b = engine.apply(TweakValue::ofInt(size), tileSize);
        QVERIFY(await(std::move(a)));
        QVERIFY(await(std::move(b)));
        const QVariantMap dock = root.domain("com.apple.dock");
        if (dock.value("magnification") != QVariant(magnify) || dock.value("tilesize") != QVariant(size))
            lost << QStringLiteral("round %1: magnification %2, tilesize %3")
                        .arg(round)
                        .arg(dock.value("magnification").toString(), dock.value("tilesize").toString());
    }
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join('\n')));
}

void TestEngine::anEngineGoesOnlyAfterItsReads()
{
    // Reads run on worker threads against the engine's platform, which its owner (the window, a test)
    // destroys right after the engine: a read still running then would read freed memory.
    TestRoot root;
    QVariantMap large;
    for (int i = 0; i < 20000; ++i)
        large.insert(QStringLiteral("key%1").arg(i), QString(200, QLatin1Char('x')));
    root.writeGlobalDomain(large);
    auto engine = std::make_unique<TweakEngine>(catalogue(), root.platform(), standardHandlers());
    QCoro::Task<> refresh = engine->refreshAll();
    QVERIFY(QThreadPool::globalInstance()->activeThreadCount() > 0);
    engine.reset();
    QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
