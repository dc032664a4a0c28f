// What the window looks like: every text readable in light and dark, no text cut short, controls
// as large as what they hold, and paths shown the same way everywhere. Measured on the real
// widgets, drawn offscreen on a simulated Mac.

#include "dock/DockAppsViewModel.h"
#include "engine/TweakEngine.h"
#include "gui/app/FullDiskAccessBanner.h"
#include "gui/app/MainWindow.h"
#include "gui/app/MenuBarContentView.h"
#include "gui/app/PendingRestartsBanner.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/dock/DockAppsView.h"
#include "gui/kit/DisplayPath.h"
#include "gui/kit/PathPickerControl.h"
#include "gui/kit/Style.h"
#include "gui/profiles/ProfileDiffView.h"
#include "gui/tweaks/CategoryDetailView.h"
#include "gui/tweaks/TweakRowView.h"
#include "gui/wallpaper/ChooseImageTapTarget.h"
#include "gui/wallpaper/WallpaperDisplayRow.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr double kNormalText = 4.5; // WCAG AA for text below the large sizes

double channel(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// A translucent colour as it shows on an opaque background.
QColor over(const QColor &top, const QColor &below)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(float(top.redF() * a + below.redF() * (1 - a)),
                            float(top.greenF() * a + below.greenF() * (1 - a)),
                            float(top.blueF() * a + below.blueF() * (1 - a)));
}

/// What a widget draws: its commonest colour is the background, the pixel that stands out most
/// from it the ink of its text.
struct Drawn {
    QColor background;
    QColor ink;
    double ratio() const { return contrast(ink, background); }
};

Drawn drawn(QWidget *widget)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), background = it.key();
    Drawn out{QColor(background), QColor(background)};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (contrast(QColor(it.key()), out.background) > out.ratio())
            out.ink = QColor(it.key());
    return out;
}

QString describe(const Drawn &d)
{
    return QStringLiteral("%1 on %2: %3:1").arg(d.ink.name(), d.background.name()).arg(d.ratio(), 0, 'f', 2);
}

/// A running application on a fresh simulated Mac, its window shown.
struct App {
    App()
    {
        auto fake = std::make_unique<FakePanels>();
        panels = fake.get();
        app = std::make_unique<VelmoraApp>(root.makePlatform(), std::move(fake));
        app->showMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        QTRY_VERIFY(!engine().refreshedCategoryIDs().isEmpty());
    }

    MainWindow *window() const { return app->mainWindow(); }
    TweakEngine &engine() const { return app->engine(); }

    CategoryDetailView *open(const QString &categoryID)
    {
        window()->rootView()->setSelectedCategoryID(categoryID);
        if (!QTest::qWaitFor([&] { return engine().refreshedCategoryIDs().contains(categoryID); }))
            qWarning("the values of %s were never read", qPrintable(categoryID));
        return window()->rootView()->categoryPage();
    }

    template <typename Page> Page *openEditor(const QString &id)
    {
        window()->rootView()->setSelectedCategoryID(id);
        return qobject_cast<Page *>(window()->rootView()->currentPage());
    }

    TestRoot root;
    FakePanels *panels = nullptr;
    std::unique_ptr<VelmoraApp> app;
};

ProfileDiffItem diffItem(const QString &title, std::optional<TweakValue> current, TweakValue fresh)
{
    ProfileDiffItem item;
    item.id = title;
    item.title = title;
    item.sameState = current && *current == fresh;
    item.currentValue = std::move(current);
    item.newValue = std::move(fresh);
    return item;
}

/// The vertical middle of the ink in the button's last columns that hold any.
double inkMiddleOfTrailingEdge(QWidget *button)
{
    const Drawn look = drawn(button);
    const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto isInk = [&](int x, int y) {
        return contrast(QColor(image.pixel(x, y)), look.background) > 2.0;
    };
    for (int x = image.width() - 1; x >= 0; --x) {
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            if (isInk(x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (top >= 0)
            return (top + bottom) / 2.0 / image.devicePixelRatio();
    }
    return -1;
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Style::apply(false); }
    void paletteTextIsReadable_data();
    void paletteTextIsReadable();
    void prominentButtonsAreReadableAndAlike_data();
    void prominentButtonsAreReadableAndAlike();
    void reviewTextsAreReadable_data();
    void reviewTextsAreReadable();
    void quickTogglesPanelIsAPopupWithWholeTitles_data();
    void quickTogglesPanelIsAPopupWithWholeTitles();
    void pickersFitTheirLongestOption_data();
    void pickersFitTheirLongestOption();
    void toolbarAndProfilesButtonKeepTheirShape();
    void narrowToolbarShowsItsOverflowArrow_data();
    void narrowToolbarShowsItsOverflowArrow();
    void textFieldsHaveRoundedBorders();
    void pathsShowTheHomeAsTilde_data();
    void pathsShowTheHomeAsTilde();
    void viewsShowPathsInsideTheHomeWithATilde();
};

void TestLook::paletteTextIsReadable_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    for (const bool dark : {false, true}) {
        Style::apply(dark);
        const QPalette p = QApplication::palette();
        const char *mode = dark ? "dark" : "light";
        const QList<std::pair<const char *, QColor>> backgrounds = {
            {"window", p.color(QPalette::Window)},
            {"card", Style::secondaryBackground()},
            {"search bar", Style::tertiaryBackground()}};
        const QList<std::pair<const char *, QColor>> inks = {
            {"secondary", Style::secondaryText()},
            {"tertiary", Style::tertiaryText()},
            {"red", Style::redText()},
            {"orange", Style::orangeText()},
            {"green", Style::greenText()},
            {"accent", Style::accentText()},
            {"placeholder", p.color(QPalette::PlaceholderText)}};
        for (const auto &[inkName, ink] : inks)
            for (const auto &[backgroundName, background] : backgrounds)
                QTest::addRow("%s %s on %s", mode, inkName, backgroundName)
                    << over(ink, background) << background;
        const QList<std::tuple<const char *, QPalette::ColorRole, QPalette::ColorRole>> pairs = {
            {"window text", QPalette::WindowText, QPalette::Window},
            {"text", QPalette::Text, QPalette::Base},
            {"button text", QPalette::ButtonText, QPalette::Button},
            {"selection", QPalette::HighlightedText, QPalette::Highlight},
            {"placeholder in a field", QPalette::PlaceholderText, QPalette::Base},
            {"link", QPalette::Link, QPalette::Base},
            {"link on the window", QPalette::Link, QPalette::Window},
            {"tool tip", QPalette::ToolTipText, QPalette::ToolTipBase}};
        for (const auto &[name, text, background] : pairs)
            QTest::addRow("%s %s", mode, name) << p.color(text) << p.color(background);
        QTest::addRow("%s prominent button", mode) << Style::prominentText() << Style::prominentFill();
    }
    Style::apply(false);
}

void TestLook::paletteTextIsReadable()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    const double ratio = contrast(text, background);
    QVERIFY2(ratio >= kNormalText,
             qPrintable(
                 QStringLiteral("%1 on %2: %3:1").arg(text.name(), background.name()).arg(ratio, 0, 'f', 2)));
}

void TestLook::prominentButtonsAreReadableAndAlike_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestLook::prominentButtonsAreReadableAndAlike()
{
    QFETCH(bool, dark);
    Style::apply(dark);
    App a;
    // A change that asks for a restart shows the banner's Apply; a new Mac asks for Full Disk Access.
    QVERIFY(await(a.engine().apply(TweakValue::ofBool(true), *a.engine().registry().tweak("dock.autohide"))));
    QTRY_VERIFY(a.window()->restartsBanner()->applyButton()->isVisible());
    QList<std::pair<QString, Drawn>> buttons = {
        {"restart banner's Apply", drawn(a.window()->restartsBanner()->applyButton())},
        {"Open Settings", drawn(a.window()->findChild<QPushButton *>("openSettings"))}};

    auto *dock = a.openEditor<DockAppsView>("dockapps");
    QTRY_VERIFY_WITH_TIMEOUT(!dock->model().isLoading(), 20000);
    dock->model().addApp(dock->model().availableApps().first());
    QTRY_VERIFY(dock->applyButton()->isVisible());
    buttons.append({"Dock's Apply", drawn(dock->applyButton())});

    auto *wallpaper = a.openEditor<WallpaperView>("wallpaper");
    QTRY_VERIFY(wallpaper->model()->pendingPreviews().isEmpty());
    a.panels->answers.enqueue(a.root.path() + "/Library/Desktop Pictures/Bloom.png");
    QTest::mouseClick(wallpaper->chooseImageButton(), Qt::LeftButton);
    QTRY_VERIFY(wallpaper->applyButton()->isEnabled());
    buttons.append({"Wallpaper's Apply", drawn(wallpaper->applyButton())});
    buttons.append({"Choose Image", drawn(wallpaper->chooseImageButton())});

    for (const auto &[name, look] : buttons) {
        QVERIFY2(look.ratio() >= kNormalText, qPrintable(name + ": " + describe(look)));
        // One style for every page's main action: none looks disabled beside another.
        QVERIFY2(contrast(look.background, buttons.first().second.background) < 1.1,
                 qPrintable(name + ": " + describe(look)));
    }
}

void TestLook::reviewTextsAreReadable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("name"); // a child's object name, or the text it shows
    QTest::addColumn<bool>("secondary");
    for (const bool dark : {false, true}) {
        const char *mode = dark ? "dark" : "light";
        QTest::addRow("%s summary", mode) << dark << "1 change will be applied" << true;
        QTest::addRow("%s unchanged group", mode) << dark << "1 unchanged setting" << true;
        QTest::addRow("%s old value", mode) << dark << "old" << false;
        QTest::addRow("%s new value", mode) << dark << "new" << false;
    }
}

void TestLook::reviewTextsAreReadable()
{
    QFETCH(bool, dark);
    QFETCH(QString, name);
    QFETCH(bool, secondary);
    Style::apply(dark);
    TestRoot root;
    Profile profile;
    profile.name = QStringLiteral("Evening");
    const auto on = TweakValue::ofBool(true);
    ProfileDiffView sheet(profile,
                          {diffItem("Changed", TweakValue::ofBool(false), on), diffItem("Same", on, on)},
                          root.platform().symbols());
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QWidget *shown = sheet.findChild<QWidget *>(name);
    for (QWidget *child : sheet.findChildren<QWidget *>()) {
        const QVariant text = child->property("text");
        if (!shown && text.toString() == name)
            shown = child;
    }
    QVERIFY(shown);
    const Drawn look = drawn(shown);
    QVERIFY2(look.ratio() >= kNormalText, qPrintable(describe(look)));
    if (secondary) {
        // Drawn a level below the primary text, as the rows' values are.
        const double primary = contrast(QApplication::palette().color(QPalette::WindowText), look.background);
        QVERIFY2(look.ratio() < 0.8 * primary, qPrintable(describe(look)));
    }
}

void TestLook::quickTogglesPanelIsAPopupWithWholeTitles_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestLook::quickTogglesPanelIsAPopupWithWholeTitles()
{
    QFETCH(bool, dark);
    Style::apply(dark);
    App a;
    a.app->showMenuBarPanel();
    MenuBarContentView *panel = a.app->menuBarPanel();
    QTRY_VERIFY(panel->isVisible());
    // Every title whole, on as many lines as it needs.
    const QList<Tweak> tweaks = MenuBarContentView::shownTweaks(a.engine());
    QCOMPARE(tweaks.size(), MenuBarContentView::maximumToggles);
    for (const Tweak &tweak : tweaks) {
        QLabel *title = nullptr;
        for (QLabel *label : panel->findChildren<QLabel *>())
            if (label->parentWidget() == panel->findChild<QWidget *>(tweak.id)->parentWidget())
                title = label;
        QVERIFY2(title, qPrintable(tweak.id));
        QCOMPARE(title->text(), tweak.title);
        QVERIFY2(title->height() >= title->heightForWidth(title->width()), qPrintable(tweak.title));
        QVERIFY2(
            title->fontMetrics().boundingRect(title->contentsRect(), Qt::TextWordWrap, tweak.title).width() <=
                title->contentsRect().width(),
            qPrintable(tweak.title));
    }
    // A card with a border, and a shadow around it that lets what lies below show through.
    const QImage image = panel->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const qreal dpr = image.devicePixelRatio();
    const int m = MenuBarContentView::shadowMargin;
    const int middle = int(image.height() / 2);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const int shadow = qAlpha(image.pixel(int(image.width() / 2), image.height() - int(m * dpr / 2)));
    QVERIFY2(shadow > 0 && shadow < 255, qPrintable(QString::number(shadow)));
    const QColor fill = image.pixelColor(int((m + 6) * dpr), middle);
    const QColor border = image.pixelColor(int(m * dpr), middle);
    QCOMPARE(fill.alpha(), 255);
    QVERIFY2(contrast(over(border, fill), fill) > 1.25, qPrintable(border.name(QColor::HexArgb)));
}

void TestLook::pickersFitTheirLongestOption_data()
{
    QTest::addColumn<QString>("category");
    for (const TweakCategory &category : TweakRegistry::shared().categories()) {
        for (const Tweak &tweak : TweakRegistry::shared().tweaksInCategory(category.id)) {
            if (tweak.kind.type() == TweakKind::Type::picker) {
                QTest::newRow(qPrintable(category.id)) << category.id;
                break;
            }
        }
    }
}

void TestLook::pickersFitTheirLongestOption()
{
    QFETCH(QString, category);
    App a;
    CategoryDetailView *page = a.open(category);
    QVERIFY(page);
    QTest::qWait(20); // the rows lay out from the event loop
    const QList<QComboBox *> pickers = page->findChildren<QComboBox *>();
    QVERIFY(!pickers.isEmpty());
    for (QComboBox *picker : pickers) {
        QStyleOptionComboBox option;
        option.initFrom(picker);
        option.editable = false;
        const int field =
            picker->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, picker)
                .width();
        for (int i = 0; i < picker->count(); ++i)
            QVERIFY2(picker->fontMetrics().horizontalAdvance(picker->itemText(i)) <= field,
                     qPrintable(QStringLiteral("%1: \"%2\" in %3 pixels")
                                    .arg(picker->objectName(), picker->itemText(i))
                                    .arg(field)));
    }
}

void TestLook::narrowToolbarShowsItsOverflowArrow_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::newRow("left to right") << Qt::LeftToRight << Qt::Horizontal;
    QTest::newRow("right to left: mirrored") << Qt::RightToLeft << Qt::Horizontal;
    QTest::newRow("vertical") << Qt::LeftToRight << Qt::Vertical;
}

// The style loads the overflow button's arrows only when they are first drawn; drawn, they must be
// Fusion's own, pointing the way the layout reads.
void TestLook::narrowToolbarShowsItsOverflowArrow()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(Qt::Orientation, orientation);
    Style::apply(false);
    QWidget window;
    window.setLayoutDirection(direction);
    auto *layout = new QVBoxLayout(&window);
    auto *toolbar = new QToolBar(&window);
    toolbar->setOrientation(orientation);
    for (int i = 0; i < 20; ++i)
        toolbar->addAction(QStringLiteral("Action %1").arg(i));
    layout->addWidget(toolbar);
    window.resize(120, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *extension = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(extension);
    QTRY_VERIFY(extension->isVisible());
    QVERIFY(!extension->icon().isNull());
    const QSize size = extension->iconSize();
    QVERIFY(!extension->icon().pixmap(size).isNull());

    QStyleOption option;
    option.initFrom(toolbar);
    option.direction = direction;
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStyle::StandardPixmap which = orientation == Qt::Horizontal
                                             ? QStyle::SP_ToolBarHorizontalExtensionButton
                                             : QStyle::SP_ToolBarVerticalExtensionButton;
    const QImage expected = fusion->standardIcon(which, &option).pixmap(size).toImage();
    QCOMPARE(extension->icon().pixmap(size).toImage(), expected);
    // The other direction draws the other arrow, so the comparison above is not trivially true.
    option.direction = direction == Qt::LeftToRight ? Qt::RightToLeft : Qt::LeftToRight;
    if (orientation == Qt::Horizontal)
        QVERIFY(fusion->standardIcon(which, &option).pixmap(size).toImage() != expected);
}

void TestLook::toolbarAndProfilesButtonKeepTheirShape()
{
    App a;
    QToolBar *toolbar = a.window()->toolbar();
    const int height = toolbar->height();
    QVERIFY(!a.window()->isRestartsBannerShown());
    QVERIFY(await(a.engine().apply(TweakValue::ofBool(true), *a.engine().registry().tweak("dock.autohide"))));
    QTRY_VERIFY(a.window()->restartsBanner()->isVisible());
    QTest::qWait(20);
    QCOMPARE(toolbar->height(), height);

    // The menu's chevron sits beside "Profiles", at the height of its text, not in a corner below.
    QToolButton *profiles = nullptr;
    for (QToolButton *button : toolbar->findChildren<QToolButton *>())
        if (button->text() == QLatin1String("Profiles"))
            profiles = button;
    QVERIFY(profiles);
    const double chevron = inkMiddleOfTrailingEdge(profiles);
    QVERIFY2(std::abs(chevron - profiles->height() / 2.0) <= 2.5,
             qPrintable(QStringLiteral("chevron at %1 of %2").arg(chevron).arg(profiles->height())));
}

void TestLook::textFieldsHaveRoundedBorders()
{
    App a;
    CategoryDetailView *page = a.open("sharing"); // the computer's name is a text field
    QVERIFY(page);
    QTest::qWait(20);
    QList<QLineEdit *> fields;
    for (TweakRowView *row : page->findChildren<TweakRowView *>())
        if (row->tweak().kind.type() == TweakKind::Type::text)
            fields << row->findChild<QLineEdit *>();
    auto *dock = a.openEditor<DockAppsView>("dockapps");
    QTest::qWait(20);
    fields << dock->findChild<QLineEdit *>();
    QVERIFY(fields.size() >= 2);
    for (QLineEdit *field : fields) {
        QVERIFY(field);
        // Seen from the parent, with the background around the field.
        QWidget *parent = field->parentWidget();
        const QRect box = field->geometry();
        const QImage image = parent->grab(box.adjusted(-2, -2, 2, 2)).toImage();
        const qreal dpr = image.devicePixelRatio();
        const QColor outside = image.pixelColor(0, int(image.height() / 2));
        const int top = int(2 * dpr);
        const QColor edge = image.pixelColor(int(image.width() / 2), top);
        QVERIFY2(contrast(edge, outside) > 1.1, qPrintable(edge.name() + " / " + outside.name()));
        // Along the top edge the border begins only where the corner's curve ends.
        const double half = 1 + (contrast(edge, outside) - 1) / 2;
        int start = top;
        while (start < image.width() && contrast(image.pixelColor(start, top), outside) < half)
            ++start;
        QVERIFY2(start - top >= 3 * dpr, qPrintable(QString::number(start - top)));
    }
}

void TestLook::pathsShowTheHomeAsTilde_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("shown");
    const QString home = "/tmp/mac/Users/ann";
    QTest::newRow("inside") << "/tmp/mac/Users/ann/Pictures/Shots" << home << "~/Pictures/Shots";
    QTest::newRow("a folder's slash") << "/tmp/mac/Users/ann/Documents/" << home << "~/Documents";
    QTest::newRow("the home itself") << "/tmp/mac/Users/ann/" << home << "~";
    QTest::newRow("home given with a slash") << "/tmp/mac/Users/ann/Music" << home + "/"
                                             << "~/Music";
    QTest::newRow("a sibling sharing its start")
        << "/tmp/mac/Users/anna/Music" << home << "/tmp/mac/Users/anna/Music";
    QTest::newRow("outside") << "/Applications/Safari.app" << home << "/Applications/Safari.app";
    QTest::newRow("already a tilde") << "~/Desktop" << home << "~/Desktop";
    QTest::newRow("the root") << "/" << home << "/";
    QTest::newRow("no home") << "/Users/ann/Music"
                             << ""
                             << "/Users/ann/Music";
}

void TestLook::pathsShowTheHomeAsTilde()
{
    QFETCH(QString, path);
    QFETCH(QString, home);
    QFETCH(QString, shown);
    QCOMPARE(DisplayPath::abbreviated(path, home), shown);
    QCOMPARE(DisplayPath::elided(path, home, QFontMetrics(QApplication::font()), 10000), shown);
}

void TestLook::viewsShowPathsInsideTheHomeWithATilde()
{
    App a;
    a.open("screenshot");
    PathPickerControl *picker = a.window()->findChild<TweakRowView *>("screenshot.location")->pathPicker();
    QVERIFY(picker->shownText().startsWith(a.root.root().home()));
    QTRY_COMPARE(picker->findChild<QLabel *>()->text(), QStringLiteral("~/Pictures/Screenshots"));
    QCOMPARE(picker->findChild<QLabel *>()->toolTip(), QStringLiteral("~/Pictures/Screenshots"));
    // Too long for its place, a path keeps its start and its last name.
    const QFontMetrics metrics(picker->font());
    const QString deep = a.root.root().home() + "/Pictures/A folder with a very long name indeed/Screenshots";
    const QString narrow = DisplayPath::elided(deep, a.root.root().home(), metrics,
                                               metrics.horizontalAdvance("~/Pictures/…/Screenshots"));
    QVERIFY2(narrow.startsWith("~/Pic") && narrow.endsWith("Screenshots") && narrow.contains(QChar(0x2026)),
             qPrintable(narrow));
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
