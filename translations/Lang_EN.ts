<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>General Settings</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Automatically check for updates</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>Enable GPU decoded/encoded</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>Auto add the SRT file.</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>UI Color:</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>Maximum number of active convert:</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>All the finished:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Shutdown</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>Lost the ffmpeg file, Please download and reinstall the application</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>These files could not be read and were not added:</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>These files of the last session no longer exist or could not be read, and were not restored:</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>The list of jobs could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>Restore Jobs</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>%1 jobs were left unfinished when the program last ended. Restore them to the list?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>Drop files to add them</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>MOV</source>
        <translation>MOV</translation>
    </message>
    <message>
        <source>MKV</source>
        <translation>MKV</translation>
    </message>
    <message>
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Open Directory</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ Add Video</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>Video Format Converter</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>Click the button below to add videos.</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Output Folder:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Choose the output folder</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>Open the output folder</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Output Format:</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Convert All</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Time left: %1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>Time until every waiting and converting job is done</translation>
    </message>
</context>
<context>
    <name>VideoEditAudioWidget</name>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Add Audio:</source>
        <translation>Add Audio:</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>Remove Original Audio</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>Add Audio File</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Flip Vertical</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Flip Horizontal</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Rotate Left</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Start Time:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>End Time:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>Could not start ffmpeg: %1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg stopped unexpectedly.</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg ended with exit status %1.</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg reported an error.</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg wrote no output.</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>No output folder is set.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>The output folder %1 cannot be found.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>The output folder %1 cannot be written to.</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>Could not read the subtitle file %1: %2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>Could not write a copy of the subtitle into %1: %2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>Add subtitle</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>Conversion completed</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>Conversion failed</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>Burn-In</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>Softcode</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Remove All</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>subtitle</source>
        <translation>subtitle</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>Encoding speed, in multiples of playback</source>
        <translation>Encoding speed, in multiples of playback</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Time left</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>All conversions have finished</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>The computer will restart in %n second.</numerusform>
            <numerusform>The computer will restart in %n seconds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>The computer will shut down in %n second.</numerusform>
            <numerusform>The computer will shut down in %n seconds.</numerusform>
        </translation>
    </message>
</context>
</TS>
