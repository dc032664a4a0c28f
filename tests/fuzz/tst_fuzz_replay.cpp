// Every file of tests/fuzz/corpus/<target>/ through its fuzz target, in the ordinary build: the
// seeds and every input that once broke a decoder stay tests.

#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace velmora::fuzz;

namespace {

QDir corpusDir()
{
    return QDir(QStringLiteral(VELMORA_FUZZ_CORPUS_DIR));
}

QStringList filesOf(const QString &target)
{
    QDir dir = corpusDir();
    if (!dir.cd(target))
        return {};
    return dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_fuzz_replay : public QObject {
    Q_OBJECT

private slots:
    // A corpus folder whose name matches no target would never be replayed, and a target without
    // seeds starts its fuzzing from nothing.
    void everyCorpusBelongsToATarget()
    {
        QStringList names;
        for (const FuzzTarget &target : fuzzTargets())
            names << QString::fromLatin1(target.name);
        const QStringList folders = corpusDir().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &folder : folders)
            QVERIFY2(names.contains(folder),
                     qPrintable(QStringLiteral("corpus/%1 has no fuzz target").arg(folder)));
        for (const QString &name : names)
            QVERIFY2(!filesOf(name).isEmpty(),
                     qPrintable(QStringLiteral("corpus/%1 holds no seeds").arg(name)));
    }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("path");
        const QList<FuzzTarget> targets = fuzzTargets();
        for (int i = 0; i < targets.size(); ++i) {
            const QString name = QString::fromLatin1(targets[i].name);
            for (const QString &file : filesOf(name)) {
                const QString tag = name + QLatin1Char('/') + file;
                QTest::newRow(qPrintable(tag)) << i << corpusDir().filePath(tag);
            }
        }
    }

    void replay()
    {
        QFETCH(int, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray bytes = file.readAll();
        // A broken promise or a crash ends the process here, with this row's name in the log.
        const int status = fuzzTargets().at(target).function(
            reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        QCOMPARE(status, 0);
    }
};

QTEST_GUILESS_MAIN(tst_fuzz_replay)
#include "tst_fuzz_replay.moc"
