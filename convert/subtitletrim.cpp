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

qint64 readTime(const QRegularExpressionMatch& m, int first)
{
    const qint64 h = m.captured(first).toLongLong();
    const qint64 min = m.captured(first + 1).toLongLong();
    const qint64 s = m.captured(first + 2).toLongLong();
    // The fraction is decimal: ",5" is half a second.
    const qint64 ms = m.captured(first + 3).leftJustified(3, QLatin1Char('0')).toLongLong();
    return ((h * 60 + min) * 60 + s) * 1000000 + ms * 1000;
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
        if (line.endsWith('\r'))
            line.chop(1);
        const QRegularExpressionMatch m = timing.match(QString::fromLatin1(line));
        if (m.hasMatch()) {
            // A missing blank line leaves the next cue's number on this one.
            if (inCue && !cues.last().lines.isEmpty() && isNumber(cues.last().lines.last()))
                cues.last().lines.removeLast();
            Cue cue;
            cue.start = readTime(m, 1);
            cue.end = readTime(m, 5);
            cue.rest = m.captured(9).toLatin1();
            cues.append(cue);
            inCue = true;
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
    const QList<Cue> cues = readCues(srt);
    if (cueCount)
        *cueCount = cues.size();
    QByteArray out;
    int n = 0;
    for (const Cue& cue : cues) {
        const qint64 start = qMax(cue.start, from) - from;
        const qint64 end = (to > 0 ? qMin(cue.end, to) : cue.end) - from;
        if (end <= start)
            continue;
        out += QByteArray::number(++n) + '\n' + writeTime(start) + " --> " + writeTime(end) + cue.rest + '\n';
        for (const QByteArray& line : cue.lines)
            out += line + '\n';
        out += '\n';
    }
    return out;
}
