// User guide: showing data sheets and reference documents, printing, the info dialog.

#include "tools/demo/helptextparts.h"

using namespace Qt::StringLiterals;

namespace Demo::HelpText {

QString showing()
{
    return uR"html(
<p>Das Kennblatt einer Zeile öffnen Sie auf drei Wegen:</p>
<ul>
<li>mit der Schaltfläche <b>Einzeln. Kennblatt anzeigen</b> (Alt+A),</li>
<li>mit einem Doppelklick auf die Zeile oder</li>
<li>mit der <b>Eingabetaste</b>, während die Liste den Fokus hat.</li>
</ul>
<p>Geöffnet wird das Kennblatt der markierten Zeile; sind mehrere Zeilen markiert, das der
obersten in der aktuellen Sortierung. Ist keine Zeile markiert, geschieht nichts.</p>
<p>Das Programm sucht die PDF-Datei in dem Ordner, den der Eintrag <code>PfadZuPDFDateien</code>
der Einstellungsdatei nennt. Der Dateiname ist die Kennblatt-Nummer mit einem Unterstrich statt des
Punkts: zum Kennblatt 01234.05 gehört die Datei <code>01234_05.pdf</code>. Fehlt die Datei, meldet
das Programm <b>Datei '…/01234_05.pdf' nicht vorhanden.</b></p>
<h2>Das Dokumentfenster</h2>
<p>Kennblätter, Nachschlagedokumente und dieses Handbuch erscheinen im Dokumentfenster
„Kennblatt“. Es gibt nur ein solches Fenster: Jedes weitere Dokument ersetzt das angezeigte und
holt das Fenster nach vorn. Das Hauptfenster bleibt daneben bedienbar. Beim ersten Öffnen zeigt
das Fenster die Seitenbreite; Seite und Vergrößerung bleiben erhalten, wenn Sie es schließen und
wieder öffnen. Die Schaltflächen am oberen Rand, von links nach rechts:</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="34%">Schaltfläche</th><th>Wirkung</th></tr></thead>
<tr><td>Anzeige schließen</td><td>schließt das Fenster (ebenso die Taste Esc)</td></tr>
<tr><td>Drucken</td><td>druckt das angezeigte Dokument</td></tr>
<tr><td>Erste Seite, Vorherige Seite, Nächste Seite, Letzte Seite</td><td>blättern im
Dokument</td></tr>
<tr><td>Seite vergrößern, Seite verkleinern</td><td>ändern die Vergrößerung schrittweise;
vergrößert wird nur unterhalb von 340 %, verkleinert nur oberhalb von 30 %</td></tr>
<tr><td>Ganze Seite</td><td>zeigt eine ganze Seite im Fenster</td></tr>
<tr><td>Seitenbreite</td><td>passt die Seitenbreite an die Fensterbreite an</td></tr>
<tr><td>Zwei Seiten nebeneinander</td><td>zeigt je zwei Seiten nebeneinander</td></tr>
</table>
)html"_s;
}

QString references()
{
    return uR"html(
<p>Das Menü <b>Kennblatt Pilvo</b> öffnet die zehn Nachschlagedokumente des Katalogs im
Dokumentfenster:</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="44%">Menüeintrag</th><th>Inhalt</th></tr></thead>
<tr><td>Deckblatt</td><td>Titelblatt der Ausgabe mit ihren Kennzahlen und den Prüfstellen</td></tr>
<tr><td>Hersteller/Lieferer</td><td>alle Hersteller und Lieferer mit Schlüssel, Anschrift und
Zahl der Kennblätter</td></tr>
<tr><td>Kennblattliste (geordn. n. Markenbezeichnung)</td><td>alle Kennblätter, alphabetisch
nach Marke</td></tr>
<tr><td>Kennblattliste (geordn. n. Hersteller/Lieferer)</td><td>alle Kennblätter, nach Hersteller
gruppiert</td></tr>
<tr><td>Kennblattliste (geordn. n. Nummer)</td><td>alle Kennblätter in Nummernfolge</td></tr>
<tr><td>Übersetzungstabelle</td><td>Fachbegriffe auf Deutsch, Englisch und Französisch</td></tr>
<tr><td>Prägeliste</td><td>die Prägungen der Stabelektroden mit Marke und Kennblatt</td></tr>
<tr><td>Gruppeneinteilung Stähle (Übersicht)</td><td>die Stahlgruppen mit Beispielen geeigneter
Schweißzusätze</td></tr>
<tr><td>Ferritische Stähle (Detail)</td><td>ferritische Stähle mit Gruppe, Schweißzusatz und
Vorwärmung</td></tr>
<tr><td>Austenitische Stähle (Detail)</td><td>nichtrostende austenitische und Duplex-Stähle mit
Schweißzusatz</td></tr>
</table>
<p>Die Dateinamen stehen in der Einstellungsdatei (Einträge <code>NamePDFDeckblatt</code> bis
<code>NamePDFAustenitischeStaehle</code>), die Dateien selbst im Ordner
<code>PfadZuPDFDateien</code>. Ein Menüeintrag, für den kein Dateiname eingetragen ist, ist
gesperrt (grau). Fehlt eine eingetragene Datei, erscheint die Meldung „Datei '…' nicht
vorhanden.“</p>
<h2>Hilfe</h2>
<p>Der Eintrag <b>Hilfe</b> im Menü <b>?</b> öffnet dieses Handbuch (<code>Hilfe.pdf</code> im
Ordner <code>PfadZuPDFDateien</code>) im selben Dokumentfenster.</p>
)html"_s;
}

QString printing()
{
    return uR"html(
<p>Was die Schaltfläche <b>Drucken</b> (Alt+R) druckt, bestimmt die Auswahl links daneben:</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="28%">Druckart</th><th>Es wird gedruckt</th></tr></thead>
<tr><td>Aktuelle Liste</td><td>alle Zeilen der Liste als Liste, so gefiltert und sortiert, wie
sie gerade angezeigt wird</td></tr>
<tr><td>Aktuelle Kennblätter</td><td>die Kennblätter (PDF-Dokumente) aller Zeilen der
Liste</td></tr>
<tr><td>markierte Liste</td><td>nur die markierten Zeilen als Liste</td></tr>
<tr><td>markierte Kennblätter</td><td>die Kennblätter der markierten Zeilen</td></tr>
</table>
<p>Die gewählte Druckart merkt sich das Programm bis zum nächsten Start. Ist bei einer
„markierten“ Druckart keine Zeile markiert, erinnert es mit <b>Bitte markieren Sie die zu
druckenden Kennblätter.</b></p>
<h2>Listen drucken</h2>
<p>Die Liste erscheint zuerst im Vorschaufenster <b>Listen Vorschau</b>; von dort drucken Sie sie
oder speichern sie als PDF-Datei. Gedruckt werden die Spalten Kennblatt-Nr., Marke, Pulver,
Hersteller, Zusatz und TÜO (mit den Schlüsseln, wie die Liste sie zeigt), in der Reihenfolge der
Liste. Der Kopf der Liste nennt</p>
<ul>
<li>die Sortierung, zum Beispiel „Sortiert nach Marke absteigend“,</li>
<li>bei gefilterter Liste den Hinweis „Liste ist gefiltert“ mit den Filtern, zum Beispiel
„Marke = 'Therm', Geändert = 'Ja'“, oder bei der Druckart „markierte Liste“ den Hinweis „Nur
markierte Kennblätter“,</li>
<li>die Ausgabe und den Stand des Katalogs.</li>
</ul>
<p>Das Seitenlayout der Listen steht in der Datei <code>Listen.xml</code> im Arbeitsordner des
Programms.</p>
<h2>Kennblätter drucken</h2>
<ol>
<li>Sind mehr als zehn Kennblätter betroffen, fragt das Programm nach, zum Beispiel: <b>Sie haben
25 Kennblätter zum Druck ausgewählt. Wollen Sie alle Blätter drucken?</b></li>
<li>Im Druckdialog wählen Sie den Drucker. Übernommen wird nur der Drucker; andere Angaben des
Dialogs wie die Zahl der Exemplare wirken nicht.</li>
<li>Das Fenster <b>Druck-Status</b> zeigt den Fortschritt; die neueste Zeile steht oben:
„Druck von 25 Kennblättern gestartet...“, „Drucker … gewählt.“ und je Kennblatt der Dateiname mit
„... gedruckt. (1 von 25)“. Zwischen zwei Kennblättern wartet das Programm eine halbe
Sekunde.</li>
<li>Mit <b>Abbruch</b> beenden Sie den Druck nach dem laufenden Kennblatt („Druckvorgang
abgebrochen“). Am Ende heißt die Schaltfläche <b>Schließen</b> und schließt das Fenster.</li>
</ol>
<p>Fehlt die PDF-Datei eines Kennblatts, meldet das Programm „Datei '…' nicht vorhanden.“ und
fährt nach „OK“ mit dem nächsten Kennblatt fort; die Zählung „(x von n)“ läuft dabei weiter.</p>
)html"_s +
           note(u"<b>Ordner beim Druck der Kennblätter.</b> Für den Druck setzt das Programm den "
                u"Ordner der PDF-Dateien aus dem Programmordner und dem Eintrag "
                u"<code>PfadZuPDFDateien</code> zusammen. Wer Kennblätter stapelweise druckt, "
                u"trägt dort deshalb einen Pfad relativ zum Programmordner ein."_s);
}

QString info()
{
    return uR"html(
<p>Der Eintrag <b>Info</b> im Menü <b>?</b> zeigt in einem kleinen Fenster die Version des
Programms, etwa „Norvenz-Kennblätter, Version 1.0.0 Build 0“, und den Stand des Katalogs, etwa
„Datenbank {STAND}“. Sie schließen das Fenster mit <b>Ok</b>, der Eingabetaste oder Esc. Geben
Sie beide Angaben an, wenn Sie eine Frage zum Programm oder zu einem Kennblatt haben.</p>
)html"_s;
}

} // namespace Demo::HelpText
