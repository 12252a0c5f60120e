// User guide: the settings file, keys and messages.

#include "tools/demo/helptextparts.h"

#include "documents/referencedocuments.h"
#include "tools/demo/demoreferences.h"

using namespace Qt::StringLiterals;

namespace Demo::HelpText {

namespace {

// One row per reference document: its settings key, the viewer's menu item and the file.
QString referenceRows()
{
    QString rows;
    const QList<ReferenceFile> &files = referenceFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString caption = ReferenceDocuments[std::size_t(i)].caption.toString();
        caption.remove(u'&');
        rows += u"<tr><td><code>%1</code></td><td>%2</td><td>%3</td></tr>"_s.arg(
            QString::fromLatin1(files[i].settingsKey), caption.toHtmlEscaped(),
            files[i].fileName.toHtmlEscaped());
    }
    return rows;
}

} // namespace

QString settings()
{
    return uR"html(
<p>Die Einstellungsdatei liegt im Ordner des Programms und trägt seinen Namen mit der Endung
<code>.INI</code>, also <code>kennblaetter.INI</code>. Sie ist eine Textdatei im Windows-Format:
Abschnitte in eckigen Klammern, darunter Zeilen der Form <code>Schlüssel=Wert</code>, Zeichensatz
Windows-1252. Groß- und Kleinschreibung der Abschnitte und Schlüssel spielt keine Rolle,
Leerzeichen um den Wert und Anführungszeichen um ihn werden entfernt. Zahlen dürfen auch
hexadezimal angegeben werden (<code>0x3E8</code> = 1000); ein ungültiger Wert gilt als nicht
angegeben. Fehlt die Datei oder ein Schlüssel, gilt die Vorgabe.</p>
<h2>Abschnitt [Einstellungen]</h2>
<p>Dieser Abschnitt richtet die Installation ein. Das Programm liest ihn beim Start und schreibt
ihn nie.</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="33%">Schlüssel</th><th>Bedeutung</th><th width="17%">Vorgabe</th></tr>
</thead>
<tr><td><code>PfadZuMDEDatei</code></td><td>Ordner der Datenbank
<code>Norvenz SZW Kennblätter.mde</code></td><td>Programmordner</td></tr>
<tr><td><code>PfadZuPDFDateien</code></td><td>Ordner der Kennblätter, der
Nachschlagedokumente und von <code>Hilfe.pdf</code></td><td>Programmordner</td></tr>
<tr><td><code>TimerSplash</code></td><td>wie lange das Begrüßungsfenster nach dem Aufbau der Liste
stehen bleibt, in Millisekunden; 0: es bleibt offen</td><td>500</td></tr>
<tr><td><code>FilterImmerAlsTeilString</code></td><td>1: Textfilter suchen an beliebiger Stelle;
jeder andere Wert: Vergleich mit dem Anfang</td><td>0</td></tr>
<tr><td><code>NamePDF…</code> (zehn Schlüssel)</td><td>Dateinamen der Nachschlagedokumente
(nächste Tabelle); ohne Namen ist der Menüeintrag gesperrt</td><td>leer</td></tr>
</table>
<p>Die Schlüssel der Nachschlagedokumente in der Reihenfolge des Menüs „Kennblatt Pilvo“, mit
den Dateinamen dieser Ausgabe:</p>
)html"_s + tableStart() +
           u"<thead><tr><th width=\"42%\">Schlüssel</th><th width=\"30%\">Menüeintrag</th>"
           u"<th>Dateiname</th></tr></thead>"_s +
           referenceRows() + uR"html(</table>
<p>Die Ordner werden so verwendet, wie sie eingetragen sind; schließen Sie sie deshalb mit einem
Schrägstrich ab. Ein Beispiel:</p>
<pre>[Einstellungen]
PfadZuMDEDatei=/srv/kennblaetter/
PfadZuPDFDateien=/srv/kennblaetter/
TimerSplash=1500
FilterImmerAlsTeilString=0
NamePDFDeckblatt=Deckblatt.pdf
NamePDFPraegeliste=Prägeliste.pdf</pre>
<h2>Was beim Beenden gespeichert wird</h2>
<p>Beim Beenden schreibt das Programm seinen Zustand in die Einstellungsdatei – aber nur, wenn die
Datei vorhanden und nicht schreibgeschützt ist. Fehlt sie, legt das Programm keine an (nur die
Lage des Berichtsfensters wird dann in eine neue Datei geschrieben); ist sie
schreibgeschützt, bleibt sie unverändert.</p>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="34%">Abschnitt und Schlüssel</th><th>Inhalt</th><th width="26%">beim
nächsten Start</th></tr></thead>
<tr><td><code>[BoundsfrmMain]</code></td><td>Lage und Größe des Hauptfensters</td><td>nicht
verwendet; das Fenster füllt den Bildschirm</td></tr>
<tr><td><code>[Columns_hcKopf]</code> 1 bis 7</td><td>Breiten der sieben Spalten</td>
<td>wiederhergestellt</td></tr>
<tr><td><code>[View] LetzteDruckliste</code></td><td>die gewählte Druckart</td>
<td>wiederhergestellt</td></tr>
<tr><td><code>[View] Aenderungsfilter</code></td><td>die Auswahl des Änderungsfilters</td>
<td>wiederhergestellt und angewendet</td></tr>
<tr><td><code>[View] Zusatzfilter</code>, <code>Herstellerfilter</code>,
<code>TUEOfilter</code></td><td>die Auswahl in den drei Auswahllisten</td><td>vorausgewählt, die
Liste wird aber nicht danach gefiltert</td></tr>
<tr><td><code>[cmb_cmbFilterKennblattNr]</code>, <code>[cmb_cmbFilterMarke]</code>,
<code>[cmb_cmbFilterPulver]</code></td><td>der Text und die ersten zehn Einträge des Verlaufs
der Textfilter</td><td>nicht wieder eingelesen</td></tr>
<tr><td><code>[BoundsfrmReport]</code></td><td>Lage und Größe des Berichtsfensters</td>
<td>wiederhergestellt</td></tr>
</table>
)html"_s +
           note(u"Kann das Programm die Einstellungsdatei beim Beenden nicht schreiben, meldet es "
                u"<b>In … kann nicht geschrieben werden</b>. Die übrigen Angaben dieser Sitzung "
                u"gehen dann verloren; die Datei bleibt, wie sie war."_s);
}

QString keysAndMessages()
{
    return uR"html(
<h2>Tastatur</h2>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="34%">Taste</th><th>Wirkung</th></tr></thead>
<tr><td>Eingabetaste im Filterfeld</td><td>wendet den Filter an</td></tr>
<tr><td>Tabulatortaste</td><td>wechselt zum nächsten Filterfeld und wendet dabei den Filter an;
die Auswahlschaltflächen werden übersprungen</td></tr>
<tr><td>Eingabetaste in der Liste</td><td>zeigt das Kennblatt der markierten Zeile</td></tr>
<tr><td>Alt+R</td><td>Drucken</td></tr>
<tr><td>Alt+A</td><td>Einzeln. Kennblatt anzeigen</td></tr>
<tr><td>Alt+L</td><td>Filter löschen</td></tr>
<tr><td>Esc im Dokumentfenster</td><td>schließt das Dokumentfenster</td></tr>
</table>
<h2>Meldungen</h2>
)html"_s + tableStart() +
           uR"html(
<thead><tr><th width="46%">Meldung</th><th>Ursache und Abhilfe</th></tr></thead>
<tr><td>Die Datenbankdatei '…' konnte nicht gefunden werden. …</td><td>Der Eintrag
<code>PfadZuMDEDatei</code> nennt nicht den Ordner der Datenbank. Ordner eintragen und neu
starten.</td></tr>
<tr><td>Datei '…' nicht vorhanden.</td><td>Die PDF-Datei fehlt im Ordner
<code>PfadZuPDFDateien</code> oder der Dateiname in der Einstellungsdatei ist falsch.</td></tr>
<tr><td>Mehr als einen Versionssatz NORVENZ gefunden!</td><td>Die Datenbank nennt mehrere Stände;
das Programm verwendet den ersten.</td></tr>
<tr><td>Bitte markieren Sie die zu druckenden Kennblätter.</td><td>Eine „markierte“ Druckart ist
gewählt, aber keine Zeile markiert.</td></tr>
<tr><td>Sie haben … Kennblätter zum Druck ausgewählt. Wollen Sie alle Blätter drucken?</td>
<td>Rückfrage vor dem Druck von mehr als zehn Kennblättern; „Nein“ bricht ab.</td></tr>
<tr><td>Nummer im falschen Format übergeben.</td><td>Die Datenbank enthält eine Kennblatt-Nummer,
die nicht aus zwei durch einen Punkt getrennten Zahlen besteht; das Laden endet an dieser
Stelle. Wenden Sie sich an den Herausgeber des Katalogs.</td></tr>
<tr><td>In … kann nicht geschrieben werden</td><td>Die Einstellungsdatei ist beim Beenden nicht
beschreibbar (Kapitel „Die Einstellungsdatei“).</td></tr>
</table>
)html"_s;
}

} // namespace Demo::HelpText
