#include "mediafactory.h"
#include "morvaynetest.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>

#include <csignal>

// The real program converting without a window, as a script would run it:
// no display at all, exit status and printed lines checked, outputs probed.
class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void brokenFileFailsTheBatch();
    void oneAtATimeTrimmedWithSubtitle();
    void defaultFolderNeverOverwrites();
    void badUsage_data();
    void badUsage();
    void terminationEndsConversions();

private:
    struct Run
    {
        int code = -1;
        QStringList lines;
        QString errors;
    };
    Run run(const QStringList& args, int timeoutMs = 120000);
    QString m_dir;
};

namespace {

QString program()
{
    return QDir(TestEnv::appDir()).filePath(QStringLiteral("Morvayne"));
}

// No display and no platform choice: a run that made a GUI application would abort.
QProcessEnvironment noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(var));
    return env;
}

int indexOf(const QStringList& lines, const QString& start)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(start))
            return i;
    }
    return -1;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TestBatch::Run TestBatch::run(const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(noDisplay());
    p.setWorkingDirectory(m_dir);
    p.start(program(), args);
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

void TestBatch::initTestCase()
{
    m_dir = TestEnv::makeDir(QStringLiteral("batch"));
    QVERIFY(!MediaFactory::videoWithTone(m_dir + QLatin1String("/a.mp4"), 4, QStringLiteral("160x120"),
        {QStringLiteral("-shortest")}).isEmpty());
    QVERIFY(!MediaFactory::videoWithTone(m_dir + QLatin1String("/c.avi"), 4, QStringLiteral("160x120"),
        {QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-shortest")}).isEmpty());
    QFile broken(m_dir + QLatin1String("/broken.mp4"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.close();
    QFile subs(m_dir + QLatin1String("/subs.srt"));
    QVERIFY(subs.open(QIODevice::WriteOnly));
    subs.write("1\n00:00:01,500 --> 00:00:02,500\nHello\n\n");
    subs.close();
}

// Two good clips convert side by side; the broken one fails the batch and
// is named with its reason.
void TestBatch::brokenFileFailsTheBatch()
{
    const QString out = m_dir + QLatin1String("/out1");
    QVERIFY(QDir().mkpath(out));
    const Run r = run({QStringLiteral("--convert"), QStringLiteral("--format"), QStringLiteral("mp4"),
        QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--out"), QStringLiteral("out1"),
        QStringLiteral("a.mp4"), QStringLiteral("broken.mp4"), QStringLiteral("c.avi")});
    const QString printed = r.lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + r.errors;
    QVERIFY2(r.code == 1, qPrintable(printed));

    for (const char* name : {"a.mp4", "c.mp4"}) {
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        QVERIFY2(MediaFactory::streams(path, QStringLiteral("video")).size() == 1, name);
        QVERIFY2(MediaFactory::streams(path, QStringLiteral("audio")).size() == 1, name);
        QVERIFY2(qAbs(MediaFactory::durationSeconds(path) - 4.0) < 0.3, name);
    }
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 2);

    QVERIFY2(r.lines.contains(QStringLiteral("2 of 3 converted into %1.").arg(out)), qPrintable(printed));
    const int failure = indexOf(r.lines, QStringLiteral("Failed: %1/broken.mp4: ").arg(m_dir));
    QVERIFY2(failure >= 0 && r.lines.at(failure).size() > QStringLiteral("Failed: %1/broken.mp4: ").arg(m_dir).size(),
        qPrintable(printed));
    QCOMPARE(indexOf(r.lines, QStringLiteral("Failed: ")), failure);

    // Both jobs started before either ended: two at once.
    const int startA = indexOf(r.lines, QStringLiteral("[1/3] a.mp4: converting to MP4"));
    const int startC = indexOf(r.lines, QStringLiteral("[3/3] c.avi: converting to MP4"));
    const int firstDone = qMin(indexOf(r.lines, QStringLiteral("[1/3] a.mp4: done: ")),
        indexOf(r.lines, QStringLiteral("[3/3] c.avi: done: ")));
    QVERIFY2(startA >= 0 && startC >= 0 && firstDone > qMax(startA, startC), qPrintable(printed));
}

// With one at a time the second starts after the first ended; the trim and
// the subtitle reach every output.
void TestBatch::oneAtATimeTrimmedWithSubtitle()
{
    const QString out = m_dir + QLatin1String("/out2");
    QVERIFY(QDir().mkpath(out));
    const Run r = run({QStringLiteral("--convert"), QStringLiteral("--format=mkv"), QStringLiteral("--jobs=1"),
        QStringLiteral("--trim"), QStringLiteral("1-3"), QStringLiteral("--srt"), QStringLiteral("subs.srt"),
        QStringLiteral("--out"), out, QStringLiteral("a.mp4"), m_dir + QLatin1String("/c.avi")});
    const QString printed = r.lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + r.errors;
    QVERIFY2(r.code == 0, qPrintable(printed));
    QVERIFY2(r.lines.last() == QStringLiteral("2 of 2 converted into %1.").arg(out), qPrintable(printed));
    const int doneA = indexOf(r.lines, QStringLiteral("[1/2] a.mp4: done: %1/a.mkv (").arg(out));
    const int startC = indexOf(r.lines, QStringLiteral("[2/2] c.avi: converting to MKV"));
    QVERIFY2(doneA >= 0 && startC > doneA, qPrintable(printed));

    for (const char* name : {"a.mkv", "c.mkv"}) {
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        QVERIFY2(qAbs(MediaFactory::durationSeconds(path) - 2.0) < 0.3, name);
        QVERIFY2(MediaFactory::streams(path, QStringLiteral("subtitle")).size() == 1, name);
    }
}

// Without --out the window's output folder is used, and a second run beside
// the first output gets a new name.
void TestBatch::defaultFolderNeverOverwrites()
{
    const QString folder = QDir::homePath() + QLatin1String("/Documents/Quillfen/Morvayne");
    const QStringList args{QStringLiteral("--convert"), QStringLiteral("--format"), QStringLiteral("mp3"),
        QStringLiteral("a.mp4")};
    const Run first = run(args);
    QVERIFY2(first.code == 0, qPrintable(first.lines.join(QLatin1Char('\n')) + first.errors));
    const QByteArray firstOutput = contents(folder + QLatin1String("/a.mp3"));
    QVERIFY(!firstOutput.isEmpty());

    const Run second = run(args);
    QVERIFY2(second.code == 0, qPrintable(second.lines.join(QLatin1Char('\n')) + second.errors));
    QVERIFY2(indexOf(second.lines, QStringLiteral("[1/1] a.mp4: done: %1/a (0).mp3 (").arg(folder)) >= 0,
        qPrintable(second.lines.join(QLatin1Char('\n'))));
    QCOMPARE(contents(folder + QLatin1String("/a.mp3")), firstOutput);
    QCOMPARE(MediaFactory::streams(folder + QLatin1String("/a (0).mp3"), QStringLiteral("audio")).size(), 1);
}

void TestBatch::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown format") << QStringList{QStringLiteral("--convert"), QStringLiteral("--format"),
        QStringLiteral("webm"), QStringLiteral("a.mp4")} << QStringLiteral("--format takes mp4, mov, mkv, avi or mp3");
    QTest::newRow("no files") << QStringList{QStringLiteral("--convert"), QStringLiteral("--format"),
        QStringLiteral("mp4")} << QStringLiteral("--convert needs at least one file");
    QTest::newRow("batch option in window mode")
        << QStringList{QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("a.mp4")}
        << QStringLiteral("--jobs goes only with --convert");
    QTest::newRow("output folder missing")
        << QStringList{QStringLiteral("--convert"), QStringLiteral("--format"), QStringLiteral("mp4"),
               QStringLiteral("--out"), QStringLiteral("missing"), QStringLiteral("a.mp4")}
        << QStringLiteral("--out: no such folder");
}

// Refused before anything starts: status 2, a message on standard error,
// nothing on standard output, no output written.
void TestBatch::badUsage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QStringList before = QDir(m_dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const Run r = run(args, 30000);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
    QVERIFY2(r.errors.contains(QLatin1String("Try 'morvayne --help'")), qPrintable(r.errors));
    QVERIFY2(r.lines.isEmpty(), qPrintable(r.lines.join(QLatin1Char('\n'))));
    QCOMPARE(QDir(m_dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

    const Run help = run({QStringLiteral("--help")}, 30000);
    QCOMPARE(help.code, 0);
    QVERIFY(help.lines.contains(QStringLiteral("Exit status: 0 when every file was converted, 1 when any failed, 2 for")));
}

// A batch that is told to end stops its ffmpeg runs instead of leaving them
// converting on their own.
void TestBatch::terminationEndsConversions()
{
    const QString source = MediaFactory::videoWithTone(m_dir + QLatin1String("/long.avi"), 60,
        QStringLiteral("320x240"), {QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-shortest")});
    QVERIFY(!source.isEmpty());
    const QString out = m_dir + QLatin1String("/out-stopped");
    QVERIFY(QDir().mkpath(out));

    QProcess p;
    p.setProcessEnvironment(noDisplay());
    p.start(program(), {QStringLiteral("--convert"), QStringLiteral("--format"), QStringLiteral("mov"),
        QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--out"), out, source, m_dir + QLatin1String("/a.mp4")});
    QVERIFY(p.waitForStarted(10000));
    QByteArray printed;
    QTRY_VERIFY_WITH_TIMEOUT((printed += p.readAllStandardOutput()).contains("long.avi: converting"), 60000);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(30000));
    printed += p.readAllStandardOutput();
    QCOMPARE(p.exitCode(), 1);
    QVERIFY2(printed.contains("\nStopped: " + source.toLocal8Bit() + '\n'), printed.constData());
    QVERIFY2(printed.contains("\nStopped: " + m_dir.toLocal8Bit() + "/a.mp4\n"), printed.constData());

    // No ffmpeg still writes into the folder.
    QDirIterator procs(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (procs.hasNext()) {
        QByteArray cmdline = contents(procs.next() + QLatin1String("/cmdline"));
        QVERIFY2(!cmdline.contains(out.toLocal8Bit()), cmdline.replace('\0', ' ').constData());
    }
}

MORVAYNE_TEST_CORE_MAIN(TestBatch)
#include "tst_batch.moc"
