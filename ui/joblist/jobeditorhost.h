#pragma once

class MediaInfo;
class VideoItemWidget;

// Opens the trim, crop and audio editors for a job's record. The main window
// implements it and registers itself; rows reach it through current(), so
// this library needs nothing from the application. Until a host registers,
// the rows' editing tools do nothing.
class JobEditorHost
{
public:
    JobEditorHost();
    virtual ~JobEditorHost();
    JobEditorHost(const JobEditorHost&) = delete;
    JobEditorHost& operator=(const JobEditorHost&) = delete;

    virtual void openTrimEditor(MediaInfo* record, VideoItemWidget* row) = 0;
    virtual void openCropEditor(MediaInfo* record, VideoItemWidget* row) = 0;
    virtual void openAudioEditor(MediaInfo* record, VideoItemWidget* row) = 0;

    // The registered host, or null.
    static JobEditorHost* current();
    // This host becomes current() until it is destroyed or another registers.
    void makeCurrent();
};
