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
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>Falta el archivo ffmpeg. Descargue e instale de nuevo la aplicación.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>No se pudieron leer estos archivos y no se han añadido:</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>Estos archivos de la última sesión ya no existen o no se pudieron leer, y no se restauraron:</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>No se pudo guardar la lista de tareas en %1: %2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>Restaurar tareas</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>%1 tareas quedaron sin terminar la última vez que se cerró el programa. ¿Restaurarlas en la lista?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>Suelte archivos para añadirlos</translation>
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
        <translation>Seleccionar carpeta</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ Añadir vídeo</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>Conversor de formatos de vídeo</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>Haga clic en el botón de abajo para añadir vídeos.</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Carpeta de salida:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Elegir la carpeta de salida</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>Abrir la carpeta de salida</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato de salida:</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Convertir todo</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Tiempo restante: %1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>Tiempo hasta que terminen todas las tareas en espera y en curso</translation>
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
        <translation>Añadir audio:</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>Quitar el audio original</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>Añadir archivo de audio</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>Recortar</translation>
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
        <translation>Ancho:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Alto:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Voltear verticalmente</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Voltear horizontalmente</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Girar a la derecha</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Girar a la izquierda</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Inicio:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>No se pudo iniciar ffmpeg: %1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg se detuvo inesperadamente.</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg terminó con el código de salida %1.</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg informó de un error.</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg no generó ningún archivo de salida.</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>No hay ninguna carpeta de salida definida.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>No se encuentra la carpeta de salida %1.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>No se puede escribir en la carpeta de salida %1.</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>No se pudo leer el archivo de subtítulos %1: %2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>No se pudo escribir una copia del subtítulo en %1: %2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>Añadir subtítulos</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>En espera...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Convirtiendo...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>Conversión completada</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>Error en la conversión</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Origen</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>Incrustados</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>Pista aparte</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Quitar todo</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>subtitle</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>Encoding speed, in multiples of playback</source>
        <translation>Velocidad de codificación, en múltiplos de la reproducción</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Tiempo restante</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>Todas las conversiones han terminado</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>El equipo se reiniciará en %n segundo.</numerusform>
            <numerusform>El equipo se reiniciará en %n segundos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>El equipo se apagará en %n segundo.</numerusform>
            <numerusform>El equipo se apagará en %n segundos.</numerusform>
        </translation>
    </message>
</context>
</TS>
