#include "probe/probejsonreader.h"

#include "probe/probeinfo.h"

#include <cjson/cJSON.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

struct JsonDeleter
{
    void operator()(cJSON* item) const { cJSON_Delete(item); }
};

template <typename Record> struct TextField
{
    const char* key;
    QString Record::*member;
};

const TextField<ProbeStream> streamFields[] = {
    {"codec_name", &ProbeStream::codec_name},
    {"codec_long_name", &ProbeStream::codec_long_name},
    {"profile", &ProbeStream::profile},
    {"codec_type", &ProbeStream::codec_type},
    {"codec_tag_string", &ProbeStream::codec_tag_string},
    {"codec_tag", &ProbeStream::codec_tag},
    {"width", &ProbeStream::width},
    {"height", &ProbeStream::height},
    {"coded_width", &ProbeStream::coded_width},
    {"coded_height", &ProbeStream::coded_height},
    {"closed_captions", &ProbeStream::closed_captions},
    {"has_b_frames", &ProbeStream::has_b_frames},
    {"sample_aspect_ratio", &ProbeStream::sample_aspect_ratio},
    {"display_aspect_ratio", &ProbeStream::display_aspect_ratio},
    {"pix_fmt", &ProbeStream::pix_fmt},
    {"level", &ProbeStream::level},
    {"color_range", &ProbeStream::color_range},
    {"color_space", &ProbeStream::color_space},
    {"color_transfer", &ProbeStream::color_transfer},
    {"color_primaries", &ProbeStream::color_primaries},
    {"refs", &ProbeStream::refs},
    {"r_frame_rate", &ProbeStream::r_frame_rate},
    {"avg_frame_rate", &ProbeStream::avg_frame_rate},
    {"time_base", &ProbeStream::time_base},
    {"start_pts", &ProbeStream::start_pts},
    {"start_time", &ProbeStream::start_time},
    {"duration_ts", &ProbeStream::duration_ts},
    {"duration", &ProbeStream::duration},
    {"bit_rate", &ProbeStream::bit_rate},
    {"bits_per_raw_sample", &ProbeStream::bits_per_raw_sample},
    {"nb_frames", &ProbeStream::nb_frames},
    {"sample_fmt", &ProbeStream::sample_fmt},
    {"sample_rate", &ProbeStream::sample_rate},
    {"channels", &ProbeStream::channels},
    {"channel_layout", &ProbeStream::channel_layout},
    {"bits_per_sample", &ProbeStream::bits_per_sample},
};

const TextField<ProbeDisposition> dispositionFields[] = {
    {"default", &ProbeDisposition::default_},
    {"dub", &ProbeDisposition::dub},
    {"original", &ProbeDisposition::original},
    {"comment", &ProbeDisposition::comment},
    {"lyrics", &ProbeDisposition::lyrics},
    {"karaoke", &ProbeDisposition::karaoke},
    {"forced", &ProbeDisposition::forced},
    {"hearing_impaired", &ProbeDisposition::hearing_impaired},
    {"visual_impaired", &ProbeDisposition::visual_impaired},
    {"clean_effects", &ProbeDisposition::clean_effects},
    {"attached_pic", &ProbeDisposition::attached_pic},
    {"timed_thumbnails", &ProbeDisposition::timed_thumbnails},
};

const TextField<ProbeTags> tagFields[] = {
    {"language", &ProbeTags::language},
    {"DURATION", &ProbeTags::DURATION},
    {"ENCODER", &ProbeTags::ENCODER},
    {"HANDLER_NAME", &ProbeTags::HANDLER_NAME},
};

const TextField<ProbeInfo> formatFields[] = {
    {"filename", &ProbeInfo::filename},
    {"nb_streams", &ProbeInfo::nb_streams},
    {"nb_programs", &ProbeInfo::nb_programs},
    {"format_name", &ProbeInfo::format_name},
    {"format_long_name", &ProbeInfo::format_long_name},
    {"start_time", &ProbeInfo::start_time},
    {"duration", &ProbeInfo::duration},
    {"size", &ProbeInfo::size},
    {"bit_rate", &ProbeInfo::bit_rate},
    {"probe_score", &ProbeInfo::probe_score},
};

QString itemText(const cJSON* item)
{
    if (cJSON_IsString(item) && item->valuestring)
        return QString::fromUtf8(item->valuestring);
    // Numbers keep their value; true, false, null and nested values carry none.
    return ProbeJsonReader::numberText(cJSON_IsNumber(item) ? item->valuedouble : 0.0);
}

// Keys are matched exactly; an absent key leaves the field empty.
template <typename Record, std::size_t N>
void fill(Record& record, const cJSON* object, const TextField<Record> (&fields)[N])
{
    for (const TextField<Record>& field : fields) {
        if (const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, field.key))
            record.*field.member = itemText(item);
    }
}

int indexValue(const cJSON* item)
{
    if (!cJSON_IsNumber(item) || !std::isfinite(item->valuedouble))
        return 0;
    const double v = std::trunc(item->valuedouble);
    if (v < double(std::numeric_limits<int>::min()) || v > double(std::numeric_limits<int>::max()))
        return 0;
    return int(v);
}

ProbeStream readStream(const cJSON* object)
{
    ProbeStream stream;
    if (!cJSON_IsObject(object))
        return stream;
    stream.index = indexValue(cJSON_GetObjectItemCaseSensitive(object, "index"));
    fill(stream, object, streamFields);
    const cJSON* disposition = cJSON_GetObjectItemCaseSensitive(object, "disposition");
    if (cJSON_IsObject(disposition))
        fill(stream.disposition, disposition, dispositionFields);
    const cJSON* tags = cJSON_GetObjectItemCaseSensitive(object, "tags");
    if (cJSON_IsObject(tags))
        fill(stream.tags, tags, tagFields);
    return stream;
}

QString normalisedKey(const char* key)
{
    QString k = QString::fromUtf8(key);
    k.remove(QLatin1Char('\n'));
    k.remove(QLatin1Char('\r'));
    k.remove(QLatin1Char(' '));
    return k.trimmed();
}

} // namespace

QString ProbeJsonReader::numberText(double value)
{
    return QString::number(value, 'g', 6);
}

void ProbeJsonReader::read(const QString& text, ProbeInfo* info)
{
    if (!info)
        return;
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<cJSON, JsonDeleter> root(cJSON_ParseWithLength(utf8.constData(), size_t(utf8.size())));
    if (!root || !cJSON_IsObject(root.get()))
        return;

    const cJSON* member = nullptr;
    cJSON_ArrayForEach(member, root.get())
    {
        if (!member->string)
            continue;
        const QString key = normalisedKey(member->string);
        if (key.compare(QLatin1String("streams"), Qt::CaseInsensitive) == 0) {
            if (!cJSON_IsArray(member))
                continue;
            const cJSON* element = nullptr;
            cJSON_ArrayForEach(element, member)
            {
                info->streams.append(readStream(element));
            }
        } else if (key.compare(QLatin1String("format"), Qt::CaseInsensitive) == 0) {
            if (!cJSON_IsObject(member))
                continue;
            fill(*info, member, formatFields);
            const cJSON* tags = cJSON_GetObjectItemCaseSensitive(member, "tags");
            if (cJSON_IsObject(tags))
                fill(info->formatTags, tags, tagFields);
        }
    }
}
