<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>lumlink</name>
    <message>
        <source>Could not read %1: using the folders beside the program.</source>
        <translation>%1 konnte nicht gelesen werden: Die Ordner neben dem Programm werden verwendet.</translation>
    </message>
</context>
<context>
    <name>lumlink::Actions</name>
    <message>
        <source>&amp;New Project</source>
        <translation>&amp;Neues Projekt</translation>
    </message>
    <message>
        <source>Create a new project</source>
        <translation>Ein neues Projekt anlegen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open a project</source>
        <translation>Ein Projekt öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the project</source>
        <translation>Das Projekt speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the project under a new name</source>
        <translation>Das Projekt unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>&amp;Protection...</source>
        <translation>&amp;Schutz...</translation>
    </message>
    <message>
        <source>Protect the project with a password</source>
        <translation>Das Projekt mit einem Passwort schützen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <source>&amp;Programs from Project...</source>
        <translation>&amp;Programme aus Projekt...</translation>
    </message>
    <message>
        <source>Import programs from another project</source>
        <translation>Programme aus einem anderen Projekt übernehmen</translation>
    </message>
    <message>
        <source>Current &amp;Program...</source>
        <translation>Aktuelles &amp;Programm...</translation>
    </message>
    <message>
        <source>Export the current program as a document or image</source>
        <translation>Das aktuelle Programm als Dokument oder Bild exportieren</translation>
    </message>
    <message>
        <source>Whole P&amp;roject...</source>
        <translation>Ganzes P&amp;rojekt...</translation>
    </message>
    <message>
        <source>Export every program of the project as a document</source>
        <translation>Alle Programme des Projekts als Dokument exportieren</translation>
    </message>
    <message>
        <source>New &amp;Program</source>
        <translation>Neues &amp;Programm</translation>
    </message>
    <message>
        <source>Create a new program in the project</source>
        <translation>Ein neues Programm im Projekt anlegen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selection to the clipboard</source>
        <translation>Die Auswahl in die Zwischenablage ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Paste the clipboard</source>
        <translation>Die Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the selection</source>
        <translation>Die Auswahl löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Select everything</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Clear Se&amp;lection</source>
        <translation>Auswahl auf&amp;heben</translation>
    </message>
    <message>
        <source>Select nothing</source>
        <translation>Nichts auswählen</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Show the program larger</source>
        <translation>Das Programm größer zeigen</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Show the program smaller</source>
        <translation>Das Programm kleiner zeigen</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>An &amp;Fenster anpassen</translation>
    </message>
    <message>
        <source>Show the whole program</source>
        <translation>Das ganze Programm zeigen</translation>
    </message>
    <message>
        <source>&amp;Magnifier</source>
        <translation>&amp;Lupe</translation>
    </message>
    <message>
        <source>Magnify the program under the mouse</source>
        <translation>Das Programm unter der Maus vergrößern</translation>
    </message>
    <message>
        <source>&amp;Message Window</source>
        <translation>&amp;Meldungsfenster</translation>
    </message>
    <message>
        <source>Show or hide the message window</source>
        <translation>Das Meldungsfenster zeigen oder verbergen</translation>
    </message>
    <message>
        <source>&amp;Global Variables</source>
        <translation>&amp;Globale Variablen</translation>
    </message>
    <message>
        <source>Show the global variables of the project</source>
        <translation>Die globalen Variablen des Projekts zeigen</translation>
    </message>
    <message>
        <source>&amp;Devices</source>
        <translation>&amp;Geräte</translation>
    </message>
    <message>
        <source>Show the devices of the project</source>
        <translation>Die Geräte des Projekts zeigen</translation>
    </message>
    <message>
        <source>&amp;Blocks</source>
        <translation>&amp;Bausteine</translation>
    </message>
    <message>
        <source>Show the palette of function blocks</source>
        <translation>Die Palette der Funktionsbausteine zeigen</translation>
    </message>
    <message>
        <source>&amp;Raise All Windows</source>
        <translation>Alle Fenster nach &amp;vorn</translation>
    </message>
    <message>
        <source>Bring every window of the project to the front</source>
        <translation>Alle Fenster des Projekts nach vorn holen</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Change the settings</source>
        <translation>Die Einstellungen ändern</translation>
    </message>
    <message>
        <source>&amp;Help Contents</source>
        <translation>&amp;Inhalt der Hilfe</translation>
    </message>
    <message>
        <source>Open the help</source>
        <translation>Die Hilfe öffnen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Show the version and the licence</source>
        <translation>Version und Lizenz zeigen</translation>
    </message>
    <message>
        <source>Tavik View on the &amp;Web</source>
        <translation>Tavik View im &amp;Web</translation>
    </message>
    <message>
        <source>Open the product&apos;s web page</source>
        <translation>Die Webseite des Produkts öffnen</translation>
    </message>
    <message>
        <source>Tavik &amp;Simulator on the Web</source>
        <translation>Tavik-&amp;Simulator im Web</translation>
    </message>
    <message>
        <source>Open the simulator&apos;s web page</source>
        <translation>Die Webseite des Simulators öffnen</translation>
    </message>
</context>
<context>
    <name>lumlink::HelpSystem</name>
    <message>
        <source>Help &amp;Contents</source>
        <translation>&amp;Inhalt der Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Show the contents of the help</source>
        <translation>Das Inhaltsverzeichnis der Hilfe zeigen</translation>
    </message>
    <message>
        <source>Show the help on this</source>
        <translation>Die Hilfe hierzu zeigen</translation>
    </message>
</context>
<context>
    <name>lumlink::HelpWindow</name>
    <message>
        <source>Help: %1</source>
        <translation>Hilfe: %1</translation>
    </message>
    <message>
        <source>&lt;h1&gt;No help installed&lt;/h1&gt;&lt;p&gt;The help pages were not found.&lt;/p&gt;</source>
        <translation>&lt;h1&gt;Keine Hilfe installiert&lt;/h1&gt;&lt;p&gt;Die Hilfeseiten wurden nicht gefunden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Help window</source>
        <translation>Hilfefenster</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message>
        <source>Help navigation</source>
        <translation>Navigation der Hilfe</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Show the contents of the help</source>
        <translation>Das Inhaltsverzeichnis der Hilfe zeigen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Go back to the previous page</source>
        <translation>Zur vorigen Seite zurückgehen</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Go forward to the next page</source>
        <translation>Zur nächsten Seite vorgehen</translation>
    </message>
    <message>
        <source>Search in page</source>
        <translation>In der Seite suchen</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>Rückwärts suchen</translation>
    </message>
</context>
<context>
    <name>lumlink::print::DocumentFile</name>
    <message>
        <source>The document could not be rendered</source>
        <translation>Das Dokument konnte nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>The PostScript conversion failed</source>
        <translation>Die Umwandlung in PostScript ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>lumlink::print::SceneExport</name>
    <message>
        <source>No image format is known for the file name %1</source>
        <translation>Für den Dateinamen %1 ist kein Bildformat bekannt</translation>
    </message>
</context>
<context>
    <name>lumlink::project::DeviceSettingDelegate</name>
    <message>
        <source>Value of %1</source>
        <translation>Wert von %1</translation>
    </message>
    <message>
        <source>a value of type %1</source>
        <translation>ein Wert vom Typ %1</translation>
    </message>
</context>
<context>
    <name>lumlink::project::DeviceToolbar</name>
    <message>
        <source>Address of the robot</source>
        <translation>Adresse des Roboters</translation>
    </message>
    <message>
        <source>Robot name</source>
        <translation>Name des Roboters</translation>
    </message>
    <message>
        <source>Robot address</source>
        <translation>Adresse des Roboters</translation>
    </message>
    <message>
        <source>Connection state</source>
        <translation>Verbindungszustand</translation>
    </message>
    <message>
        <source>Connect or disconnect the robot</source>
        <translation>Den Roboter verbinden oder trennen</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
</context>
<context>
    <name>lumlink::project::DevicesWindow</name>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>State or value</source>
        <translation>Zustand oder Wert</translation>
    </message>
    <message>
        <source>Devices of the project</source>
        <translation>Geräte des Projekts</translation>
    </message>
    <message>
        <source>Type of a new device</source>
        <translation>Typ eines neuen Geräts</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add a device</source>
        <translation>Ein Gerät hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove the selected device</source>
        <translation>Das ausgewählte Gerät entfernen</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connect the selected device</source>
        <translation>Das ausgewählte Gerät verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Disconnect the selected device</source>
        <translation>Das ausgewählte Gerät trennen</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>verbunden</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>nicht verbunden</translation>
    </message>
    <message>
        <source>Double-click a value, or select it and press Enter, to change it.</source>
        <translation>Doppelklicken Sie auf einen Wert, oder wählen Sie ihn aus und drücken Sie die Eingabetaste, um ihn zu ändern.</translation>
    </message>
    <message>
        <source>Why the latest change was refused</source>
        <translation>Warum die letzte Änderung abgelehnt wurde</translation>
    </message>
    <message>
        <source>parameter (%1)</source>
        <translation>Parameter (%1)</translation>
    </message>
    <message>
        <source>configuration (%1)</source>
        <translation>Konfiguration (%1)</translation>
    </message>
    <message>
        <source>Takes effect when the device connects next.</source>
        <translation>Wirkt, sobald sich das Gerät das nächste Mal verbindet.</translation>
    </message>
    <message>
        <source>A value of type %1.</source>
        <translation>Ein Wert vom Typ %1.</translation>
    </message>
    <message>
        <source>%1 of %2 was not changed: %3</source>
        <translation>%1 von %2 wurde nicht geändert: %3</translation>
    </message>
</context>
<context>
    <name>lumlink::project::GlobalVariablesWindow</name>
    <message>
        <source>Global Variables</source>
        <translation>Globale Variablen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Initial value</source>
        <translation>Anfangswert</translation>
    </message>
    <message>
        <source>Current value</source>
        <translation>Aktueller Wert</translation>
    </message>
    <message>
        <source>Global variables</source>
        <translation>Globale Variablen</translation>
    </message>
    <message>
        <source>Type of a new variable</source>
        <translation>Typ einer neuen Variablen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add a variable</source>
        <translation>Eine Variable hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete the selected variables</source>
        <translation>Die ausgewählten Variablen löschen</translation>
    </message>
</context>
<context>
    <name>lumlink::project::Importer</name>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>There is no project to import from.</source>
        <translation>Es gibt kein Projekt, aus dem übernommen werden kann.</translation>
    </message>
    <message>
        <source>The other project has no program &quot;%1&quot;.</source>
        <translation>Das andere Projekt hat kein Programm „%1“.</translation>
    </message>
    <message>
        <source>The other project has no device &quot;%1&quot;.</source>
        <translation>Das andere Projekt hat kein Gerät „%1“.</translation>
    </message>
    <message>
        <source>Device &quot;%1&quot; cannot stand for &quot;%2&quot;: it is missing or of another type.</source>
        <translation>Gerät „%1“ kann nicht für „%2“ stehen: Es fehlt oder ist von anderem Typ.</translation>
    </message>
    <message>
        <source>Device &quot;%1&quot; could not be copied.</source>
        <translation>Gerät „%1“ konnte nicht kopiert werden.</translation>
    </message>
</context>
<context>
    <name>lumlink::project::Manager</name>
    <message>
        <source>Could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>lumlink::project::Project</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Die letzte Änderung rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederholen</translation>
    </message>
    <message>
        <source>Unnamed</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The project has no file yet: save it under a name first.</source>
        <translation>Das Projekt hat noch keine Datei: Speichern Sie es zuerst unter einem Namen.</translation>
    </message>
    <message>
        <source>Could not save the project to %1: %2</source>
        <translation>Das Projekt konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The project is protected: enter its password to change it.</source>
        <translation>Das Projekt ist geschützt: Geben Sie sein Passwort ein, um es zu ändern.</translation>
    </message>
</context>
<context>
    <name>lumlink::project::ProjectDocument</name>
    <message>
        <source>Not saved yet</source>
        <translation>Noch nicht gespeichert</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>Datum: %1</translation>
    </message>
    <message>
        <source>Global variables</source>
        <translation>Globale Variablen</translation>
    </message>
    <message>
        <source>The project has no global variables.</source>
        <translation>Das Projekt hat keine globalen Variablen.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Initial value</source>
        <translation>Anfangswert</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>The project has no devices.</source>
        <translation>Das Projekt hat keine Geräte.</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Sequence chart</source>
        <translation>Ablaufplan</translation>
    </message>
    <message>
        <source>Function-block diagram</source>
        <translation>Funktionsbausteinplan</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>lumlink::project::Simulation</name>
    <message>
        <source>Start &amp;all programs</source>
        <translation>&amp;Alle Programme starten</translation>
    </message>
    <message>
        <source>Start every sequence chart of the project in the simulation</source>
        <translation>Alle Ablaufpläne des Projekts in der Simulation starten</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Start the main program in the simulation, or resume it</source>
        <translation>Das Hauptprogramm in der Simulation starten oder fortsetzen</translation>
    </message>
    <message>
        <source>S&amp;uspend</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>Suspend the simulation</source>
        <translation>Die Simulation anhalten</translation>
    </message>
    <message>
        <source>&amp;Terminate</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Terminate the simulation</source>
        <translation>Die Simulation beenden</translation>
    </message>
    <message>
        <source>The project has no sequence chart to run.</source>
        <translation>Das Projekt hat keinen Ablaufplan, der laufen könnte.</translation>
    </message>
    <message>
        <source>Connecting the devices...</source>
        <translation>Die Geräte werden verbunden...</translation>
    </message>
    <message>
        <source>Could not connect to device &quot;%1&quot;: the simulation does not start.</source>
        <translation>Gerät „%1“ konnte nicht verbunden werden: Die Simulation startet nicht.</translation>
    </message>
    <message>
        <source>Connected to device &quot;%1&quot;.</source>
        <translation>Mit Gerät „%1“ verbunden.</translation>
    </message>
    <message>
        <source>Device &quot;%1&quot; has been disconnected: the simulation is terminated.</source>
        <translation>Gerät „%1“ wurde getrennt: Die Simulation wird beendet.</translation>
    </message>
    <message>
        <source>A device did not answer in time: the simulation does not start.</source>
        <translation>Ein Gerät hat nicht rechtzeitig geantwortet: Die Simulation startet nicht.</translation>
    </message>
    <message>
        <source>The simulation does not start: %1</source>
        <translation>Die Simulation startet nicht: %1</translation>
    </message>
    <message>
        <source>The simulation is running.</source>
        <translation>Die Simulation läuft.</translation>
    </message>
    <message>
        <source>The program has stopped: the simulation is terminated.</source>
        <translation>Das Programm hat angehalten: Die Simulation wird beendet.</translation>
    </message>
    <message>
        <source>The simulation has been terminated.</source>
        <translation>Die Simulation wurde beendet.</translation>
    </message>
</context>
<context>
    <name>lumlink::project::TabNameEditor</name>
    <message>
        <source>Program name</source>
        <translation>Programmname</translation>
    </message>
</context>
<context>
    <name>lumlink::project::View</name>
    <message>
        <source>Programs</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>no program is open</source>
        <translation>kein Programm ist geöffnet</translation>
    </message>
    <message>
        <source>no project is open</source>
        <translation>kein Projekt ist geöffnet</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Export nach %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>The program %1 keeps its name: %2</source>
        <translation>Das Programm %1 behält seinen Namen: %2</translation>
    </message>
    <message>
        <source>The project is protected: enter its password to rename a program.</source>
        <translation>Das Projekt ist geschützt: Geben Sie sein Passwort ein, um ein Programm umzubenennen.</translation>
    </message>
    <message>
        <source>Program tab</source>
        <translation>Programm-Reiter</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Umbenennen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>lumlink::project::commands</name>
    <message>
        <source>new program %1</source>
        <translation>neues Programm %1</translation>
    </message>
    <message>
        <source>add device %1</source>
        <translation>Gerät %1 hinzufügen</translation>
    </message>
    <message>
        <source>add variable %1</source>
        <translation>Variable %1 hinzufügen</translation>
    </message>
    <message>
        <source>remove device %1</source>
        <translation>Gerät %1 entfernen</translation>
    </message>
    <message>
        <source>remove variable %1</source>
        <translation>Variable %1 entfernen</translation>
    </message>
    <message>
        <source>rename variable %1</source>
        <translation>Variable %1 umbenennen</translation>
    </message>
    <message>
        <source>change variable %1</source>
        <translation>Variable %1 ändern</translation>
    </message>
    <message>
        <source>remove the protection</source>
        <translation>Schutz entfernen</translation>
    </message>
    <message>
        <source>set the password</source>
        <translation>Passwort setzen</translation>
    </message>
    <message>
        <source>change %1 of device %2</source>
        <translation>%1 von Gerät %2 ändern</translation>
    </message>
    <message>
        <source>rename program %1</source>
        <translation>Programm %1 umbenennen</translation>
    </message>
</context>
<context>
    <name>lumlink::project::import::DeviceMappingDialog</name>
    <message>
        <source>Import: Devices</source>
        <translation>Übernehmen: Geräte</translation>
    </message>
    <message>
        <source>Choose the device of this project that the imported programs are to use instead of each device of the other project.</source>
        <translation>Wählen Sie für jedes Gerät des anderen Projekts das Gerät dieses Projekts, das die übernommenen Programme stattdessen verwenden sollen.</translation>
    </message>
    <message>
        <source>%1 (%2):</source>
        <translation>%1 (%2):</translation>
    </message>
    <message>
        <source>Copy as a new device</source>
        <translation>Als neues Gerät kopieren</translation>
    </message>
    <message>
        <source>Device standing for %1</source>
        <translation>Gerät anstelle von %1</translation>
    </message>
</context>
<context>
    <name>lumlink::project::import::SdfDialog</name>
    <message>
        <source>Import: Programs</source>
        <translation>Übernehmen: Programme</translation>
    </message>
    <message>
        <source>Check the programs to import. A sequence chart brings the diagrams it runs.</source>
        <translation>Haken Sie die zu übernehmenden Programme an. Ein Ablaufplan bringt die Diagramme mit, die er ausführt.</translation>
    </message>
    <message>
        <source>Programs to import</source>
        <translation>Zu übernehmende Programme</translation>
    </message>
    <message>
        <source>Diagrams run by no sequence chart</source>
        <translation>Diagramme ohne Ablaufplan</translation>
    </message>
    <message>
        <source>%1: copied as a new device</source>
        <translation>%1: wird als neues Gerät kopiert</translation>
    </message>
    <message>
        <source>%1: uses %2</source>
        <translation>%1: verwendet %2</translation>
    </message>
    <message>
        <source>Devices: %1</source>
        <translation>Geräte: %1</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::BlockFragment</name>
    <message>
        <source>The clipboard holds no function blocks</source>
        <translation>Die Zwischenablage enthält keine Funktionsbausteine</translation>
    </message>
    <message>
        <source>The clipboard holds a link to a block it does not hold</source>
        <translation>Die Zwischenablage enthält eine Verbindung zu einem Baustein, den sie nicht enthält</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::BlockPalette</name>
    <message>
        <source>Blocks</source>
        <translation>Bausteine</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Filter blocks</source>
        <translation>Bausteine filtern</translation>
    </message>
    <message>
        <source>Block types</source>
        <translation>Bausteintypen</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::Magnifier</name>
    <message>
        <source>Magnifier</source>
        <translation>Lupe</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::ParameterDialog</name>
    <message>
        <source>Parameters of %1</source>
        <translation>Parameter von %1</translation>
    </message>
    <message>
        <source>Description of the block type</source>
        <translation>Beschreibung des Bausteintyps</translation>
    </message>
    <message>
        <source>Why the values were refused</source>
        <translation>Warum die Werte abgelehnt wurden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply the parameters</source>
        <translation>Parameter übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close without changes</source>
        <translation>Ohne Änderungen schließen</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Parameter %1</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>The project is protected: enter its password to change it.</source>
        <translation>Das Projekt ist geschützt: Geben Sie sein Passwort ein, um es zu ändern.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no %3</source>
        <translation>%1: „%2“ ist kein %3</translation>
    </message>
    <message>
        <source>The block is no longer in the diagram.</source>
        <translation>Der Baustein ist nicht mehr im Plan.</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::SDFScene</name>
    <message>
        <source>A link ends on an input port</source>
        <translation>Eine Verbindung endet an einem Eingang</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::SDFView</name>
    <message>
        <source>Function-block diagram %1</source>
        <translation>Funktionsbausteinplan %1</translation>
    </message>
    <message>
        <source>The project is protected: enter its password to change it.</source>
        <translation>Das Projekt ist geschützt: Geben Sie sein Passwort ein, um es zu ändern.</translation>
    </message>
    <message numerus="yes">
        <source>Cut %n block(s)</source>
        <translation>
            <numerusform>%n Baustein ausschneiden</numerusform>
            <numerusform>%n Bausteine ausschneiden</numerusform>
        </translation>
    </message>
    <message>
        <source>The pasted blocks use the device %1 of type %2, which this project does not have</source>
        <translation>Die eingefügten Bausteine verwenden das Gerät %1 vom Typ %2, das dieses Projekt nicht hat</translation>
    </message>
    <message>
        <source>The pasted block %1 has the type %2, which is not loaded</source>
        <translation>Der eingefügte Baustein %1 hat den Typ %2, der nicht geladen ist</translation>
    </message>
    <message>
        <source>Block %1 has no parameters</source>
        <translation>Baustein %1 hat keine Parameter</translation>
    </message>
    <message>
        <source>Diagram menu</source>
        <translation>Planmenü</translation>
    </message>
    <message>
        <source>&amp;Parameters...</source>
        <translation>&amp;Parameter...</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::AddLinkCommand</name>
    <message>
        <source>Link %1.%2 to %3.%4</source>
        <translation>%1.%2 mit %3.%4 verbinden</translation>
    </message>
    <message>
        <source>An output of type %1 cannot feed the input %2.%3 of type %4</source>
        <translation>Ein Ausgang vom Typ %1 kann den Eingang %2.%3 vom Typ %4 nicht speisen</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::DeleteElementsCommand</name>
    <message numerus="yes">
        <source>Delete %n element(s)</source>
        <translation>
            <numerusform>%n Element löschen</numerusform>
            <numerusform>%n Elemente löschen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::MoveBlocksCommand</name>
    <message>
        <source>Move block %1</source>
        <translation>Baustein %1 verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Move %n blocks</source>
        <translation>
            <numerusform>%n Baustein verschieben</numerusform>
            <numerusform>%n Bausteine verschieben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::PasteBlocksCommand</name>
    <message numerus="yes">
        <source>Paste %n block(s)</source>
        <translation>
            <numerusform>%n Baustein einfügen</numerusform>
            <numerusform>%n Bausteine einfügen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::PlaceBlockCommand</name>
    <message>
        <source>Place block %1</source>
        <translation>Baustein %1 einfügen</translation>
    </message>
</context>
<context>
    <name>lumlink::sdf::commands::SetParametersCommand</name>
    <message>
        <source>Set the parameters of %1</source>
        <translation>Parameter von %1 setzen</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::ChartDocument</name>
    <message>
        <source>The project is protected: enter its password to edit it</source>
        <translation>Das Projekt ist geschützt: geben Sie sein Passwort ein, um es zu bearbeiten</translation>
    </message>
    <message>
        <source>Step</source>
        <comment>stem of the names of new steps</comment>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Place step %1</source>
        <translation>Schritt %1 einfügen</translation>
    </message>
    <message>
        <source>Append step %1</source>
        <translation>Schritt %1 anhängen</translation>
    </message>
    <message>
        <source>A transition leads to another step</source>
        <translation>Eine Transition führt zu einem anderen Schritt</translation>
    </message>
    <message>
        <source>Step %1 already leads to step %2: edit that transition&apos;s condition instead</source>
        <translation>Schritt %1 führt schon zu Schritt %2: bearbeiten Sie stattdessen die Bedingung dieser Transition</translation>
    </message>
    <message>
        <source>Link step %1 to step %2</source>
        <translation>Schritt %1 mit Schritt %2 verbinden</translation>
    </message>
    <message>
        <source>Move step</source>
        <translation>Schritt verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Move %n steps</source>
        <translation>
            <numerusform>%n Schritt verschieben</numerusform>
            <numerusform>%n Schritte verschieben</numerusform>
        </translation>
    </message>
    <message>
        <source>Step %1 is where the chart starts: make another step the initial one first</source>
        <translation>Mit Schritt %1 beginnt der Ablauf: machen Sie zuerst einen anderen Schritt zum Anfangsschritt</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n element(s)</source>
        <translation>
            <numerusform>%n Element löschen</numerusform>
            <numerusform>%n Elemente löschen</numerusform>
        </translation>
    </message>
    <message>
        <source>Make step %1 the initial step</source>
        <translation>Schritt %1 zum Anfangsschritt machen</translation>
    </message>
    <message>
        <source>A step needs a name</source>
        <translation>Ein Schritt braucht einen Namen</translation>
    </message>
    <message>
        <source>There is already a step %1</source>
        <translation>Es gibt schon einen Schritt %1</translation>
    </message>
    <message>
        <source>Edit step %1</source>
        <translation>Schritt %1 bearbeiten</translation>
    </message>
    <message>
        <source>The condition &quot;%1&quot; is refused: %2</source>
        <translation>Die Bedingung „%1“ wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>Change condition to %1</source>
        <translation>Bedingung in %1 ändern</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::ConditionDialog</name>
    <message>
        <source>The condition is valid.</source>
        <translation>Die Bedingung ist gültig.</translation>
    </message>
    <message>
        <source>Transition Condition</source>
        <translation>Bedingung der Transition</translation>
    </message>
    <message>
        <source>&amp;Condition of the transition from %1 to %2:</source>
        <translation>&amp;Bedingung der Transition von %1 nach %2:</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>Global variables, numbers, true, false and t (the step&apos;s time in seconds), joined by ! &amp;&amp; || == != &lt; &lt;= &gt; &gt;= + - * / and parentheses</source>
        <translation>Globale Variablen, Zahlen, true, false und t (die Zeit des Schritts in Sekunden), verknüpft mit ! &amp;&amp; || == != &lt; &lt;= &gt; &gt;= + - * / und Klammern</translation>
    </message>
    <message>
        <source>Condition check</source>
        <translation>Prüfung der Bedingung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::SFCView</name>
    <message>
        <source>Sequence chart %1</source>
        <translation>Ablaufplan %1</translation>
    </message>
    <message>
        <source>Sequence chart</source>
        <translation>Ablaufplan</translation>
    </message>
    <message>
        <source>&amp;Open Diagram %1</source>
        <translation>Plan %1 ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;New Diagram for This Step</source>
        <translation>&amp;Neuer Plan für diesen Schritt</translation>
    </message>
    <message>
        <source>&amp;Step Properties...</source>
        <translation>&amp;Schritteigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Initial Step</source>
        <translation>&amp;Anfangsschritt</translation>
    </message>
    <message>
        <source>&amp;Append Step</source>
        <translation>Schritt an&amp;hängen</translation>
    </message>
    <message>
        <source>Edit &amp;Condition...</source>
        <translation>&amp;Bedingung bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Add Step Here</source>
        <translation>Schritt hier &amp;einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::StepDialog</name>
    <message>
        <source>A step needs a name.</source>
        <translation>Ein Schritt braucht einen Namen.</translation>
    </message>
    <message>
        <source>There is already a step %1.</source>
        <translation>Es gibt schon einen Schritt %1.</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Runs diagram:</source>
        <translation>&amp;Führt Plan aus:</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keinen)</translation>
    </message>
    <message>
        <source>Step name</source>
        <translation>Name des Schritts</translation>
    </message>
    <message>
        <source>Diagram the step runs</source>
        <translation>Plan, den der Schritt ausführt</translation>
    </message>
    <message>
        <source>Step name check</source>
        <translation>Prüfung des Schrittnamens</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::commands::RunNewDiagramCommand</name>
    <message>
        <source>New diagram %1 for step %2</source>
        <translation>Neuer Plan %1 für Schritt %2</translation>
    </message>
</context>
</TS>
