// The user guide of the viewer, in German. Chapters are HTML for QTextDocument; the layout
// numbers them and adds the contents.

#include "tools/demo/helpdocument.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/helptextparts.h"

using namespace Qt::StringLiterals;

namespace Demo {

namespace HelpText {

QString overview()
{
    return uR"html(
<p>Das Programm <b>Norvenz SZW Kennblätter</b> zeigt den Katalog der Kennblätter
eignungsgeprüfter Schweißzusätze. Jedes Kennblatt beschreibt einen Schweißzusatz, dessen Eignung
eine technische Überwachungsorganisation (TÜO) festgestellt hat, und liegt als PDF-Dokument vor.
Das Programm listet alle Kennblätter in einer Tabelle auf. Sie können die Liste je Spalte filtern,
nach jeder Spalte sortieren, Zeilen markieren, das Kennblatt einer Zeile anzeigen, die Liste oder
die Kennblätter drucken und die Nachschlagedokumente des Katalogs öffnen.</p>
<p>Der Katalog wird nur gelesen: Das Programm verändert weder die Datenbank noch die
PDF-Dokumente. Es schreibt ausschließlich seine Einstellungsdatei, und zwar beim Beenden die
Fenstergröße, die Spaltenbreiten und die zuletzt gewählten Filter und Druckarten
(siehe Kapitel „Die Einstellungsdatei“).</p>
<h2>Bestandteile einer Installation</h2>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="38%">Datei</th><th>Inhalt</th></tr></thead>
<tr><td><code>Norvenz SZW Kennblätter.mde</code></td><td>Katalogdatenbank mit dem Verzeichnis der
Kennblätter, den Hersteller/Lieferern, den Arten der Schweißzusätze, den Prüfstellen und dem
Stand der Ausgabe; wird nur gelesen</td></tr>
<tr><td><code>01234_05.pdf</code> usw.</td><td>je Kennblatt ein PDF-Dokument, benannt nach der
Kennblatt-Nummer</td></tr>
<tr><td><code>Deckblatt.pdf</code> und neun weitere</td><td>die Nachschlagedokumente des Menüs
„Kennblatt Pilvo“; ihre Dateinamen stehen in der Einstellungsdatei</td></tr>
<tr><td><code>Hilfe.pdf</code></td><td>dieses Handbuch</td></tr>
<tr><td><code>kennblaetter.INI</code></td><td>die Einstellungsdatei im Ordner des
Programms</td></tr>
<tr><td><code>Listen.xml</code></td><td>das Seitenlayout der gedruckten Listen; das Programm
sucht die Datei in seinem Arbeitsordner</td></tr>
</table>
<p>Die Datenbank und die PDF-Dokumente dürfen auf einem schreibgeschützten Laufwerk oder einer
Netzfreigabe liegen. Wo sie liegen, legt die Einstellungsdatei fest.</p>
)html"_s;
}

QString startUp()
{
    return uR"html(
<p>Nach dem Start erscheint zunächst ein Begrüßungsfenster. Es zeigt, was das Programm gerade
tut:</p>
<ul>
<li><b>Lade Einstellungen</b> – die Einstellungsdatei wird gelesen;</li>
<li><b>Lade Daten</b> – die Datenbank wird geöffnet; alle Kennblätter, die drei Nachschlagetabellen
(Hersteller/Lieferer, Arten der Schweißzusätze, Prüfstellen) und der Stand der Ausgabe werden in
den Arbeitsspeicher geladen;</li>
<li><b>Erzeuge Liste</b> – die Liste der Kennblätter wird aufgebaut.</li>
</ul>
<p>Danach füllt das Hauptfenster den Bildschirm. Seine Titelleiste nennt den Stand des Katalogs,
zum Beispiel <b>Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: {STAND}</b>. Der
Stand kommt aus der Datenbank. Das Begrüßungsfenster schließt sich nach der in der
Einstellungsdatei unter <code>TimerSplash</code> eingetragenen Zeit (Vorgabe 500 Millisekunden).</p>
<p>Weil der ganze Katalog im Arbeitsspeicher liegt, greift das Programm nach dem Start nicht mehr
auf die Datenbank zu: Filtern und Sortieren gehen ohne Wartezeit.</p>
<h2>Wenn die Datenbank fehlt</h2>
<p>Findet das Programm die Datei <code>Norvenz SZW Kennblätter.mde</code> nicht in dem Ordner, den
der Eintrag <code>PfadZuMDEDatei</code> der Einstellungsdatei nennt, meldet es:</p>
<p><b>Die Datenbankdatei '…/Norvenz SZW Kennblätter.mde' konnte nicht gefunden werden. Bitte
tragen Sie in der Ini-Datei unter 'Einstellungen','PfadZuMDEDatei' den korrekten Pfad zur MDE
ein.</b></p>
<p>Nach „OK“ beendet sich das Programm. Tragen Sie den richtigen Ordner ein und starten Sie es
erneut. Enthält die Datenbank mehr als einen Datensatz zum Stand der Ausgabe, warnt das Programm
mit <b>Mehr als einen Versionssatz NORVENZ gefunden!</b> und verwendet den ersten.</p>
)html"_s;
}

QString mainWindow()
{
    return uR"html(
<p>Das Hauptfenster besteht von oben nach unten aus diesen Teilen:</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="30%">Element</th><th>Bedeutung</th></tr></thead>
<tr><td>Anzahl Sätze</td><td>die Zahl der Kennblätter, die die Liste gerade zeigt</td></tr>
<tr><td>Auswahl der Druckart</td><td>was die Schaltfläche „Drucken“ druckt (Kapitel
„Drucken“)</td></tr>
<tr><td>Drucken (Alt+R)</td><td>druckt nach der gewählten Druckart</td></tr>
<tr><td>Einzeln. Kennblatt anzeigen (Alt+A)</td><td>zeigt das Kennblatt der markierten
Zeile</td></tr>
<tr><td>Spaltenköpfe</td><td>Beschriftung der Spalten; ein Klick sortiert, ein Pfeil zeigt die
Richtung</td></tr>
<tr><td>Filterzeile</td><td>je Spalte ein Filterfeld, rechts die Schaltfläche „Filter
löschen“</td></tr>
<tr><td>Liste</td><td>je Kennblatt eine Zeile</td></tr>
<tr><td>Statusleiste</td><td>die Zahl der markierten Zeilen</td></tr>
</table>
<p>Die Menüleiste enthält <b>Datei</b> mit „Beenden“, <b>Kennblatt Pilvo</b> mit den zehn
Nachschlagedokumenten und <b>?</b> mit „Hilfe“ (dieses Handbuch) und „Info“.</p>
)html"_s;
}

QString theList()
{
    return uR"html(
<p>Jede Zeile der Liste ist ein Kennblatt. Die Spalten bedeuten:</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="22%">Spalte</th><th>Inhalt</th></tr></thead>
<tr><td>Kennblatt-Nr.</td><td>fünfstellige Hauptnummer, Punkt, zweistellige Unternummer, stets mit
führenden Nullen, zum Beispiel <code>01234.05</code>. Unternummern unterscheiden Varianten
desselben Erzeugnisses.</td></tr>
<tr><td>Marke</td><td>die Markenbezeichnung des Schweißzusatzes</td></tr>
<tr><td>Pulver</td><td>bei Draht/Pulver-Kombinationen für das Unterpulverschweißen die Marke des
Schweißpulvers, sonst leer</td></tr>
<tr><td>Herst./Lief.</td><td>der Schlüssel des Herstellers oder Lieferers</td></tr>
<tr><td>Zusatz-Art</td><td>der Schlüssel der Art des Schweißzusatzes, etwa Stabelektrode,
Massivdraht oder Fülldraht</td></tr>
<tr><td>TÜO</td><td>der Schlüssel der technischen Überwachungsorganisation, die das Kennblatt
geliefert hat</td></tr>
<tr><td>Änderung</td><td><code>**</code>, wenn das Kennblatt in dieser Ausgabe geändert wurde;
sonst leer</td></tr>
</table>
<p>Die Spalten Herst./Lief., Zusatz-Art und TÜO zeigen Schlüssel, nicht Namen. Die Namen
erscheinen in den Auswahllisten der Filter neben dem Schlüssel (Kapitel „Filtern“) und im
Nachschlagedokument „Hersteller/Lieferer“.</p>
<h2>Spaltenbreite ändern</h2>
<p>Ziehen Sie die Trennlinie zwischen zwei Spaltenköpfen mit der Maus. Die Liste und die
Filterfelder darunter folgen der neuen Breite. Die Spalten „Kennblatt-Nr.“ und „Marke“ werden
nicht schmaler als 40 Pixel. Beim Beenden speichert das Programm die Breiten und stellt sie beim
nächsten Start wieder her. Ist die Liste breiter als das Fenster, verschieben sich Spaltenköpfe
und Filterzeile beim waagerechten Blättern mit der Liste.</p>
)html"_s;
}

} // namespace HelpText

QList<HelpChapter> helpChapters(const Catalogue &catalogue)
{
    using namespace HelpText;
    QList<HelpChapter> chapters = {
        {u"Überblick"_s, overview()},
        {u"Programmstart"_s, startUp()},
        {u"Das Hauptfenster"_s, mainWindow()},
        {u"Die Liste der Kennblätter"_s, theList()},
        {u"Filtern"_s, filtering()},
        {u"Sortieren"_s, sorting()},
        {u"Zeilen markieren"_s, marking()},
        {u"Kennblätter anzeigen"_s, showing()},
        {u"Nachschlagedokumente und Hilfe"_s, references()},
        {u"Drucken"_s, printing()},
        {u"Info"_s, info()},
        {u"Die Einstellungsdatei"_s, settings()},
        {u"Tastatur und Meldungen"_s, keysAndMessages()},
    };
    for (HelpChapter &chapter : chapters) {
        chapter.html.replace(u"{STAND}"_s, catalogue.edition.text().toHtmlEscaped());
        chapter.html.replace(u"{AUSGABE}"_s, catalogue.edition.label.toHtmlEscaped());
    }
    return chapters;
}

} // namespace Demo
