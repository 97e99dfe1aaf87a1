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
</TS>
