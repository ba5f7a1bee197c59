<?xml version="1.0" encoding="utf-8"?>
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
        <source>No image format is known for the file name %1</source>
        <translation>Für den Dateinamen %1 ist kein Bildformat bekannt</translation>
    </message>
    <message>
        <source>The diagram could not be rendered</source>
        <translation>Der Plan konnte nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>The PostScript conversion failed</source>
        <translation>Die Umwandlung in PostScript ist fehlgeschlagen</translation>
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
    <name>lumlink::sdf::commands::PlaceBlockCommand</name>
    <message>
        <source>Place block %1</source>
        <translation>Baustein %1 einfügen</translation>
    </message>
</context>
<context>
    <name>lumlink::sfc::SFCView</name>
    <message>
        <source>Sequence chart %1</source>
        <translation>Ablaufplan %1</translation>
    </message>
</context>
</TS>
