#include "convert/subtitletrim.h"

#include <QList>
#include <QRegularExpression>

namespace {

struct Cue
{
    qint64 start = 0;
    qint64 end = 0;
    QByteArray rest; // position hints after the end time
    QList<QByteArray> lines;
};

// False when the hours are beyond any time we can hold: a cue that far out
// is unreadable, not one at some wrapped-around time.
bool readTime(const QRegularExpressionMatch& m, int first, qint64& us)
{
    bool ok = false;
    const qint64 h = m.captured(first).toLongLong(&ok);
    const qint64 min = m.captured(first + 1).toLongLong();
    const qint64 s = m.captured(first + 2).toLongLong();
    // The fraction is decimal: ",5" is half a second.
    const qint64 ms = m.captured(first + 3).leftJustified(3, QLatin1Char('0')).toLongLong();
    qint64 seconds = 0;
    return ok && !__builtin_mul_overflow(h, qint64(3600), &seconds)
        && !__builtin_add_overflow(seconds, min * 60 + s, &seconds)
        && !__builtin_mul_overflow(seconds, qint64(1000000), &us) && !__builtin_add_overflow(us, ms * 1000, &us);
}

QByteArray writeTime(qint64 us)
{
    const qint64 ms = us / 1000;
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'))
        .toLatin1();
}

bool isNumber(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty())
        return false;
    for (const char c : t) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QList<Cue> readCues(QByteArray srt)
{
    if (srt.startsWith("\xEF\xBB\xBF"))
        srt.remove(0, 3);
    static const QRegularExpression timing(QStringLiteral(
        "^\\s*(\\d+):(\\d{1,2}):(\\d{1,2})[,.](\\d{1,3})\\s*-->\\s*(\\d+):(\\d{1,2}):(\\d{1,2})[,.](\\d{1,3})(.*)$"));
    QList<Cue> cues;
    bool inCue = false;
    for (QByteArray line : srt.split('\n')) {
        // Every carriage return at the end goes, so that what is written
        // back reads the same.
        while (line.endsWith('\r'))
            line.chop(1);
        const QRegularExpressionMatch m = timing.match(QString::fromLatin1(line.constData(), line.size()));
        if (m.hasMatch()) {
            // A missing blank line leaves the next cue's number on this one.
            if (inCue && !cues.last().lines.isEmpty() && isNumber(cues.last().lines.last()))
                cues.last().lines.removeLast();
            Cue cue;
            // An unreadable cue goes with its text.
            inCue = readTime(m, 1, cue.start) && readTime(m, 5, cue.end);
            if (inCue) {
                cue.rest = m.captured(9).toLatin1();
                cues.append(cue);
            }
        } else if (line.trimmed().isEmpty()) {
            inCue = false;
        } else if (inCue) {
            cues.last().lines.append(line);
        }
    }
    return cues;
}

} // namespace

QByteArray SubtitleTrim::cut(const QByteArray& srt, qint64 from, qint64 to, int* cueCount)
{
    from = qMax<qint64>(from, 0);
    const QList<Cue> cues = readCues(srt);
    if (cueCount)
        *cueCount = cues.size();
    QByteArray out;
    int n = 0;
    for (const Cue& cue : cues) {
        const qint64 start = qMax(cue.start, from) - from;
        const qint64 end = (to > 0 ? qMin(cue.end, to) : cue.end) - from;
        // Compared as written, in whole milliseconds: less than one left
        // would be written as a cue that ends where it starts.
        if (end / 1000 <= start / 1000)
            continue;
        out += QByteArray::number(++n) + '\n' + writeTime(start) + " --> " + writeTime(end) + cue.rest + '\n';
        for (const QByteArray& line : cue.lines)
            out += line + '\n';
        out += '\n';
    }
    return out;
}
