#pragma once

#include "probe/probedisposition.h"
#include "probe/probetags.h"

#include <QString>

// One element of ffprobe's "streams" array. Fields carry the JSON keys'
// names; every value but the index is kept as text.
class ProbeStream
{
public:
    int index = 0;
    QString codec_name;
    QString codec_long_name;
    QString profile;
    QString codec_type;
    QString codec_tag_string;
    QString codec_tag;
    QString width;
    QString height;
    QString coded_width;
    QString coded_height;
    QString closed_captions;
    QString has_b_frames;
    QString sample_aspect_ratio;
    QString display_aspect_ratio;
    QString pix_fmt;
    QString level;
    QString color_range;
    QString color_space;
    QString color_transfer;
    QString color_primaries;
    QString refs;
    QString r_frame_rate;
    QString avg_frame_rate;
    QString time_base;
    QString start_pts;
    QString start_time;
    QString duration_ts;
    QString duration;
    QString bit_rate;
    QString bits_per_raw_sample;
    QString nb_frames;
    ProbeDisposition disposition;
    ProbeTags tags;
    QString sample_fmt;
    QString sample_rate;
    QString channels;
    QString channel_layout;
    QString bits_per_sample;
};
