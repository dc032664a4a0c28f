// The application a user sees, driven through its real widgets offscreen on a simulated Mac.

#include "dock/DockAppsViewModel.h"
#include "engine/TweakEngine.h"
#include "gui/app/ErrorStatusLine.h"
#include "gui/app/FullDiskAccessBanner.h"
#include "gui/app/MainWindow.h"
#include "gui/app/MenuBarContentView.h"
#include "gui/app/PendingRestartsBanner.h"
#include "gui/app/RootView.h"
#include "gui/app/SidebarView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/app/WelcomeView.h"
#include "gui/dock/DockAppsView.h"
#include "gui/kit/DecimalSlider.h"
#include "gui/kit/IntegerStepper.h"
#include "gui/kit/Panels.h"
#include "gui/kit/PathPickerControl.h"
#include "gui/kit/Style.h"
#include "gui/kit/ToggleSwitch.h"
#include "gui/profiles/ProfileMenu.h"
#include "gui/tweaks/CategoryDetailView.h"
#include "gui/tweaks/TweakRowView.h"
#include "gui/updates/CheckForUpdatesView.h"
#include "gui/wallpaper/ChooseImageTapTarget.h"
#include "gui/wallpaper/WallpaperDisplayRow.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpontaneKeyEvent>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

/// A running application on a fresh simulated Mac, its window shown.
struct App {
    explicit App(TestRoot::Seed seed = TestRoot::Seed::standard) : root(seed)
    {
        auto fake = std::make_unique<FakePanels>();
        panels = fake.get();
        app = std::make_unique<VelmoraApp>(root.makePlatform(), std::move(fake));
        app->showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        // The first page reads its category in the background.
        QTRY_VERIFY(!engine().refreshedCategoryIDs().isEmpty());
    }

    MainWindow *window() const { return app->mainWindow(); }
    RootView *rootView() const { return window()->rootView(); }
    TweakEngine &engine() const { return app->engine(); }
    SimulatedPlatform &platform() const { return static_cast<SimulatedPlatform &>(app->platform()); }

    /// Shows a category's page once its values are read.
    CategoryDetailView *open(const QString &categoryID)
    {
        rootView()->setSelectedCategoryID(categoryID);
        if (rootView()->categoryPage() &&
            !QTest::qWaitFor([&] { return engine().refreshedCategoryIDs().contains(categoryID); }))
            qWarning("the values of %s were never read", qPrintable(categoryID));
        return rootView()->categoryPage();
    }

    TweakRowView *row(const QString &tweakID) const { return window()->findChild<TweakRowView *>(tweakID); }

    /// Applies a value through the engine, as a row would.
    bool apply(const char *tweakID, const TweakValue &value)
    {
        return await(engine().apply(value, *engine().registry().tweak(QString::fromLatin1(tweakID))));
    }

    TestRoot root;
    FakePanels *panels = nullptr;
    std::unique_ptr<VelmoraApp> app;
};

/// Calls back when a window paints its first frame; or, swallowing, keeps every frame from it.
class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget *window, std::function<void()> painted, bool swallow = false)
        : m_painted(std::move(painted)), m_swallow(swallow)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (m_swallow)
            return true;
        if (m_painted) {
            std::exchange(m_painted, nullptr)();
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    std::function<void()> m_painted;
    bool m_swallow;
};

QStringList ids(const QList<TweakRowView *> &rows)
{
    QStringList out;
    for (const TweakRowView *row : rows)
        out << row->tweak().id;
    return out;
}

/// A wrapper around the real defaults tool that counts its runs in a file.
QString countingDefaults(const TestRoot &root, const QString &real)
{
    return root.writeTool("defaults", "#!/bin/sh\necho run >> '" + root.path().toUtf8() + "/runs'\nexec '" +
                                          real.toUtf8() + "' \"$@\"\n");
}

int runs(const TestRoot &root)
{
    return int(readAll(root.path() + "/runs").count('\n'));
}

/// Whether a widget shows inside its window: visible, and not clipped away by its parents.
bool onScreen(const QWidget *widget)
{
    QRect shown = widget->rect();
    for (const QWidget *w = widget; !w->isWindow(); w = w->parentWidget())
        shown = shown.translated(w->pos()) & w->parentWidget()->rect();
    return widget->isVisible() && !shown.isEmpty();
}

void saveScreenshot(QWidget *widget, const QString &name)
{
    QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    QTest::qWait(50); // lists lay their rows out from the event loop
    widget->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
}

} // namespace

class TestUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowAndInitialSelection();
    void routing_data();
    void routing();
    void emptyRegistryShowsWelcome();
    void firstPage_data();
    void firstPage();
    void search_data();
    void search();
    void searchClearsWithCategoryChangeAndButton();
    void toggleWritesAndTheBannerRestarts();
    void pickerShowsNoSelectionForForeignValues();
    void textFieldAppliesEveryKeystroke();
    void sliderAppliesOnceOnRelease();
    void stepperStopsAtItsBounds();
    void stepperStepsFromTheKeyboard_data();
    void stepperStepsFromTheKeyboard();
    void pathChooserAppliesTheFolder();
    void resetFromTheContextMenu();
    void bannerSortsByCodePoint();
    void menuBarPanelFlipsAndRestarts();
    void statusLineShowsTheLastError();
    void escapeClearsTheSearch_data();
    void escapeClearsTheSearch();
    void everyTabStopIsAVisibleControl_data();
    void everyTabStopIsAVisibleControl();
    void menuCommands_data();
    void menuCommands();
    void closingTheWindow_data();
    void closingTheWindow();
    void trayIconIsATemplateImage();
    void wheelOverAControl_data();
    void wheelOverAControl();
    void folderPanelSaysWhatItIsFor();
    void screenshots_data();
    void screenshots();
    void helpAndVersionNeedNoDisplay_data();
    void helpAndVersionNeedNoDisplay();
    void contentsComeWithoutAFrame();
    void measuringStartUp();
    void windowRefusesAFolderWithoutAMac_data();
    void windowRefusesAFolderWithoutAMac();
};

void TestUi::initTestCase()
{
    Style::apply(false);
}

void TestUi::windowAndInitialSelection()
{
    App a;
    const QMessageBox box;
    QCOMPARE(a.window()->windowTitle(), QStringLiteral("Velmora"));
    QCOMPARE(a.window()->minimumSize(), QSize(1100, 640));
    a.window()->resize(800, 500);
    QVERIFY(a.window()->width() >= 1100 && a.window()->height() >= 640);
    // The first category in sidebar order is selected and its values read.
    QCOMPARE(a.rootView()->selectedCategoryID(), std::optional<QString>("appearance"));
    QVERIFY(a.engine().refreshedCategoryIDs().contains("appearance"));
    QCOMPARE(a.engine().currentValues().value("appearance.interface-style"), TweakValue::ofString("Dark"));
    // No menu item opens a second window.
    for (QAction *action : a.window()->findChildren<QAction *>())
        QVERIFY(!action->text().contains("New", Qt::CaseInsensitive));
    QVERIFY(!a.window()->isRestartsBannerShown());
    // The window, and every dialog without an icon of its own, shows the application's icon, drawn
    // at each size a title bar, a task switcher or the About box asks for.
    for (const QWidget *window :
         {static_cast<const QWidget *>(a.window()), static_cast<const QWidget *>(&box)}) {
        for (const int side : {16, 32, 256}) {
            const QImage icon = window->windowIcon().pixmap(side).toImage();
            QCOMPARE(icon.size(), QSize(side, side));
            QCOMPARE(icon.pixelColor(side / 2, side / 2).alpha(), 255);
            QCOMPARE(icon.pixelColor(0, 0).alpha(), 0); // a rounded square's corner
        }
    }
    QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    a.window()->windowIcon().pixmap(256).save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/app-icon.png"));
}

void TestUi::routing_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("page"); // welcome, category, editor
    const auto row = [](const char *name, const char *id, const char *page) {
        QTest::newRow(name) << QString(id) << QString(page);
    };
    row("ordinary", "dock", "category");
    row("dock editor", "dockapps", "editor");
    row("wallpaper editor", "wallpaper", "editor");
    row("unknown id", "no-such-category", "welcome");
    row("case matters", "Dock", "welcome");
}

void TestUi::routing()
{
    QFETCH(QString, id);
    QFETCH(QString, page);
    App a;
    a.rootView()->setSelectedCategoryID(id);
    QWidget *shown = a.rootView()->currentPage();
    QCOMPARE(qobject_cast<WelcomeView *>(shown) != nullptr, page == "welcome");
    QCOMPARE(qobject_cast<CategoryDetailView *>(shown) != nullptr, page == "category");
    if (page == "category")
        QCOMPARE(a.rootView()->categoryPage()->category().id, id);
    a.rootView()->setSelectedCategoryID(std::nullopt);
    QVERIFY(qobject_cast<WelcomeView *>(a.rootView()->currentPage()));
}

void TestUi::emptyRegistryShowsWelcome()
{
    TestRoot root;
    TweakEngine engine(*TweakRegistry::make({}, {}), root.platform(), TweakHandlers());
    FakePanels panels;
    AppContext context{engine, root.platform(), panels};
    RootView view(context);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.sidebar()->list()->count(), 0);
    QVERIFY(!view.selectedCategoryID());
    QVERIFY(qobject_cast<WelcomeView *>(view.currentPage()));
}

void TestUi::firstPage_data()
{
    // What happens between showing the window and its first frame; the page then shown.
    QTest::addColumn<bool>("askedEarly"); // a part of the contents asked for before the first frame
    QTest::addColumn<QString>("chosen");  // chosen before the first frame; empty: nothing
    QTest::addColumn<bool>("showAgain");  // the window hidden and shown again once the page is there
    QTest::addColumn<QString>("page");    // the category shown in the end
    QTest::newRow("nothing asked for") << false << QString() << false << "appearance";
    QTest::newRow("the sidebar asked for") << true << QString() << false << "appearance";
    QTest::newRow("a category chosen") << true << "dock" << false << "dock";
    QTest::newRow("an editor chosen") << true << "wallpaper" << false << "wallpaper";
    QTest::newRow("nothing asked for, shown again") << false << QString() << true << "appearance";
    QTest::newRow("a category chosen, shown again") << true << "dock" << true << "dock";
}

void TestUi::firstPage()
{
    QFETCH(bool, askedEarly);
    QFETCH(QString, chosen);
    QFETCH(bool, showAgain);
    QFETCH(QString, page);
    TestRoot root;
    QFile::remove(root.root().privacyDatabase()); // so the Full Disk Access banner shows
    VelmoraApp app(root.makePlatform(), std::make_unique<FakePanels>());
    MainWindow *window = app.mainWindow();
    // What the window held when it painted its first frame.
    std::optional<bool> contentInFirstFrame;
    FirstFrameWatch firstFrame(window, [&] { contentInFirstFrame = window->hasContent(); });
    if (askedEarly)
        QCOMPARE(window->rootView()->sidebar()->list()->count(), 27);
    app.showMainWindow();
    if (!chosen.isEmpty())
        window->rootView()->setSelectedCategoryID(chosen);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Unless asked for, the contents come after the first frame, and by themselves.
    QTRY_VERIFY(contentInFirstFrame.has_value());
    QCOMPARE(*contentInFirstFrame, askedEarly);
    QTRY_VERIFY(window->hasContent());
    RootView *view = window->rootView();
    const auto shows = [&] {
        if (page == QLatin1String("wallpaper"))
            return qobject_cast<WallpaperView *>(view->currentPage()) != nullptr;
        return view->categoryPage() && view->categoryPage()->category().id == page &&
               app.engine().refreshedCategoryIDs().contains(page);
    };
    QTRY_VERIFY(shows());
    QVERIFY(view->isVisible() && window->toolbar()->isVisible() && window->menuBar()->isVisible());
    // The keyboard starts in the sidebar, as it would had the window come with its contents.
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(view->sidebar()->list()));
    // What the application adds to the contents is there, however they came.
    QVERIFY(view->bannerArea()->indexOf(app.fullDiskAccessBanner()) >= 0);
    QTRY_VERIFY(app.fullDiskAccessBanner()->isVisible());
    QVERIFY(window->helpMenu()->actions().contains(app.checkForUpdatesView()->action()));
    QWidget *shown = view->currentPage();
    if (showAgain) {
        window->hide();
        app.showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    // Whatever comes after the first frame leaves the page alone.
    QTest::qWait(50);
    QVERIFY(shows());
    QCOMPARE(view->currentPage(), shown);
    QCOMPARE(view->selectedCategoryID(), std::optional<QString>(page));
    QCOMPARE(view->sidebar()->selection(), std::optional<QString>(page));
}

void TestUi::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("visible"); // empty: every tweak; "-": none, the empty state shown
    const QStringList none{"-"};
    QTest::newRow("spaces and line breaks") << "  \n " << QStringList();
    QTest::newRow("capitals find lower case")
        << "DOCK" << QStringList{"dock.autohide",     "dock.autohide-delay", "dock.orientation",
                                 "dock.show-recents", "dock.scroll-to-open", "dock.spring-load-all-items"};
    QTest::newRow("summary only, trimmed") << "  bouncing  " << QStringList{"dock.launchanim"};
    QTest::newRow("identifier only") << "static-only" << none;
    QTest::newRow("diacritics count") << "expose" << none;
    QTest::newRow("accented") << QString::fromUtf16(u"Expos\u00c9") << QStringList{"dock.scroll-to-open"};
}

void TestUi::search()
{
    QFETCH(QString, query);
    QFETCH(QStringList, visible);
    App a;
    CategoryDetailView *page = a.open("dock");
    QVERIFY(page);
    const QStringList all = ids(page->visibleRows());
    const QString count = page->countLabel()->text();
    page->searchField()->setText(query);
    QCOMPARE(ids(page->visibleRows()), visible.isEmpty()             ? all
                                       : visible == QStringList{"-"} ? QStringList()
                                                                     : visible);
    QCOMPARE(page->emptyState()->isHidden(), visible != QStringList{"-"});
    QCOMPARE(page->countLabel()->text(), count); // the count ignores the search
}

void TestUi::searchClearsWithCategoryChangeAndButton()
{
    App a;
    CategoryDetailView *page = a.open("dock");
    QVERIFY(page->clearButton()->isHidden());
    QTest::keyClicks(page->searchField(), " ");
    QVERIFY(!page->clearButton()->isHidden()); // white space counts
    QTest::mouseClick(page->clearButton(), Qt::LeftButton);
    QCOMPARE(page->searchField()->text(), QString());
    QVERIFY(page->clearButton()->isHidden());

    QTest::keyClicks(page->searchField(), "hide");
    CategoryDetailView *finder = a.open("finder");
    QCOMPARE(finder, page); // the same page, handed another category
    QCOMPARE(finder->searchField()->text(), QString());
    QCOMPARE(finder->countLabel()->text(), QStringLiteral("%1 tweaks").arg(finder->visibleRows().size()));
    // The new category is read at once: its rows show stored values, not defaults.
    QVERIFY(a.engine().refreshedCategoryIDs().contains("finder"));
    QVERIFY(a.row("finder.show-pathbar")->toggle()->isChecked());

    // Ctrl/Cmd-F puts the cursor in the search field.
    a.window()->activateWindow();
    a.rootView()->focusSearch();
    QVERIFY(finder->searchField()->hasFocus());
}

void TestUi::toggleWritesAndTheBannerRestarts()
{
    App a;
    a.open("dock");
    ToggleSwitch *toggle = a.row("dock.autohide")->toggle();
    QVERIFY(toggle && !toggle->isChecked());
    QVERIFY(!a.window()->isRestartsBannerShown());
    // Keyboard: Space flips the focused switch.
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Space);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("autohide"), QVariant(true));
    QTRY_VERIFY(toggle->isChecked());
    QTRY_COMPARE(a.engine().currentValues().value("dock.autohide"), TweakValue::ofBool(true));
    QTRY_VERIFY(a.window()->isRestartsBannerShown());
    PendingRestartsBanner *banner = a.window()->restartsBanner();
    QCOMPARE(banner->text(), QStringLiteral("Restart needed: Dock"));
    QTest::mouseClick(banner->applyButton(), Qt::LeftButton);
    QVERIFY(!a.window()->isRestartsBannerShown()); // gone before the restart has run
    QTRY_COMPARE(a.root.restartLog().size(), 1);
    QVERIFY(a.root.restartLog().first().endsWith("\tDock"));
    QTest::mouseClick(banner->applyButton(), Qt::LeftButton); // nothing pending: nothing run
    QTest::mouseClick(toggle, Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("autohide"), QVariant(false));
    QVERIFY(!toggle->isChecked());
    QCOMPARE(a.root.restartLog().size(), 1);
}

void TestUi::pickerShowsNoSelectionForForeignValues()
{
    App a;
    a.root.writeGlobalDomain({{"AppleAccentColor", qint64(7)}}); // a value no option has
    a.open("appearance");
    await(a.engine().refreshCategory("appearance", true));
    QComboBox *picker = a.row("appearance.accent-color")->picker();
    QCOMPARE(picker->currentIndex(), -1);
    QCOMPARE(picker->count(), 9);
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_End); // moves to "Graphite" and activates it
    QTRY_COMPARE(a.root.globalDomain().value("AppleAccentColor"), QVariant(qint64(8)));
    QCOMPARE(picker->currentText(), QStringLiteral("Graphite"));
}

void TestUi::textFieldAppliesEveryKeystroke()
{
    App a;
    a.platform().setDefaultsToolPath(countingDefaults(a.root, a.platform().defaultsToolPath()));
    a.open("menubar");
    QLineEdit *field = a.row("menubar.clock-date-format")->textField();
    QCOMPARE(field->text(), QStringLiteral("EEE d MMM HH:mm")); // the seeded value, not the default
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "H:m");
    QTRY_COMPARE(runs(a.root), 3);
    QTRY_COMPARE(a.root.domain("com.apple.menuextra.clock").value("DateFormat"), QVariant("H:m"));
    QTRY_COMPARE(a.engine().currentValues().value("menubar.clock-date-format"), TweakValue::ofString("H:m"));
    QCOMPARE(field->text(), QStringLiteral("H:m"));
}

void TestUi::sliderAppliesOnceOnRelease()
{
    App a;
    a.platform().setDefaultsToolPath(countingDefaults(a.root, a.platform().defaultsToolPath()));
    a.open("dock");
    DecimalSlider *control = a.row("dock.autohide-delay")->slider();
    QCOMPARE(control->valueText(), QStringLiteral("0.50"));
    QSlider *slider = control->slider();
    slider->setSliderDown(true);
    for (int position : {11, 14, 17, 20})
        slider->setSliderPosition(position);
    QCOMPARE(control->valueText(), QStringLiteral("1.00")); // the label follows the finger
    QCOMPARE(runs(a.root), 0);                              // nothing written while dragging
    slider->setSliderDown(false);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("autohide-delay"), QVariant(1.0));
    QCOMPARE(runs(a.root), 1);
    QTRY_COMPARE(a.engine().currentValues().value("dock.autohide-delay"), TweakValue::ofDouble(1.0));

    // A tweak whose range is narrower than a step still slides over one step.
    Tweak narrow = *a.engine().registry().tweak("dock.autohide-delay");
    narrow.kind = TweakKind::decimal(0.5, 0.5, 0.05);
    DecimalSlider one(a.engine(), narrow);
    QCOMPARE(one.upper(), 0.55);
    Tweak unbounded = narrow;
    unbounded.kind = TweakKind::decimal(0.0, std::nullopt, 0.05);
    DecimalSlider open(a.engine(), unbounded);
    QCOMPARE(open.lower(), 0.0);
    QCOMPARE(open.upper(), 1.0);
}

void TestUi::stepperStopsAtItsBounds()
{
    App a;
    a.root.writeDomain("com.apple.dock", {{"tilesize", qint64(127)}});
    a.open("dock");
    IntegerStepper *stepper = a.row("dock.tilesize")->stepper();
    QCOMPARE(stepper->value(), 127);
    QTest::mouseClick(stepper->incrementButton(), Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(128)));
    QTRY_VERIFY(!stepper->incrementButton()->isEnabled());
    stepper->stepBy(5); // beyond the bound: nothing to write
    QTest::qWait(50);
    QCOMPARE(a.root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(128)));
    QTRY_COMPARE(a.engine().currentValues().value("dock.tilesize").type(), TweakValueType::int_);
}

void TestUi::stepperStepsFromTheKeyboard_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<QString>("focus"); // the part given focus: "stepper", "-" or "+"
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<qint64>>("values"); // written after each key
    QTest::newRow("Up on the + button") << qint64(60) << "+" << QList<int>{Qt::Key_Up} << QList<qint64>{61};
    QTest::newRow("Down on the + button")
        << qint64(60) << "+" << QList<int>{Qt::Key_Down} << QList<qint64>{59};
    QTest::newRow("Up on the - button") << qint64(60) << "-" << QList<int>{Qt::Key_Up} << QList<qint64>{61};
    QTest::newRow("Page Up on the stepper")
        << qint64(60) << "stepper" << QList<int>{Qt::Key_PageUp} << QList<qint64>{70};
    QTest::newRow("Page Down stops at the bound")
        << qint64(20) << "-" << QList<int>{Qt::Key_PageDown} << QList<qint64>{16};
    // The + button switches off at the top; the next key still reaches the stepper.
    QTest::newRow("up to the bound and back")
        << qint64(127) << "+" << QList<int>{Qt::Key_Up, Qt::Key_Down} << QList<qint64>{128, 127};
}

void TestUi::stepperStepsFromTheKeyboard()
{
    QFETCH(qint64, start);
    QFETCH(QString, focus);
    QFETCH(QList<int>, keys);
    QFETCH(QList<qint64>, values);
    App a;
    a.root.writeDomain("com.apple.dock", {{"tilesize", start}});
    a.open("dock");
    await(a.engine().refreshCategory("dock", true));
    IntegerStepper *stepper = a.row("dock.tilesize")->stepper();
    a.window()->activateWindow();
    QWidget *target = focus == "+"   ? stepper->incrementButton()
                      : focus == "-" ? stepper->decrementButton()
                                     : static_cast<QWidget *>(stepper);
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(QApplication::focusWidget());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(keys[i]));
        QTRY_COMPARE(a.root.domain("com.apple.dock").value("tilesize"), QVariant(values[i]));
        QTRY_COMPARE(stepper->value(), values[i]);
        QVERIFY2(stepper->isAncestorOf(QApplication::focusWidget()), "focus left the stepper");
    }
}

void TestUi::pathChooserAppliesTheFolder()
{
    App a;
    a.open("screenshot");
    PathPickerControl *path = a.row("screenshot.location")->pathPicker();
    QVERIFY(path->shownText().endsWith("/Pictures/Screenshots"));
    const QString folder = a.root.path() + "/My Shots (2026)";
    a.panels->answers.enqueue(folder);
    QTest::mouseClick(path->chooseButton(), Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.screencapture").value("location"), QVariant(folder));
    QTRY_COMPARE(path->shownText(), folder);
    // A cancelled panel changes nothing.
    QTest::mouseClick(path->chooseButton(), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(a.root.domain("com.apple.screencapture").value("location"), QVariant(folder));
}

void TestUi::resetFromTheContextMenu()
{
    App a;
    a.open("dock");
    TweakRowView *row = a.row("dock.tilesize");
    QMenu *menu = row->contextMenu();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("Reset to Default"));
    menu->actions().first()->trigger();
    QTRY_VERIFY(!a.root.domain("com.apple.dock").contains("tilesize"));
    QTRY_COMPARE(a.engine().currentValues().value("dock.tilesize"), TweakValue::ofInt(48));
    QTRY_VERIFY(a.window()->isRestartsBannerShown());
}

void TestUi::bannerSortsByCodePoint()
{
    App a;
    for (const char *id : {"general.ns-quit-keeps-windows", "menubar.show-battery-percent",
                           "screenshot.disable-shadow", "finder.show-hidden-files"})
        QVERIFY(a.apply(id, TweakValue::ofBool(true)));
    QCOMPARE(a.window()->restartsBanner()->text(),
             QStringLiteral("Restart needed: ControlCenter, Dock, Finder, SystemUIServer, cfprefsd"));
    await(a.engine().restartPending());
    QVERIFY(!a.window()->isRestartsBannerShown());
    QVERIFY(a.apply("general.ns-quit-keeps-windows", TweakValue::ofBool(true)));
    QCOMPARE(a.window()->restartsBanner()->text(), QStringLiteral("Restart needed: Dock, cfprefsd"));
}

void TestUi::menuBarPanelFlipsAndRestarts()
{
    App a;
    // A change from the main window is pending when the panel is used.
    QVERIFY(a.apply("finder.show-hidden-files", TweakValue::ofBool(true)));
    QTest::keyClick(a.window(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    MenuBarContentView *panel = a.app->menuBarPanel();
    QTRY_VERIFY(panel->isVisible());
    const auto toggle = [panel](const char *id) { return panel->findChild<ToggleSwitch *>(id); };
    // Values come from the system, read when the panel opens.
    QTRY_VERIFY(toggle("finder.show-pathbar")->isChecked()); // on in the seed
    QTRY_VERIFY(toggle("dock.show-recents")->isChecked());
    QTest::mouseClick(toggle("dock.autohide"), Qt::LeftButton);
    QTRY_COMPARE(a.root.restartLog().size(), 2);
    QCOMPARE(a.root.domain("com.apple.dock").value("autohide"), QVariant(true));
    QTRY_VERIFY(a.engine().pendingRestarts().isEmpty());
    QTRY_VERIFY(toggle("dock.autohide")->isChecked());

    // Another case than bool shows off; no value shows the default.
    Tweak launch = *a.engine().registry().tweak("dock.launchanim");
    QVERIFY(MenuBarContentView::shownState(a.engine(), launch));
    QVERIFY(await(a.engine().apply(TweakValue::ofInt(1), launch)));
    QVERIFY(!MenuBarContentView::shownState(a.engine(), launch));
}

void TestUi::statusLineShowsTheLastError()
{
    App a;
    ErrorStatusLine *line = a.rootView()->errorLine();
    QVERIFY(line->isHidden());
    const QString real = a.platform().defaultsToolPath();
    a.platform().setDefaultsToolPath(
        a.root.writeFailingTool("defaults", "Could not write domain com.apple.dock"));
    a.open("dock");
    QTest::mouseClick(a.row("dock.autohide")->toggle(), Qt::LeftButton);
    QTRY_VERIFY(!line->isHidden());
    QVERIFY(line->text().startsWith(
        "Command failed (exit 1): defaults write com.apple.dock autohide -bool true"));
    QVERIFY(line->text().contains("Could not write domain"));
    QTRY_VERIFY(!a.row("dock.autohide")->toggle()->isChecked()); // the switch does not pretend
    QTest::mouseClick(line->dismissButton(), Qt::LeftButton);
    QVERIFY(line->isHidden());
    // A later success clears it for good.
    a.platform().setDefaultsToolPath(real);
    QTest::mouseClick(a.row("dock.autohide")->toggle(), Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("autohide"), QVariant(true));
    QTRY_VERIFY(!a.engine().lastError());
    QVERIFY(line->isHidden());
}

void TestUi::escapeClearsTheSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("a word") << "hide";
    QTest::newRow("no match") << "zzz";
    QTest::newRow("spaces only") << "  ";
}

void TestUi::escapeClearsTheSearch()
{
    QFETCH(QString, typed);
    App a;
    CategoryDetailView *page = a.open("dock");
    const QStringList all = ids(page->visibleRows());
    a.window()->activateWindow();
    page->searchField()->setFocus();
    QTest::keyClicks(page->searchField(), typed);
    QTest::keyClick(page->searchField(), Qt::Key_Escape);
    QCOMPARE(page->searchField()->text(), QString());
    QCOMPARE(ids(page->visibleRows()), all);
    QVERIFY(page->clearButton()->isHidden());
    QVERIFY(page->searchField()->hasFocus());
}

void TestUi::everyTabStopIsAVisibleControl_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"dock", "dockapps", "wallpaper"})
        QTest::newRow(page) << QString(page);
}

void TestUi::everyTabStopIsAVisibleControl()
{
    QFETCH(QString, page);
    App a;
    a.open(page);
    if (auto *dock = qobject_cast<DockAppsView *>(a.rootView()->currentPage()))
        QTRY_VERIFY_WITH_TIMEOUT(!dock->model().isLoading(), 20000);
    if (auto *wallpaper = qobject_cast<WallpaperView *>(a.rootView()->currentPage()))
        QTRY_VERIFY(!wallpaper->displayRows().isEmpty());
    QTest::qWait(50); // the page lays itself out
    a.window()->activateWindow();
    a.window()->profileMenu()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(a.window()->profileMenu()));
    QList<QWidget *> stops;
    for (int i = 0; i < 200; ++i) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        // A stop is something the user sees take focus and can use: never a bare container, a scroll
        // area's frame or a page, which take the key and show nothing.
        const bool control = qobject_cast<QAbstractButton *>(focused) || qobject_cast<QLineEdit *>(focused) ||
                             qobject_cast<QComboBox *>(focused) || qobject_cast<QAbstractSlider *>(focused) ||
                             qobject_cast<QAbstractItemView *>(focused);
        QVERIFY2(
            control && onScreen(focused),
            qPrintable(
                QStringLiteral("Tab stop %1 after %2: %3 \"%4\"")
                    .arg(i)
                    .arg(stops.isEmpty() ? QStringLiteral("Profiles")
                                         : QString::fromLatin1(stops.last()->metaObject()->className()))
                    .arg(QString::fromLatin1(focused->metaObject()->className()), focused->objectName())));
        if (stops.contains(focused))
            break; // round the whole window
        stops << focused;
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QVERIFY(stops.size() > 2);
}

void TestUi::menuCommands_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys"); // empty: chosen from the menu
    QTest::addColumn<QString>("effect");
    QTest::newRow("save") << "File"
                          << "Save Profile…" << QKeySequence(QKeySequence::Save) << "Save Profile";
    QTest::newRow("load") << "File"
                          << "Load Profile…" << QKeySequence(QKeySequence::Open) << "Load Profile";
    QTest::newRow("reset all pending") << "File"
                                       << "Reset All Pending" << QKeySequence() << "restarted";
    QTest::newRow("minimize") << "Window"
                              << "Minimize" << QKeySequence(Qt::CTRL | Qt::Key_M) << "minimized";
    QTest::newRow("about") << "Help"
                           << "About Velmora" << QKeySequence() << "about";
}

void TestUi::menuCommands()
{
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, effect);
    App a;
    QVERIFY(a.apply("dock.autohide", TweakValue::ofBool(true))); // a restart pending
    QAction *action = nullptr;
    for (QAction *top : a.window()->menuBar()->actions()) {
        if (top->menu() && top->text().remove('&') == menu) {
            for (QAction *entry : top->menu()->actions())
                action = entry->text() == item ? entry : action;
        }
    }
    QVERIFY2(action, qPrintable(menu + " has no " + item));
    if (keys.isEmpty()) {
        action->trigger();
    } else {
        a.window()->activateWindow();
        QTest::keySequence(a.window(), keys);
    }
    if (effect == "restarted") {
        QTRY_COMPARE(a.root.restartLog().size(), 1);
        QVERIFY(a.engine().pendingRestarts().isEmpty());
    } else if (effect == "minimized") {
        QTRY_VERIFY(a.window()->isMinimized());
    } else if (effect == "about") {
        QTRY_VERIFY(a.window()->aboutBox() && a.window()->aboutBox()->isVisible());
        const QString said =
            a.window()->aboutBox()->text() + "\n" + a.window()->aboutBox()->informativeText();
        for (const QString &part : {QStringLiteral("Velmora " VELMORA_VERSION), QStringLiteral("MIT License"),
                                    QStringLiteral("Qt %1").arg(qVersion()), QStringLiteral("QCoro 0."),
                                    QStringLiteral("libplist 2.")})
            QVERIFY2(said.contains(part), qPrintable(said));
        // Each paragraph on a line of its own, as on a box of any width.
        auto *details = a.window()->aboutBox()->findChild<QLabel *>("qt_msgbox_informativelabel");
        QCOMPARE(details->heightForWidth(details->width()), details->heightForWidth(2000));
        saveScreenshot(a.window()->aboutBox(), "about");
    } else {
        QTRY_COMPARE(a.panels->titles, QStringList{effect});
    }
}

void TestUi::trayIconIsATemplateImage()
{
    // A Mac's menu bar recolours only a template image; any other stays dark on a dark menu bar.
    App a;
    QVERIFY(a.platform().symbols().hasSymbol(QStringLiteral("paperplane.fill")));
    a.app->setTrayIconShown(true);
    const QSystemTrayIcon *tray = a.app->findChild<QSystemTrayIcon *>();
    QVERIFY(tray);
    QVERIFY(!tray->icon().isNull());
    QVERIFY(tray->icon().isMask());
}

void TestUi::closingTheWindow_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<QString>("how"); // "close" the window, or a key of the window or of the tray's panel
    QTest::addColumn<bool>("ends");
    QTest::newRow("no tray: closing ends the run") << false << "close" << true;
    QTest::newRow("tray: closing keeps it in the tray") << true << "close" << false;
    QTest::newRow("tray: Quit in the panel") << true << "panel quit" << true;
    QTest::newRow("tray: Quit in the window") << true << "window quit" << true;
}

void TestUi::closingTheWindow()
{
    QFETCH(bool, tray);
    QFETCH(QString, how);
    QFETCH(bool, ends);
    App a;
    a.app->setTrayIconShown(tray);
    MenuBarContentView *panel = a.app->menuBarPanel();
    // Every platform has a key to quit, even one whose conventions name none; the panel's hints show
    // the keys the platform's way.
    QKeySequence quitKeys;
    for (QAction *action : a.window()->findChildren<QAction *>())
        quitKeys = action->menuRole() == QAction::QuitRole ? action->shortcut() : quitKeys;
    QVERIFY(!quitKeys.isEmpty());
    QStringList hints;
    for (const QLabel *label : panel->findChildren<QLabel *>())
        hints << label->text();
    for (const QKeySequence &keys : {QKeySequence(QKeySequence::Open), quitKeys})
        QVERIFY2(hints.contains(keys.toString(QKeySequence::NativeText)), qPrintable(hints.join('|')));

    // The whole run, as the application's own event loop runs it; a run still going is ended here.
    QTimer::singleShot(0, a.window(), [&] {
        if (how == "close") {
            a.window()->close();
        } else if (how == "panel quit") {
            a.app->showMenuBarPanel();
            QTest::keySequence(panel, quitKeys);
        } else {
            a.window()->activateWindow();
            QTest::keySequence(a.window(), quitKeys);
        }
    });
    // Stopped with the test: a later test's event loop must never see this exit.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(42); });
    giveUp.start(1500);
    const int code = QApplication::exec();
    giveUp.stop();
    QCOMPARE(code != 42, ends);
    if (ends)
        return;
    // The panel brings the window back.
    QVERIFY(!a.window()->isVisible());
    a.app->showMenuBarPanel();
    QTRY_VERIFY(panel->isVisible());
    QTest::keySequence(panel, QKeySequence::Open);
    QTRY_VERIFY(a.window()->isVisible());
}

void TestUi::wheelOverAControl_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("focused");
    QTest::newRow("picker, unfocused: the page scrolls") << "dock.orientation" << false;
    QTest::newRow("picker, focused: the picker takes it") << "dock.orientation" << true;
    QTest::newRow("slider, unfocused: the page scrolls") << "dock.autohide-delay" << false;
}

void TestUi::wheelOverAControl()
{
    QFETCH(QString, id);
    QFETCH(bool, focused);
    App a;
    CategoryDetailView *page = a.open("dock");
    a.window()->activateWindow();
    TweakRowView *row = a.row(id);
    QWidget *control = row->picker() ? static_cast<QWidget *>(row->picker()) : row->slider()->slider();
    const auto value = [&] {
        return row->picker() ? row->picker()->currentIndex() : row->slider()->slider()->value();
    };
    auto *scroll = page->findChild<QScrollArea *>();
    scroll->ensureWidgetVisible(control, 0, 200);
    QTest::qWait(50);
    (focused ? control : page->searchField())->setFocus();
    QScrollBar *bar = scroll->verticalScrollBar();
    const int scrolled = bar->value();
    const int before = value();
    // Towards the end with room to scroll; a picker at its last option is turned the other way.
    const int delta = bar->value() < bar->maximum() ? -120 : 120;
    // As the window system delivers it: a wheel event nobody takes goes on to the parents.
    const QPointF at = control->rect().center();
    QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(control, &wheel); // as QTest delivers its keys: sendEvent would make it a synthetic one
    QTest::qWait(50);
    if (focused) {
        QCOMPARE(bar->value(), scrolled);
    } else {
        QVERIFY(bar->value() != scrolled);
        QCOMPARE(value(), before);
        QVERIFY(!control->hasFocus());
    }
}

void TestUi::folderPanelSaysWhatItIsFor()
{
    // The real panel, answered as soon as it is up.
    Panels panels;
    QString title;
    QStringList buttons;
    QTimer::singleShot(0, qApp, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget *dialog = QApplication::activeModalWidget();
        title = dialog->windowTitle();
        for (const QPushButton *button : dialog->findChildren<QPushButton *>())
            buttons << button->text();
        static_cast<QDialog *>(dialog)->reject();
    });
    QTemporaryDir dir;
    QCOMPARE(panels.chooseFolder(nullptr, "Choose a folder to add to the Dock.", dir.path(), "Add to Dock"),
             std::nullopt);
    QCOMPARE(title, QStringLiteral("Choose a folder to add to the Dock."));
    QVERIFY2(buttons.contains("Add to Dock"), qPrintable(buttons.join('|')));
}

void TestUi::screenshots_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestUi::screenshots()
{
    QFETCH(bool, dark);
    Style::apply(dark);
    const QString suffix = dark ? "-dark" : "-light";
    {
        App a;
        a.rootView()->setSelectedCategoryID(std::nullopt);
        saveScreenshot(a.window(), "welcome" + suffix);
        for (const char *category : {"dock", "keyboard", "finder"}) {
            a.open(category);
            saveScreenshot(a.window(), QStringLiteral("category-%1%2").arg(category, suffix));
        }
        // A new Mac has not granted Full Disk Access: the banner asks for it on every page.
        saveScreenshot(a.window(), "full-disk-access-banner" + suffix);

        // The editors, each with an edit made.
        a.rootView()->setSelectedCategoryID(QStringLiteral("dockapps"));
        auto *dock = qobject_cast<DockAppsView *>(a.rootView()->currentPage());
        QTRY_VERIFY_WITH_TIMEOUT(!dock->model().isLoading(), 20000);
        dock->model().addApp(dock->model().availableApps().first());
        saveScreenshot(a.window(), "dock-apps" + suffix);
        a.panels->answers.enqueue(a.root.root().home() + "/Documents");
        dock->setSelectedTab(DockAppsView::DockTab::others);
        dock->addFolder();
        dock->model().addSpacer(false);
        saveScreenshot(a.window(), "dock-others" + suffix);
        a.rootView()->setSelectedCategoryID(QStringLiteral("wallpaper"));
        auto *wallpaper = qobject_cast<WallpaperView *>(a.rootView()->currentPage());
        QTRY_VERIFY(wallpaper->model()->pendingPreviews().isEmpty());
        QTest::mouseClick(wallpaper->displayRows().at(1), Qt::LeftButton);
        a.panels->answers.enqueue(a.root.path() + "/Library/Desktop Pictures/Bloom.png");
        QTest::mouseClick(wallpaper->chooseImageButton(), Qt::LeftButton);
        QTRY_VERIFY(wallpaper->model()->pendingPreviews().isEmpty());
        saveScreenshot(a.window(), "wallpaper-edited" + suffix);
        QTest::mouseClick(wallpaper->applyButton(), Qt::LeftButton);
        saveScreenshot(a.window(), "wallpaper-applied" + suffix);

        QVERIFY(a.apply("dock.autohide", TweakValue::ofBool(true)));
        a.open("dock");
        QTRY_VERIFY(a.window()->restartsBanner()->isVisible());
        saveScreenshot(a.window(), "banner" + suffix);
        a.app->showMenuBarPanel();
        QTRY_VERIFY(a.app->menuBarPanel()->isVisible());
        saveScreenshot(a.app->menuBarPanel(), "menu-bar-panel" + suffix);
    }
    Style::apply(false);
    for (const char *name : {"category-dock", "dock-others", "wallpaper-applied", "menu-bar-panel"})
        QVERIFY(QFile::exists(QStringLiteral(VELMORA_SCREENSHOT_DIR "/%1%2.png").arg(name, suffix)));
}

void TestUi::helpAndVersionNeedNoDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("output"); // part of standard output
    QTest::newRow("--help") << "--help" << QStringLiteral("--simulated-root <DIR>");
    QTest::newRow("-h") << "-h" << QStringLiteral("Hidden macOS settings, gathered in one place.");
    QTest::newRow("--version") << "--version" << QStringLiteral("Velmora " VELMORA_VERSION "\n");
}

void TestUi::helpAndVersionNeedNoDisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, output);
    // As over ssh or in a script: no display of any kind, no platform plugin chosen.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess velmora;
    velmora.setProcessEnvironment(env);
    velmora.start(QStringLiteral(VELMORA_APP_EXECUTABLE), {option});
    QVERIFY(velmora.waitForFinished(30000));
    const QString out = QString::fromUtf8(velmora.readAllStandardOutput());
    QCOMPARE(velmora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(velmora.exitCode(), 0);
    QVERIFY2(out.contains(output), qPrintable(out + velmora.readAllStandardError()));
}

void TestUi::contentsComeWithoutAFrame()
{
    // Shown, but its frames never reach it (as a window covered from the start): the contents come
    // all the same.
    TestRoot root;
    VelmoraApp app(root.makePlatform(), std::make_unique<FakePanels>());
    FirstFrameWatch neverPainted(
        app.mainWindow(), [] {}, true);
    app.showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
    QVERIFY(!app.mainWindow()->hasContent());
    QTRY_VERIFY_WITH_TIMEOUT(app.mainWindow()->hasContent(), 2000);
}

void TestUi::measuringStartUp()
{
    // The start-up bench reads these two lines: the window's first frame, then the first page.
    TestRoot root;
    QProcess velmora;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    velmora.setProcessEnvironment(env);
    velmora.start(QStringLiteral(VELMORA_APP_EXECUTABLE),
                  {"--simulated-root", root.path(), "--quit-after-first-paint"});
    QVERIFY(velmora.waitForFinished(30000));
    QCOMPARE(velmora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(velmora.exitCode(), 0);
    const QString out = QString::fromUtf8(velmora.readAllStandardOutput());
    static const QRegularExpression line("^first paint after \\d+ ms, monotonic (\\d+) ns\n"
                                         "first page painted after \\d+ ms, monotonic (\\d+) ns\n$");
    const QRegularExpressionMatch match = line.match(out);
    QVERIFY2(match.hasMatch(), qPrintable(out));
    QVERIFY(match.captured(1).toLongLong() < match.captured(2).toLongLong());
}

void TestUi::windowRefusesAFolderWithoutAMac_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("endsByItself");
    // The dialog that says it waits for a click, so that program is ended here once it has spoken;
    // a measuring run has nobody to click and must end by itself.
    QTest::newRow("window") << QStringList() << false;
    QTest::newRow("measuring start-up") << QStringList{"--quit-after-first-paint"} << true;
}

void TestUi::windowRefusesAFolderWithoutAMac()
{
    QFETCH(QStringList, options);
    QFETCH(bool, endsByItself);
    QTemporaryDir dir;
    const QString path = dir.filePath("typo/Mac");
    QProcess velmora;
    velmora.start(QStringLiteral(VELMORA_APP_EXECUTABLE), QStringList{"--simulated-root", path} + options);
    QString err;
    QElapsedTimer clock;
    clock.start();
    while (!err.contains("init\n") && clock.elapsed() < 30000 && velmora.state() != QProcess::NotRunning) {
        velmora.waitForReadyRead(500);
        err += QString::fromUtf8(velmora.readAllStandardError());
    }
    if (endsByItself) {
        QVERIFY(velmora.state() == QProcess::NotRunning || velmora.waitForFinished(30000));
        QCOMPARE(velmora.exitStatus(), QProcess::NormalExit);
        QCOMPARE(velmora.exitCode(), 1);
    }
    velmora.kill();
    velmora.waitForFinished(5000);
    const QString said =
        QStringLiteral(
            "velmora: %1 holds no simulated Mac; create one with: velmoractl --simulated-root %1 init\n")
            .arg(path);
    QVERIFY2(err.contains(said), qPrintable(err));
    QVERIFY(!QFileInfo::exists(dir.filePath("typo")));
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
