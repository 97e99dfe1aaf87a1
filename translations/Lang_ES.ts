<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>Configuración general</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Buscar actualizaciones automáticamente</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>Activar decodificación/codificación por GPU</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>Añadir automáticamente el archivo SRT.</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>Color de la interfaz:</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>Máx. de conversiones simultáneas:</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>Al terminar todo:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
    <message>
        <source>None</source>
        <translation>No hacer nada</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Apagar</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Soporte técnico</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Sitio web</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ayuda</translation>
    </message>
</context>
</TS>
