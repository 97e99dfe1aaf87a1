<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Rechercher automatiquement les mises à jour</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>Activer le décodage/encodage GPU</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>Ajouter automatiquement le fichier SRT.</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>Couleur de l’interface :</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>Conversions simultanées max. :</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>Une fois tout terminé :</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ne rien faire</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Éteindre</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Assistance</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>Le fichier ffmpeg est introuvable. Veuillez télécharger et réinstaller l’application.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>Ces fichiers n’ont pas pu être lus et n’ont pas été ajoutés :</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>Ces fichiers de la dernière session n'existent plus ou n'ont pas pu être lus, et n'ont pas été restaurés :</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>La liste des tâches n'a pas pu être enregistrée dans %1 : %2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>Restaurer les tâches</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>%1 tâches n'étaient pas terminées à la dernière fermeture du programme. Les remettre dans la liste ?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>Déposez des fichiers pour les ajouter</translation>
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
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ Ajouter des vidéos</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>Convertisseur de formats vidéo</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>Cliquez sur le bouton ci-dessous pour ajouter des vidéos.</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>Ouvrir le dossier de sortie</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Format de sortie :</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Tout convertir</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Temps restant : %1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>Temps nécessaire pour terminer toutes les tâches en attente et en cours</translation>
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
        <translation>Ajouter l’audio :</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>Supprimer l’audio d’origine</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>Ajouter un fichier audio</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>Recadrer</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X :</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y :</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Retourner verticalement</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Retourner horizontalement</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Pivoter à droite</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Pivoter à gauche</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>Découper</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Début :</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin :</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>Impossible de lancer ffmpeg : %1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg s’est arrêté de façon inattendue.</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg s’est terminé avec le code de sortie %1.</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg a signalé une erreur.</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg n’a écrit aucun fichier de sortie.</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>Aucun dossier de sortie n’est défini.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>Le dossier de sortie %1 est introuvable.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>Impossible d’écrire dans le dossier de sortie %1.</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>Impossible de lire le fichier de sous-titres %1 : %2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>Impossible d’écrire une copie des sous-titres dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>Ajouter des sous-titres</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>En attente...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Conversion...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>Conversion terminée</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>Échec de la conversion</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>Incrustés</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>Piste séparée</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Tout supprimer</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>subtitle</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>Encoding speed, in multiples of playback</source>
        <translation>Vitesse d'encodage, en multiples de la lecture</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Temps restant</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>Toutes les conversions sont terminées</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>L'ordinateur redémarrera dans %n seconde.</numerusform>
            <numerusform>L'ordinateur redémarrera dans %n secondes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>L'ordinateur s'éteindra dans %n seconde.</numerusform>
            <numerusform>L'ordinateur s'éteindra dans %n secondes.</numerusform>
        </translation>
    </message>
</context>
</TS>
