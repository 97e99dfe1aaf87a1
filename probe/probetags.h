#pragma once

#include <QString>

// Tags of a stream or of the container, as ffprobe reports them. Keys are
// matched exactly, so the upper-case ones keep their case.
class ProbeTags
{
public:
    QString language;
    QString DURATION;
    QString ENCODER;
    QString HANDLER_NAME;
};
