// The window as a screen reader meets it: through Qt's accessibility interfaces alone, on a simulated
// Mac, offscreen. Every control it can reach has a name, and every task a mouse does can be done there.

#include "catalogue/TweakRegistry.h"
#include "dock/DockAppsViewModel.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/dock/DockAppsView.h"
#include "gui/kit/DecimalSlider.h"
#include "gui/kit/IntegerStepper.h"
#include "gui/kit/PathPickerControl.h"
#include "gui/kit/ToggleSwitch.h"
#include "gui/tweaks/CategoryDetailView.h"
#include "gui/tweaks/TweakRowView.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

struct App {
    App()
    {
        auto fake = std::make_unique<FakePanels>();
        app = std::make_unique<VelmoraApp>(root.makePlatform(), std::move(fake));
        app->showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        QTRY_VERIFY(!app->engine().refreshedCategoryIDs().isEmpty());
    }

    MainWindow *window() const { return app->mainWindow(); }
    RootView *rootView() const { return window()->rootView(); }

    /// Shows a page once it holds what it reads when it appears.
    void open(const QString &id)
    {
        rootView()->setSelectedCategoryID(id);
        QWidget *page = rootView()->currentPage();
        if (auto *dock = qobject_cast<DockAppsView *>(page))
            QTRY_VERIFY_WITH_TIMEOUT(!dock->model().isLoading() && !dock->model().currentApps().isEmpty(),
                                     20000);
        else if (auto *wallpaper = qobject_cast<WallpaperView *>(page))
            QTRY_VERIFY(!wallpaper->displayRows().isEmpty() &&
                        wallpaper->model()->pendingPreviews().isEmpty());
        else if (rootView()->categoryPage())
            QTRY_VERIFY(app->engine().refreshedCategoryIDs().contains(id));
    }

    TestRoot root;
    std::unique_ptr<VelmoraApp> app;
};

const QSet<QAccessible::Role> kInteractive{
    QAccessible::Button,  QAccessible::CheckBox,       QAccessible::RadioButton,  QAccessible::ComboBox,
    QAccessible::SpinBox, QAccessible::Slider,         QAccessible::EditableText, QAccessible::ButtonMenu,
    QAccessible::PageTab, QAccessible::ButtonDropDown, QAccessible::List,         QAccessible::ListItem,
    QAccessible::Link};

/// Every accessible object on screen under `iface`, depth first, each with the names leading to it.
void walk(QAccessibleInterface *iface, const QString &path,
          QList<std::pair<QAccessibleInterface *, QString>> &out)
{
    if (!iface || iface->state().invisible)
        return;
    const QString here =
        path + QStringLiteral(" / %1 (role %2)").arg(iface->text(QAccessible::Name)).arg(int(iface->role()));
    out.append({iface, here});
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), here, out);
}

QList<std::pair<QAccessibleInterface *, QString>> tree(QWidget *window)
{
    QList<std::pair<QAccessibleInterface *, QString>> out;
    walk(QAccessible::queryAccessibleInterface(window), QString(), out);
    return out;
}

/// The control a screen reader finds by its name (and role, when one is given).
QAccessibleInterface *find(QWidget *window, const QString &name, std::optional<QAccessible::Role> role = {})
{
    for (const auto &[iface, path] : tree(window)) {
        if ((!role || iface->role() == *role) && iface->text(QAccessible::Name) == name)
            return iface;
    }
    return nullptr;
}

QString title(const char *tweakID)
{
    return TweakRegistry::shared().tweak(QString::fromLatin1(tweakID))->title;
}

/// The widget that takes a row's value, as a screen reader reaches it.
QWidget *control(TweakRowView *row)
{
    if (row->toggle())
        return row->toggle();
    if (row->picker())
        return row->picker();
    if (row->textField())
        return row->textField();
    if (row->stepper())
        return row->stepper();
    if (row->slider())
        return row->slider()->slider();
    return row->pathPicker()->chooseButton();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void everyTaskWorksWithoutAMouse_data();
    void everyTaskWorksWithoutAMouse();
};

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("page");
    for (const TweakCategory &category : TweakRegistry::shared().categories())
        QTest::newRow(qPrintable(category.id)) << category.id;
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(QString, page);
    App a;
    a.open(page);
    QStringList unnamed;
    for (const auto &[iface, path] : tree(a.window())) {
        if (kInteractive.contains(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << path;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));

    // A row's control is named by the row's title, whatever value it shows.
    if (CategoryDetailView *details = a.rootView()->categoryPage()) {
        for (TweakRowView *row : details->visibleRows()) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control(row));
            QCOMPARE(iface->text(QAccessible::Name), row->tweak().title);
            QVERIFY2(iface->role() != QAccessible::Client, qPrintable(row->tweak().id));
        }
    }
}

void TestAccessibility::everyTaskWorksWithoutAMouse_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("act"); // toggle, press, value, select (a list's row), item (a row's action)
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("appears"); // a control then on screen

    const auto tweak = [](const char *row, const char *id, QAccessible::Role role, const char *act,
                          const QVariant &value, const char *key, const QVariant &stored) {
        QTest::newRow(row) << "dock" << int(role) << title(id) << act << value << "com.apple.dock" << key
                           << stored << QString();
    };
    tweak("switch", "dock.autohide", QAccessible::CheckBox, "toggle", {}, "autohide", true);
    tweak("switch pressed", "dock.autohide", QAccessible::CheckBox, "press", {}, "autohide", true);
    tweak("stepper", "dock.tilesize", QAccessible::SpinBox, "value", 64, "tilesize", qint64(64));
    tweak("stepper past its bound", "dock.tilesize", QAccessible::SpinBox, "value", 1000, "tilesize",
          qint64(128));
    tweak("slider", "dock.autohide-delay", QAccessible::Slider, "value", 1.25, "autohide-delay", 1.25);
    tweak("slider between steps", "dock.autohide-delay", QAccessible::Slider, "value", 0.33, "autohide-delay",
          0.35);

    const auto shows = [](const char *row, const char *page, QAccessible::Role role, const char *name,
                          const char *act, const QVariant &value, const char *appears) {
        QTest::newRow(row) << page << int(role) << name << act << value << QString() << QString()
                           << QVariant() << appears;
    };
    shows("sidebar selection", "appearance", QAccessible::List, "Categories", "select", "Wallpaper",
          "Choose Image");
    shows("sidebar row", "appearance", QAccessible::List, "Categories", "item", "Dock Apps",
          "Available Apps");
    shows("remove from the Dock", "dockapps", QAccessible::Button, "Remove Safari from Dock", "press", {},
          "Add Safari to Dock");
    shows("add to the Dock", "dockapps", QAccessible::Button, "Add Xcode to Dock", "press", {},
          "Remove Xcode from Dock");
}

void TestAccessibility::everyTaskWorksWithoutAMouse()
{
    QFETCH(QString, page);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, act);
    QFETCH(QVariant, value);
    QFETCH(QString, domain);
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, appears);
    App a;
    a.open(page);
    QAccessibleInterface *iface = find(a.window(), name, QAccessible::Role(role));
    QVERIFY2(iface, qPrintable(name));

    if (act == "value") {
        QVERIFY(iface->valueInterface());
        iface->valueInterface()->setCurrentValue(value);
    } else if (act == "select" || act == "item") {
        QAccessibleInterface *item = nullptr;
        for (int i = 0; i < iface->childCount() && !item; ++i) {
            if (iface->child(i)->text(QAccessible::Name) == value.toString())
                item = iface->child(i);
        }
        QVERIFY(item);
        if (act == "select")
            QVERIFY(iface->tableInterface()->selectRow(item->tableCellInterface()->rowIndex()));
        else
            item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        QVERIFY(iface->actionInterface());
        const QString action = act == "toggle" ? QAccessibleActionInterface::toggleAction()
                                               : QAccessibleActionInterface::pressAction();
        QVERIFY(iface->actionInterface()->actionNames().contains(action));
        iface->actionInterface()->doAction(action);
    }

    if (!domain.isEmpty()) {
        QTRY_COMPARE(a.root.domain(domain).value(key), stored);
        if (act == "value")
            QTRY_COMPARE(iface->valueInterface()->currentValue().toDouble(), stored.toDouble());
        else
            QTRY_VERIFY(iface->state().checked);
    }
    if (!appears.isEmpty())
        QTRY_VERIFY2(find(a.window(), appears), qPrintable(appears));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
