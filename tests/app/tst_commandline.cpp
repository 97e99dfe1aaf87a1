#include "app/commandline.h"
#include "morvaynetest.h"
#include "probe/mediainfo.h"
#include "probe/trimrange.h"

#include <QDir>
#include <QFile>

// What the command line asks for, and every usage error it must refuse
// before anything starts.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void modeIsDecidedBeforeAnyWindow_data();
    void modeIsDecidedBeforeAnyWindow();
    void trimFitsTheClip_data();
    void trimFitsTheClip();

private:
    QString m_dir;
};

namespace {

constexpr qint64 S = 1000000;

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
}

} // namespace

void TestCommandLine::initTestCase()
{
    m_dir = TestEnv::makeDir(QStringLiteral("cli"));
    QVERIFY(QDir().mkpath(m_dir + QLatin1String("/out")));
    QVERIFY(!writeFile(m_dir + QLatin1String("/subs.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n\n").isEmpty());
    QVERIFY(!writeFile(m_dir + QLatin1String("/notes.srt"), "just some notes, no cues\n").isEmpty());
    QVERIFY(QDir::setCurrent(m_dir));
}

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("mode");
    // For an error, a text the message must hold; otherwise what was read,
    // with the test folder written as "@".
    QTest::addColumn<QString>("expected");

    const int W = CommandLine::Window, C = CommandLine::Convert, E = CommandLine::Error;
    const auto row = [](const char* name, std::initializer_list<const char*> args, int mode, const char* expected) {
        QTest::newRow(name) << list(args) << mode << QString::fromUtf8(expected);
    };
    row("window, files made absolute", {"a.mp4", "sub/../b.mkv"}, W, "@/a.mp4|@/b.mkv");
    row("window, a file URL", {"file:///media/My%20Clip.MOV"}, W, "/media/My Clip.MOV");
    row("window, after -- a name is a file", {"--", "--convert"}, W, "@/--convert");
    row("window, no arguments", {}, W, "");
    row("batch option without --convert", {"--jobs", "2", "a.mp4"}, E, "--jobs goes only with --convert");
    row("unknown option", {"--convert", "--format", "mp4", "--bogus", "a.mp4"}, E, "unknown option --bogus");
    row("help wins over errors", {"--convert", "--bogus", "--help"}, CommandLine::Help, "");
    row("version", {"--version"}, CommandLine::Version, "");
    row("format is required", {"--convert", "a.mp4"}, E, "needs --format");
    row("format unknown", {"--convert", "--format", "webm", "a.mp4"}, E, "--format takes mp4, mov, mkv, avi or mp3");
    row("format in capitals, with =", {"--convert", "--format=MKV", "a.mp4"}, C, "mkv 0 @/a.mp4");
    row("a file is required", {"--convert", "--format", "mp4"}, E, "at least one file");
    row("value missing at the end", {"--convert", "a.mp4", "--format"}, E, "--format needs a value");
    row("flag with a value", {"--convert=yes", "--format", "mp4", "a.mp4"}, E, "--convert takes no value");
    row("jobs 3", {"--convert", "--format", "mp3", "--jobs", "3", "a.mp4"}, C, "mp3 3 @/a.mp4");
    row("jobs 0", {"--convert", "--format", "mp4", "--jobs", "0", "a.mp4"}, E, "--jobs takes 1, 2 or 3");
    row("jobs 4", {"--convert", "--format", "mp4", "--jobs=4", "a.mp4"}, E, "--jobs takes 1, 2 or 3");
    row("jobs negative", {"--convert", "--format", "mp4", "--jobs", "-1", "a.mp4"}, E, "--jobs takes 1, 2 or 3");
    row("out folder", {"--convert", "--format", "mp4", "--out", "out", "a.mp4"}, C, "out=@/out");
    row("out folder missing", {"--convert", "--format", "mp4", "--out", "nowhere", "a.mp4"}, E, "no such folder");
    row("out is a file", {"--convert", "--format", "mp4", "--out", "subs.srt", "a.mp4"}, E, "no such folder");
    row("trim in seconds", {"--convert", "--format", "mp4", "--trim", "10-70", "a.mp4"}, C, "trim=10-70");
    row("trim as clock", {"--convert", "--format", "mp4", "--trim", "0:10-1:01:10", "a.mp4"}, C, "trim=10-3670");
    row("trim backwards", {"--convert", "--format", "mp4", "--trim", "70-10", "a.mp4"}, E, "must end after");
    row("trim empty", {"--convert", "--format", "mp4", "--trim", "5-5", "a.mp4"}, E, "must end after");
    row("trim one time", {"--convert", "--format", "mp4", "--trim", "10", "a.mp4"}, E, "--trim takes START-END");
    row("trim fraction", {"--convert", "--format", "mp4", "--trim", "1.5-3", "a.mp4"}, E, "--trim takes START-END");
    row("trim seconds past 59", {"--convert", "--format", "mp4", "--trim", "0:60-2:00", "a.mp4"}, E,
        "--trim takes START-END");
    row("subtitle", {"--convert", "--format", "mkv", "--srt", "subs.srt", "a.mp4"}, C, "srt=@/subs.srt");
    row("subtitle missing", {"--convert", "--format", "mkv", "--srt", "none.srt", "a.mp4"}, E, "cannot read");
    row("subtitle without cues", {"--convert", "--format", "mkv", "--srt", "notes.srt", "a.mp4"}, E,
        "is not an SRT subtitle");
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    expected.replace(QLatin1Char('@'), m_dir);

    const CommandLine cl = CommandLine::parse(args);
    QVERIFY2(cl.mode == mode, qPrintable(QStringLiteral("mode %1, error \"%2\"").arg(cl.mode).arg(cl.error)));
    if (mode == CommandLine::Error) {
        QVERIFY2(cl.error.contains(expected), qPrintable(cl.error));
        return;
    }
    QVERIFY2(cl.error.isEmpty(), qPrintable(cl.error));
    if (mode == CommandLine::Window) {
        QCOMPARE(cl.files.join(QLatin1Char('|')), expected);
    } else if (mode == CommandLine::Convert) {
        const BatchConverter::Options& b = cl.batch;
        QString seen = QStringLiteral("%1 %2 %3").arg(b.format).arg(b.jobs).arg(b.files.join(QLatin1Char('|')));
        if (expected.startsWith(QLatin1String("out=")))
            seen = QLatin1String("out=") + b.outFolder;
        else if (expected.startsWith(QLatin1String("trim=")))
            seen = QStringLiteral("trim=%1-%2").arg(b.trim ? b.trimStart / S : -1).arg(b.trimEnd / S);
        else if (expected.startsWith(QLatin1String("srt=")))
            seen = QLatin1String("srt=") + b.srtPath;
        QCOMPARE(seen, expected);
    }
}

// A run that needs no window is told apart from argv alone, before Qt takes
// its own options, so that it never needs a display.
void TestCommandLine::modeIsDecidedBeforeAnyWindow_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("noWindow");
    QTest::newRow("files") << list({"a.mp4"}) << false;
    QTest::newRow("Qt's own options") << list({"-platform", "offscreen", "a.mp4"}) << false;
    QTest::newRow("convert") << list({"a.mp4", "--convert"}) << true;
    QTest::newRow("help") << list({"-h"}) << true;
    QTest::newRow("batch option alone") << list({"--out=/tmp", "a.mp4"}) << true;
    QTest::newRow("after --, only files") << list({"--", "--convert"}) << false;
}

void TestCommandLine::modeIsDecidedBeforeAnyWindow()
{
    QFETCH(QStringList, args);
    QFETCH(bool, noWindow);
    QCOMPARE(CommandLine::needsNoWindow(args), noWindow);
}

// The command line's trim obeys the trim editor's bounds: whole seconds, an
// end past the clip keeps the rest, and what cannot be kept is refused.
void TestCommandLine::trimFitsTheClip_data()
{
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<int>("problem");
    QTest::addColumn<qint64>("trimStart");
    QTest::addColumn<qint64>("trimEnd");

    QTest::newRow("inside") << 10 * S << 2 * S << 5 * S << int(TrimRange::Fits) << 2 * S << 5 * S;
    QTest::newRow("end past the clip") << 10 * S << 2 * S << 60 * S << int(TrimRange::Fits) << 2 * S << 10 * S;
    QTest::newRow("last second") << 10 * S << 9 * S << 12 * S << int(TrimRange::Fits) << 9 * S << 10 * S;
    QTest::newRow("parts of seconds dropped")
        << 10 * S + 900000 << 3 * S + 700000 << 11 * S << int(TrimRange::Fits) << 3 * S << 10 * S;
    QTest::newRow("start at the end") << 10 * S << 10 * S << 12 * S << int(TrimRange::StartsPastEnd) << 0ll << 0ll;
    QTest::newRow("clip under a second") << 900000ll << 0ll << S << int(TrimRange::ClipTooShort) << 0ll << 0ll;
}

void TestCommandLine::trimFitsTheClip()
{
    QFETCH(qint64, duration);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(int, problem);
    QFETCH(qint64, trimStart);
    QFETCH(qint64, trimEnd);

    MediaInfo info;
    info.duration = duration;
    QCOMPARE(int(TrimRange::apply(info, start, end)), problem);
    QCOMPARE(info.trimStart, trimStart);
    QCOMPARE(info.trimEnd, trimEnd);
}

MORVAYNE_TEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
