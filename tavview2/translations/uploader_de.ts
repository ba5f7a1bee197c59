<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
