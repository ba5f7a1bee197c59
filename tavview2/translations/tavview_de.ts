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
    <name>tavview::SplashScreen</name>
    <message>
        <source>Loading %1</source>
        <translation>Lade %1</translation>
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
</TS>
