<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</TS>
