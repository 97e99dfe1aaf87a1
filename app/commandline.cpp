#include "app/commandline.h"

#include "convert/outputprofile.h"
#include "convert/subtitletrim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr qint64 Second = 1000000;
// A subtitle file is read whole by every job; anything this large is no subtitle.
constexpr qint64 LargestSubtitle = 64 * 1024 * 1024;

const QStringList& batchOptions()
{
    static const QStringList names{QStringLiteral("--format"), QStringLiteral("--out"), QStringLiteral("--jobs"),
        QStringLiteral("--trim"), QStringLiteral("--srt")};
    return names;
}

QString absolutePath(const QString& arg)
{
    // "Open With" may hand over URLs; only local ones name a file we can read.
    if (arg.startsWith(QLatin1String("file:"))) {
        const QUrl url(arg);
        if (url.isLocalFile())
            return QDir::cleanPath(url.toLocalFile());
    }
    return QDir::cleanPath(QFileInfo(arg).absoluteFilePath());
}

// Whole seconds, as "70", "1:10" or "0:01:10"; -1 when it is none of them.
qint64 readTime(const QString& text)
{
    static const QRegularExpression seconds(QStringLiteral("^\\d{1,9}$"));
    static const QRegularExpression clock(QStringLiteral("^(?:(\\d{1,6}):)?([0-5]?\\d):([0-5]\\d)$"));
    if (seconds.match(text).hasMatch())
        return text.toLongLong() * Second;
    const QRegularExpressionMatch m = clock.match(text);
    if (!m.hasMatch())
        return -1;
    return ((m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 60 + m.captured(3).toLongLong()) * Second;
}

bool readTrim(const QString& text, BatchConverter::Options& batch, QString* error)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    const qint64 start = parts.size() == 2 ? readTime(parts.at(0)) : -1;
    const qint64 end = parts.size() == 2 ? readTime(parts.at(1)) : -1;
    if (start < 0 || end < 0) {
        *error = QStringLiteral("--trim takes START-END in whole seconds or [hh:]mm:ss, e.g. 10-70: %1").arg(text);
        return false;
    }
    if (end <= start) {
        *error = QStringLiteral("--trim must end after it starts: %1").arg(text);
        return false;
    }
    batch.trim = true;
    batch.trimStart = start;
    batch.trimEnd = end;
    return true;
}

bool readSubtitle(const QString& text, BatchConverter::Options& batch, QString* error)
{
    const QString path = absolutePath(text);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("--srt: cannot read %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    int cues = 0;
    if (file.size() <= LargestSubtitle)
        SubtitleTrim::cut(file.readAll(), 0, 0, &cues);
    if (cues == 0) {
        *error = QStringLiteral("--srt: %1 is not an SRT subtitle").arg(QDir::toNativeSeparators(path));
        return false;
    }
    batch.srtPath = path;
    return true;
}

bool readFolder(const QString& text, BatchConverter::Options& batch, QString* error)
{
    const QString path = absolutePath(text);
    const QFileInfo info(path);
    if (!info.isDir())
        *error = QStringLiteral("--out: no such folder: %1").arg(QDir::toNativeSeparators(path));
    else if (!info.isWritable())
        *error = QStringLiteral("--out: cannot write into %1").arg(QDir::toNativeSeparators(path));
    else
        batch.outFolder = path;
    return error->isEmpty();
}

} // namespace

QStringList CommandLine::argumentsOf(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

bool CommandLine::needsNoWindow(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            break;
        const QString name = arg.section(QLatin1Char('='), 0, 0);
        if (name == QLatin1String("--convert") || name == QLatin1String("--help") || name == QLatin1String("-h")
            || name == QLatin1String("--version") || batchOptions().contains(name))
            return true;
    }
    return false;
}

CommandLine CommandLine::parse(const QStringList& args)
{
    CommandLine cl;
    bool convert = false;
    bool help = false;
    bool version = false;
    QString format;
    QStringList given; // batch options seen, for the window's error
    QStringList files;
    bool optionsEnd = false;
    const auto fail = [&cl](const QString& text) {
        if (cl.error.isEmpty())
            cl.error = text;
    };

    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsEnd || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        const int eq = arg.indexOf(QLatin1Char('='));
        const QString name = eq > 0 ? arg.left(eq) : arg;
        if (name == QLatin1String("--convert") || name == QLatin1String("--help") || name == QLatin1String("-h")
            || name == QLatin1String("--version")) {
            if (eq > 0)
                fail(QStringLiteral("%1 takes no value").arg(name));
            convert |= name == QLatin1String("--convert");
            help |= name == QLatin1String("--help") || name == QLatin1String("-h");
            version |= name == QLatin1String("--version");
            continue;
        }
        if (!batchOptions().contains(name)) {
            fail(QStringLiteral("unknown option %1").arg(arg));
            continue;
        }
        QString value;
        if (eq > 0) {
            value = arg.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            fail(QStringLiteral("%1 needs a value").arg(name));
            continue;
        }
        given << name;
        QString problem;
        if (name == QLatin1String("--format")) {
            format = value.toLower();
            if (!OutputProfile::formats().contains(format))
                problem = QStringLiteral("--format takes mp4, mov, mkv, avi or mp3: %1").arg(value);
        } else if (name == QLatin1String("--out")) {
            readFolder(value, cl.batch, &problem);
        } else if (name == QLatin1String("--jobs")) {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (ok && n >= 1 && n <= 3)
                cl.batch.jobs = n;
            else
                problem = QStringLiteral("--jobs takes 1, 2 or 3: %1").arg(value);
        } else if (name == QLatin1String("--trim")) {
            readTrim(value, cl.batch, &problem);
        } else if (name == QLatin1String("--srt")) {
            readSubtitle(value, cl.batch, &problem);
        }
        if (!problem.isEmpty())
            fail(problem);
    }

    for (const QString& file : qAsConst(files))
        cl.files << absolutePath(file);

    if (help) {
        cl.mode = Help;
        cl.error.clear();
    } else if (version) {
        cl.mode = Version;
        cl.error.clear();
    } else if (!cl.error.isEmpty()) {
        cl.mode = Error;
    } else if (!convert) {
        cl.mode = given.isEmpty() ? Window : Error;
        if (!given.isEmpty())
            cl.error = QStringLiteral("%1 goes only with --convert").arg(given.first());
    } else if (format.isEmpty()) {
        cl.mode = Error;
        cl.error = QStringLiteral("--convert needs --format mp4, mov, mkv, avi or mp3");
    } else if (cl.files.isEmpty()) {
        cl.mode = Error;
        cl.error = QStringLiteral("--convert needs at least one file");
    } else {
        cl.mode = Convert;
        cl.batch.format = format;
        cl.batch.files = cl.files;
    }
    return cl;
}

QString CommandLine::versionLine()
{
    return QStringLiteral("Morvayne 5.9.71");
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Usage: morvayne [FILE...]\n"
        "       morvayne --convert --format FORMAT [--out DIR] [--jobs N] [--trim S-E] [--srt FILE] FILE...\n"
        "\n"
        "Without --convert, opens the window and adds each FILE to its list, as if\n"
        "chosen in \"Open File\". When Morvayne already runs, the files go to its\n"
        "window instead.\n"
        "\n"
        "  --convert        Convert the FILEs without opening a window.\n"
        "  --format FORMAT  Output format: mp4, mov, mkv, avi or mp3. Required.\n"
        "  --out DIR        Output folder, which must exist. Default: the window's\n"
        "                   output folder (~/Documents/Quillfen/Morvayne unless the\n"
        "                   \"OutFolder\" setting names another).\n"
        "  --jobs N         Convert at most N files at once, 1 to 3. Default: 2.\n"
        "  --trim S-E       Keep only the part from S to E of every file, in whole\n"
        "                   seconds or [hh:]mm:ss, e.g. 10-70 or 0:10-1:10. An end\n"
        "                   past a file's end keeps the rest of it.\n"
        "  --srt FILE       Add this SRT subtitle to every file: a subtitle track in\n"
        "                   MP4, MOV and MKV, burnt into the picture in AVI, none in\n"
        "                   MP3. Without it no subtitle is added.\n"
        "  -h, --help       Show this help.\n"
        "  --version        Show the version.\n"
        "\n"
        "Every file is probed first, then converted; a file without video becomes\n"
        "MP3. Outputs are named after their sources and never overwrite a file:\n"
        "when clip.mp4 exists, clip (0).mp4, clip (1).mp4 and so on are used.\n"
        "For each file a line tells when its conversion starts, its progress every\n"
        "10 seconds, and how it ended; a summary names every file that failed,\n"
        "with the reason. Ctrl+C stops the conversions.\n"
        "\n"
        "Exit status: 0 when every file was converted, 1 when any failed, 2 for\n"
        "bad usage.\n");
}
