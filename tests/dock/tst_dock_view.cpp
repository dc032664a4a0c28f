// The Dock editor page driven as a user drives it: clicks, drags, keys and the folder panel, offscreen
// on a simulated Mac with the real stand-in tools.

#include "dock/DockAppsViewModel.h"
#include "dock/DockPreferences.h"
#include "dock/DockRowListModel.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/dock/DockAppsView.h"
#include "gui/dock/DockRowDelegate.h"
#include "gui/dock/DockRowListView.h"
#include "gui/dock/FileIconCache.h"
#include "gui/kit/Style.h"
#include "plist/PropertyList.h"
#include "support/DockListsWatch.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kDock = QStringLiteral("com.apple.dock");

/// The page on a fresh simulated Mac, shown in a window of its own.
struct Page {
    explicit Page(bool show = true)
        : engine(TweakRegistry::shared(), root.platform(), standardHandlers()),
          context(AppContext{engine, root.platform(), panels})
    {
        view = std::make_unique<DockAppsView>(context);
        lists = std::make_unique<DockListsWatch>(view->model());
        view->resize(980, 680);
        if (show)
            this->show();
    }

    void show()
    {
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }

    void waitForScan() { QTRY_VERIFY_WITH_TIMEOUT(!view->model().isLoading(), 20000); }

    TestRoot root;
    FakePanels panels;
    TweakEngine engine;
    AppContext context;
    std::unique_ptr<DockAppsView> view;
    /// The page's list models, watched as a view does: each must announce every row the page changes.
    std::unique_ptr<DockListsWatch> lists;
};

QStringList titles(const DockRowListView *list)
{
    QStringList result;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        result << list->model()->index(i, 0).data().toString();
    return result;
}

QVariant shown(const DockRowListView *list, int row, DockRowListModel::Role role)
{
    return list->model()->index(row, 0).data(role);
}

int rowOf(const DockRowListView *list, const QString &title)
{
    return int(titles(list).indexOf(title));
}

/// Clicks the round button at the end of a row.
void clickRowButton(DockRowListView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect button = DockRowDelegate::buttonRect(list->visualRect(index));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, button.center());
}

/// Drags a row by its title, with the mouse, to just above the row at `before` (the end when it is
/// the row count).
void dragRow(DockRowListView *list, int row, int before)
{
    const QRect from = list->visualRect(list->model()->index(row, 0));
    const int rows = list->model()->rowCount();
    const QRect last = list->visualRect(list->model()->index(rows - 1, 0));
    const QPoint to = before < rows
                          ? list->visualRect(list->model()->index(before, 0)).topLeft() + QPoint(60, 3)
                          : last.bottomLeft() + QPoint(60, 6);
    const QPoint start = from.topLeft() + QPoint(60, from.height() / 2);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
    // Several steps, as a hand moves, so the drag starts before the drop point is reached.
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(list->viewport(), start + (to - start) * step / 4);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);
}

QAction *menuAction(DockAppsView *view, const QString &text)
{
    for (QAction *action : view->addMenuButton()->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

int dockRestarts(const TestRoot &root)
{
    int n = 0;
    for (const QString &line : root.restartLog())
        n += line.endsWith("\tDock");
    return n;
}

QVariantMap tileData(const QVariant &tile)
{
    return tile.toMap().value("tile-data").toMap();
}

/// How many pixel rows of a row's icon frame hold anything, drawn by the delegate.
int inkedLines(const DockRowListView *list, int row)
{
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    const QImage image = list->viewport()->grab(rect).toImage();
    const qreal dpr = image.devicePixelRatio();
    int lines = 0;
    for (int y = 0; y < image.height(); ++y) {
        bool inked = false;
        for (int x = int(12 * dpr); x < int(40 * dpr) && !inked; ++x)
            inked = image.pixelColor(x, y) != image.pixelColor(2, y);
        lines += inked;
    }
    return qRound(lines / dpr);
}

/// The hue a row's icon shows left of its middle, where an application's own colour is; -1 for a
/// grey (the generic icon) and -2 for nothing drawn.
int iconHue(const DockRowListView *list, int row)
{
    const QImage image = list->viewport()->grab().toImage();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    const qreal dpr = image.devicePixelRatio();
    const QColor c = image.pixelColor(int((rect.left() + 16) * dpr), int((rect.center().y() + 1) * dpr));
    if (c == image.pixelColor(int((rect.left() + 2) * dpr), int((rect.center().y() + 1) * dpr)))
        return -2;
    return c.hsvSaturation() < 50 ? -1 : c.hsvHue();
}

/// Whether two hues are within a few degrees of each other, or both the same kind of non-hue.
bool sameHue(int a, int b)
{
    return a < 0 || b < 0 ? a == b : std::min(std::abs(a - b), 360 - std::abs(a - b)) <= 12;
}

/// Paints both application lists until every icon they ask for has arrived.
void waitForIcons(DockAppsView *view)
{
    view->dockList()->viewport()->grab();
    view->availableList()->viewport()->grab();
    QTRY_VERIFY_WITH_TIMEOUT(!view->fileIcons()->isLoading(), 20000);
}

} // namespace

class TestDockView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aFreshPageShowsTheDockThenAddsSearchesAndRemoves();
    void reorderByDragAndByKeys_data();
    void reorderByDragAndByKeys();
    void foldersAndSpacers();
    void applyWithTheKeyboardRevertAndFail();
    void newUserRearrangesTheDock();
    void applicationsShowTheirOwnIcons_data();
    void applicationsShowTheirOwnIcons();
    void theDraggedRowFollowsThePointer();
};

void TestDockView::applicationsShowTheirOwnIcons_data()
{
    QTest::addColumn<bool>("inDock");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("hue"); // -1: the generic icon
    QTest::newRow("in the Dock") << true << "Safari" << QColor(0x1E88E5).hsvHue();
    QTest::newRow("offered, icon named without its extension")
        << false << "Keynote" << QColor(0x0A84FF).hsvHue();
    QTest::newRow("offered, icon named with it") << false << "Firefox" << QColor(0xFF7139).hsvHue();
    QTest::newRow("offered, no icon") << false << "Console" << -1;
    QTest::newRow("offered, a cut-short icon file") << false << "Damaged" << -1;
}

void TestDockView::applicationsShowTheirOwnIcons()
{
    QFETCH(bool, inDock);
    QFETCH(QString, title);
    QFETCH(int, hue);
    Page page(false);
    // An application whose icon file ends halfway, beside the seeded ones.
    const QString bundle = page.root.path() + "/Applications/Damaged.app/Contents";
    const QString keynoteIcon =
        page.root.path() + "/Applications/Keynote.app/Contents/Resources/AppIcon.icns";
    QVERIFY(QDir().mkpath(bundle + "/Resources"));
    QVERIFY(PropertyList::writeFile(bundle + "/Info.plist",
                                    QVariantMap{{"CFBundleName", "Damaged"}, {"CFBundleIconFile", "AppIcon"}},
                                    PropertyList::Format::xml));
    const QByteArray whole = readAll(keynoteIcon);
    QVERIFY(writeAll(bundle + "/Resources/AppIcon.icns", whole.left(whole.size() / 2)));
    page.show();
    page.waitForScan();

    DockRowListView *list = inDock ? page.view->dockList() : page.view->availableList();
    const int row = rowOf(list, title);
    QVERIFY(row >= 0);
    list->scrollTo(list->model()->index(row, 0));
    waitForIcons(page.view.get());
    const int shown = iconHue(list, row);
    QVERIFY2(sameHue(shown, hue), qPrintable(QStringLiteral("hue %1, expected %2").arg(shown).arg(hue)));
}

void TestDockView::theDraggedRowFollowsThePointer()
{
    Page page;
    DockRowListView *list = page.view->dockList();
    waitForIcons(page.view.get());
    // Safari, first, picked up by its title and held over Music, fourth.
    const QRect from = list->visualRect(list->model()->index(0, 0));
    const QRect over = list->visualRect(list->model()->index(3, 0));
    const int safari = iconHue(list, 0);
    const int music = iconHue(list, 3);
    QVERIFY(!sameHue(safari, music));
    const QPoint start = from.topLeft() + QPoint(80, from.height() / 2);
    const QPoint held = over.topLeft() + QPoint(80, over.height() / 2);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(list->viewport(), start + (held - start) * step / 4);
    QCOMPARE(list->dragRect(), over);
    QVERIFY(sameHue(iconHue(list, 3), safari));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, held);
    QVERIFY(list->dragRect().isEmpty());
    QCOMPARE(titles(list).indexOf("Safari"), 3);
}

void TestDockView::initTestCase()
{
    Style::apply(false);
}

void TestDockView::aFreshPageShowsTheDockThenAddsSearchesAndRemoves()
{
    Page page(false);
    DockAppsView *view = page.view.get();
    QCOMPARE(view->windowTitle(), QStringLiteral("Dock Apps"));
    // What the header shows each time the scan starts and ends.
    QList<std::pair<bool, bool>> shown; // progress indicator, count
    connect(&view->model(), &DockAppsViewModel::isLoadingChanged, this, [&] {
        shown.append({view->scanProgress()->isVisibleTo(view), view->availableCount()->isVisibleTo(view)});
        if (view->model().isLoading()) // the Dock is read before the scan starts
            QCOMPARE(titles(view->dockList()).size(), 6);
    });
    page.show();
    QCOMPARE(titles(view->dockList()),
             (QStringList{"Safari", "Mail", "Notes", "Music", "Slack", "System Settings"}));
    QCOMPARE(view->countLine()->text(), QStringLiteral("6 apps, 3 others"));
    page.waitForScan();
    QCOMPARE(shown, (QList<std::pair<bool, bool>>{{true, false}, {false, true}}));
    QVERIFY(!view->scanProgress()->isVisible());
    QCOMPARE(view->availableCount()->text(), QStringLiteral("20"));
    QVERIFY(!titles(view->availableList()).contains("Safari"));
    QCOMPARE(titles(view->availableList()).first(), QStringLiteral("Activity Monitor"));
    // Nothing edited: neither button.
    QVERIFY(!view->revertButton()->isVisible());
    QVERIFY(!view->applyButton()->isVisible());
    QCOMPARE(view->selectedTab(), DockAppsView::DockTab::apps);

    clickRowButton(view->availableList(), rowOf(view->availableList(), "Xcode"));
    QTRY_COMPARE(titles(view->dockList()).size(), 7);
    QCOMPARE(titles(view->dockList()).last(), QStringLiteral("Xcode"));
    QVERIFY(!titles(view->availableList()).contains("Xcode"));
    QCOMPARE(view->availableCount()->text(), QStringLiteral("19"));
    QCOMPARE(view->countLine()->text(), QStringLiteral("7 apps, 3 others"));
    QVERIFY(view->revertButton()->isVisible());
    QVERIFY(view->applyButton()->isVisible());

    // The search narrows the list, and the count follows; the selected row stays selected.
    const QModelIndex terminal =
        view->availableList()->model()->index(rowOf(view->availableList(), "Terminal"), 0);
    view->availableList()->setCurrentIndex(terminal);
    QTest::keyClicks(view->searchField(), "ter");
    QCOMPARE(view->model().searchText(), QStringLiteral("ter"));
    QCOMPARE(titles(view->availableList()), (QStringList{"iTerm2", "Terminal"})); // any case
    QCOMPARE(view->availableCount()->text(), QStringLiteral("2"));
    QCOMPARE(view->availableList()->selectionModel()->selectedIndexes(),
             QModelIndexList{view->availableList()->model()->index(1, 0)});
    view->searchField()->clear();
    page.lists->check();

    // Return on a selected available app adds it; Delete on a Dock row removes it.
    view->availableList()->setFocus();
    view->availableList()->setCurrentIndex(
        view->availableList()->model()->index(rowOf(view->availableList(), "Maps"), 0));
    QTest::keyClick(view->availableList(), Qt::Key_Return);
    QTRY_COMPARE(titles(view->dockList()).last(), QStringLiteral("Maps"));

    clickRowButton(view->dockList(), 0);
    QTRY_VERIFY(!titles(view->dockList()).contains("Safari"));
    QVERIFY(titles(view->availableList()).contains("Safari"));
    view->dockList()->setFocus();
    view->dockList()->setCurrentIndex(view->dockList()->model()->index(0, 0));
    QTest::keyClick(view->dockList(), Qt::Key_Delete);
    QCOMPARE(titles(view->dockList()).first(), QStringLiteral("Notes"));
    // The row after it is selected in its place, as single-selection lists do.
    QCOMPARE(view->dockList()->selectionModel()->selectedIndexes(),
             QModelIndexList{view->dockList()->model()->index(0, 0)});
    page.lists->check();
    QCOMPARE(dockRestarts(page.root), 0); // nothing written before "Apply"
}

void TestDockView::reorderByDragAndByKeys_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("order"); // the seeded rows' numbers
    QTest::newRow("last to the top") << 5 << 0 << "501234";
    QTest::newRow("first to the end") << 0 << 6 << "123450";
    QTest::newRow("down past one") << 1 << 3 << "021345";
    QTest::newRow("dropped where it was") << 2 << 3 << "012345";
}

void TestDockView::reorderByDragAndByKeys()
{
    QFETCH(int, row);
    QFETCH(int, before);
    QFETCH(QString, order);
    Page page;
    DockAppsView *view = page.view.get();
    const QStringList seeded = titles(view->dockList());
    QStringList expected;
    for (const QChar n : order)
        expected << seeded[n.digitValue()];
    dragRow(view->dockList(), row, before);
    QCOMPARE(titles(view->dockList()), expected);
    QCOMPARE(view->model().isDirty(), row != 2);
    // The dragged row stays the selected one where it landed.
    const int landed = before > row + 1 ? before - 1 : before > row ? row : before;
    QCOMPARE(view->dockList()->currentIndex().row(), landed);
    QVERIFY(view->dockList()->selectionModel()->isSelected(view->dockList()->currentIndex()));
    page.lists->check();

    // Alt+Up and Alt+Down move the selected row one place.
    view->dockList()->setFocus();
    view->dockList()->setCurrentIndex(view->dockList()->model()->index(2, 0));
    const QString moving = expected[2];
    QTest::keyClick(view->dockList(), Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(titles(view->dockList()).at(1), moving);
    QCOMPARE(view->dockList()->currentIndex().row(), 1);
    QTest::keyClick(view->dockList(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(view->dockList(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(titles(view->dockList()).at(3), moving);
    QCOMPARE(view->dockList()->currentIndex().row(), 3);
    page.lists->check();
}

void TestDockView::foldersAndSpacers()
{
    Page page;
    DockAppsView *view = page.view.get();
    page.waitForScan();
    // The tabs: the others part keeps what the apps part did.
    QTest::mouseClick(view->tabButton(DockAppsView::DockTab::others), Qt::LeftButton);
    QCOMPARE(view->selectedTab(), DockAppsView::DockTab::others);
    QVERIFY(view->othersList()->isVisible());
    QVERIFY(!view->dockList()->isVisible());
    QCOMPARE(titles(view->othersList()),
             (QStringList{"Downloads", "Small Spacer", "Developer Documentation"}));

    // A cancelled panel adds nothing.
    menuAction(view, "Add Folder...")->trigger();
    QCOMPARE(page.panels.titles, QStringList{"Choose a folder to add to the Dock."});
    QCOMPARE(page.panels.prompts, QStringList{"Add to Dock"});
    QCOMPARE(titles(view->othersList()).size(), 3);
    QVERIFY(!view->model().isDirty());

    page.panels.answers.enqueue(page.root.root().home() + "/Documents");
    menuAction(view, "Add Folder...")->trigger();
    QCOMPARE(titles(view->othersList()).last(), QStringLiteral("Documents"));
    const DockOtherEntry folder = view->model().currentOthers().last();
    QCOMPARE(folder.url, std::optional<QUrl>(QUrl::fromLocalFile(page.root.root().home() + "/Documents/")));
    QCOMPARE(shown(view->othersList(), 3, DockRowListModel::DetailRole), QVariant("Display as: Automatic"));
    QCOMPARE(shown(view->othersList(), 0, DockRowListModel::DetailRole), QVariant("Display as: Stack"));
    QCOMPARE(shown(view->othersList(), 3, DockRowListModel::PathRole),
             QVariant(page.root.root().home() + "/Documents/"));
    QVERIFY(view->applyButton()->isVisible());

    menuAction(view, "Add Spacer")->trigger();
    menuAction(view, "Add Small Spacer")->trigger();
    QCOMPARE(titles(view->othersList()).mid(3), (QStringList{"Documents", "Spacer", "Small Spacer"}));
    QCOMPARE(view->countLine()->text(), QStringLiteral("6 apps, 6 others"));
    // A small spacer's bar is half as high as a spacer's; both labels in the secondary colour.
    QCOMPARE(inkedLines(view->othersList(), 5) * 2, inkedLines(view->othersList(), 4));
    for (int row : {3, 4, 5})
        QCOMPARE(shown(view->othersList(), row, DockRowListModel::SecondaryTitleRole).toBool(), row != 3);

    // Reorder by drag here too, and remove with the row's button.
    dragRow(view->othersList(), 3, 0);
    QCOMPARE(titles(view->othersList()).first(), QStringLiteral("Documents"));
    clickRowButton(view->othersList(), rowOf(view->othersList(), "Developer Documentation"));
    QTRY_COMPARE(titles(view->othersList()),
                 (QStringList{"Documents", "Downloads", "Small Spacer", "Spacer", "Small Spacer"}));
    page.lists->check();

    // Switching tabs keeps the edits.
    view->setSelectedTab(DockAppsView::DockTab::apps);
    view->setSelectedTab(DockAppsView::DockTab::others);
    QCOMPARE(titles(view->othersList()).size(), 5);
}

void TestDockView::applyWithTheKeyboardRevertAndFail()
{
    Page page;
    DockAppsView *view = page.view.get();
    page.waitForScan();
    // Cmd/Ctrl-Return does nothing while there is nothing to apply.
    QTest::keyClick(view->dockList(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(dockRestarts(page.root), 0);

    dragRow(view->dockList(), 4, 0); // Slack to the top
    QTest::keyClick(view->dockList(), Qt::Key_Return, Qt::ControlModifier);
    QTRY_VERIFY(!view->model().isDirty());
    QVERIFY(!view->applyButton()->isVisible());
    QVERIFY(!view->revertButton()->isVisible());
    QCOMPARE(dockRestarts(page.root), 2);
    QCOMPARE(DockPreferences::readApps(page.root.platform()).first().label, QStringLiteral("Slack"));
    // Applying from the page goes around the engine: no value stored, no restart pending.
    QVERIFY(page.engine.pendingRestarts().isEmpty());
    QVERIFY(!page.engine.currentValues().contains("dock.apps"));

    // Edits thrown away with "Revert".
    dragRow(view->dockList(), 0, 6);
    view->model().addSpacer(true);
    QVERIFY(view->revertButton()->isVisible());
    QTest::mouseClick(view->revertButton(), Qt::LeftButton);
    QTRY_VERIFY(!view->model().isDirty());
    QCOMPARE(titles(view->dockList()).first(), QStringLiteral("Slack"));
    QCOMPARE(view->model().currentOthers().size(), 3);
    page.lists->check();
    QCOMPARE(dockRestarts(page.root), 2);

    // The Dock cannot be restarted: its preference holds the edit, and the page says what failed.
    page.root.platform().setKillallToolPath(page.root.path() + "/gone/killall");
    view->model().addSpacer(false);
    QTest::mouseClick(view->applyButton(), Qt::LeftButton);
    QTRY_VERIFY(view->model().lastError().has_value());
    QVERIFY(!view->model().isDirty());
    const QLabel *error = nullptr;
    for (const QLabel *label : view->findChildren<QLabel *>()) {
        if (label->text().startsWith("Could not launch"))
            error = label;
    }
    QVERIFY(error && error->isVisible());
    QCOMPARE(DockPreferences::readOthers(page.root.platform()).size(), 4);
}

void TestDockView::newUserRearrangesTheDock()
{
    TestRoot root;
    auto fake = std::make_unique<FakePanels>();
    VelmoraApp app(root.makePlatform(), std::move(fake));
    app.showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));

    // Open "Dock Apps".
    app.mainWindow()->rootView()->setSelectedCategoryID(QStringLiteral("dockapps"));
    auto *view = qobject_cast<DockAppsView *>(app.mainWindow()->rootView()->currentPage());
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(!view->model().isLoading(), 20000);

    // Add Firefox from the right pane, drag it to the top.
    clickRowButton(view->availableList(), rowOf(view->availableList(), "Firefox"));
    QTRY_COMPARE(titles(view->dockList()).last(), QStringLiteral("Firefox"));
    dragRow(view->dockList(), 6, 0);
    QCOMPARE(titles(view->dockList()).first(), QStringLiteral("Firefox"));

    // Add a small spacer after the folders.
    QTest::mouseClick(view->tabButton(DockAppsView::DockTab::others), Qt::LeftButton);
    menuAction(view, "Add Small Spacer")->trigger();
    QCOMPARE(titles(view->othersList()).last(), QStringLiteral("Small Spacer"));

    QTest::mouseClick(view->applyButton(), Qt::LeftButton);
    QTRY_VERIFY(!view->model().isDirty());

    // The Dock's plist: the new order, the spacer still after Notes (that every earlier tile stays whole
    // is tst_dock's editorRoundTripKeepsEveryTile), the new tile with the bundle's identity.
    const QVariantList after = root.domain(kDock)["persistent-apps"].toList();
    QStringList order;
    for (const QVariant &tile : after) {
        const QString type = tile.toMap().value("tile-type").toString();
        order << (type == "file-tile" ? tileData(tile).value("file-label").toString() : type);
    }
    QCOMPARE(order, (QStringList{"Firefox", "Safari", "Mail", "Notes", "spacer-tile", "Music", "Slack",
                                 "System Settings"}));
    const QVariantMap firefox = tileData(after[0]);
    QCOMPARE(firefox.value("bundle-identifier"), QVariant("org.mozilla.firefox"));
    QCOMPARE(firefox.value("file-data").toMap().value("_CFURLString"),
             QVariant(QUrl::fromLocalFile(root.path() + "/Applications/Firefox.app/").toString()));
    const QVariantList others = root.domain(kDock)["persistent-others"].toList();
    QCOMPARE(others.size(), 4);
    QCOMPARE(others.last().toMap().value("tile-type"), QVariant("small-spacer-tile"));
    QCOMPARE(dockRestarts(root), 2);
}

QTEST_MAIN(TestDockView)
#include "tst_dock_view.moc"
