#include "morvaynetest.h"
#include "probe/probeinfo.h"
#include "probe/probejsonreader.h"

namespace {

// A field of the record by a short path: "count", "s0.index", "s1.width",
// "s0.disposition.default", "s0.tags.DURATION", "format.size", "formatTags".
QString fieldOf(const ProbeInfo& info, const QString& path)
{
    const int i = path.midRef(1, path.indexOf(QLatin1Char('.')) - 1).toInt();
    const ProbeStream s = path.startsWith(QLatin1Char('s')) ? info.streams.value(i) : ProbeStream();
    const QHash<QString, QString> fields{{QStringLiteral("count"), QString::number(info.streams.size())},
        {QStringLiteral("format.filename"), info.filename}, {QStringLiteral("format.nb_streams"), info.nb_streams},
        {QStringLiteral("format.size"), info.size}, {QStringLiteral("format.bit_rate"), info.bit_rate},
        {QStringLiteral("formatTags"), info.formatTags.ENCODER}, {QStringLiteral("index"), QString::number(s.index)},
        {QStringLiteral("codec_name"), s.codec_name}, {QStringLiteral("width"), s.width},
        {QStringLiteral("height"), s.height}, {QStringLiteral("r_frame_rate"), s.r_frame_rate},
        {QStringLiteral("duration_ts"), s.duration_ts}, {QStringLiteral("level"), s.level},
        {QStringLiteral("channels"), s.channels}, {QStringLiteral("nb_frames"), s.nb_frames},
        {QStringLiteral("sample_rate"), s.sample_rate}, {QStringLiteral("bits_per_sample"), s.bits_per_sample},
        {QStringLiteral("disposition.default"), s.disposition.default_},
        {QStringLiteral("disposition.timed_thumbnails"), s.disposition.timed_thumbnails},
        {QStringLiteral("tags.language"), s.tags.language}, {QStringLiteral("tags.DURATION"), s.tags.DURATION},
        {QStringLiteral("tags.HANDLER_NAME"), s.tags.HANDLER_NAME}};
    const QString key = path.startsWith(QLatin1Char('s')) ? path.mid(path.indexOf(QLatin1Char('.')) + 1) : path;
    return fields.value(key, QStringLiteral("?"));
}

void row(const char* name, const QString& json, const char* path, const char* expected)
{
    QTest::newRow(name) << json << QString::fromUtf8(path) << QString::fromUtf8(expected);
}

} // namespace

class TestProbeJsonReader : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
};

void TestProbeJsonReader::fields_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QString stream = QStringLiteral(R"({"streams": [{"index": 0, "codec_name": "h264", "width": 1920,
        "height": 1080, "r_frame_rate": "1/25", "duration_ts": 1234567, "level": -99, "nb_frames": true,
        "bits_per_sample": null, "sample_rate": false, "channels": 5.25,
        "disposition": {"default": 1, "attached_pic": 0},
        "tags": {"language": "日本語", "DURATION": "00:00:02.000", "duration": "wrong case",
                 "HANDLER_NAME": "Vidéo"}}]})");
    row("number kept as text", stream, "s0.width", "1920");
    row("string unchanged", stream, "s0.r_frame_rate", "1/25");
    row("six significant digits", stream, "s0.duration_ts", "1.23457e+06");
    row("negative number", stream, "s0.level", "-99");
    row("fraction", stream, "s0.channels", "5.25");
    row("true", stream, "s0.nb_frames", "0");
    row("false", stream, "s0.sample_rate", "0");
    row("null", stream, "s0.bits_per_sample", "0");
    row("absent key", stream, "s0.height", "1080");
    row("absent key stays empty", QStringLiteral(R"({"streams":[{"index":0}]})"), "s0.codec_name", "");
    row("disposition", stream, "s0.disposition.default", "1");
    row("disposition absent key", stream, "s0.disposition.timed_thumbnails", "");
    row("tag in UTF-8", stream, "s0.tags.language", "日本語");
    row("tag key case kept", stream, "s0.tags.DURATION", "00:00:02.000");
    row("tag accents", stream, "s0.tags.HANDLER_NAME", "Vidéo");

    const QString indexes = QStringLiteral(
        R"({"streams": [{"index": 3.9}, {"index": -2.5}, {"index": "5"}, {"index": 1e12}, 7, {"codec_name": "aac"}]})");
    row("index truncated", indexes, "s0.index", "3");
    row("negative index truncated", indexes, "s1.index", "-2");
    row("index as text", indexes, "s2.index", "0");
    row("index out of range", indexes, "s3.index", "0");
    row("element that is no object", indexes, "s4.codec_name", "");
    row("every element kept in order", indexes, "s5.codec_name", "aac");
    row("element count", indexes, "count", "6");

    row("key in capitals", QStringLiteral(R"({"STREAMS": [{"codec_name": "vp9"}]})"), "s0.codec_name", "vp9");
    row("key padded with blanks and breaks",
        QStringLiteral("{\" \\r\\n Streams \\n\": [{\"codec_name\": \"opus\"}], \"\\tformat \": {\"size\": \"9\"}}"),
        "s0.codec_name", "opus");
    row("tab at the edge trimmed", QStringLiteral("{\"\\tformat \": {\"size\": \"9\"}}"), "format.size", "9");
    row("other keys skipped", QStringLiteral(R"({"stream": [{}], "programs": [{}]})"), "count", "0");
    row("streams that are no list", QStringLiteral(R"({"streams": {"a": {}}})"), "count", "0");
    row("two stream lists add up", QStringLiteral(R"({"streams": [{}], "Streams": [{"codec_name": "mp3"}]})"),
        "s1.codec_name", "mp3");

    const QString format = QStringLiteral(R"({"format": {"filename": "/tmp/a b/ü.mp4", "nb_streams": 2,
        "format_name": "mov,mp4,m4a,3gp,3g2,mj2", "duration": "2.000000", "size": "12345678",
        "bit_rate": 4999000, "probe_score": 100, "tags": {"ENCODER": "Lavf59"}}})");
    row("format file name", format, "format.filename", "/tmp/a b/ü.mp4");
    row("format number", format, "format.nb_streams", "2");
    row("format big number", format, "format.bit_rate", "4.999e+06");
    row("format text number", format, "format.size", "12345678");
    row("format tags", format, "formatTags", "Lavf59");

    row("not JSON", QStringLiteral("Input #0, mov"), "count", "0");
    row("cut short", QStringLiteral(R"({"streams": [{"codec_name": "h264"},)"), "count", "0");
    row("array root", QStringLiteral(R"([{"streams": [{}]}])"), "count", "0");
    row("empty", QString(), "count", "0");
}

void TestProbeJsonReader::fields()
{
    QFETCH(QString, json);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    ProbeInfo info;
    ProbeJsonReader::read(json, &info);
    QCOMPARE(fieldOf(info, path), expected);
}

MORVAYNE_TEST_APPLESS_MAIN(TestProbeJsonReader)
#include "tst_probejsonreader.moc"
