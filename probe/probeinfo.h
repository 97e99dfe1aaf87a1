#pragma once

#include "probe/probestream.h"
#include "probe/probetags.h"

#include <QList>
#include <QString>
#include <QStringList>

// ffprobe's detailed report of one file, kept with its job.
class ProbeInfo
{
public:
    QList<ProbeStream> streams;

    // Members of the JSON "format" object.
    QString filename;
    QString nb_streams;
    QString nb_programs;
    QString format_name;
    QString format_long_name;
    QString start_time;
    QString duration;
    QString size;
    QString bit_rate;
    QString probe_score;
    ProbeTags formatTags;

    QStringList hwAccels;
};
