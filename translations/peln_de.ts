<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BrewerCommands</name>
    <message>
        <source>%1 could not be opened: %2.
%3</source>
        <translation>%1 konnte nicht geöffnet werden: %2.
%3</translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds up to 86400.</source>
        <translation>--timeout erwartet eine Anzahl Sekunden bis 86400.</translation>
    </message>
    <message>
        <source>Waiting up to %1 s for the brewer&apos;s record on %2</source>
        <translation>Warte bis zu %1 s auf den Datensatz des Brühers an %2</translation>
    </message>
    <message>
        <source>the port stopped working: %1</source>
        <translation>die Schnittstelle funktioniert nicht mehr: %1</translation>
    </message>
    <message>
        <source>the brewer did not get the settings: %1</source>
        <translation>der Brüher hat die Einstellungen nicht erhalten: %1</translation>
    </message>
    <message>
        <source>Sent %1 bytes to %2</source>
        <translation>%1 Bytes an %2 gesendet</translation>
    </message>
    <message>
        <source>No serial port was found on this computer.</source>
        <translation>Auf diesem Computer wurde keine serielle Schnittstelle gefunden.</translation>
    </message>
    <message>
        <source>no good record from the brewer within %1 seconds: %2</source>
        <translation>kein gültiger Datensatz vom Brüher innerhalb von %1 Sekunden: %2</translation>
    </message>
</context>
<context>
    <name>BrewerOperations</name>
    <message>
        <source> The port is now closed; check the cable, then press Connect and send again.</source>
        <translation> Die Schnittstelle ist jetzt geschlossen; prüfen Sie das Kabel, klicken Sie dann auf „Verbinden“ und senden Sie erneut.</translation>
    </message>
    <message>
        <source>Sent in place of what the fields show:
</source>
        <translation>Statt der Feldinhalte gesendet:
</translation>
    </message>
    <message>
        <source>Send Data Successful!</source>
        <translation>Daten erfolgreich gesendet!</translation>
    </message>
    <message>
        <source>nothing arrived from the brewer.</source>
        <translation>vom Brüher kam nichts an.</translation>
    </message>
    <message>
        <source>what arrived does not start with FF AA.</source>
        <translation>die empfangenen Daten beginnen nicht mit FF AA.</translation>
    </message>
    <message>
        <source>only %1 of its %2 bytes arrived.</source>
        <translation>nur %1 von %2 Bytes des Datensatzes kamen an.</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>print one JSON object</source>
        <translation>ein JSON-Objekt ausgeben</translation>
    </message>
    <message>
        <source>print the bytes piece by piece in hexadecimal</source>
        <translation>die Bytes abschnittsweise hexadezimal ausgeben</translation>
    </message>
    <message>
        <source>use a damaged file as the window would after Load</source>
        <translation>beschädigte Datei wie das Fenster nach „Laden“ verwenden</translation>
    </message>
    <message>
        <source>the settings file, wherever it stands among the words</source>
        <translation>die Einstellungsdatei, an beliebiger Stelle der Argumente</translation>
    </message>
    <message>
        <source>the serial port: COM1 to COM16 as the window maps them, or a device</source>
        <translation>Schnittstelle: COM1 bis COM16 wie im Fenster, oder ein Gerät</translation>
    </message>
    <message>
        <source>how long to wait for the brewer&apos;s record (10 unless given)</source>
        <translation>Wartezeit auf den Datensatz des Brühers (ohne Angabe 10)</translation>
    </message>
    <message>
        <source>keep the port open and print the brewer&apos;s answer as read does</source>
        <translation>Schnittstelle offen halten, Antwort wie bei read ausgeben</translation>
    </message>
    <message>
        <source>wait for the brewer&apos;s answer and print each setting it holds
                     otherwise than it was sent</source>
        <translation>auf die Antwort des Brühers warten und jede Einstellung
                     ausgeben, die er anders gespeichert hat als gesendet</translation>
    </message>
    <message>
        <source>print what would be stored, and write nothing</source>
        <translation>ausgeben, was gespeichert würde, und nichts schreiben</translation>
    </message>
    <message>
        <source>refuse, writing nothing, a value that would be replaced or rounded</source>
        <translation>nichts schreiben, wenn ein Wert ersetzt oder gerundet würde</translation>
    </message>
    <message>
        <source>
Without FILE, the settings file that the window installed with this
program uses:
  %1
</source>
        <translation>
Ohne FILE wird die Einstellungsdatei verwendet, die das mit diesem
Programm installierte Fenster benutzt:
  %1
</translation>
    </message>
    <message>
        <source>Exit status:
  0  done; for diff, the files agree; for send --verify, the brewer holds
     every setting sent
  1  the files differ, a value was missing, damaged, replaced or rounded,
     no good record came, or the brewer holds a setting otherwise than sent
  2  bad usage, a file that cannot be read or written, a port that failed,
     or standard output that could not be written
  3  a file that is no settings file, a damaged file without --force, a
     frame the brewer cannot take, or with set --strict a value that would
     be replaced
  4  busy: another program holds the port or the settings file; try again
  5  the port names no device of this computer
</source>
        <translation>Exit-Status:
  0  erledigt; bei diff: die Dateien stimmen überein; bei send --verify:
     der Brüher hat jede gesendete Einstellung übernommen
  1  Dateien verschieden; ein Wert fehlte, war beschädigt, ersetzt oder
     gerundet; kein gültiger Datensatz; Brüher weicht vom Gesendeten ab
  2  falscher Aufruf, Datei nicht les- oder schreibbar, Schnittstelle
     ausgefallen oder Standardausgabe nicht schreibbar
  3  Datei ist keine Einstellungsdatei, beschädigte Datei ohne --force,
     Datenrahmen, den der Brüher nicht annimmt, oder bei set --strict ein
     Wert, der ersetzt würde
  4  belegt: Schnittstelle oder Einstellungsdatei in Gebrauch; neu versuchen
  5  die Schnittstelle bezeichnet kein Gerät dieses Computers
</translation>
    </message>
    <message>
        <source>Prints the settings FILE holds as the window shows them after Load, one
name=value a line, or one JSON object that set takes back. Missing or
damaged values are named on standard error, and so is each value that
Send would replace (out of its field&apos;s range).</source>
        <translation>Gibt die Einstellungen in FILE so aus, wie das Fenster sie nach „Laden“
zeigt: je Zeile ein name=value oder ein JSON-Objekt, das set annimmt.
Fehlende und beschädigte Werte nennt es auf der Standardfehlerausgabe,
ebenso jeden Wert, den „An Brüher senden“ ersetzen würde (außer Bereich).</translation>
    </message>
    <message>
        <source>Prints the values of the settings named, one a line, in that order.
Every word after get is a setting&apos;s name: FILE is given with -f.</source>
        <translation>Gibt die Werte der genannten Einstellungen in dieser Reihenfolge aus, je
Zeile einen. Jedes Argument nach get ist ein Name; FILE folgt auf -f.</translation>
    </message>
    <message>
        <source>Prints each setting that differs, as name: A -&gt; B.</source>
        <translation>Gibt jede abweichende Einstellung aus, als name: A -&gt; B.</translation>
    </message>
    <message>
        <source>Changes settings as typing them into the window&apos;s fields would, then writes
FILE as Save does, and says what each value became where it was replaced
or rounded. A word with &quot;=&quot; is always NAME=VALUE, never FILE. A FILE that
is not there yet is made as a window just started saves it; a damaged one
is left alone unless --force is given. A rewritten FILE keeps its owner,
group and mode; one with other hard links is left alone. Every step that
reads or rewrites FILE, here and in the window, holds its lock; one held
elsewhere is waited for 5 seconds. The names, what they take and what
they mean (the Disable settings take yes or no, true or false, 1 or 0):</source>
        <translation>Ändert Einstellungen wie eine Eingabe in die Felder des Fensters, schreibt
FILE dann wie „Speichern“ und meldet, was aus jedem ersetzten oder
gerundeten Wert wurde. Ein Argument mit „=“ ist stets NAME=VALUE, nie FILE.
Fehlt FILE, wird die Datei so angelegt, wie ein frisch gestartetes Fenster
sie speichert; eine beschädigte bleibt unverändert, außer mit --force. Eine
neu geschriebene Datei behält Besitzer, Gruppe und Rechte; eine mit weiteren
harten Links bleibt unverändert. Jeder Schritt, der FILE liest oder neu
schreibt (hier wie im Fenster), sperrt sie; auf eine fremde Sperre wird 5 s
gewartet. Namen, Werte, Bedeutung (disabled: yes/no, true/false, 1/0):</translation>
    </message>
    <message>
        <source>Writes the exact bytes the window sends after loading FILE and pressing
Send to Brewer. A damaged FILE is refused unless --force is given. Each
value of FILE that goes out replaced (out of its field&apos;s range) is named
on standard error, as show names it: &quot;Pump working speed: the file
holds 5; 100 is sent&quot;; --quiet silences these lines.</source>
        <translation>Schreibt genau die Bytes, die das Fenster nach dem Laden von FILE und
„An Brüher senden“ sendet. Eine beschädigte Datei wird nur mit --force
angenommen. Jeder Wert aus FILE, der ersetzt wird (außerhalb des Bereichs),
wird wie bei show auf der Standardfehlerausgabe genannt: „Pumpenleistung: die
Datei enthält 5; gesendet wird 100“; --quiet unterdrückt diese Zeilen.</translation>
    </message>
    <message>
        <source>Sends that frame at 9600 baud, 8N1, and returns when every byte has left
the port; with --read it then waits for the brewer&apos;s answer. With --verify
it compares that answer with what was sent: each setting the brewer holds
otherwise is printed, name: sent X, brewer Y, and the status is 1 when
any is, or no good record came. The values of FILE that Send replaces
(out of their range) are named on standard error, as frame names them.</source>
        <translation>Sendet diesen Datenrahmen mit 9600 Baud, 8N1, und endet, wenn jedes Byte
die Schnittstelle verlassen hat; mit --read wartet es dann auf die Antwort
des Brühers. Mit --verify vergleicht es sie mit dem Gesendeten, gibt jede
abweichende Einstellung als name: sent X, brewer Y aus und endet mit Status
1, wenn es eine gibt oder kein gültiger Datensatz kam. Werte aus FILE, die
„An Brüher senden“ ersetzt, nennt es wie frame auf der Standardfehlerausgabe.</translation>
    </message>
    <message>
        <source>Waits up to SECONDS for the brewer&apos;s 39-byte record and prints what Read
from Brewer shows. Bytes that arrived before the port opened count too.</source>
        <translation>Wartet bis zu SECONDS auf den 39-Byte-Datensatz des Brühers und gibt aus,
was „Vom Brüher lesen“ zeigt. Vor dem Öffnen eingetroffene Bytes zählen mit.</translation>
    </message>
    <message>
        <source>Prints the serial ports this computer has, one a line: the device, what the
system says it is and who made it, and its lasting name under
/dev/serial/by-id where it has one, separated by tabs.</source>
        <translation>Gibt die seriellen Schnittstellen dieses Computers aus, eine je Zeile: das
Gerät, was das System darüber sagt, wer es hergestellt hat, und seinen
dauerhaften Namen unter /dev/serial/by-id, falls vorhanden, per Tab getrennt.</translation>
    </message>
    <message>
        <source>Prints every setting&apos;s name, what it takes and what it means, one a line,
then the names that read adds.</source>
        <translation>Gibt für jede Einstellung Name, Wertebereich und Bedeutung aus, eine je
Zeile, danach die Namen, die read hinzufügt.</translation>
    </message>
    <message>
        <source>Prints the help of COMMAND, or this overview.</source>
        <translation>Gibt die Hilfe zu COMMAND oder diese Übersicht aus.</translation>
    </message>
    <message>
        <source>Usage: peln-cli COMMAND ...

The brewer&apos;s settings file and the brewer from a terminal.

Commands:
</source>
        <translation>Aufruf: peln-cli COMMAND ...

Einstellungsdatei und Brüher vom Terminal aus.

Befehle:
</translation>
    </message>
    <message>
        <source>
peln-cli help COMMAND says more; --version prints the version, -q or --quiet
silences the progress lines on standard error.

</source>
        <translation>
peln-cli help COMMAND sagt mehr; --version gibt die Version aus, -q oder
--quiet unterdrückt die Fortschrittszeilen auf der Standardfehlerausgabe.

</translation>
    </message>
    <message>
        <source>Usage: peln-cli %1

%2
</source>
        <translation>Aufruf: peln-cli %1

%2
</translation>
    </message>
    <message>
        <source>
Options:
</source>
        <translation>
Optionen:
</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a command; see peln-cli --help.</source>
        <translation>„%1“ ist kein Befehl; siehe peln-cli --help.</translation>
    </message>
</context>
<context>
    <name>FieldEditors</name>
    <message>
        <source>input letter or number</source>
        <translation>Nur Buchstaben oder Ziffern eingeben</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source> It was left as it is.</source>
        <translation> Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1 is damaged, as said above: %2. --force uses it as the window would after Load.</source>
        <translation>%1 ist beschädigt, wie oben gemeldet: %2. Mit --force wird die Datei so verwendet wie im Fenster nach „Laden“.</translation>
    </message>
    <message>
        <source>say yes or no, true or false, 1 or 0</source>
        <translation>geben Sie yes oder no, true oder false, 1 oder 0 an</translation>
    </message>
    <message>
        <source>only the digits 0 to 9 can be typed there</source>
        <translation>dort lassen sich nur die Ziffern 0 bis 9 eingeben</translation>
    </message>
    <message>
        <source>that is not a number</source>
        <translation>das ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not NAME=VALUE with a setting&apos;s name; peln-cli list lists them. Nothing was written.</source>
        <translation>„%1“ ist kein NAME=VALUE mit einem Einstellungsnamen; peln-cli list führt sie auf. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1 is given twice. Nothing was written.</source>
        <translation>%1 ist doppelt angegeben. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1: %2. Nothing was written.</source>
        <translation>%1: %2. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>is rounded</source>
        <translation>wird gerundet</translation>
    </message>
    <message>
        <source>is longer than %1 characters</source>
        <translation>ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>is out of range (%1)</source>
        <translation>liegt außerhalb des Bereichs (%1)</translation>
    </message>
    <message>
        <source>%1=%2 %3; stored %4</source>
        <translation>%1=%2 %3; gespeichert: %4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a setting&apos;s name; peln-cli list lists them, and -f %1 names a file.</source>
        <translation>„%1“ ist kein Einstellungsname; peln-cli list führt sie auf, und -f %1 gibt eine Datei an.</translation>
    </message>
    <message>
        <source>--strict: these values would not be stored as given. Nothing was written.</source>
        <translation>--strict: diese Werte würden nicht wie angegeben gespeichert. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>--dry-run: nothing was written.</source>
        <translation>--dry-run: es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Commercial brewer machine computer Program </source>
        <translation>PC-Programm für gewerbliche Brüher </translation>
    </message>
    <message>
        <source>Ver: V1.1</source>
        <translation>Ver.: V1.1</translation>
    </message>
    <message>
        <source>PELN Brewer Program   </source>
        <translation>PELN-Brüherprogramm   </translation>
    </message>
    <message>
        <source>Version :V4.1</source>
        <translation>Version: V4.1</translation>
    </message>
    <message>
        <source>Display Setting</source>
        <translation>Anzeigeeinstellung</translation>
    </message>
    <message>
        <source>Read from Brewer</source>
        <translation>Vom Brüher lesen</translation>
    </message>
    <message>
        <source>Send to Brewer</source>
        <translation>An Brüher senden</translation>
    </message>
    <message>
        <source>LCD Display</source>
        <translation>LCD-Anzeige</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Volumes Setting</source>
        <translation>Volumeneinstellung</translation>
    </message>
    <message>
        <source>Brewing Count</source>
        <translation>Brühzähler</translation>
    </message>
    <message>
        <source>Brewing Setting</source>
        <translation>Brüheinstellung</translation>
    </message>
    <message>
        <source>Pules Brew Setting</source>
        <extracomment>The column of the eight pulse brew settings. The English keeps its misspelling, as the brewer&apos;s documents have it.</extracomment>
        <translation>Impulsbrüh-Einstellung</translation>
    </message>
    <message>
        <source>Volume(Oz)</source>
        <translation>Vol. (Oz)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Left Button</source>
        <translation>Linke Taste</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Center Button</source>
        <translation>Mittlere Taste</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Right Button</source>
        <translation>Rechte Taste</translation>
    </message>
    <message>
        <source>Flowmeter Calibration</source>
        <translation>Durchflussmesser-Kalibrierung</translation>
    </message>
    <message>
        <source>Default : 1 Oz=                 signs</source>
        <translation>Standard: 1 Oz=                 Impulse</translation>
    </message>
    <message>
        <source>re-calibration:Set left button volume to 10 Oz,then after the machine ready,press the button dispense water and measure the volume use scale. record 5 times and calculate the average volume</source>
        <translation>Nachkalibrierung: Stellen Sie das Volumen der linken Taste auf 10 Oz. Ist die Maschine bereit, drücken Sie die Taste, geben Sie Wasser aus und messen Sie die Menge mit einer Waage. Messen Sie 5-mal und bilden Sie den Mittelwert.</translation>
    </message>
    <message>
        <source>New Setting: 1 Oz=                 signs</source>
        <translation>Neuer Wert: 1 Oz=                 Impulse</translation>
    </message>
    <message>
        <source>Calibration : 1 Oz =</source>
        <translation>Kalibrierung: 1 Oz =</translation>
    </message>
    <message>
        <source>Set volume * flowmeter signs number /per Oz</source>
        <translation>Sollvolumen * Durchflussmesser-Impulse/Oz</translation>
    </message>
    <message>
        <source>Average water volume</source>
        <translation>Mittlere Wassermenge</translation>
    </message>
    <message>
        <source>Sample 1 Oz =        =97.8 signes</source>
        <extracomment>An example calibration. The English keeps its spacing and its misspelling.</extracomment>
        <translation>Bsp.: 1 Oz =        =97.8 Impulse</translation>
    </message>
    <message>
        <source>Pump working speed setting:</source>
        <translation>Pumpenleistung:</translation>
    </message>
    <message>
        <source>(70~100)%</source>
        <translation>(70–100) %</translation>
    </message>
    <message>
        <source>Drip time setting:</source>
        <translation>Nachtropfzeit:</translation>
    </message>
    <message>
        <source>(70~105) S</source>
        <translation>(70–105) s</translation>
    </message>
    <message>
        <source>Default: 100%</source>
        <translation>Standard: 100 %</translation>
    </message>
    <message>
        <source>Default: 90 Seconds</source>
        <translation>Standard: 90 Sekunden</translation>
    </message>
    <message>
        <source>TOV</source>
        <translation>TOV</translation>
    </message>
    <message>
        <source>TOR</source>
        <translation>TOR</translation>
    </message>
    <message>
        <source>Settings files (*.txt *.TXT);;All files (*)</source>
        <translation>Einstellungsdateien (*.txt *.TXT);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Button settings</source>
        <translation>Tasteneinstellungen</translation>
    </message>
    <message>
        <source>Read lamp</source>
        <translation>Leseleuchte</translation>
    </message>
    <message>
        <source>Send lamp</source>
        <translation>Sendeleuchte</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>LCD banner</source>
        <translation>LCD-Banner</translation>
    </message>
    <message>
        <source>The serial port of the brewer: COM1 to COM16, or the name of a device typed in. Connect opens it.</source>
        <translation>Die serielle Schnittstelle des Brühers: COM1 bis COM16 oder ein eingegebener Gerätename. „Verbinden“ öffnet sie.</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>Über&amp;schreiben</translation>
    </message>
    <message>
        <source>&amp;Load Again</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Recent files</source>
        <translation>Zuletzt verwendete Dateien</translation>
    </message>
    <message>
        <source>Open a settings file</source>
        <translation>Einstellungsdatei öffnen</translation>
    </message>
    <message>
        <source>Save the settings as</source>
        <translation>Einstellungen speichern unter</translation>
    </message>
</context>
<context>
    <name>HeldSettings</name>
    <message>
        <source>sent %1 at %2; the brewer holds %3</source>
        <translation>um %2 gesendet: %1; im Brüher: %3</translation>
    </message>
    <message>
        <source>The brewer holds every setting sent at %1.</source>
        <translation>Der Brüher hat jede um %1 gesendete Einstellung übernommen.</translation>
    </message>
    <message>
        <source>%1 (sent %2, brewer %3)</source>
        <translation>%1 (gesendet %2, Brüher %3)</translation>
    </message>
    <message>
        <source>1 setting differs</source>
        <translation>1 Einstellung unterscheidet sich</translation>
    </message>
    <message>
        <source>%1 settings differ</source>
        <translation>%1 Einstellungen unterscheiden sich</translation>
    </message>
    <message>
        <source>%1 from what was sent at %2: %3.</source>
        <translation>%1 von dem um %2 Gesendeten: %3.</translation>
    </message>
</context>
<context>
    <name>Lamp</name>
    <message>
        <source>; the port is closed</source>
        <translation>; die Schnittstelle ist geschlossen</translation>
    </message>
    <message>
        <source>Green: ready, its last step ended well</source>
        <translation>Grün: bereit, der letzte Schritt war erfolgreich</translation>
    </message>
    <message>
        <source>Green: its last step ended well</source>
        <translation>Grün: der letzte Schritt war erfolgreich</translation>
    </message>
    <message>
        <source>Red: busy, or its last step failed</source>
        <translation>Rot: beschäftigt, oder der letzte Schritt ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>PelnCli</name>
    <message>
        <source>argument %1, &quot;%2&quot;, is not valid text in this system&apos;s encoding; give the file another name. Nothing was done.</source>
        <translation>Argument %1, „%2“, ist in der Zeichenkodierung dieses Systems kein gültiger Text; benennen Sie die Datei um. Es wurde nichts ausgeführt.</translation>
    </message>
    <message>
        <source>FILE is given twice, as %1 and with --file; see peln-cli help %2.</source>
        <translation>FILE ist doppelt angegeben, als %1 und mit --file; siehe peln-cli help %2.</translation>
    </message>
    <message>
        <source>; see peln-cli --help.</source>
        <translation>; siehe peln-cli --help.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a command; see peln-cli --help.</source>
        <translation>„%1“ ist kein Befehl; siehe peln-cli --help.</translation>
    </message>
    <message>
        <source>a command is needed</source>
        <translation>ein Befehl fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a command</source>
        <translation>„%1“ ist kein Befehl</translation>
    </message>
    <message>
        <source>; see peln-cli help %1.</source>
        <translation>; siehe peln-cli help %1.</translation>
    </message>
    <message>
        <source>usage: peln-cli %1</source>
        <translation>Aufruf: peln-cli %1</translation>
    </message>
    <message>
        <source>--port DEVICE is needed; see peln-cli help %1.</source>
        <translation>--port DEVICE fehlt; siehe peln-cli help %1.</translation>
    </message>
    <message>
        <source>write error: %1</source>
        <translation>Schreibfehler: %1</translation>
    </message>
</context>
<context>
    <name>SentValues</name>
    <message>
        <source>%1: %2 is sent</source>
        <translation>%1: %2 wird gesendet</translation>
    </message>
    <message>
        <source>not a number</source>
        <translation>keine Zahl</translation>
    </message>
    <message>
        <source>out of range %1</source>
        <translation>außerhalb des Bereichs %1</translation>
    </message>
    <message>
        <source>rounded</source>
        <translation>gerundet</translation>
    </message>
    <message>
        <source>0 means not set</source>
        <translation>0 bedeutet „nicht eingestellt“</translation>
    </message>
    <message>
        <source>unchanged %1</source>
        <translation>unverändert %1</translation>
    </message>
    <message>
        <source>%1: the default %2 is sent</source>
        <translation>%1: der Standardwert %2 wird gesendet</translation>
    </message>
    <message>
        <source>%1: %2 shown, %3 sent</source>
        <translation>%1: %2 angezeigt, %3 gesendet</translation>
    </message>
</context>
<context>
    <name>SerialDevices</name>
    <message>
        <source>No serial port was found on this computer.</source>
        <translation>Auf diesem Computer wurde keine serielle Schnittstelle gefunden.</translation>
    </message>
    <message>
        <source>Serial ports on this computer:</source>
        <translation>Serielle Schnittstellen dieses Computers:</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>%1 names process %2, which is running</source>
        <translation>%1 nennt den laufenden Prozess %2</translation>
    </message>
    <message>
        <source>The port is not open.</source>
        <translation>Die Schnittstelle ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>The device took no data for %1 seconds.</source>
        <translation>Das Gerät hat %1 Sekunden lang keine Daten angenommen.</translation>
    </message>
    <message>
        <source>%1 bytes were still waiting to leave the port after %2 seconds.</source>
        <translation>Nach %2 Sekunden warteten noch %1 Bytes darauf, die Schnittstelle zu verlassen.</translation>
    </message>
</context>
<context>
    <name>SerialNotices</name>
    <message>
        <source>Please connect COM  First </source>
        <extracomment>Shown when Send or Read finds the port closed. The English keeps its two spaces and the space at the end, as technicians know it.</extracomment>
        <translation>Bitte verbinden Sie zuerst die Schnittstelle </translation>
    </message>
    <message>
        <source>the port is in use by another program</source>
        <translation>die Schnittstelle wird von einem anderen Programm verwendet</translation>
    </message>
    <message>
        <source>To use serial ports your user must be in the dialout group: run sudo adduser &quot;$USER&quot; dialout (on a system without sudo, run adduser with your user&apos;s name and dialout as root), then log out and in again</source>
        <translation>Um serielle Schnittstellen zu nutzen, muss Ihr Benutzer in der Gruppe dialout sein: Führen Sie sudo adduser &quot;$USER&quot; dialout aus (auf einem System ohne sudo als root adduser mit Ihrem Benutzernamen und dialout), melden Sie sich dann ab und wieder an</translation>
    </message>
    <message>
        <source>the device went away: is the cable or adapter still plugged in?</source>
        <translation>das Gerät ist nicht mehr vorhanden: Sind Kabel und Adapter noch eingesteckt?</translation>
    </message>
    <message>
        <source>%1 (the system said: %2)</source>
        <translation>%1 (Meldung des Systems: %2)</translation>
    </message>
    <message>
        <source>The system reported: %1</source>
        <translation>Das System meldete: %1</translation>
    </message>
    <message>
        <source>COM Connect Successful </source>
        <extracomment>The port opened. The English keeps its space at the end.</extracomment>
        <translation>Schnittstelle erfolgreich verbunden </translation>
    </message>
    <message>
        <source>The COM Used !</source>
        <extracomment>The port could not be opened (in use, or refused): the English, odd as it is, is what technicians know.</extracomment>
        <translation>Die Schnittstelle ist belegt!</translation>
    </message>
    <message>
        <source>The settings were not sent to the brewer.</source>
        <translation>Die Einstellungen wurden nicht an den Brüher gesendet.</translation>
    </message>
    <message>
        <source>The brewer did not get the settings: the serial port failed while sending.</source>
        <translation>Der Brüher hat die Einstellungen nicht erhalten: Die serielle Schnittstelle ist beim Senden ausgefallen.</translation>
    </message>
    <message>
        <source>Receive Data Successful! </source>
        <extracomment>Read from Brewer got a good record. The English keeps its space at the end.</extracomment>
        <translation>Daten erfolgreich empfangen! </translation>
    </message>
    <message>
        <source>The brewer&apos;s record was not read: %1 No setting was changed.</source>
        <translation>Der Datensatz des Brühers wurde nicht gelesen: %1 Es wurde keine Einstellung geändert.</translation>
    </message>
    <message>
        <source>Read from Brewer shows the record the brewer has already sent: press it again once the brewer has sent its record.</source>
        <translation>„Vom Brüher lesen“ zeigt den Datensatz, den der Brüher bereits gesendet hat: Klicken Sie erneut darauf, sobald der Brüher seinen Datensatz gesendet hat.</translation>
    </message>
    <message>
        <source>The serial port stopped working, so the brewer cannot be reached. The port is now closed; check the cable, then press Connect.</source>
        <translation>Die serielle Schnittstelle funktioniert nicht mehr, der Brüher ist nicht erreichbar. Die Schnittstelle ist jetzt geschlossen; prüfen Sie das Kabel und klicken Sie dann auf „Verbinden“.</translation>
    </message>
    <message>
        <source>Connected to %1, %2</source>
        <translation>Verbunden mit %1, %2</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Read from Brewer closed the port after a good reply: press Connect before the next Send</source>
        <translation>„Vom Brüher lesen“ hat die Schnittstelle nach einer gültigen Antwort geschlossen: Klicken Sie vor dem nächsten Senden auf „Verbinden“</translation>
    </message>
    <message>
        <source>%1 went away; check the cable, then press Connect</source>
        <translation>%1 ist nicht mehr vorhanden; prüfen Sie das Kabel und klicken Sie dann auf „Verbinden“</translation>
    </message>
    <message>
        <source>%1 failed while sending; check the cable, then press Connect</source>
        <translation>%1 ist beim Senden ausgefallen; prüfen Sie das Kabel und klicken Sie dann auf „Verbinden“</translation>
    </message>
    <message>
        <source>%1 could not be opened</source>
        <translation>%1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Not connected: </source>
        <translation>Nicht verbunden: </translation>
    </message>
</context>
<context>
    <name>SettingNames</name>
    <message>
        <source>yes or no</source>
        <translation>yes oder no</translation>
    </message>
    <message>
        <source>reported by the brewer</source>
        <translation>vom Brüher gemeldet</translation>
    </message>
</context>
<context>
    <name>SettingWords</name>
    <message>
        <source>Left Button</source>
        <translation>Linke Taste</translation>
    </message>
    <message>
        <source>Center Button</source>
        <translation>Mittlere Taste</translation>
    </message>
    <message>
        <source>Right Button</source>
        <translation>Rechte Taste</translation>
    </message>
    <message>
        <source> ounces</source>
        <translation> Unzen</translation>
    </message>
    <message>
        <source> signs per ounce</source>
        <translation> Impulse pro Unze</translation>
    </message>
    <message>
        <source> percent</source>
        <translation> Prozent</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>%1 volume</source>
        <translation>%1, Volumen</translation>
    </message>
    <message>
        <source>%1 pulse brew setting %2</source>
        <translation>%1, Impulsbrüh-Einstellung %2</translation>
    </message>
    <message>
        <source>%1 brewing count to write</source>
        <translation>%1, zu schreibender Brühzähler</translation>
    </message>
    <message>
        <source>Flowmeter calibration, new setting</source>
        <translation>Durchflussmesser-Kalibrierung, neuer Wert</translation>
    </message>
    <message>
        <source>Pump working speed</source>
        <translation>Pumpenleistung</translation>
    </message>
    <message>
        <source>Drip-out time</source>
        <translation>Nachtropfzeit</translation>
    </message>
    <message>
        <source>%1 disabled flag</source>
        <translation>%1, Sperrkennzeichen</translation>
    </message>
    <message>
        <source>%1 to %2%3</source>
        <translation>%1 bis %2%3</translation>
    </message>
    <message>
        <source>, or OFF while the button is disabled</source>
        <translation>, oder OFF, solange die Taste gesperrt ist</translation>
    </message>
    <message>
        <source>; a larger number becomes %1</source>
        <translation>; eine größere Zahl wird zu %1</translation>
    </message>
    <message>
        <source>; any other number becomes %1</source>
        <translation>; jede andere Zahl wird zu %1</translation>
    </message>
    <message>
        <source>; a larger number is sent as %1</source>
        <translation>; eine größere Zahl wird als %1 gesendet</translation>
    </message>
    <message>
        <source>; any other number is sent as %1</source>
        <translation>; jede andere Zahl wird als %1 gesendet</translation>
    </message>
    <message>
        <source>; until the field is changed, %1 is sent</source>
        <translation>; solange das Feld unverändert ist, wird %1 gesendet</translation>
    </message>
    <message>
        <source>Whole numbers %1</source>
        <translation>Ganze Zahlen von %1</translation>
    </message>
    <message>
        <source>%1 default settings</source>
        <translation>%1, Standardeinstellungen</translation>
    </message>
    <message>
        <source>%1 disable</source>
        <translation>%1 sperren</translation>
    </message>
    <message>
        <source>LCD logo text</source>
        <translation>LCD-Logotext</translation>
    </message>
    <message>
        <source>Up to %1 letters, digits and spaces</source>
        <translation>Bis zu %1 Buchstaben, Ziffern und Leerzeichen</translation>
    </message>
    <message>
        <source>Brewer&apos;s total count, %1</source>
        <translation>Gesamtzähler des Brühers, %1</translation>
    </message>
    <message>
        <source>Brewer&apos;s flowmeter calibration</source>
        <translation>Durchflussmesser-Kalibrierung des Brühers</translation>
    </message>
    <message>
        <source>Reported by the brewer: Read from Brewer fills it in</source>
        <translation>Vom Brüher gemeldet: „Vom Brüher lesen“ trägt den Wert ein</translation>
    </message>
</context>
<context>
    <name>SettingsFileAccess</name>
    <message>
        <source>it has %1 hard links, which a new file in its place would split</source>
        <translation>die Datei hat %1 harte Links, die eine neue Datei an ihrer Stelle auftrennen würde</translation>
    </message>
    <message>
        <source>it belongs to user %1 and group %2, which a new file made by this user would not keep</source>
        <translation>die Datei gehört Benutzer %1 und Gruppe %2; eine von diesem Benutzer neu angelegte Datei behielte das nicht bei</translation>
    </message>
    <message>
        <source>the file could not be created</source>
        <translation>die Datei konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>not every byte could be written</source>
        <translation>nicht alle Bytes konnten geschrieben werden</translation>
    </message>
    <message>
        <source>the new file could not replace the old one</source>
        <translation>die neue Datei konnte die alte nicht ersetzen</translation>
    </message>
    <message>
        <source>the file could not be opened</source>
        <translation>die Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>die Datei konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the file is larger than %1 bytes, too large for a settings file</source>
        <translation>die Datei ist größer als %1 Bytes und damit zu groß für eine Einstellungsdatei</translation>
    </message>
</context>
<context>
    <name>SettingsFileLock</name>
    <message>
        <source>another program</source>
        <translation>ein anderes Programm</translation>
    </message>
    <message>
        <source>%1 has held it for more than %2 seconds</source>
        <translation>%1 hält die Sperre seit über %2 Sekunden</translation>
    </message>
    <message>
        <source>another PELN program</source>
        <translation>ein anderes PELN-Programm</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>ein Programm</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
</context>
<context>
    <name>SettingsFileNotices</name>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>%1 could not be read: %2.</source>
        <translation>%1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>A settings file already there is left as it was.</source>
        <translation>Eine bereits vorhandene Einstellungsdatei bleibt unverändert.</translation>
    </message>
    <message>
        <source>%1 is not a settings file: none of its lines is a record of one.</source>
        <translation>%1 ist keine Einstellungsdatei: Keine ihrer Zeilen ist ein Einstellungsdatensatz.</translation>
    </message>
    <message>
        <source>%1 changed since it was loaded: overwrite it, or load it again?</source>
        <translation>%1 wurde seit dem Laden geändert: überschreiben oder neu laden?</translation>
    </message>
    <message>
        <source>the &quot;%1&quot; record is missing</source>
        <translation>der Datensatz „%1“ fehlt</translation>
    </message>
    <message>
        <source>Save successful!</source>
        <translation>Speichern erfolgreich!</translation>
    </message>
    <message>
        <source>Save failed!</source>
        <translation>Speichern fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Load failed!</source>
        <translation>Laden fehlgeschlagen!</translation>
    </message>
    <message>
        <source>No setting was changed.</source>
        <translation>Es wurde keine Einstellung geändert.</translation>
    </message>
    <message>
        <source>Loaded, but some values were damaged!</source>
        <translation>Geladen, aber einige Werte waren beschädigt!</translation>
    </message>
    <message>
        <source>These values were not loaded; their settings keep the values they had:

%1</source>
        <translation>Diese Werte wurden nicht geladen; ihre Einstellungen behalten die bisherigen Werte:

%1</translation>
    </message>
    <message>
        <source>Load successful!</source>
        <translation>Laden erfolgreich!</translation>
    </message>
    <message>
        <source>Line %1, &quot;%2&quot; value %3: </source>
        <translation>Zeile %1, „%2“, Wert %3: </translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2</source>
        <translation>„%1“ ist ungültig, erwartet: %2</translation>
    </message>
    <message>
        <source>00 or 01</source>
        <translation>00 oder 01</translation>
    </message>
    <message>
        <source>%1 hexadecimal digits</source>
        <translation>%1 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
</context>
<context>
    <name>SettingsFileOperations</name>
    <message>
        <source>%1: the file holds %2; %3 is sent</source>
        <translation>%1: die Datei enthält %2; gesendet wird %3</translation>
    </message>
    <message>
        <source>it could not be locked: %1</source>
        <translation>die Datei konnte nicht gesperrt werden: %1</translation>
    </message>
</context>
<context>
    <name>SettingsFrame</name>
    <message>
        <source>The logo text holds &quot;/&quot;, which the brewer would take as the end of the logo. Change the logo, then send again.</source>
        <translation>Der Logotext enthält „/“, was der Brüher als Ende des Logos auffassen würde. Ändern Sie das Logo und senden Sie erneut.</translation>
    </message>
    <message>
        <source>The logo text holds &quot;%1&quot;, which cannot be sent as one byte. Change the logo, then send again.</source>
        <translation>Der Logotext enthält „%1“, das sich nicht als ein Byte senden lässt. Ändern Sie das Logo und senden Sie erneut.</translation>
    </message>
    <message>
        <source>The logo text holds the character with code %1, which the brewer cannot show. Change the logo, then send again.</source>
        <translation>Der Logotext enthält das Zeichen mit dem Code %1, das der Brüher nicht anzeigen kann. Ändern Sie das Logo und senden Sie erneut.</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>%1 holds %2, which is not a setting the brewer can take.</source>
        <translation>%1 enthält %2, was der Brüher nicht als Einstellung annehmen kann.</translation>
    </message>
    <message>
        <source> Type a value into its field, then send again.</source>
        <translation> Geben Sie einen Wert in das Feld ein und senden Sie erneut.</translation>
    </message>
    <message>
        <source>byte %1 is %2: expected %3</source>
        <translation>Byte %1 ist %2, erwartet: %3</translation>
    </message>
    <message>
        <source>expected %1</source>
        <translation>erwartet: %1</translation>
    </message>
    <message>
        <source>a second &quot;$&quot;</source>
        <translation>ein zweites „$“</translation>
    </message>
    <message>
        <source>&quot;/&quot; after at most %1 logo characters</source>
        <translation>„/“ nach höchstens %1 Logozeichen</translation>
    </message>
    <message>
        <source>&quot;&amp;&quot;, the start of the settings</source>
        <translation>„&amp;“, der Beginn der Einstellungen</translation>
    </message>
    <message>
        <source>&quot;)&quot;, the end of the settings</source>
        <translation>„)“, das Ende der Einstellungen</translation>
    </message>
    <message>
        <source>a hexadecimal digit 0-9 or A-F</source>
        <translation>eine Hexadezimalziffer 0-9 oder A-F</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Prepares a coffee brewer&apos;s settings.</source>
        <translation>Bereitet die Einstellungen eines Kaffeebrühers vor.</translation>
    </message>
    <message>
        <source>A settings file to open at start.</source>
        <translation>Eine Einstellungsdatei, die beim Start geöffnet wird.</translation>
    </message>
</context>
</TS>
