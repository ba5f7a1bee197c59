<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>lum::qt::FileHistory</name>
    <message>
        <source>Recent Projects</source>
        <translation>Zuletzt geöffnete Projekte</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
</context>
<context>
    <name>lum::qt::gui::option::Dialog</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Option pages</source>
        <translation>Einstellungsseiten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>lum::qt::gui::option::EditorPage</name>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>&amp;Grid size:</source>
        <translation>&amp;Rastergröße:</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Grid size</source>
        <translation>Rastergröße</translation>
    </message>
    <message>
        <source>The distance between two grid points in the program editors</source>
        <translation>Der Abstand zweier Rasterpunkte in den Programmeditoren</translation>
    </message>
    <message>
        <source>&amp;Snap to grid</source>
        <translation>Am Raster &amp;ausrichten</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Am Raster ausrichten</translation>
    </message>
    <message>
        <source>Placed and moved blocks and steps jump to the nearest grid point</source>
        <translation>Abgelegte und verschobene Bausteine und Schritte springen zum nächsten Rasterpunkt</translation>
    </message>
    <message>
        <source>Show &amp;values while simulating</source>
        <translation>&amp;Werte während der Simulation anzeigen</translation>
    </message>
    <message>
        <source>Show values while simulating</source>
        <translation>Werte während der Simulation anzeigen</translation>
    </message>
    <message>
        <source>The editors show the current values of connections and variables during a simulation</source>
        <translation>Die Editoren zeigen während einer Simulation die aktuellen Werte von Verbindungen und Variablen</translation>
    </message>
</context>
<context>
    <name>lum::qt::gui::option::GeneralPage</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The language changes at once and is used again at the next start.</source>
        <translation>Die Sprache wechselt sofort und gilt auch beim nächsten Start.</translation>
    </message>
</context>
<context>
    <name>lum::qt::gui::widgets::Progress</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>lum::qt::log::Log</name>
    <message>
        <source>Debug</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>Verbose</source>
        <translation>Ausführlich</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Severe</source>
        <translation>Schwerer Fehler</translation>
    </message>
</context>
<context>
    <name>lum::qt::log::View</name>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Remove all messages from the window</source>
        <translation>Alle Meldungen aus dem Fenster entfernen</translation>
    </message>
</context>
<context>
    <name>lum::qt::log::Window</name>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Message window</source>
        <translation>Meldungsfenster</translation>
    </message>
</context>
<context>
    <name>lum::qt::translation::Menu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The language of the workbench</source>
        <translation>Die Sprache der Arbeitsumgebung</translation>
    </message>
</context>
</TS>
