// User guide: filtering, sorting and marking the list.

#include "tools/demo/helptextparts.h"

using namespace Qt::StringLiterals;

namespace Demo::HelpText {

QString filtering()
{
    return uR"html(
<p>Unter jedem Spaltenkopf liegt ein Filterfeld. Die Liste zeigt nur die Kennblätter, die alle
gesetzten Filter zugleich erfüllen; „Anzahl Sätze“ nennt, wie viele das sind. Ein Filter wirkt,
sobald Sie im Feld die <b>Eingabetaste</b> drücken oder das Feld verlassen (mit der Tabulatortaste
oder einem Mausklick an eine andere Stelle) – nicht schon während des Tippens. Hat sich seit dem
letzten Aufbau nichts geändert, bleibt die Liste, wie sie ist.</p>
<h2>Textfilter: Kennblatt-Nr., Marke und Pulver</h2>
<p>Im Normalfall vergleicht das Programm den <b>Anfang</b> des Werts mit dem Filtertext: Der Filter
<code>therm</code> findet die Marke „Thermoweld E 7018-1“, der Filter <code>7018</code> findet sie
nicht. Dabei gilt:</p>
<ul>
<li>Groß- und Kleinschreibung spielt nur bei den Buchstaben a bis z keine Rolle. Umlaute und ß
werden genau verglichen: <code>ö</code> findet kein „Ö“.</li>
<li>Leerzeichen vor und nach dem Filtertext zählen nicht; ein Filter aus Leerzeichen wirkt wie ein
leerer Filter.</li>
<li>Der Text <code>Alle</code> (genau so geschrieben) bedeutet „kein Filter“.</li>
<li>Die Kennblatt-Nummer wird so verglichen, wie die Liste sie zeigt, also fünfstellig mit
führenden Nullen: <code>012</code> findet 01234.05, <code>1234</code> nicht.</li>
</ul>
<h2>Platzhalter * und %</h2>
<p>Enthält der Filtertext einen Stern <code>*</code> oder ein Prozentzeichen <code>%</code>, sucht
das Programm den übrigen Text <b>an beliebiger Stelle</b> im Wert. Es zählt nur der erste
Platzhalter; er wird entfernt, und die Teile davor und dahinter werden zusammengefügt. Jeder
weitere Stern oder jedes weitere Prozentzeichen ist ein gewöhnliches Zeichen. Ein Platzhalter
allein lässt nichts zum Suchen übrig: Die Liste wird leer.</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="16%">Filter</th><th width="28%">Wert</th><th width="12%">Treffer</th>
<th>Erklärung</th></tr></thead>
<tr><td><code>012</code></td><td>01234.05</td><td>ja</td><td>Anfang der Nummer</td></tr>
<tr><td><code>1234</code></td><td>01234.05</td><td>nein</td><td>die Nummer beginnt mit 0</td></tr>
<tr><td><code>*1234</code></td><td>01234.05</td><td>ja</td><td>Suche an beliebiger Stelle</td></tr>
<tr><td><code>1234*</code></td><td>01234.05</td><td>ja</td><td>ebenso: gesucht wird 1234</td></tr>
<tr><td><code>12*05</code></td><td>01234.05</td><td>nein</td><td>gesucht wird 1205</td></tr>
<tr><td><code>therm</code></td><td>Thermoweld E 7018-1</td><td>ja</td><td>Anfang, Schreibweise
gleichgültig</td></tr>
<tr><td><code>%7018</code></td><td>Thermoweld E 7018-1</td><td>ja</td><td>Suche an beliebiger
Stelle</td></tr>
<tr><td><code>7018</code></td><td>Thermoweld E 7018-1</td><td>nein</td><td>die Marke beginnt
nicht mit 7018</td></tr>
<tr><td><code>*</code></td><td>jeder</td><td>nein</td><td>nichts zu suchen: leere Liste</td></tr>
</table>
)html"_s +
           note(u"<b>Immer an beliebiger Stelle suchen.</b> Steht in der Einstellungsdatei "
                u"<code>FilterImmerAlsTeilString=1</code>, sucht jeder Textfilter an beliebiger "
                u"Stelle im Wert: <code>7018</code> findet dann „Thermoweld E 7018-1“. Der erste "
                u"Stern und das erste Prozentzeichen werden entfernt; <code>*</code> allein zeigt "
                u"alle Kennblätter. Jeder andere Wert als 1 lässt den Anfangsvergleich gelten."_s) +
           uR"html(
<h2>Verlauf der Textfilter</h2>
<p>Jeder angewendete Text kommt an die Spitze der Auswahlliste seines Filterfelds. Ein früherer
Eintrag, der sich nur in der Schreibweise von a bis z unterscheidet, wird dabei ersetzt. Wählen Sie
einen Eintrag aus der Liste und drücken Sie die Eingabetaste, um ihn erneut anzuwenden. Der Verlauf
beginnt bei jedem Programmstart leer.</p>
<h2>Auswahlfilter: Herst./Lief., Zusatz-Art und TÜO</h2>
<p>Diese drei Filter bestehen aus einem Eingabefeld und einer Schaltfläche, die eine Auswahlliste
öffnet. Die Liste beginnt mit „Alle“ und enthält dann alle Schlüssel; neben jedem Schlüssel steht
auf einem grauen Band der zugehörige Name, zum Beispiel der Firmenname des Herstellers. Die Liste
darf breiter sein als die Spalte, damit die Namen lesbar bleiben.</p>
<ul>
<li>Wählen Sie einen Eintrag, übernimmt das Programm den <b>Schlüssel</b> ins Eingabefeld,
filtert die Liste sofort und setzt die Schreibmarke in das Feld.</li>
<li>Sie können den Schlüssel auch eintippen und die Eingabetaste drücken.</li>
<li>Verglichen wird der ganze Schlüssel; Groß- und Kleinschreibung der Buchstaben a bis z und
Leerzeichen davor und danach zählen nicht. Platzhalter gibt es hier nicht: <code>*</code> und
<code>%</code> sind gewöhnliche Zeichen.</li>
<li>Ein Name statt eines Schlüssels findet nichts; die Liste wird leer.</li>
<li>„Alle“ oder ein leeres Feld bedeutet „kein Filter“.</li>
</ul>
<h2>Änderungsfilter</h2>
<p>Die Auswahl in der Spalte „Änderung“ bietet „Alle“, „Geänderte“ (nur Kennblätter mit
<code>**</code>) und „Nicht geänderte“. Sie wirkt sofort.</p>
<h2>Filter löschen</h2>
<p>Die Schaltfläche <b>Filter löschen</b> (Alt+L) rechts in der Filterzeile leert alle
Textfilter und Eingabefelder, setzt die Auswahllisten und den Änderungsfilter auf „Alle“ und zeigt
wieder alle Kennblätter. Der Verlauf der Textfilter bleibt erhalten.</p>
)html"_s;
}

QString sorting()
{
    return uR"html(
<p>Ein Klick auf einen Spaltenkopf sortiert die Liste nach dieser Spalte aufsteigend; im
Spaltenkopf erscheint ein Pfeil nach oben. Ein weiterer Klick auf denselben Kopf kehrt die
Richtung um (Pfeil nach unten). Ein Klick auf eine andere Spalte sortiert wieder aufsteigend; die
übrigen Spaltenköpfe zeigen keinen Pfeil.</p>
<p>Nach dem Start ist die Liste aufsteigend nach der Kennblatt-Nummer sortiert, ohne dass ein Pfeil
zu sehen ist. Der erste Klick auf „Kennblatt-Nr.“ sortiert deshalb absteigend. Wenn Sie danach
filtern, behält die Liste die gewählte Sortierung bei.</p>
<h2>Wie verglichen wird</h2>
<ul>
<li>Alle Spalten werden als Text verglichen, Zeichen für Zeichen. Die Kennblatt-Nummern stehen
dadurch in Zahlenfolge, weil sie immer gleich lang sind.</li>
<li>Groß- und Kleinschreibung der Buchstaben a bis z spielt keine Rolle.</li>
<li>Ziffern kommen vor Buchstaben; Umlaute und ß folgen nach dem Z.</li>
<li>Schlüssel werden als Text sortiert, nicht nach dem Namen dahinter: Ein Schlüssel
<code>10</code> steht vor <code>9</code>.</li>
<li>In der Spalte „Änderung“ stehen aufsteigend zuerst die unveränderten, dann die geänderten
Kennblätter.</li>
<li>Die Reihenfolge von Zeilen mit gleichem Wert in der Sortierspalte ist nicht festgelegt.</li>
</ul>
)html"_s;
}

QString marking()
{
    return uR"html(
<p>Ein Klick auf eine Zeile markiert sie und hebt andere Markierungen auf. Mit gedrückter
<b>Strg</b>-Taste fügen Sie weitere Zeilen hinzu oder nehmen sie wieder heraus; mit gedrückter
<b>Umschalttaste</b> markieren Sie alle Zeilen zwischen der zuletzt geklickten und der neuen.
Auch mit den Pfeiltasten können Sie sich in der Liste bewegen und mit der Umschalttaste
markieren. Die Markierung bleibt sichtbar, wenn Sie danach in ein Filterfeld wechseln.</p>
<p>Die Statusleiste am unteren Fensterrand zählt die markierten Zeilen, zum Beispiel
<b>1 Kennblatt markiert</b>, <b>12 Kennblätter markiert</b> oder <b>0 Kennblätter markiert</b>,
nachdem Sie alle Markierungen aufgehoben haben. Bis zur ersten Markierung ist sie leer.</p>
<p>Die Markierung bestimmt,</p>
<ul>
<li>welches Kennblatt „Einzeln. Kennblatt anzeigen“ öffnet (Kapitel „Kennblätter anzeigen“) und</li>
<li>was die Druckarten „markierte Liste“ und „markierte Kennblätter“ drucken (Kapitel
„Drucken“).</li>
</ul>
)html"_s;
}

} // namespace Demo::HelpText
