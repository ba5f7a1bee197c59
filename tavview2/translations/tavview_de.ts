<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ProtectDialog</name>
    <message>
        <source>Change password</source>
        <translation>Passwort ändern</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Retype</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Remove password protection.</source>
        <translation>Passwortschutz entfernen.</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Neues Passwort</translation>
    </message>
    <message>
        <source>Retype new password</source>
        <translation>Neues Passwort wiederholen</translation>
    </message>
    <message>
        <source>Dialog buttons</source>
        <translation>Dialogschaltflächen</translation>
    </message>
    <message>
        <source>The project is unprotected.</source>
        <translation>Das Projekt ist nicht geschützt.</translation>
    </message>
    <message>
        <source>The project is protected. Password already successfully entered.</source>
        <translation>Das Projekt ist geschützt. Das Passwort wurde bereits richtig eingegeben.</translation>
    </message>
    <message>
        <source>The project is protected. Enter password to edit protection settings.</source>
        <translation>Das Projekt ist geschützt. Geben Sie das Passwort ein, um den Schutz zu ändern.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Error connecting</source>
        <translation>Fehler beim Verbinden</translation>
    </message>
    <message>
        <source>Failed to connect to device &quot;%1&quot;.</source>
        <translation>Verbindung zum Gerät „%1“ fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Project file

%1

given at the command line does not exist.</source>
        <translation>Die Projektdatei

%1

aus der Befehlszeile existiert nicht.</translation>
    </message>
</context>
<context>
    <name>tavview::AboutScreen</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the About dialog</source>
        <translation>Info-Fenster schließen</translation>
    </message>
</context>
<context>
    <name>tavview::Actions</name>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Upload project</source>
        <translation>Projekt hochladen</translation>
    </message>
    <message>
        <source>Upload current project to Tavik</source>
        <translation>Aktuelles Projekt auf den Tavik hochladen</translation>
    </message>
</context>
<context>
    <name>tavview::LogList</name>
    <message>
        <source>Robot link messages</source>
        <translation>Meldungen der Roboterverbindung</translation>
    </message>
</context>
<context>
    <name>tavview::MainWindow</name>
    <message>
        <source>Open a function-block diagram to place a block in it.</source>
        <translation>Öffnen Sie einen Funktionsbausteinplan, um einen Baustein darin zu platzieren.</translation>
    </message>
    <message>
        <source>Tavik %1 View Projects</source>
        <translation>Tavik %1 View-Projekte</translation>
    </message>
    <message>
        <source>Compressed Tavik %1 View Projects (*.%2)</source>
        <translation>Komprimierte Tavik %1 View-Projekte (*.%2)</translation>
    </message>
    <message>
        <source>Uncompressed Tavik %1 View Projects (*.%2)</source>
        <translation>Unkomprimierte Tavik %1 View-Projekte (*.%2)</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>The project has been modified.
Do you want to save your changes?</source>
        <translation>Das Projekt wurde geändert.
Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Open Project</source>
        <translation>Projekt öffnen</translation>
    </message>
    <message>
        <source>The file %1 could not be found. Please check whether the filename is correct and try again.</source>
        <translation>Die Datei %1 wurde nicht gefunden. Bitte prüfen Sie den Dateinamen und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The file %1 failed to load. Please see the message window for details.</source>
        <translation>Die Datei %1 konnte nicht geladen werden. Einzelheiten stehen im Meldungsfenster.</translation>
    </message>
    <message>
        <source>Save Project As</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>Choose Project</source>
        <translation>Projekt auswählen</translation>
    </message>
    <message>
        <source>Invalid project</source>
        <translation>Ungültiges Projekt</translation>
    </message>
    <message>
        <source>The specified project could not be loaded.</source>
        <translation>Das angegebene Projekt konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>Specify file name</source>
        <translation>Dateinamen angeben</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>PostScript document (*.ps)</source>
        <translation>PostScript-Dokument (*.ps)</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message numerus="yes">
        <source>%n more error(s) since then, listed in the message window.</source>
        <translation>
            <numerusform>%n weiterer Fehler seitdem, aufgeführt im Meldungsfenster.</numerusform>
            <numerusform>%n weitere Fehler seitdem, aufgeführt im Meldungsfenster.</numerusform>
        </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>tavview::SplashScreen</name>
    <message>
        <source>Loading %1</source>
        <translation>Lade %1</translation>
    </message>
</context>
<context>
    <name>tavview::TaskView</name>
    <message>
        <source>Work area</source>
        <translation>Arbeitsbereich</translation>
    </message>
</context>
<context>
    <name>tavview::TavikTask</name>
    <message>
        <source>Tavik IP address:</source>
        <translation>Tavik-IP-Adresse:</translation>
    </message>
    <message>
        <source>Tavik IP address</source>
        <translation>Tavik-IP-Adresse</translation>
    </message>
    <message>
        <source>The robot&apos;s address, as an IP address or a host name</source>
        <translation>Die Adresse des Roboters, als IP-Adresse oder Rechnername</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Back to the programs of the project</source>
        <translation>Zurück zu den Programmen des Projekts</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Upload the project to the robot and run it there</source>
        <translation>Das Projekt auf den Roboter hochladen und dort ausführen</translation>
    </message>
    <message>
        <source>Robot tasks</source>
        <translation>Roboteraufgaben</translation>
    </message>
</context>
<context>
    <name>tavview::Telnet</name>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>Login failed</source>
        <translation>Anmeldung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>tavview::menu::Edit</name>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
</context>
<context>
    <name>tavview::menu::Extras</name>
    <message>
        <source>&amp;Extras</source>
        <translation>E&amp;xtras</translation>
    </message>
</context>
<context>
    <name>tavview::menu::File</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exportieren</translation>
    </message>
</context>
<context>
    <name>tavview::menu::Help</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>tavview::menu::Simulation</name>
    <message>
        <source>&amp;Simulation</source>
        <translation>&amp;Simulation</translation>
    </message>
</context>
<context>
    <name>tavview::menu::View</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
</context>
<context>
    <name>tavview::menu::Window</name>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>Dialogs</source>
        <translation>Dialoge</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>tavview::toolbar::Bar</name>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
</context>
<context>
    <name>tavview::toolbar::Brennic</name>
    <message>
        <source>Brand web page</source>
        <translation>Webseite der Marke</translation>
    </message>
</context>
<context>
    <name>tavview::toolbar::DummyTavikWidget</name>
    <message>
        <source>No Tavik available</source>
        <translation>Kein Tavik verfügbar</translation>
    </message>
</context>
<context>
    <name>tavview::uploader::Debug</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Robot variables</source>
        <translation>Variablen des Roboters</translation>
    </message>
</context>
<context>
    <name>tavview::uploader::FtpUpload</name>
    <message>
        <source>No answer from %1 for %2 s</source>
        <translation>Keine Antwort von %1 seit %2 s</translation>
    </message>
</context>
<context>
    <name>tavview::uploader::FtpView</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Robot folder</source>
        <translation>Ordner auf dem Roboter</translation>
    </message>
    <message>
        <source>Activate a folder to open it, a project to run it on the robot</source>
        <translation>Einen Ordner aktivieren, um ihn zu öffnen, ein Projekt, um es auf dem Roboter auszuführen</translation>
    </message>
    <message>
        <source>Up one folder</source>
        <translation>Einen Ordner nach oben</translation>
    </message>
</context>
<context>
    <name>tavview::uploader::Options</name>
    <message>
        <source>Upload &amp; Execute</source>
        <translation>Hochladen &amp; Ausführen</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Debug interval</source>
        <translation>Debug-Intervall</translation>
    </message>
    <message>
        <source>Ignore interpreter out of date</source>
        <translation>Veralteten Interpreter ignorieren</translation>
    </message>
    <message>
        <source>How often the interpreter on the robot sends the values of the global variables</source>
        <translation>Wie oft der Interpreter auf dem Roboter die Werte der globalen Variablen sendet</translation>
    </message>
    <message>
        <source>Run programs on the robot even when its interpreter is out of date</source>
        <translation>Programme auf dem Roboter auch dann ausführen, wenn sein Interpreter veraltet ist</translation>
    </message>
</context>
<context>
    <name>tavview::uploader::View</name>
    <message>
        <source>Disconnecting devices</source>
        <translation>Geräte werden getrennt</translation>
    </message>
    <message>
        <source>Loading actor types</source>
        <translation>Bausteintypen werden geladen</translation>
    </message>
    <message>
        <source>Loading devices</source>
        <translation>Geräte werden geladen</translation>
    </message>
    <message>
        <source>Loading project</source>
        <translation>Projekt wird geladen</translation>
    </message>
    <message>
        <source>Loading types</source>
        <translation>Datentypen werden geladen</translation>
    </message>
    <message>
        <source>Starting program</source>
        <translation>Programm wird gestartet</translation>
    </message>
    <message>
        <source>Successfully connected to all devices</source>
        <translation>Mit allen Geräten verbunden</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Upload current project</source>
        <translation>Aktuelles Projekt hochladen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh FTP view</source>
        <translation>FTP-Ansicht aktualisieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Improper device configuration</source>
        <translation>Unzulässige Gerätekonfiguration</translation>
    </message>
    <message>
        <source>Please remove %1 from the current project.</source>
        <translation>Bitte entfernen Sie %1 aus dem aktuellen Projekt.</translation>
    </message>
    <message>
        <source>The project could not be written.</source>
        <translation>Das Projekt konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The project could not be written: %1</source>
        <translation>Das Projekt konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Upload %1</source>
        <translation>%1 hochladen</translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation>Wird aktualisiert</translation>
    </message>
    <message>
        <source>Listing %1 failed: %2</source>
        <translation>Auflisten von %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Uploaded %1.</source>
        <translation>%1 hochgeladen.</translation>
    </message>
    <message>
        <source>Upload of %1 failed: %2</source>
        <translation>Hochladen von %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1 cannot be started: its name holds a control character.</source>
        <translation>%1 kann nicht gestartet werden: Der Name enthält ein Steuerzeichen.</translation>
    </message>
    <message>
        <source>Execute %1</source>
        <translation>%1 ausführen</translation>
    </message>
    <message>
        <source>Telnet session started</source>
        <translation>Telnet-Sitzung gestartet</translation>
    </message>
    <message>
        <source>Logged in.</source>
        <translation>Angemeldet.</translation>
    </message>
    <message>
        <source>Interpreter version %1</source>
        <translation>Interpreter-Version %1</translation>
    </message>
    <message>
        <source>Interpreter out of date.</source>
        <translation>Interpreter veraltet.</translation>
    </message>
    <message>
        <source>Tavik View Interpreter</source>
        <translation>Tavik View Interpreter</translation>
    </message>
    <message>
        <source>Interpreter is out of date. Please update tavview%1 package.</source>
        <translation>Der Interpreter ist veraltet. Bitte aktualisieren Sie das Paket tavview%1.</translation>
    </message>
    <message>
        <source>Interpreter stopped.</source>
        <translation>Interpreter beendet.</translation>
    </message>
    <message>
        <source>Current action terminated</source>
        <translation>Aktuelle Aktion abgebrochen</translation>
    </message>
    <message>
        <source>New IP address: %1</source>
        <translation>Neue IP-Adresse: %1</translation>
    </message>
    <message>
        <source>Invalid IP address: %1</source>
        <translation>Ungültige IP-Adresse: %1</translation>
    </message>
</context>
</TS>
