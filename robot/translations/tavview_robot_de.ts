<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Main</name>
    <message>
        <source>A simulated robot that projects drive over the robot&apos;s own link.</source>
        <translation>Ein simulierter Roboter, den Projekte über die Verbindung des Roboters steuern.</translation>
    </message>
    <message>
        <source>Address to listen on (default 127.0.0.1).</source>
        <translation>Adresse, auf der gewartet wird (Vorgabe 127.0.0.1).</translation>
    </message>
    <message>
        <source>address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port to listen on (default 7171; 0 picks a free one).</source>
        <translation>Port, auf dem gewartet wird (Vorgabe 7171; 0 wählt einen freien).</translation>
    </message>
    <message>
        <source>port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Arena file (default arenas/room.arena).</source>
        <translation>Arena-Datei (Vorgabe arenas/room.arena).</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Run without a window.</source>
        <translation>Ohne Fenster laufen.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>Not an address: %1</source>
        <translation>Keine Adresse: %1</translation>
    </message>
    <message>
        <source>Not a port: %1</source>
        <translation>Kein Port: %1</translation>
    </message>
    <message>
        <source>Cannot listen on %1:%2: %3</source>
        <translation>Kann nicht auf %1:%2 warten: %3</translation>
    </message>
    <message>
        <source>Listening on %1:%2, arena %3, %4.</source>
        <translation>Wartet auf %1:%2, Arena %3, %4.</translation>
    </message>
</context>
<context>
    <name>robot::ArenaReader</name>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1:%2: %3</source>
        <translation>%1:%2: %3</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>%1 is out of range (-%2 to %2)</source>
        <translation>%1 liegt außerhalb des Bereichs (-%2 bis %2)</translation>
    </message>
    <message>
        <source>a wall needs two or more points as x y pairs, got %1 numbers</source>
        <translation>eine Wand braucht zwei oder mehr Punkte als x-y-Paare, erhalten: %1 Zahlen</translation>
    </message>
    <message>
        <source>the wall has a piece of length zero at point %1</source>
        <translation>die Wand hat bei Punkt %1 ein Stück der Länge null</translation>
    </message>
    <message>
        <source>a box needs x, y, width and height, got %1 numbers</source>
        <translation>ein Hindernis braucht x, y, Breite und Höhe, erhalten: %1 Zahlen</translation>
    </message>
    <message>
        <source>a box needs a positive width and height</source>
        <translation>ein Hindernis braucht eine positive Breite und Höhe</translation>
    </message>
    <message>
        <source>the start needs x, y and heading, got %1 numbers</source>
        <translation>der Start braucht x, y und Richtung, erhalten: %1 Zahlen</translation>
    </message>
    <message>
        <source>a second start (the first is on line %1)</source>
        <translation>ein zweiter Start (der erste steht in Zeile %1)</translation>
    </message>
    <message>
        <source>unknown statement &quot;%1&quot; (expected name, wall, box or start)</source>
        <translation>unbekannte Anweisung „%1“ (erwartet: name, wall, box oder start)</translation>
    </message>
    <message>
        <source>more than %1 walls</source>
        <translation>mehr als %1 Wände</translation>
    </message>
    <message>
        <source>%1: no walls (a line &quot;wall x1 y1 x2 y2&quot;)</source>
        <translation>%1: keine Wände (eine Zeile „wall x1 y1 x2 y2“)</translation>
    </message>
    <message>
        <source>%1: no start (a line &quot;start x y heading&quot;)</source>
        <translation>%1: kein Start (eine Zeile „start x y Richtung“)</translation>
    </message>
    <message>
        <source>the robot (radius %1 m) does not fit at the start: it overlaps a wall</source>
        <translation>der Roboter (Radius %1 m) passt nicht an den Start: er überlappt eine Wand</translation>
    </message>
    <message>
        <source>the start lies inside an obstacle or outside the walls</source>
        <translation>der Start liegt in einem Hindernis oder außerhalb der Wände</translation>
    </message>
</context>
<context>
    <name>robot::Simulation</name>
    <message>
        <source>Controller %1 connected.</source>
        <translation>Steuerung %1 verbunden.</translation>
    </message>
    <message>
        <source>Controller %1 refused: another controller is driving.</source>
        <translation>Steuerung %1 abgewiesen: eine andere Steuerung fährt.</translation>
    </message>
    <message>
        <source>x %1 m, y %2 m, heading %3°</source>
        <translation>x %1 m, y %2 m, Richtung %3°</translation>
    </message>
    <message>
        <source>Paused at %1.</source>
        <translation>Angehalten bei %1.</translation>
    </message>
    <message>
        <source>Running.</source>
        <translation>Läuft.</translation>
    </message>
    <message>
        <source>Bumper pressed at %1.</source>
        <translation>Stoßfänger gedrückt bei %1.</translation>
    </message>
    <message>
        <source>Bumper released.</source>
        <translation>Stoßfänger frei.</translation>
    </message>
    <message>
        <source>Controller %1 disconnected: the robot stopped at %2.</source>
        <translation>Steuerung %1 getrennt: der Roboter hielt an bei %2.</translation>
    </message>
    <message>
        <source>Back at the start, %1.</source>
        <translation>Zurück am Start, %1.</translation>
    </message>
</context>
<context>
    <name>robot::window::ArenaView</name>
    <message>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <source>&gt; %1 m</source>
        <translation>&gt; %1 m</translation>
    </message>
</context>
<context>
    <name>robot::window::RobotWindow</name>
    <message>
        <source>Placed at %1.</source>
        <translation>Abgesetzt bei %1.</translation>
    </message>
    <message>
        <source>The robot does not fit there: it would overlap a wall.</source>
        <translation>Der Roboter passt dort nicht hin: er würde eine Wand überlappen.</translation>
    </message>
    <message>
        <source>Virtual robot - %1</source>
        <translation>Virtueller Roboter - %1</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause or resume the simulation (Space)</source>
        <translation>Simulation anhalten oder fortsetzen (Leertaste)</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Put the robot back at the start and clear its path (Ctrl+R)</source>
        <translation>Roboter an den Start zurücksetzen und seinen Weg löschen (Strg+R)</translation>
    </message>
    <message>
        <source>Clear path</source>
        <translation>Weg löschen</translation>
    </message>
    <message>
        <source>Forget the path driven so far</source>
        <translation>Den bisher gefahrenen Weg vergessen</translation>
    </message>
    <message>
        <source>Arena</source>
        <translation>Arena</translation>
    </message>
    <message>
        <source>The arena from above. Click to place the robot, drag to turn it.</source>
        <translation>Die Arena von oben. Klicken setzt den Roboter ab, Ziehen dreht ihn.</translation>
    </message>
    <message>
        <source>Click to place the robot, drag to turn it.</source>
        <translation>Klicken setzt den Roboter ab, Ziehen dreht ihn.</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>Roboter</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Controller:</source>
        <translation>Steuerung:</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Geschwindigkeit:</translation>
    </message>
    <message>
        <source>Steering:</source>
        <translation>Lenkung:</translation>
    </message>
    <message>
        <source>Front:</source>
        <translation>Vorne:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Rechts:</translation>
    </message>
    <message>
        <source>Bumper:</source>
        <translation>Stoßfänger:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Click in the arena to place the robot, drag to turn it.</source>
        <translation>In die Arena klicken setzt den Roboter ab, Ziehen dreht ihn.</translation>
    </message>
    <message>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <source>&gt; %1 m</source>
        <translation>&gt; %1 m</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>verbunden</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 m/s</source>
        <translation>%1 m/s</translation>
    </message>
    <message>
        <source>%1°</source>
        <translation>%1°</translation>
    </message>
    <message>
        <source>pressed</source>
        <translation>gedrückt</translation>
    </message>
    <message>
        <source>free</source>
        <translation>frei</translation>
    </message>
</context>
</TS>
