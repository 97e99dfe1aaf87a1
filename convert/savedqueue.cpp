#include "convert/savedqueue.h"

#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "probe/mediainfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSettings>

#include <cmath>

namespace {

const QLatin1String FormatName("morvayne-queue");

// JSON numbers are doubles: whole values up to 2^53 come back exactly.
constexpr double LargestExact = 9007199254740992.0;

QString str(const char* text)
{
    return QString::fromLatin1(text);
}

// Reads one member, refusing a wrong type or value: a file that holds
// anything unexpected is not trusted in part.
class Reader
{
public:
    explicit Reader(const QJsonObject& object)
        : m_object(object)
    {
    }

    QString text(const char* key)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return QString();
        if (!v.isString())
            fail(key);
        return v.toString();
    }

    bool flag(const char* key, bool fallback)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            fail(key);
        return v.toBool();
    }

    qint64 whole(const char* key, qint64 low, qint64 high, qint64 fallback = 0)
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return fallback;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !std::isfinite(d) || std::floor(d) != d || std::fabs(d) > LargestExact
            || d < double(low) || d > double(high)) {
            fail(key);
            return fallback;
        }
        return qint64(d);
    }

    bool ok() const { return m_bad.isEmpty(); }
    QString bad() const { return m_bad; }

private:
    void fail(const char* key)
    {
        if (m_bad.isEmpty())
            m_bad = QLatin1String(key);
    }

    QJsonObject m_object;
    QString m_bad;
};

bool knownFormat(const QString& format)
{
    for (const char* f : {"mp4", "mov", "mkv", "avi", "mp3"}) {
        if (format == QLatin1String(f))
            return true;
    }
    return false;
}

} // namespace

// ---- one job -----------------------------------------------------------------

SavedQueue::Job SavedQueue::Job::fromJob(const VideoItemData& item)
{
    Job job;
    job.sourcePath = item.m_sourcePath;
    job.srtPath = item.m_srtPath;
    job.softSubtitle = item.m_bSoftSubtitle;
    job.format = item.m_format;
    job.state = item.m_nState;
    if (const MediaInfo* m = item.m_pMediaInfo) {
        job.trimStart = m->trimStart;
        job.trimEnd = m->trimEnd;
        job.cropX = m->cropX;
        job.cropY = m->cropY;
        job.cropWidth = m->cropWidth;
        job.cropHeight = m->cropHeight;
        job.rotation = m->rotation;
        job.flipH = m->flipH == 1 ? 1 : 0;
        job.flipV = m->flipV == 1 ? 1 : 0;
        job.removeOriginalAudio = m->removeOriginalAudio;
        job.externalAudioPath = m->externalAudioPath;
    }
    return job;
}

void SavedQueue::Job::applyTo(VideoItemData* item) const
{
    if (!item)
        return;
    item->m_srtPath = srtPath;
    item->m_bSoftSubtitle = softSubtitle;
    if (MediaInfo* m = item->m_pMediaInfo) {
        m->trimStart = trimStart;
        m->trimEnd = trimEnd;
        // The source may have been replaced by one with a smaller picture.
        const bool fits = qint64(cropX) + cropWidth <= m->width && qint64(cropY) + cropHeight <= m->height;
        if (fits) {
            m->cropX = cropX;
            m->cropY = cropY;
            m->cropWidth = cropWidth;
            m->cropHeight = cropHeight;
        }
        m->rotation = rotation;
        m->flipH = flipH;
        m->flipV = flipV;
        m->removeOriginalAudio = removeOriginalAudio;
        m->externalAudioPath = externalAudioPath;
    }
    // Recomputes the size estimate for the edited range and shows the job.
    item->setOutputProfile(item->m_pOutputProfile);
}

bool SavedQueue::Job::isFinished() const
{
    return state == VideoItemData::Completed;
}

bool SavedQueue::Job::operator==(const Job& o) const
{
    return sourcePath == o.sourcePath && srtPath == o.srtPath && softSubtitle == o.softSubtitle
        && format == o.format && state == o.state && trimStart == o.trimStart && trimEnd == o.trimEnd
        && cropX == o.cropX && cropY == o.cropY && cropWidth == o.cropWidth && cropHeight == o.cropHeight
        && rotation == o.rotation && flipH == o.flipH && flipV == o.flipV
        && removeOriginalAudio == o.removeOriginalAudio && externalAudioPath == o.externalAudioPath;
}

// ---- the file's text ---------------------------------------------------------------

QByteArray SavedQueue::toJson() const
{
    QJsonArray list;
    for (const Job& job : jobs) {
        QJsonObject o;
        o.insert(str("source"), job.sourcePath);
        if (!job.srtPath.isEmpty())
            o.insert(str("subtitle"), job.srtPath);
        o.insert(str("softSubtitle"), job.softSubtitle);
        o.insert(str("format"), job.format);
        o.insert(str("state"), job.state);
        o.insert(str("trimStart"), double(job.trimStart));
        o.insert(str("trimEnd"), double(job.trimEnd));
        o.insert(str("cropX"), job.cropX);
        o.insert(str("cropY"), job.cropY);
        o.insert(str("cropWidth"), job.cropWidth);
        o.insert(str("cropHeight"), job.cropHeight);
        o.insert(str("rotation"), job.rotation);
        o.insert(str("flipH"), job.flipH);
        o.insert(str("flipV"), job.flipV);
        o.insert(str("removeOriginalAudio"), job.removeOriginalAudio);
        if (!job.externalAudioPath.isEmpty())
            o.insert(str("externalAudio"), job.externalAudioPath);
        list.append(o);
    }
    QJsonObject root;
    root.insert(str("format"), FormatName);
    root.insert(str("version"), Version);
    root.insert(str("outputFormat"), outputFormat);
    root.insert(str("jobs"), list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool SavedQueue::fromJson(const QByteArray& bytes, QString* error)
{
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refuse(str("not JSON: ") + parseError.errorString() + str(" at byte ")
            + QString::number(parseError.offset));
    if (!doc.isObject())
        return refuse(str("not a JSON object"));
    const QJsonObject root = doc.object();
    if (root.value(str("format")) != QJsonValue(FormatName))
        return refuse(str("not a saved job list"));
    if (root.value(str("version")) != QJsonValue(Version))
        return refuse(str("unknown version"));
    Reader top(root);
    const QString format = top.text("outputFormat");
    if (!top.ok() || (!format.isEmpty() && !knownFormat(format)))
        return refuse(str("bad outputFormat"));
    const QJsonValue list = root.value(str("jobs"));
    if (!list.isArray())
        return refuse(str("no job list"));

    QList<Job> read;
    const QJsonArray array = list.toArray();
    for (int i = 0; i < array.size(); ++i) {
        if (!array.at(i).isObject())
            return refuse(str("job %1 is not an object").arg(i));
        Reader r(array.at(i).toObject());
        Job job;
        job.sourcePath = r.text("source");
        job.srtPath = r.text("subtitle");
        job.softSubtitle = r.flag("softSubtitle", true);
        job.format = r.text("format");
        job.state = int(r.whole("state", -1, 4, -1));
        job.trimStart = r.whole("trimStart", 0, qint64(LargestExact));
        job.trimEnd = r.whole("trimEnd", 0, qint64(LargestExact));
        job.cropX = int(r.whole("cropX", 0, 1 << 20));
        job.cropY = int(r.whole("cropY", 0, 1 << 20));
        job.cropWidth = int(r.whole("cropWidth", 0, 1 << 20));
        job.cropHeight = int(r.whole("cropHeight", 0, 1 << 20));
        job.rotation = int(r.whole("rotation", 0, 270));
        job.flipH = int(r.whole("flipH", 0, 1));
        job.flipV = int(r.whole("flipV", 0, 1));
        job.removeOriginalAudio = r.flag("removeOriginalAudio", false);
        job.externalAudioPath = r.text("externalAudio");
        if (!r.ok())
            return refuse(str("job %1: bad %2").arg(i).arg(r.bad()));
        if (job.sourcePath.isEmpty())
            return refuse(str("job %1 has no source").arg(i));
        if (job.rotation % 90 != 0)
            return refuse(str("job %1: bad rotation").arg(i));
        if (!job.format.isEmpty() && !knownFormat(job.format))
            return refuse(str("job %1: bad format").arg(i));
        read << job;
    }
    outputFormat = format;
    jobs = read;
    return true;
}

// ---- the file ----------------------------------------------------------------------

QString SavedQueue::defaultPath()
{
    const QSettings settings(SettingKeys::Organisation, SettingKeys::Application);
    return QFileInfo(settings.fileName()).absolutePath() + QLatin1Char('/') + SettingKeys::Application
        + QLatin1String("-queue.json");
}

SavedQueue::Status SavedQueue::load(const QString& path, QString* error)
{
    jobs.clear();
    outputFormat.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return NoFile;
    if (info.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("larger than %1 bytes").arg(MaxFileSize);
        return Damaged;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return Damaged;
    }
    SavedQueue read;
    if (!read.fromJson(file.read(MaxFileSize + 1), error))
        return Damaged;
    *this = read;
    return Read;
}

bool SavedQueue::save(const QString& path, QString* error) const
{
    return write(path, toJson(), error);
}

bool SavedQueue::write(const QString& path, const QByteArray& bytes, QString* error)
{
    // At the first start nothing has made the settings folder yet.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString SavedQueue::setAside(const QString& path)
{
    const QString stem = path + QLatin1String(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // rename() never replaces an existing file, so an earlier one stays.
    for (int n = 1; n < 1000; ++n) {
        const QString target = n == 1 ? stem : stem + QLatin1Char('-') + QString::number(n);
        if (QFileInfo::exists(target))
            continue;
        if (QFile::rename(path, target))
            return target;
        // Only a name taken meanwhile is worth another try.
        if (!QFileInfo::exists(target))
            return QString();
    }
    return QString();
}

int SavedQueue::unfinishedCount() const
{
    int n = 0;
    for (const Job& job : jobs)
        n += job.isFinished() ? 0 : 1;
    return n;
}
