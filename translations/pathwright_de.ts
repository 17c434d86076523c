<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/gui/shell/AboutDialog.cpp" line="+16"/>
        <source>World map: NASA Visible Earth, Blue Marble, in the public domain.</source>
        <translation>Weltkarte: NASA Visible Earth, Blue Marble, gemeinfrei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Map: %1</source>
        <translation>Karte: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Map data © OpenStreetMap contributors, under the Open Database Licence (ODbL): openstreetmap.org/copyright.</source>
        <translation>Kartendaten © OpenStreetMap-Mitwirkende, unter der Open Database Licence (ODbL): openstreetmap.org/copyright.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Map: your own picture, under its own terms.</source>
        <translation>Karte: Ihr eigenes Bild, zu dessen eigenen Bedingungen.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>About Pathwright</source>
        <translation>Über Pathwright</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>FFmpeg: not available (%1)</source>
        <translation>FFmpeg: nicht verfügbar (%1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FFmpeg: libavcodec %1, libavformat %2</source>
        <translation>FFmpeg: libavcodec %1, libavformat %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;h3&gt;Pathwright %1&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Pathwright %1&lt;/h3&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;p&gt;Draws an animated route over a map and renders it as video frames.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Zeichnet eine animierte Route über eine Karte und rendert sie als Videobilder.&lt;/p&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;p&gt;Qt %1&lt;br&gt;%2&lt;/p&gt;</source>
        <translation>&lt;p&gt;Qt %1&lt;br&gt;%2&lt;/p&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;p&gt;Libraries, each under its own licence: Qt (LGPL 3), FFmpeg (LGPL 2.1 or later, GPL 2 or later as Debian builds it), PROJ, GeographicLib, libgeotiff, libdeflate (MIT), libspng (BSD), SQLite (public domain).&lt;/p&gt;</source>
        <translation>&lt;p&gt;Bibliotheken, jede unter ihrer eigenen Lizenz: Qt (LGPL 3), FFmpeg (LGPL 2.1 oder später, GPL 2 oder später, wie Debian es baut), PROJ, GeographicLib, libgeotiff, libdeflate (MIT), libspng (BSD), SQLite (gemeinfrei).&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>AnimationCommands</name>
    <message>
        <location filename="../src/gui/animation/AnimationCommands.cpp" line="+23"/>
        <source>Pathwright - Render</source>
        <translation>Pathwright - Rendern</translation>
    </message>
    <message>
        <location line="+73"/>
        <location line="+26"/>
        <location line="+9"/>
        <location line="+5"/>
        <location line="+4"/>
        <source>The render did not start.</source>
        <translation>Das Rendern wurde nicht gestartet.</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Stopped before the first frame.</source>
        <translation>Vor dem ersten Bild angehalten.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The map tiles could not be had.</source>
        <translation>Die Kartenkacheln waren nicht zu bekommen.</translation>
    </message>
    <message>
        <location line="+95"/>
        <source> in %1, %2</source>
        <translation> in %1, %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The render stopped.</source>
        <translation>Das Rendern wurde angehalten.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stopped: %1 frames kept%2.</source>
        <translation>Angehalten: %1 Bilder behalten%2.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 frames written%2.</source>
        <translation>%1 Bilder geschrieben%2.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The render stopped: the video file %1 could not be written.

%2

Nothing was kept under that name.</source>
        <translation>Das Rendern wurde abgebrochen: Die Videodatei %1 konnte nicht geschrieben werden.

%2

Unter diesem Namen wurde nichts behalten.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The render stopped: frame file %1 could not be written.

%2

The %3 frames before it were written.</source>
        <translation>Das Rendern wurde abgebrochen: Die Bilddatei %1 konnte nicht geschrieben werden.

%2

Die %3 Bilder davor wurden geschrieben.</translation>
    </message>
    <message>
        <location filename="../src/gui/animation/PreviewCommands.cpp" line="+14"/>
        <source>The preview did not start.</source>
        <translation>Die Vorschau wurde nicht gestartet.</translation>
    </message>
</context>
<context>
    <name>CameraDialog</name>
    <message>
        <location filename="../src/gui/settings/CameraDialog.cpp" line="+20"/>
        <location line="+27"/>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <location line="-23"/>
        <source>Fixed: the map at 1:1 from its top-left corner</source>
        <translation>Fest: die Karte 1:1 ab ihrer oberen linken Ecke</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Map: the whole map fitted</source>
        <translation>Karte: die ganze Karte eingepasst</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Route: the whole route</source>
        <translation>Route: die ganze Route</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Follow: the head at the centre</source>
        <translation>Folgen: die Spitze in der Mitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leg: each leg while it is drawn</source>
        <translation>Abschnitt: jeder Abschnitt, während er gezeichnet wird</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Camera:</source>
        <translation>Kamera:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> x</source>
        <translation> ×</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zoom (follow):</source>
        <translation>Zoom (Folgen):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Margin:</source>
        <translation>Rand:</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <location line="+2"/>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Intro:</source>
        <translation>Vorlauf:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Outro:</source>
        <translation>Nachlauf:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Smoothing:</source>
        <translation>Glättung:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn the map so that travel points up</source>
        <translation>Karte drehen, sodass die Fahrtrichtung nach oben zeigt</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Camera zoom</source>
        <translation>Kamerazoom</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Camera margin</source>
        <translation>Kamerarand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Camera intro</source>
        <translation>Kameravorlauf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Camera outro</source>
        <translation>Kameranachlauf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Camera smoothing</source>
        <translation>Kameraglättung</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Camera turn</source>
        <translation>Kameradrehung</translation>
    </message>
</context>
<context>
    <name>ControlPointsDialog</name>
    <message>
        <location filename="../src/gui/mapview/ControlPointsDialog.cpp" line="+48"/>
        <source>Pathwright - Control points</source>
        <translation>Pathwright - Passpunkte</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Off by</source>
        <translation>Abweichung</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>New control point</source>
        <translation>Neuer Passpunkt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>x </source>
        <translation>x </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>y </source>
        <translation>y </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Pick on map</source>
        <translation>Auf der Karte &amp;wählen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Map pixel:</source>
        <translation>Kartenpixel:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>48.8566, 2.3522 or 48°51&apos;24&quot;N 2°21&apos;08&quot;E</source>
        <translation>48.8566, 2.3522 oder 48°51&apos;24&quot;N 2°21&apos;08&quot;E</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Coordinates:</source>
        <translation>Koordinaten:</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The map picture has coordinates of its own, from %1: the control points are not used.</source>
        <translation>Das Kartenbild hat eigene Koordinaten, aus %1: Die Passpunkte werden nicht verwendet.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Two control points or more give the map its coordinates: pick a spot on the map, or type its pixel, then type or paste where on earth it is.</source>
        <translation>Zwei oder mehr Passpunkte geben der Karte ihre Koordinaten: Wählen Sie eine Stelle auf der Karte oder geben Sie ihr Pixel ein, dann tippen oder fügen Sie ein, wo auf der Erde sie liegt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The control points lie on one line: they give the map no coordinates.</source>
        <translation>Die Passpunkte liegen auf einer Linie: Sie geben der Karte keine Koordinaten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 control points give the map its coordinates. Worst residual: %2 px (the farthest a point lies from where the fit puts it).</source>
        <translation>%1 Passpunkte geben der Karte ihre Koordinaten. Größte Restabweichung: %2 px (so weit liegt ein Punkt höchstens von der Stelle, an die ihn die Anpassung setzt).</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&quot;%1&quot; is not a latitude and longitude, such as 48.8566, 2.3522.</source>
        <translation>„%1“ ist keine Breite und Länge wie 48.8566, 2.3522.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The map pixel is not a number.</source>
        <translation>Das Kartenpixel ist keine Zahl.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>All %1 control points are in use: remove one first.</source>
        <translation>Alle %1 Passpunkte sind belegt: Entfernen Sie zuerst einen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Add control point</source>
        <translation>Passpunkt hinzufügen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Remove control point</source>
        <translation>Passpunkt entfernen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Remove control points</source>
        <translation>Passpunkte entfernen</translation>
    </message>
</context>
<context>
    <name>CustomSizeDialog</name>
    <message>
        <location filename="../src/gui/settings/CustomSizeDialog.cpp" line="+24"/>
        <source>Custom size</source>
        <translation>Eigene Größe</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 fps</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Width</source>
        <translation>&amp;Breite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Height</source>
        <translation>&amp;Höhe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Rate</source>
        <translation>Bild&amp;rate</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Width and height must be even: %1 to %2 wide, %1 to %3 high.</source>
        <translation>Breite und Höhe müssen gerade sein: %1 bis %2 breit, %1 bis %3 hoch.</translation>
    </message>
</context>
<context>
    <name>DirectEditing</name>
    <message>
        <location filename="../src/gui/mapview/DirectEditing.cpp" line="+16"/>
        <source>&amp;Delete Point</source>
        <translation>Punkt &amp;löschen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Delete point</source>
        <translation>Punkt löschen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Nudge point</source>
        <translation>Punkt verschieben</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Drag point</source>
        <translation>Punkt ziehen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Insert point</source>
        <translation>Punkt einfügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The route already has %1 points, as many as it can hold; no point was inserted.</source>
        <translation>Die Route hat bereits %1 Punkte, so viele, wie sie fassen kann; es wurde kein Punkt eingefügt.</translation>
    </message>
</context>
<context>
    <name>DirectoryList</name>
    <message>
        <location filename="../src/gui/shell/DirectoryList.cpp" line="+60"/>
        <location line="+5"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>The folder %1 does not exist. Make it?</source>
        <translation>Der Ordner %1 existiert nicht. Soll er angelegt werden?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The folder %1 could not be made.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ExportPreset</name>
    <message>
        <location filename="../src/core/settings/ExportPresets.cpp" line="+13"/>
        <source>YouTube 1080p</source>
        <translation>YouTube 1080p</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>YouTube 4K</source>
        <translation>YouTube 4K</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Instagram Reel</source>
        <translation>Instagram Reel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TikTok</source>
        <translation>TikTok</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Instagram square</source>
        <translation>Instagram quadratisch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Editing overlay (ProRes 4444, transparent)</source>
        <translation>Overlay für den Schnitt (ProRes 4444, transparent)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Web page (animated GIF)</source>
        <translation>Webseite (animiertes GIF)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Web page (animated WebP)</source>
        <translation>Webseite (animiertes WebP)</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The animation lasts %1 s; %2 takes at most %3 s. Nothing is cut: shorten it, or cut the video in an editor.</source>
        <translation>Die Animation dauert %1 s; %2 nimmt höchstens %3 s. Es wird nichts abgeschnitten: Kürzen Sie sie, oder schneiden Sie das Video in einem Schnittprogramm.</translation>
    </message>
</context>
<context>
    <name>FilmPanel</name>
    <message>
        <location filename="../src/gui/settings/FilmPanel.cpp" line="+43"/>
        <source>Travel film</source>
        <translation>Reisefilm</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+12"/>
        <location line="+26"/>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <location line="-38"/>
        <source>Walk</source>
        <translation>Zu Fuß</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Bike</source>
        <translation>Fahrrad</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Car</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Bus</source>
        <translation>Bus</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Train</source>
        <translation>Zug</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Boat</source>
        <translation>Schiff</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Plane</source>
        <translation>Flugzeug</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The marker&apos;s icon, the line and the speed of every leg without a way of its own (set a leg&apos;s own in the points panel)</source>
        <translation>Symbol der Markierung, Linie und Geschwindigkeit jeder Etappe ohne eigene Reiseart (die eigene einer Etappe stellen Sie in der Punkteliste ein)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Travel by:</source>
        <translation>Reiseart:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solid</source>
        <translation>Durchgezogen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dashed</source>
        <translation>Gestrichelt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dotted</source>
        <translation>Gepunktet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Solid leaves each leg the line of its way of travel</source>
        <translation>Durchgezogen lässt jeder Etappe die Linie ihrer Reiseart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Line:</source>
        <translation>Linie:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Glow:</source>
        <translation>Leuchten:</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+18"/>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>Whole line</source>
        <translation>Ganze Linie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Seconds of line drawn fully; older line fades</source>
        <translation>Sekunden Linie voll gezeichnet; ältere Linie verblasst</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>How strongly the older line still shows</source>
        <translation>Wie deutlich die ältere Linie noch zu sehen ist</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>to</source>
        <translation>auf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tail:</source>
        <translation>Schweif:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Follow the frame</source>
        <translation>Mit dem Bild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Follow the frame: sizes are pixels of a 1080-line frame, so a project looks the same at 720p, 1080p and 4K</source>
        <translation>Mit dem Bild: Größen sind Pixel eines Bildes mit 1080 Zeilen, so sieht ein Projekt in 720p, 1080p und 4K gleich aus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sizes:</source>
        <translation>Größen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Subtitle:</source>
        <translation>Untertitel:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Centre</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Title shows:</source>
        <translation>Titel zeigt:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kilometres</source>
        <translation>Kilometer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Miles</source>
        <translation>Meilen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The distance travelled so far, on a map with coordinates</source>
        <translation>Die bisher zurückgelegte Strecke, auf einer Karte mit Koordinaten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Counter:</source>
        <translation>Zähler:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Way of travel</source>
        <translation>Reiseart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Line style</source>
        <translation>Linienstil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sizes</source>
        <translation>Größen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Title position</source>
        <translation>Titelposition</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Glow</source>
        <translation>Leuchten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tail</source>
        <translation>Schweif</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Tail fade</source>
        <translation>Schweif verblassen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Title time</source>
        <translation>Titeldauer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
</context>
<context>
    <name>FormatMenu</name>
    <message>
        <location filename="../src/gui/settings/FormatMenu.cpp" line="+13"/>
        <source>F&amp;ormat</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Custom size...</source>
        <translation>&amp;Eigene Größe…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 %2   (%3 x %4)</source>
        <translation>%1 %2   (%3 × %4)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1   (%2 x %3)</source>
        <translation>%1   (%2 × %3)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 fps</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Video format: frame size and rate</source>
        <translation>Videoformat: Bildgröße und Bildrate</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+13"/>
        <source>Video format</source>
        <translation>Videoformat</translation>
    </message>
</context>
<context>
    <name>GeoPanel</name>
    <message>
        <location filename="../src/gui/settings/GeoPanel.cpp" line="+41"/>
        <source>Geography</source>
        <translation>Geografie</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Route:</source>
        <translation>Route:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Legs:</source>
        <translation>Abschnitte:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> ×</source>
        <translation> ×</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recorded seconds a second of the animation, for the track&apos;s clock and for speeds in km/h</source>
        <translation>Aufgezeichnete Sekunden je Sekunde der Animation, für die Uhr des Tracks und für Geschwindigkeiten in km/h</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Speed-up:</source>
        <translation>Zeitraffer:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> s still</source>
        <translation> s Stillstand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>How long the track stands still before it is a stop</source>
        <translation>Wie lange der Track stillsteht, bevor es ein Halt ist</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stops:</source>
        <translation>Halte:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pixels a second</source>
        <translation>Pixel pro Sekunde</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Speed in:</source>
        <translation>Tempo in:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Straight</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Arcs</source>
        <translation>Bögen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Arcs follow great circles on a map with coordinates</source>
        <translation>Bögen folgen auf einer Karte mit Koordinaten Großkreisen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>How far arcs bulge on a map without coordinates</source>
        <translation>Wie weit sich Bögen auf einer Karte ohne Koordinaten wölben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Bend:</source>
        <translation>Wölbung:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lines:</source>
        <translation>Linien:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Speed-up</source>
        <translation>Zeitraffer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Track stops</source>
        <translation>Halte im Track</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Speed unit</source>
        <translation>Geschwindigkeitseinheit</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Lines</source>
        <translation>Linien</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Arc bend</source>
        <translation>Bogenwölbung</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Coordinates from %1.</source>
        <translation>Koordinaten aus %1.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Coordinates from the control points, within %1 px (worst residual).</source>
        <translation>Koordinaten aus den Passpunkten, auf %1 px genau (größte Restabweichung).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The map has no coordinates: no world file, GeoTIFF or control points.</source>
        <translation>Die Karte hat keine Koordinaten: kein World-File, GeoTIFF oder Passpunkte.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 to %2: %3</source>
        <translation>%1 bis %2: %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no length on the earth</source>
        <translation>keine Länge auf der Erde</translation>
    </message>
</context>
<context>
    <name>GetImageDialog</name>
    <message>
        <location filename="../src/gui/mapview/GetImageDialog.cpp" line="+21"/>
        <source>Pathwright - Get Image</source>
        <translation>Pathwright - Bild laden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Map picture</source>
        <translation>Kartenbild</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>No picture was chosen: select a picture file in the list.</source>
        <translation>Es wurde kein Bild gewählt: Wählen Sie eine Bilddatei in der Liste.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The map picture was not changed.</source>
        <translation>Das Kartenbild wurde nicht geändert.</translation>
    </message>
</context>
<context>
    <name>KeyRow</name>
    <message>
        <location filename="../src/gui/timeline/KeyRow.cpp" line="+17"/>
        <source>Camera zoom keys (follow camera): Z or the context menu adds one at the playhead; drag a key to another point, double-click to change it, Delete removes it</source>
        <translation>Zoom-Keyframes der Kamera (folgende Kamera): Z oder das Kontextmenü setzt einen an der Abspielposition; ziehen Sie einen Keyframe zu einem anderen Punkt, Doppelklick ändert ihn, Entf entfernt ihn</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Zoom key at point %1</source>
        <translation>Zoom-Keyframe an Punkt %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Delete zoom key at point %1</source>
        <translation>Zoom-Keyframe an Punkt %1 löschen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Move zoom key to point %1</source>
        <translation>Zoom-Keyframe zu Punkt %1 verschieben</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Add zoom key at the playhead</source>
        <translation>Zoom-Keyframe an der Abspielposition hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delete zoom key</source>
        <translation>Zoom-Keyframe löschen</translation>
    </message>
</context>
<context>
    <name>LookPanel</name>
    <message>
        <location filename="../src/gui/settings/LookPanel.cpp" line="+53"/>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold at points:</source>
        <translation>Halt an Punkten:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Seconds per leg</source>
        <translation>Zeit je Abschnitt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>One speed</source>
        <translation>Eine Geschwindigkeit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Track&apos;s clock</source>
        <translation>Uhr des Tracks</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+128"/>
        <source> px/s</source>
        <translation> px/s</translation>
    </message>
    <message>
        <location line="-124"/>
        <source>Timing:</source>
        <translation>Zeitablauf:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Smooth start and stop</source>
        <translation>Sanft anfahren und anhalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Easing:</source>
        <translation>Übergang:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dot</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Arrow</source>
        <translation>Pfeil</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <location line="+8"/>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <location line="-23"/>
        <source>Marker colour</source>
        <translation>Markierungsfarbe</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Marker:</source>
        <translation>Markierung:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>...</source>
        <translation>…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Picture (PNG):</source>
        <translation>Bild (PNG):</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Label colour</source>
        <translation>Beschriftungsfarbe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Labels:</source>
        <translation>Beschriftungen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Outline</source>
        <translation>Umriss</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Casing colour</source>
        <translation>Konturfarbe</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Casing:</source>
        <translation>Kontur:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Hold</source>
        <translation>Halt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Timing</source>
        <translation>Zeitablauf</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Easing</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Marker</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Marker size</source>
        <translation>Markierungsgröße</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Marker turn</source>
        <translation>Markierungsdrehung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Label size</source>
        <translation>Beschriftungsgröße</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Casing</source>
        <translation>Kontur</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Casing width</source>
        <translation>Konturbreite</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+23"/>
        <location line="+3"/>
        <source>Marker picture</source>
        <translation>Markierungsbild</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source> km/h</source>
        <translation> km/h</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/gui/shell/MainWindow.cpp" line="+44"/>
        <location line="+91"/>
        <source>Vantorel* Pathwright</source>
        <translation>Vantorel* Pathwright</translation>
    </message>
    <message>
        <location line="-63"/>
        <location filename="../src/gui/shell/MainWindowBars.cpp" line="+57"/>
        <source>Frame</source>
        <translation>Bild</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>map image</source>
        <translation>Kartenbild</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowEdits.cpp" line="+16"/>
        <source>NTSC format</source>
        <translation>NTSC-Format</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>PAL format</source>
        <translation>PAL-Format</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowBars.cpp" line="-12"/>
        <location filename="../src/gui/shell/MainWindowEdits.cpp" line="+6"/>
        <location line="+31"/>
        <source>Select point</source>
        <translation>Punkt auswählen</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowEdits.cpp" line="-16"/>
        <source>Move point back</source>
        <translation>Punkt eine Stelle zurück</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Move point forward</source>
        <translation>Punkt eine Stelle vor</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Add point</source>
        <translation>Punkt hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete point</source>
        <translation>Punkt löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move point</source>
        <translation>Punkt verschieben</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Resize map picture</source>
        <translation>Kartenbildgröße ändern</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowDialogs.cpp" line="+35"/>
        <location line="+25"/>
        <location line="+27"/>
        <location line="+4"/>
        <location filename="../src/gui/shell/MainWindowEdits.cpp" line="+2"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowEdits.cpp" line="+1"/>
        <source>The map picture was not resized.</source>
        <translation>Die Größe des Kartenbilds wurde nicht geändert.</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowBars.cpp" line="-7"/>
        <source>NTSC</source>
        <translation>NTSC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>654x480 29.97fps</source>
        <translation>654x480 29,97 fps</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PAL</source>
        <translation>PAL</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>786x576 25fps</source>
        <translation>786x576 25 fps</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Add points</source>
        <translation>Punkte hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move selected point backwards</source>
        <translation>Ausgewählten Punkt in der Reihenfolge zurückschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>o</source>
        <translation>o</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move selected point forwards</source>
        <translation>Ausgewählten Punkt in der Reihenfolge vorschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Delete points</source>
        <translation>Punkte löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move selected point</source>
        <translation>Ausgewählten Punkt verschieben</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Redraw</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Refresh the display</source>
        <translation>Die Anzeige neu zeichnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Preview the route</source>
        <translation>Vorschau der Route</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Render</source>
        <translation>Rendern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Render the animation to a video file or numbered image files</source>
        <translation>Die Animation als Videodatei oder nummerierte Bilddateien rendern</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Image</source>
        <translation>&amp;Bild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Render</source>
        <translation>&amp;Rendern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Properties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>P&amp;oint</source>
        <translation>&amp;Punkt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Map</source>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Control points...</source>
        <translation>&amp;Passpunkte…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Map &amp;source...</source>
        <translation>Karten&amp;quelle…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Work &amp;offline</source>
        <translation>&amp;Offline arbeiten</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;100 %</source>
        <translation>&amp;100 %</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Fit</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Camera...</source>
        <translation>&amp;Kamera…</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowDialogs.cpp" line="-56"/>
        <source>Select a point first (o, then click it).</source>
        <translation>Wählen Sie zuerst einen Punkt aus (o, dann auf ihn klicken).</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Map picture</source>
        <translation>Kartenbild</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pictures (%1);;All files (*)</source>
        <translation>Bilder (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The map picture was not changed.</source>
        <translation>Das Kartenbild wurde nicht geändert.</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/MainWindowMenus.cpp" line="+21"/>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Pre&amp;ferences...</source>
        <translation>&amp;Einstellungen…</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Map in a &amp;separate window</source>
        <translation>Karte in eigenem &amp;Fenster</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Keyboard shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;About Pathwright</source>
        <translation>&amp;Über Pathwright</translation>
    </message>
</context>
<context>
    <name>MapSourceDialog</name>
    <message>
        <location filename="../src/gui/tiles/MapSourceDialog.cpp" line="+36"/>
        <source>Pathwright - Map source</source>
        <translation>Pathwright - Kartenquelle</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The map picture</source>
        <translation>Das Kartenbild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Web map tiles</source>
        <translation>Web-Kartenkacheln</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+90"/>
        <source>MBTiles package</source>
        <translation>MBTiles-Paket</translation>
    </message>
    <message>
        <location line="-89"/>
        <source>Built-in world map</source>
        <translation>Eingebaute Weltkarte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Map:</source>
        <translation>&amp;Karte:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Custom address</source>
        <translation>Eigene Adresse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Tiles from:</source>
        <translation>Kacheln &amp;von:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Credit:</source>
        <translation>&amp;Namensnennung:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>256 pixels</source>
        <translation>256 Pixel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>512 pixels (high density)</source>
        <translation>512 Pixel (hohe Dichte)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tile &amp;size:</source>
        <translation>Kachel&amp;größe:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Kept in your settings, never in the project</source>
        <translation>Wird in Ihren Einstellungen gespeichert, nie im Projekt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>API &amp;key:</source>
        <translation>API-&amp;Schlüssel:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Package:</source>
        <translation>&amp;Paket:</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Tiles by %1; &lt;a href=&quot;%2&quot;&gt;terms of use&lt;/a&gt;%3</source>
        <translation>Kacheln von %1; &lt;a href=&quot;%2&quot;&gt;Nutzungsbedingungen&lt;/a&gt;%3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> (needs your API key)</source>
        <translation> (benötigt Ihren API-Schlüssel)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>MBTiles packages (*.mbtiles);;All files (*)</source>
        <translation>MBTiles-Pakete (*.mbtiles);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The tile address cannot be used: %1.</source>
        <translation>Die Kacheladresse kann nicht verwendet werden: %1.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Map source</source>
        <translation>Kartenquelle</translation>
    </message>
</context>
<context>
    <name>MapTiles</name>
    <message>
        <location filename="../src/gui/tiles/MapTiles.cpp" line="+40"/>
        <source>This project&apos;s map downloads tiles from %1, which is not one of the built-in map servers. Allow it?</source>
        <translation>Die Karte dieses Projekts lädt Kacheln von %1, das nicht zu den eingebauten Kartenservern gehört. Zulassen?</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Offline: %1 map tiles are not in the cache</source>
        <translation>Offline: %1 Kartenkacheln sind nicht im Zwischenspeicher</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 map tiles are missing: the map&apos;s server is not allowed</source>
        <translation>%1 Kartenkacheln fehlen: Der Server der Karte ist nicht zugelassen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downloading map tiles: %1 of %2</source>
        <translation>Kartenkacheln werden geladen: %1 von %2</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <location filename="../src/gui/project/OpenDialog.cpp" line="+20"/>
        <source>Pathwright - File open</source>
        <translation>Pathwright - Datei öffnen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>No project was chosen: select a project file in the list first.</source>
        <translation>Es wurde kein Projekt gewählt: Wählen Sie zuerst eine Projektdatei in der Liste.</translation>
    </message>
</context>
<context>
    <name>PointDialog</name>
    <message>
        <location filename="../src/gui/mapview/PointDialog.cpp" line="+42"/>
        <source>Label:</source>
        <translation>Beschriftung:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>as all points</source>
        <translation>wie alle Punkte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hold:</source>
        <translation>Halt:</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+4"/>
        <source>as all legs</source>
        <translation>wie alle Abschnitte</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Leg to here:</source>
        <translation>Abschnitt bis hier:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>straight</source>
        <translation>gerade</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>arc</source>
        <translation>Bogen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leg&apos;s line:</source>
        <translation>Linie des Abschnitts:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Latitude and longitude, such as 48.8566, 2.3522; empty: the point stays at its pixel</source>
        <translation>Breite und Länge, etwa 48.8566, 2.3522; leer: Der Punkt bleibt auf seinem Pixel</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Coordinates:</source>
        <translation>Koordinaten:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Point label</source>
        <translation>Punktbeschriftung</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Point hold</source>
        <translation>Halt am Punkt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Leg&apos;s line</source>
        <translation>Linie des Abschnitts</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Leg time</source>
        <translation>Abschnittsdauer</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Pathwright - Point %1</source>
        <translation>Pathwright - Punkt %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Point %1 at %2, %3</source>
        <translation>Punkt %1 bei %2, %3</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Not a latitude and longitude, such as 48.8566, 2.3522.</source>
        <translation>Keine Breite und Länge wie 48.8566, 2.3522.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Point coordinates</source>
        <translation>Punktkoordinaten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The map has no coordinates yet: the point stays at its pixel.</source>
        <translation>Die Karte hat noch keine Koordinaten: Der Punkt bleibt auf seinem Pixel.</translation>
    </message>
</context>
<context>
    <name>PointsModel</name>
    <message>
        <location filename="../src/gui/points/PointsModel.cpp" line="+16"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>straight</source>
        <translation>gerade</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>arc</source>
        <translation>Bogen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>walk</source>
        <translation>zu Fuß</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>bike</source>
        <translation>Fahrrad</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>car</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>bus</source>
        <translation>Bus</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>train</source>
        <translation>Zug</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>boat</source>
        <translation>Schiff</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>plane</source>
        <translation>Flugzeug</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>solid</source>
        <translation>durchgezogen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>dashed</source>
        <translation>gestrichelt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dotted</source>
        <translation>gepunktet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>as all legs</source>
        <translation>wie alle Abschnitte</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>As all points</source>
        <translation>Wie alle Punkte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>As all legs</source>
        <translation>Wie alle Abschnitte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Where the map puts the point&apos;s pixel</source>
        <translation>Wohin die Karte das Pixel des Punkts setzt</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Label</source>
        <translation>Beschriftung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Hold</source>
        <translation>Halt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Leg</source>
        <translation>Abschnitt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Travel</source>
        <translation>Reise</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Drag a row to move the point in the route</source>
        <translation>Ziehen Sie eine Zeile, um den Punkt in der Route zu verschieben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Seconds the animation stays at the point</source>
        <translation>Sekunden, die die Animation am Punkt verweilt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Seconds of the leg that ends at the point</source>
        <translation>Sekunden des Abschnitts, der am Punkt endet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The line of the leg that ends at the point</source>
        <translation>Die Linie des Abschnitts, der am Punkt endet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>How the leg that ends at the point is travelled: its marker icon, line and speed</source>
        <translation>Wie die Etappe bis zu diesem Punkt zurückgelegt wird: Symbol der Markierung, Linie und Geschwindigkeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The line style of the leg that ends at the point</source>
        <translation>Der Linienstil der Etappe bis zu diesem Punkt</translation>
    </message>
    <message>
        <location filename="../src/gui/points/PointsModelEdit.cpp" line="+20"/>
        <source>label</source>
        <translation>Beschriftung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>hold</source>
        <translation>Halt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>leg time</source>
        <translation>Abschnittsdauer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>leg&apos;s line</source>
        <translation>Linie des Abschnitts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>way of travel</source>
        <translation>Reiseart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>line style</source>
        <translation>Linienstil</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>coordinates</source>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A label cannot hold control characters.</source>
        <translation>Eine Beschriftung darf keine Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Seconds from 0 to %1, or nothing for the default.</source>
        <translation>Sekunden von 0 bis %1, oder nichts für den Standardwert.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A leg&apos;s line is straight or an arc, or nothing for the default.</source>
        <translation>Die Linie eines Abschnitts ist gerade oder ein Bogen, oder nichts für den Standardwert.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A way of travel is none, walk, bike, car, bus, train, boat or plane, or nothing for the default.</source>
        <translation>Eine Reiseart ist keine, zu Fuß, Fahrrad, Auto, Bus, Zug, Schiff oder Flugzeug, oder nichts für den Standard.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A line style is solid, dashed or dotted, or nothing for the default.</source>
        <translation>Ein Linienstil ist durchgezogen, gestrichelt oder gepunktet, oder nichts für den Standard.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a latitude or longitude on the earth, such as 48.8566 or 2.3522° E.</source>
        <translation>Keine Breite oder Länge auf der Erde wie 48.8566 oder 2.3522° E.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Point %1: %2</source>
        <translation>Punkt %1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 points: %2</source>
        <translation>%1 Punkte: %2</translation>
    </message>
    <message>
        <location filename="../src/gui/points/PointsModelRows.cpp" line="+25"/>
        <source>Delete point</source>
        <translation>Punkt löschen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Delete points</source>
        <translation>Punkte löschen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Move point</source>
        <translation>Punkt verschieben</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move points</source>
        <translation>Punkte verschieben</translation>
    </message>
</context>
<context>
    <name>PointsPanel</name>
    <message>
        <location filename="../src/gui/points/PointsPanel.cpp" line="+25"/>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>&amp;Points</source>
        <translation>&amp;Punkte</translation>
    </message>
</context>
<context>
    <name>PointsTable</name>
    <message>
        <location filename="../src/gui/points/PointsTable.cpp" line="+90"/>
        <source>Select point</source>
        <translation>Punkt auswählen</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <location filename="../src/gui/settings/PreferencesDialog.cpp" line="+18"/>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>System (as the desktop)</source>
        <translation>System (wie die Arbeitsumgebung)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Appearance</source>
        <translation>&amp;Erscheinungsbild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use the &amp;classic file dialogs</source>
        <translation>&amp;Klassische Dateidialoge verwenden</translation>
    </message>
</context>
<context>
    <name>PresetMenu</name>
    <message>
        <location filename="../src/gui/animation/PresetMenu.cpp" line="+10"/>
        <source>Render &amp;preset</source>
        <translation>Render-&amp;Vorgabe</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Preset %1</source>
        <translation>Vorgabe %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
</context>
<context>
    <name>ProjectCommands</name>
    <message>
        <location filename="../src/gui/project/ProjectCommands.cpp" line="+13"/>
        <location line="+12"/>
        <location line="+116"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location line="-126"/>
        <source>File: %1
Reason: %2</source>
        <translation>Datei: %1
Grund: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Save them first? Discarded changes are lost.</source>
        <translation>Zuerst speichern? Verworfene Änderungen gehen verloren.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Pathwright projects (*.wsr);;All files (*)</source>
        <translation>Pathwright-Projekte (*.wsr);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Open project</source>
        <translation>Projekt öffnen</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Save project as</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The new project has changes that are not saved.</source>
        <translation>Das neue Projekt hat ungespeicherte Änderungen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project %1 has changes that are not saved.</source>
        <translation>Das Projekt %1 hat ungespeicherte Änderungen.</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>The project could not be opened; nothing was changed.</source>
        <translation>Das Projekt konnte nicht geöffnet werden; es wurde nichts geändert.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The project %1 was opened.</source>
        <translation>Das Projekt %1 wurde geöffnet.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The project was not saved.</source>
        <translation>Das Projekt wurde nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>PropertiesDialog</name>
    <message>
        <location filename="../src/gui/settings/PropertiesDialog.cpp" line="+51"/>
        <source>Pathwright - Properties</source>
        <translation>Pathwright - Eigenschaften</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Line thickness:</source>
        <translation>Linienstärke:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Circle thickness:</source>
        <translation>Kreisstärke:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Circle radius:</source>
        <translation>Kreisradius:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Draw color:</source>
        <translation>Zeichenfarbe:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select color:</source>
        <translation>Auswahlfarbe:</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+1"/>
        <source>...</source>
        <translation>…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Any draw colour</source>
        <translation>Beliebige Zeichenfarbe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Any select colour</source>
        <translation>Beliebige Auswahlfarbe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Draw color</source>
        <translation>Zeichenfarbe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select color</source>
        <translation>Auswahlfarbe</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Interval (seconds)</source>
        <translation>Intervall (Sekunden)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+8"/>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/gui/mapview/PointDialog.cpp" line="-118"/>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <location filename="../src/gui/shell/ToolIcons.cpp" line="+174"/>
        <source>%1 (%2)</source>
        <extracomment>A tool bar button&apos;s tooltip: what it does, then the symbol it used to show.</extracomment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>RecentMenu</name>
    <message>
        <location filename="../src/gui/project/RecentMenu.cpp" line="+9"/>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project %1 is no longer there; it was taken off the list of recent projects.</source>
        <translation>Das Projekt %1 ist nicht mehr vorhanden; es wurde aus der Liste der zuletzt geöffneten Projekte entfernt.</translation>
    </message>
</context>
<context>
    <name>RenderDialog</name>
    <message>
        <location filename="../src/gui/animation/RenderDialog.cpp" line="+32"/>
        <source>Pathwright - Render</source>
        <translation>Pathwright - Rendern</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 quality</source>
        <translation>Qualität: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Render</source>
        <translation>&amp;Rendern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Frame</source>
        <translation>Bild</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Stop</source>
        <translation>&amp;Stoppen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Render quality</source>
        <translation>Renderqualität</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>%1 of %2 frames</source>
        <translation>%1 von %2 Bildern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 frames/s</source>
        <translation>%1 Bilder/s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, %1 left</source>
        <translation>, noch %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Map tiles: %1 of %2</source>
        <translation>Kartenkacheln: %1 von %2</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Render kind</source>
        <translation>Renderart</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Render directory</source>
        <translation>Renderordner</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The name of the frames holds a &apos;/&apos;. Choose the folder in the list above and give a name without a &apos;/&apos;.</source>
        <translation>Der Name der Bilder enthält ein „/“. Wählen Sie den Ordner in der Liste oben und geben Sie einen Namen ohne „/“ an.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The frames need a name: without one they would be hidden files (&quot;.mp4&quot;, &quot;0000.bmp&quot;).</source>
        <translation>Die Bilder brauchen einen Namen: Ohne ihn wären es versteckte Dateien („.mp4“, „0000.bmp“).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Render names</source>
        <translation>Rendernamen</translation>
    </message>
</context>
<context>
    <name>RenderSummary</name>
    <message>
        <location filename="../src/gui/animation/RenderSummary.cpp" line="+25"/>
        <source> to </source>
        <translation> bis </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 frames written: %2, %3, in %4 s.

They are in %5.</source>
        <translation>%1 Bilder geschrieben: %2, %3, in %4 s.

Sie liegen in %5.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pathwright - Render</source>
        <translation>Pathwright - Rendern</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Show folder</source>
        <translation>Ordner anzeigen</translation>
    </message>
</context>
<context>
    <name>RenderTarget</name>
    <message>
        <location filename="../src/core/animation/RenderTarget.cpp" line="+10"/>
        <source>BMP sequence</source>
        <translation>BMP-Bildfolge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG sequence</source>
        <translation>PNG-Bildfolge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG sequence with transparency</source>
        <translation>PNG-Bildfolge mit Transparenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MP4 video H.264</source>
        <translation>MP4-Video H.264</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOV ProRes 4444</source>
        <translation>MOV ProRes 4444</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOV ProRes 4444 with transparency</source>
        <translation>MOV ProRes 4444 mit Transparenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animated GIF for web pages</source>
        <translation>Animiertes GIF für Webseiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animated WebP for web pages</source>
        <translation>Animiertes WebP für Webseiten</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Small</source>
        <translation>Klein</translation>
    </message>
</context>
<context>
    <name>RulerRow</name>
    <message>
        <location filename="../src/gui/timeline/RulerRow.cpp" line="+8"/>
        <source>Click or drag to show any frame as it is rendered</source>
        <translation>Klicken oder ziehen, um ein beliebiges Bild so zu zeigen, wie es gerendert wird</translation>
    </message>
</context>
<context>
    <name>SaveAsDialog</name>
    <message>
        <location filename="../src/gui/project/SaveAsDialog.cpp" line="+14"/>
        <source>Pathwright - Save project file</source>
        <translation>Pathwright - Projektdatei speichern</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <location filename="../src/gui/shell/ShortcutsDialog.cpp" line="+22"/>
        <source>Arrow keys</source>
        <translation>Pfeiltasten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map: nudge the selected point one pixel</source>
        <translation>Karte: ausgewählten Punkt um ein Pixel verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shift+Arrow keys</source>
        <translation>Umschalt+Pfeiltasten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map: nudge the selected point ten pixels</source>
        <translation>Karte: ausgewählten Punkt um zehn Pixel verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shift+Click</source>
        <translation>Umschalt+Klick</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map: insert a point on a leg</source>
        <translation>Karte: Punkt in einen Abschnitt einfügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map: zoom</source>
        <translation>Karte: zoomen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ctrl+Wheel</source>
        <translation>Strg+Mausrad</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Space+Drag</source>
        <translation>Leertaste+Ziehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Map: move the view (also the middle button)</source>
        <translation>Karte: Ansicht verschieben (auch mit der mittleren Maustaste)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop the preview</source>
        <translation>Vorschau anhalten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: play or pause</source>
        <translation>Zeitleiste: abspielen oder pausieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>J, K, L</source>
        <translation>J, K, L</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: play backwards, pause, play forwards</source>
        <translation>Zeitleiste: rückwärts abspielen, pausieren, vorwärts abspielen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Left, Right</source>
        <translation>Links, Rechts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: one frame back or forward</source>
        <translation>Zeitleiste: ein Bild zurück oder vor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shift+Left, Shift+Right</source>
        <translation>Umschalt+Links, Umschalt+Rechts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: one second back or forward</source>
        <translation>Zeitleiste: eine Sekunde zurück oder vor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>I, O</source>
        <translation>I, O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: start or end of the range to render</source>
        <translation>Zeitleiste: Anfang oder Ende des zu rendernden Bereichs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home, End</source>
        <translation>Pos1, Ende</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Timeline: first or last frame</source>
        <translation>Zeitleiste: erstes oder letztes Bild</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Does</source>
        <translation>Funktion</translation>
    </message>
</context>
<context>
    <name>SpanRow</name>
    <message>
        <location filename="../src/gui/timeline/SpanRow.cpp" line="+29"/>
        <source>This leg takes the time its track recorded (timing = gps): it cannot be dragged.</source>
        <translation>Dieser Abschnitt dauert so lange, wie sein Track aufgezeichnet hat (Zeitablauf = gps): Er kann nicht gezogen werden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This leg&apos;s time follows from its length and the speed (timing = speed): it cannot be dragged.</source>
        <translation>Die Dauer dieses Abschnitts folgt aus seiner Länge und der Geschwindigkeit (Zeitablauf = speed): Er kann nicht gezogen werden.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>intro</source>
        <translation>Vorlauf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>outro</source>
        <translation>Nachlauf</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>hold %1</source>
        <translation>Halt %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>leg %1</source>
        <translation>Abschnitt %1</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Hold at point %1: %2 frames (%3 s). Drag its end to change it.</source>
        <translation>Halt an Punkt %1: %2 Bilder (%3 s). Ziehen Sie sein Ende, um ihn zu ändern.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Leg to point %1: %2 frames (%3 s). Drag its end to change its time; with Shift, the hold at its point.</source>
        <translation>Abschnitt bis Punkt %1: %2 Bilder (%3 s). Ziehen Sie sein Ende, um seine Dauer zu ändern; mit Umschalt den Halt an seinem Punkt.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Hold at point %1</source>
        <translation>Halt an Punkt %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Time of the leg to point %1</source>
        <translation>Dauer des Abschnitts bis Punkt %1</translation>
    </message>
</context>
<context>
    <name>StatusReadout</name>
    <message>
        <location filename="../src/gui/shell/StatusReadout.cpp" line="+45"/>
        <source>%1, %2 px</source>
        <extracomment>The map pixel under the mouse.</extracomment>
        <translation>%1, %2 px</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 × %2, %3 fps</source>
        <translation>%1 × %2, %3 fps</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Load a map picture (Ctrl+I) or import a track, then click to add points</source>
        <translation>Laden Sie ein Kartenbild (Strg+I) oder importieren Sie einen Track, dann klicken Sie, um Punkte hinzuzufügen</translation>
    </message>
</context>
<context>
    <name>TimelineDock</name>
    <message>
        <location filename="../src/gui/timeline/TimelineDock.cpp" line="+20"/>
        <location line="+10"/>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Play from the playhead, or pause (Space; J, K, L)</source>
        <translation>Ab der Abspielposition abspielen oder pausieren (Leertaste; J, K, L)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zoom key</source>
        <translation>Zoom-Keyframe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Add a camera zoom key at the playhead (Z)</source>
        <translation>Einen Zoom-Keyframe der Kamera an der Abspielposition hinzufügen (Z)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>In</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Render from the playhead (I)</source>
        <translation>Ab der Abspielposition rendern (I)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out</source>
        <translation>Ende</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Render up to the playhead (O)</source>
        <translation>Bis zur Abspielposition rendern (O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Whole</source>
        <translation>Alles</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Render the whole animation (Alt+X)</source>
        <translation>Die ganze Animation rendern (Alt+X)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Show the whole animation (Ctrl+wheel zooms)</source>
        <translation>Die ganze Animation zeigen (Strg+Mausrad zoomt)</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>frame %1 / %2   %3</source>
        <translation>Bild %1 / %2   %3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no frames</source>
        <translation>keine Bilder</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Render from frame %1</source>
        <translation>Ab Bild %1 rendern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Render up to frame %1</source>
        <translation>Bis Bild %1 rendern</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Render the whole animation</source>
        <translation>Die ganze Animation rendern</translation>
    </message>
</context>
<context>
    <name>TrackCommands</name>
    <message>
        <location filename="../src/gui/project/TrackCommands.cpp" line="+17"/>
        <source>Import &amp;track...</source>
        <translation>&amp;Track importieren…</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+10"/>
        <source>Import track</source>
        <translation>Track importieren</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Track files (%1);;All files (*)</source>
        <translation>Trackdateien (%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+6"/>
        <source>Pathwright</source>
        <translation>Pathwright</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>The track was not imported.</source>
        <translation>Der Track wurde nicht importiert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File: %1
Reason: %2</source>
        <translation>Datei: %1
Grund: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The track %1 was imported.</source>
        <translation>Der Track %1 wurde importiert.</translation>
    </message>
</context>
<context>
    <name>VideoFormat</name>
    <message>
        <location filename="../src/core/settings/VideoFormats.cpp" line="+23"/>
        <source>Vertical</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Square</source>
        <translation>Quadratisch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+82"/>
        <source>Draws an animated route over a map and renders it as video frames.</source>
        <translation>Zeichnet eine animierte Route über eine Karte und rendert sie als Videobilder.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>A project file (.wsr) to open.</source>
        <translation>Eine zu öffnende Projektdatei (.wsr).</translation>
    </message>
</context>
</TS>
