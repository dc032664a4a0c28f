// The wallpaper page a user sees, driven through its real widgets offscreen on a simulated Mac with
// two displays.

#include "WallpaperTestSupport.h"
#include "engine/TweakEngine.h"
#include "gui/app/RootView.h"
#include "gui/kit/MiddleElidedLabel.h"
#include "gui/kit/ToggleSwitch.h"
#include "gui/wallpaper/ChooseImageTapTarget.h"
#include "gui/wallpaper/PreviewWell.h"
#include "gui/wallpaper/WallpaperDisplayRow.h"
#include "gui/wallpaper/WallpaperView.h"
#include "support/FakePanels.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::Scaling)

namespace {

/// The main window's content on a fresh simulated Mac, with file panels the test answers.
struct Page {
    explicit Page(const QJsonArray &displays = QJsonArray(), bool describe = false)
    {
        if (describe)
            writeDisplays(root, displays);
        engine = std::make_unique<TweakEngine>(TweakRegistry::shared(), root.platform(), standardHandlers());
        context = std::make_unique<AppContext>(AppContext{*engine, root.platform(), panels});
        rootView = std::make_unique<RootView>(*context);
        rootView->resize(1000, 900);
        rootView->show();
        QVERIFY(QTest::qWaitForWindowExposed(rootView.get()));
        rootView->setSelectedCategoryID(QStringLiteral("wallpaper"));
        // The previews are decoded in the background.
        QTRY_VERIFY(model()->pendingPreviews().isEmpty());
    }

    WallpaperView *view() const { return qobject_cast<WallpaperView *>(rootView->currentPage()); }
    WallpaperViewModel *model() const { return view()->model(); }
    WallpaperDisplayRow *row(int i) const { return view()->displayRows().at(i); }
    /// The picture the root records for a display key.
    QString recorded(const char *key) const { return recordedPicture(root, key).value("path").toString(); }
    QStringList systemLog() const
    {
        return QString::fromUtf8(readAll(root.root().systemLog())).split('\n', Qt::SkipEmptyParts);
    }

    TestRoot root;
    FakePanels panels;
    std::unique_ptr<TweakEngine> engine;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<RootView> rootView;
};

bool shown(QWidget *w)
{
    return w->isVisibleTo(w->window());
}

} // namespace

class TestWallpaperView : public QObject {
    Q_OBJECT

private slots:
    void newUserSetsTheSecondDisplay();
    void editButtonsOnlyWhileDirtyAndEditsDroppedOnLeaving();
    void commandReturnApplies();
    void cancelledPanelThenUndecodablePicture();
    void rowsNameAndSelectDisplays();
    void withoutDisplays();
    void fileNameShortensInTheMiddle();
    void previewDrawsEachScaling_data();
    void previewDrawsEachScaling();
};

void TestWallpaperView::newUserSetsTheSecondDisplay()
{
    Page page;
    WallpaperView *view = page.view();
    QCOMPARE(view->windowTitle(), QStringLiteral("Wallpaper"));
    QCOMPARE(view->displayRows().size(), 2);
    QCOMPARE(page.row(0)->name(), QStringLiteral("Built-in Retina Display"));
    QCOMPARE(page.row(0)->sizeText(), QStringLiteral("1512×982"));
    QCOMPARE(page.row(1)->sizeText(), QStringLiteral("2560×1440"));
    QVERIFY(page.row(0)->isSelected() && page.row(0)->hasPreview());
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("Dusk.jpg"));
    QVERIFY(!shown(view->applyButton()) && !shown(view->revertButton()));

    QTest::mouseClick(page.row(1), Qt::LeftButton);
    QVERIFY(page.row(1)->isSelected() && !page.row(0)->isSelected());
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("Lagoon.jpg"));

    const QString bloom = samplePicture(page.root, "Bloom.png");
    page.panels.answers.enqueue(bloom);
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    QCOMPARE(page.panels.titles, QStringList{"Choose a wallpaper image"});
    QCOMPARE(page.panels.prompts, QStringList{"Choose"});
    const QStringList log = page.systemLog();
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].endsWith("\t[sound] alert"));
    QVERIFY(log[1].endsWith("\t[ChooseImage] tap target fired"));
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("Bloom.png"));
    QTRY_VERIFY(view->previewWell()->image());
    QCOMPARE(view->previewWell()->image()->size(), QSize(240, 320));
    QVERIFY(shown(view->applyButton()) && shown(view->revertButton()));

    view->scalingMenu()->setFocus();
    QTest::keyClick(view->scalingMenu(), Qt::Key_Down);
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Fit to Screen"));
    QCOMPARE(view->previewWell()->scaling(), Scaling::fit);

    QTest::mouseClick(view->applyButton(), Qt::LeftButton);
    QCOMPARE(view->statusLabel()->text(), QStringLiteral("Applied to 2 displays."));
    QVERIFY(shown(view->statusLabel()));
    QVERIFY(!shown(view->applyButton()));
    // The root records the new picture for that display only.
    QCOMPARE(page.recorded("2"), bloom);
    QCOMPARE(recordedPicture(page.root, "2").value("scaling").toInt(), 0);
    QCOMPARE(page.recorded("1"), samplePicture(page.root, "Dusk.jpg"));
    QCOMPARE(recordedPicture(page.root, "1").value("scaling").toInt(), 3);
}

void TestWallpaperView::editButtonsOnlyWhileDirtyAndEditsDroppedOnLeaving()
{
    Page page;
    WallpaperView *view = page.view();
    QVERIFY(!shown(view->applyButton()));
    // The clipping switch is an edit like any other.
    QVERIFY(view->clippingSwitch()->isChecked());
    QTest::mouseClick(view->clippingSwitch(), Qt::LeftButton);
    QVERIFY(!page.model()->currentConfig().allowClipping);
    QVERIFY(shown(view->applyButton()) && shown(view->revertButton()));
    QTest::mouseClick(view->revertButton(), Qt::LeftButton);
    QVERIFY(!shown(view->applyButton()) && !shown(view->revertButton()));
    QVERIFY(view->clippingSwitch()->isChecked());
    QVERIFY(!shown(view->statusLabel()));

    // A failed apply leaves the page dirty and says why.
    page.panels.answers.enqueue(page.root.path() + "/gone.png");
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    QTest::mouseClick(view->applyButton(), Qt::LeftButton);
    QCOMPARE(view->statusLabel()->text(), "Wallpaper image not found at: " + page.root.path() + "/gone.png");
    QVERIFY(shown(view->applyButton()));
    QTest::mouseClick(view->revertButton(), Qt::LeftButton);
    QVERIFY(!shown(view->statusLabel()));
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("Dusk.jpg"));

    // Leaving the page drops the edits as "Revert" does.
    page.panels.answers.enqueue(samplePicture(page.root, "Graphite.png"));
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    QVERIFY(page.model()->isDirty());
    page.rootView->setSelectedCategoryID(QStringLiteral("dock"));
    page.rootView->setSelectedCategoryID(QStringLiteral("wallpaper"));
    QVERIFY(!page.model()->isDirty());
    QCOMPARE(page.view()->fileNameLabel()->text(), QStringLiteral("Dusk.jpg"));
    QCOMPARE(page.recorded("1"), samplePicture(page.root, "Dusk.jpg"));
}

void TestWallpaperView::commandReturnApplies()
{
    Page page;
    WallpaperView *view = page.view();
    page.rootView->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page.rootView.get()));
    view->chooseImageButton()->setFocus();
    // Nothing to apply: the shortcut does nothing.
    QTest::keyClick(view->chooseImageButton(), Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!shown(view->statusLabel()));

    page.panels.answers.enqueue(samplePicture(page.root, "Graphite.png"));
    // Space presses the focused "Choose Image" like a click.
    QTest::keyClick(view->chooseImageButton(), Qt::Key_Space);
    QVERIFY(page.model()->isDirty());
    QTest::keyClick(view->chooseImageButton(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(view->statusLabel()->text(), QStringLiteral("Applied to 2 displays."));
    QCOMPARE(page.recorded("1"), samplePicture(page.root, "Graphite.png"));
}

void TestWallpaperView::cancelledPanelThenUndecodablePicture()
{
    Page page;
    WallpaperView *view = page.view();
    QSignalSpy configs(page.model(), &WallpaperViewModel::configsChanged);
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton); // no answer queued: cancelled
    QCOMPARE(page.panels.titles.size(), 1);
    QCOMPARE(configs.count(), 0);
    QVERIFY(!page.model()->isDirty());
    QVERIFY(!shown(view->applyButton()));
    // The sound and the log line come with every press all the same.
    QCOMPARE(page.systemLog().size(), 2);

    // A large picture: the old preview goes at once, and the placeholder waits for the new one
    // (decoded in the background) without claiming there is no image.
    page.panels.answers.enqueue(writePicture(page.root.path() + "/large.png", QSize(4000, 3000)));
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    QVERIFY(!view->previewWell()->image());
    QVERIFY(view->previewWell()->isLoading());
    QTRY_VERIFY(view->previewWell()->image());
    QVERIFY(!view->previewWell()->isLoading());

    // A file no decoder takes: placeholders where the previews were, and a failure at apply.
    const QString fake = writeNotAPicture(page.root.root().home() + "/Pictures/photo.png");
    page.panels.answers.enqueue(fake);
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    QVERIFY(page.model()->isDirty());
    QTRY_VERIFY(page.model()->pendingPreviews().isEmpty());
    QVERIFY(!view->previewWell()->isLoading());
    QVERIFY(!view->previewWell()->image());
    QVERIFY(!page.row(0)->hasPreview());
    QVERIFY(page.row(1)->hasPreview());
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("photo.png"));
    // The well says why, rather than "No image selected" under the file's name.
    QCOMPARE(view->previewWell()->problem(), QStringLiteral("This picture cannot be previewed"));
    QTest::mouseClick(view->applyButton(), Qt::LeftButton);
    QVERIFY(view->statusLabel()->text().startsWith("Could not apply wallpaper " + fake + ": "));
    QCOMPARE(page.recorded("1"), samplePicture(page.root, "Dusk.jpg"));

    // A picture the reader may not decode whole, and that it decodes whole before scaling (a
    // grayscale PNG): with the limit at 1 MB, 2000×1000 stands for 30000×30000 against the real one.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });
    QImage gray(QSize(2000, 1000), QImage::Format_Grayscale8);
    gray.fill(128);
    QVERIFY(gray.save(page.root.path() + "/huge.png", "PNG"));
    page.panels.answers.enqueue(page.root.path() + "/huge.png");
    QTest::mouseClick(view->chooseImageButton(), Qt::LeftButton);
    // The last picture's problem goes with it (the reader may already have answered for this one).
    QVERIFY(view->previewWell()->problem() != QStringLiteral("This picture cannot be previewed"));
    QTRY_VERIFY(page.model()->pendingPreviews().isEmpty());
    QVERIFY(!view->previewWell()->image());
    QCOMPARE(view->previewWell()->problem(), QStringLiteral("This picture is too large to preview"));
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("huge.png"));
}

void TestWallpaperView::rowsNameAndSelectDisplays()
{
    Page page(QJsonArray{displayEntry("Studio", 4, 1920, 1080, true), displayEntry("", -1, 1280, 800)}, true);
    WallpaperView *view = page.view();
    QCOMPARE(page.row(0)->name(), QStringLiteral("Studio"));
    QCOMPARE(page.row(1)->name(), QStringLiteral("Display 2"));
    QCOMPARE(page.row(1)->displayID(), 0u);
    QVERIFY(!page.row(0)->hasPreview()); // nothing set on these displays yet
    QCOMPARE(view->fileNameLabel()->text(), QStringLiteral("No image selected"));

    // Each display keeps its own options; the page shows the selected one's.
    QTest::mouseClick(page.row(1), Qt::LeftButton);
    view->scalingMenu()->setFocus();
    QTest::keyClick(view->scalingMenu(), Qt::Key_End);
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Center"));
    page.row(0)->setFocus();
    QTest::keyClick(page.row(0), Qt::Key_Space); // the keyboard selects a row too
    QVERIFY(page.row(0)->isSelected());
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Fill Screen"));
    QCOMPARE(view->previewWell()->scaling(), Scaling::fill);
    QTest::mouseClick(page.row(1), Qt::LeftButton);
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Center"));
    QCOMPARE(page.model()->configs().value(0).scaling, Scaling::center);
    QCOMPARE(page.model()->configs().value(4).scaling, Scaling::fill);
}

void TestWallpaperView::withoutDisplays()
{
    Page page(QJsonArray(), true);
    WallpaperView *view = page.view();
    QVERIFY(view->displayRows().isEmpty());
    QVERIFY(shown(view->displaysCaption()));
    QVERIFY(!view->previewWell()->image());
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Fill Screen"));
    QVERIFY(view->clippingSwitch()->isChecked());
    // Changing the options has no effect: they spring back.
    view->scalingMenu()->setFocus();
    QTest::keyClick(view->scalingMenu(), Qt::Key_Down);
    QCOMPARE(view->scalingMenu()->currentText(), QStringLiteral("Fill Screen"));
    QTest::mouseClick(view->clippingSwitch(), Qt::LeftButton);
    QVERIFY(view->clippingSwitch()->isChecked());
    QVERIFY(!shown(view->applyButton()));
}

void TestWallpaperView::fileNameShortensInTheMiddle()
{
    MiddleElidedLabel label;
    label.setText("A very long name for a holiday picture taken at the seaside in summer.jpg");
    label.resize(160, 20);
    const QString shownText = label.shownText();
    QVERIFY(shownText.size() < label.text().size());
    QVERIFY(shownText.startsWith("A "));
    QVERIFY(shownText.endsWith(".jpg"));
    QVERIFY(shownText.contains(QChar(0x2026)));
}

void TestWallpaperView::previewDrawsEachScaling_data()
{
    // In a well of 400×260.
    QTest::addColumn<QSizeF>("natural");
    QTest::addColumn<Scaling>("scaling");
    QTest::addColumn<QRectF>("rect");
    QTest::newRow("fill, wide picture") << QSizeF(800, 260) << Scaling::fill << QRectF(-200, 0, 800, 260);
    QTest::newRow("fill, small picture grows") << QSizeF(40, 26) << Scaling::fill << QRectF(0, 0, 400, 260);
    QTest::newRow("fit, wide picture") << QSizeF(800, 260) << Scaling::fit << QRectF(0, 65, 400, 130);
    QTest::newRow("fit, tall picture") << QSizeF(100, 260) << Scaling::fit << QRectF(150, 0, 100, 260);
    QTest::newRow("stretch") << QSizeF(100, 100) << Scaling::stretch << QRectF(0, 0, 400, 260);
    QTest::newRow("center, small") << QSizeF(100, 60) << Scaling::center << QRectF(150, 100, 100, 60);
    QTest::newRow("center, larger than the well")
        << QSizeF(600, 300) << Scaling::center << QRectF(-100, -20, 600, 300);
}

void TestWallpaperView::previewDrawsEachScaling()
{
    QFETCH(QSizeF, natural);
    QFETCH(Scaling, scaling);
    QFETCH(QRectF, rect);
    QCOMPARE(PreviewWell::imageRect(natural, QSizeF(400, 260), scaling), rect);

    // What is drawn covers that rectangle: a point near the left edge, halfway down, and the centre.
    TestRoot root;
    PreviewWell well(root.platform().symbols());
    well.resize(400, 260);
    QImage picture(natural.toSize(), QImage::Format_RGB32);
    picture.fill(Qt::red);
    well.setImage(picture);
    well.setScaling(scaling);
    const QImage drawn = well.grab().toImage();
    for (const QPoint p : {QPoint(10, 130), QPoint(200, 130)})
        QCOMPARE(drawn.pixelColor(p * drawn.devicePixelRatio()) == QColor(Qt::red), rect.contains(p));

    // Without a picture: the placeholder, never a stale picture.
    well.setImage(std::nullopt);
    const QImage empty = well.grab().toImage();
    QVERIFY(empty.pixelColor(QPoint(200, 130) * empty.devicePixelRatio()) != QColor(Qt::red));
}

QTEST_MAIN(TestWallpaperView)
#include "tst_wallpaper_view.moc"
