<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>GPU-Dekodierung/-Kodierung aktivieren</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>SRT-Datei automatisch hinzufügen.</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>Farbschema:</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>Max. gleichzeitige Konvertierungen:</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>Wenn alles fertig ist:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nichts tun</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Herunterfahren</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>Die Datei „ffmpeg“ fehlt. Bitte laden Sie die Anwendung erneut herunter und installieren Sie sie neu.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>Diese Dateien konnten nicht gelesen werden und wurden nicht hinzugefügt:</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>Diese Dateien der letzten Sitzung gibt es nicht mehr oder sie konnten nicht gelesen werden; sie wurden nicht wiederhergestellt:</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>Die Auftragsliste konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>Aufträge wiederherstellen</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>%1 Aufträge waren beim letzten Beenden des Programms nicht fertig. Sollen sie wieder in die Liste aufgenommen werden?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>Dateien hier ablegen, um sie hinzuzufügen</translation>
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
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ Video hinzufügen</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>Videoformat-Konverter</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>Klicken Sie unten auf die Schaltfläche, um Videos hinzuzufügen.</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Zielordner:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Zielordner auswählen</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>Zielordner öffnen</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Alle konvertieren</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Verbleibende Zeit: %1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>Zeit, bis alle wartenden und laufenden Aufträge fertig sind</translation>
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
        <translation>Audio hinzufügen:</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>Originalton entfernen</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>Audiodatei hinzufügen</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
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
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Startzeit:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Endzeit:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>ffmpeg konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg wurde mit dem Status %1 beendet.</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg hat keine Ausgabedatei geschrieben.</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>Es ist kein Zielordner festgelegt.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>Der Zielordner %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>In den Zielordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>Die Untertiteldatei %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>Eine Kopie des Untertitels konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>Untertitel hinzufügen</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Warten...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Wird konvertiert...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>Konvertierung abgeschlossen</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>Konvertierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>Einbrennen</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>Als Spur</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>Encoding speed, in multiples of playback</source>
        <translation>Kodiergeschwindigkeit als Vielfaches der Wiedergabe</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Verbleibende Zeit</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>Alle Konvertierungen sind abgeschlossen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wird in %n Sekunde neu gestartet.</numerusform>
            <numerusform>Der Computer wird in %n Sekunden neu gestartet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wird in %n Sekunde heruntergefahren.</numerusform>
            <numerusform>Der Computer wird in %n Sekunden heruntergefahren.</numerusform>
        </translation>
    </message>
</context>
</TS>
