#include <QtTest>
class TestDockView : public QObject { Q_OBJECT };
QTEST_MAIN(TestDockView)
#include "tst_dock_view.moc"
