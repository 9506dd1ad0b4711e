<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BreakLines</name>
    <message>
        <source>No line could be broken: a line break is put only between the attributes of a tag, where it cannot change the page, and this text has no such place on a long line.</source>
        <translation>Es konnte keine Zeile umbrochen werden: Ein Zeilenumbruch wird nur zwischen den Attributen eines Tags eingefügt, wo er die Seite nicht verändern kann, und dieser Text hat in keiner langen Zeile eine solche Stelle.</translation>
    </message>
</context>
<context>
    <name>CodeMax1</name>
    <message>
        <source>Loading was cancelled.</source>
        <translation>Das Laden wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Line number:</source>
        <translation>Zeilennummer:</translation>
    </message>
    <message>
        <source>Go To Line</source>
        <translation>Gehe zu Zeile</translation>
    </message>
    <message>
        <source>Repeat count:</source>
        <translation>Anzahl der Wiederholungen:</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cannot find &quot;%1&quot;.</source>
        <translation>„%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Cannot open &apos;%1&apos;: %2.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a folder.</source>
        <translation>„%1“ ist ein Ordner.</translation>
    </message>
    <message>
        <source>Cannot save &apos;%1&apos;: %2.</source>
        <translation>„%1“ kann nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Whole word</source>
        <translation>Nur ganze Wörter</translation>
    </message>
    <message>
        <source>Find what:</source>
        <translation>Suchen nach:</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Ersetzen durch:</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Alle ersetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1 occurrence(s) replaced.</source>
        <translation>%1 Vorkommen ersetzt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid regular expression: %2 at offset %3.</source>
        <translation>„%1“ ist kein gültiger regulärer Ausdruck: %2 an Position %3.</translation>
    </message>
    <message>
        <source>The search for &quot;%1&quot; was stopped: the regular expression needs too much time or memory on this text.</source>
        <translation>Die Suche nach „%1“ wurde abgebrochen: Der reguläre Ausdruck braucht für diesen Text zu viel Zeit oder Speicher.</translation>
    </message>
    <message>
        <source>%1 occurrence(s) had been replaced; Undo takes them back.</source>
        <translation>%1 Vorkommen waren bereits ersetzt; Rückgängig nimmt sie zurück.</translation>
    </message>
    <message>
        <source>Cannot save &apos;%1&apos;: %2 has no place for the character %3 on line %4.
Replace it, then save again.</source>
        <translation>„%1“ kann nicht gespeichert werden: %2 hat keinen Platz für das Zeichen %3 in Zeile %4.
Ersetzen Sie es und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>Find a pattern (Perl style); the replacement may hold \1 to \9 for its groups, \0 for the whole match, \n for a line break and \t for a tab</source>
        <translation>Nach einem Muster suchen (Perl-Stil); der Ersatztext kann \1 bis \9 für Gruppen, \0 für den ganzen Treffer, \n für einen Zeilenumbruch und \t für einen Tabulator enthalten</translation>
    </message>
</context>
<context>
    <name>ColourBox</name>
    <message>
        <source>Click to change colour</source>
        <translation>Klicken, um die Farbe zu ändern</translation>
    </message>
</context>
<context>
    <name>DiskFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <translation>es ist eine benannte Pipe (FIFO), keine Datei</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>es ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>es ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>its name is not valid UTF-8, which this program cannot use; rename the file</source>
        <translation>der Name ist kein gültiges UTF-8, mit dem dieses Programm nicht umgehen kann; benennen Sie die Datei um</translation>
    </message>
    <message>
        <source>it is larger than %1 MB, the most this program opens</source>
        <translation>die Datei ist größer als %1 MB, mehr öffnet dieses Programm nicht</translation>
    </message>
</context>
<context>
    <name>FilePropertiesDialog</name>
    <message>
        <source>%1 Properties</source>
        <translation>Eigenschaften von %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Link to:</source>
        <translation>Verweist auf:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Bytes)</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Permissions:</source>
        <translation>Berechtigungen:</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>Eigentümer:</translation>
    </message>
    <message>
        <source>Encoding:</source>
        <translation>Kodierung:</translation>
    </message>
    <message>
        <source>Line endings:</source>
        <translation>Zeilenenden:</translation>
    </message>
    <message>
        <source>UTF-8 with BOM</source>
        <translation>UTF-8 mit BOM</translation>
    </message>
</context>
<context>
    <name>FileText</name>
    <message>
        <source>It is not UTF-8 text: the byte 0x%1 on line %2 (byte %3 of the file) does not belong there.</source>
        <translation>Es ist kein UTF-8-Text: Das Byte 0x%1 in Zeile %2 (Byte %3 der Datei) gehört nicht dorthin.</translation>
    </message>
    <message>
        <source>It is not UTF-16 text: it has an odd number of bytes.</source>
        <translation>Es ist kein UTF-16-Text: Er hat eine ungerade Anzahl von Bytes.</translation>
    </message>
    <message>
        <source>It is not UTF-16 text: it holds half of a surrogate pair on its own.</source>
        <translation>Es ist kein UTF-16-Text: Er enthält eine einzelne Hälfte eines Surrogatpaars.</translation>
    </message>
</context>
<context>
    <name>FontColourDialog</name>
    <message>
        <source>Select Font</source>
        <translation>Schrift auswählen</translation>
    </message>
    <message>
        <source>Co&amp;lour...</source>
        <translation>&amp;Farbe...</translation>
    </message>
</context>
<context>
    <name>InsertionDialogs</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>InsertionMenus</name>
    <message>
        <source>Page wizard</source>
        <translation>Seitenassistent</translation>
    </message>
    <message>
        <source>Quick page outline</source>
        <translation>Seitengerüst</translation>
    </message>
    <message>
        <source>Anchor</source>
        <translation>Anker</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Colour chooser</source>
        <translation>Farbauswahl</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Line break</source>
        <translation>Zeilenumbruch</translation>
    </message>
    <message>
        <source>Hard return bar</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Paragraph</source>
        <translation>Absatz</translation>
    </message>
    <message>
        <source>Div - left aligned</source>
        <translation>Div – linksbündig</translation>
    </message>
    <message>
        <source>Div - right aligned</source>
        <translation>Div – rechtsbündig</translation>
    </message>
    <message>
        <source>Div - centred</source>
        <translation>Div – zentriert</translation>
    </message>
    <message>
        <source>Div - justified</source>
        <translation>Div – Blocksatz</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Strikethrough</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>Superscript</source>
        <translation>Hochgestellt</translation>
    </message>
    <message>
        <source>Subscript</source>
        <translation>Tiefgestellt</translation>
    </message>
    <message>
        <source>Heading</source>
        <translation>Überschrift</translation>
    </message>
    <message>
        <source>Blockquote</source>
        <translation>Zitatblock</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Stark betont</translation>
    </message>
    <message>
        <source>Emphasis</source>
        <translation>Betont</translation>
    </message>
    <message>
        <source>Cite</source>
        <translation>Quellenangabe</translation>
    </message>
    <message>
        <source>Pre-formatted</source>
        <translation>Vorformatiert</translation>
    </message>
    <message>
        <source>Ordered list</source>
        <translation>Nummerierte Liste</translation>
    </message>
    <message>
        <source>Unordered list</source>
        <translation>Aufzählung</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Listeneintrag</translation>
    </message>
    <message>
        <source>Definition list</source>
        <translation>Definitionsliste</translation>
    </message>
    <message>
        <source>Definition data</source>
        <translation>Definitionsbeschreibung</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Quick table outline</source>
        <translation>Tabellengerüst</translation>
    </message>
    <message>
        <source>Header cell</source>
        <translation>Kopfzelle</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datenzelle</translation>
    </message>
    <message>
        <source>Column span</source>
        <translation>Spalten verbinden</translation>
    </message>
    <message>
        <source>Row span</source>
        <translation>Zeilen verbinden</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Vertical alignment</source>
        <translation>Vertikale Ausrichtung</translation>
    </message>
    <message>
        <source>Quick form outline</source>
        <translation>Formulargerüst</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>Hidden field</source>
        <translation>Verstecktes Feld</translation>
    </message>
    <message>
        <source>File field</source>
        <translation>Dateifeld</translation>
    </message>
    <message>
        <source>Password field</source>
        <translation>Passwortfeld</translation>
    </message>
    <message>
        <source>Text area</source>
        <translation>Textbereich</translation>
    </message>
    <message>
        <source>Drop-down list</source>
        <translation>Aufklappliste</translation>
    </message>
    <message>
        <source>List box</source>
        <translation>Listenfeld</translation>
    </message>
    <message>
        <source>Check box</source>
        <translation>Ankreuzfeld</translation>
    </message>
    <message>
        <source>Radio button</source>
        <translation>Optionsfeld</translation>
    </message>
    <message>
        <source>Image button</source>
        <translation>Bildschaltfläche</translation>
    </message>
    <message>
        <source>Submit button</source>
        <translation>Schaltfläche „Absenden“</translation>
    </message>
    <message>
        <source>Reset button</source>
        <translation>Schaltfläche „Zurücksetzen“</translation>
    </message>
    <message>
        <source>Form button</source>
        <translation>Formularschaltfläche</translation>
    </message>
    <message>
        <source>Frameset</source>
        <translation>Frameset</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Base frame</source>
        <translation>Basis-Frame</translation>
    </message>
    <message>
        <source>In-line frame</source>
        <translation>Inline-Frame</translation>
    </message>
    <message>
        <source>No frames</source>
        <translation>Ohne Frames</translation>
    </message>
    <message>
        <source>New script</source>
        <translation>Neues Skript</translation>
    </message>
    <message>
        <source>No scripts</source>
        <translation>Ohne Skripte</translation>
    </message>
    <message>
        <source>Function block</source>
        <translation>Funktionsblock</translation>
    </message>
    <message>
        <source>Document write block</source>
        <translation>Ausgabeblock (document.write)</translation>
    </message>
    <message>
        <source>Confirm block</source>
        <translation>Bestätigungsblock (confirm)</translation>
    </message>
    <message>
        <source>Alert block</source>
        <translation>Meldungsblock (alert)</translation>
    </message>
    <message>
        <source>If block</source>
        <translation>If-Block</translation>
    </message>
    <message>
        <source>If ... Else block</source>
        <translation>If ... Else-Block</translation>
    </message>
    <message>
        <source>Else block</source>
        <translation>Else-Block</translation>
    </message>
    <message>
        <source>For loop block</source>
        <translation>For-Schleife</translation>
    </message>
    <message>
        <source>While loop block</source>
        <translation>While-Schleife</translation>
    </message>
    <message>
        <source>Combo-based menu script</source>
        <translation>Menüskript mit Auswahlliste</translation>
    </message>
    <message>
        <source>Pop-up window script</source>
        <translation>Pop-up-Fenster-Skript</translation>
    </message>
    <message>
        <source>Browser detection script</source>
        <translation>Browsererkennungsskript</translation>
    </message>
    <message>
        <source>Frame killer script</source>
        <translation>Frame-Killer-Skript</translation>
    </message>
    <message>
        <source>Last modified script</source>
        <translation>Skript „Zuletzt geändert“</translation>
    </message>
    <message>
        <source>Month formatting script</source>
        <translation>Skript zur Monatsformatierung</translation>
    </message>
    <message>
        <source>Set cookie script</source>
        <translation>Skript „Cookie setzen“</translation>
    </message>
    <message>
        <source>Get cookie script</source>
        <translation>Skript „Cookie lesen“</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Datei einbinden (Include)</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Output tag</source>
        <translation>Ausgabe-Tag</translation>
    </message>
    <message>
        <source>If tag</source>
        <translation>If-Tag</translation>
    </message>
    <message>
        <source>End tag</source>
        <translation>End-Tag</translation>
    </message>
    <message>
        <source>Exec cgi</source>
        <translation>CGI ausführen</translation>
    </message>
    <message>
        <source>Insert token</source>
        <translation>Sprungmarke einfügen</translation>
    </message>
    <message>
        <source>Jump to token</source>
        <translation>Zur Sprungmarke springen</translation>
    </message>
    <message>
        <source>Terminator</source>
        <translation>Abbruch (BREAK)</translation>
    </message>
    <message>
        <source>Stylesheet link</source>
        <translation>Stylesheet-Verweis</translation>
    </message>
    <message>
        <source>Meta redirect (client pull)</source>
        <translation>Meta-Weiterleitung (Client-Pull)</translation>
    </message>
    <message>
        <source>Page margins</source>
        <translation>Seitenränder</translation>
    </message>
    <message>
        <source>Page transitions</source>
        <translation>Seitenübergänge</translation>
    </message>
    <message>
        <source>ActiveX control</source>
        <translation>ActiveX-Steuerelement</translation>
    </message>
    <message>
        <source>Insert DHTML layer</source>
        <translation>DHTML-Ebene einfügen</translation>
    </message>
    <message>
        <source>Embed object</source>
        <translation>Objekt einbetten</translation>
    </message>
    <message>
        <source>Insert audio</source>
        <translation>Audio einfügen</translation>
    </message>
    <message>
        <source>Insert video</source>
        <translation>Video einfügen</translation>
    </message>
    <message>
        <source>Insert Macromedia Flash</source>
        <translation>Macromedia Flash einfügen</translation>
    </message>
    <message>
        <source>Insert Macromedia Shockwave</source>
        <translation>Macromedia Shockwave einfügen</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
</context>
<context>
    <name>LivePreview</name>
    <message>
        <source>The live preview needs the embedded browser, which is not installed.</source>
        <translation>Die Live-Vorschau braucht den eingebetteten Browser, der nicht installiert ist.</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>&apos; could not be saved.</source>
        <translation>&apos; konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Opening page </source>
        <translation>Seite wird geöffnet: </translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>The page could not be shown.</source>
        <translation>Die Seite konnte nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>Preview does not support server scripts, so Active Server Pages are previewed as HTML.</source>
        <translation>Die Vorschau unterstützt keine Serverskripte, daher werden Active Server Pages als HTML angezeigt.</translation>
    </message>
    <message>
        <source>Preview does not support this file format, so *.</source>
        <translation>Die Vorschau unterstützt dieses Dateiformat nicht, daher können *.</translation>
    </message>
    <message>
        <source> files can only be previewed as raw text. Do you wish to proceed?</source>
        <translation>-Dateien nur als reiner Text angezeigt werden. Möchten Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>

These settings could not be read; their defaults are used: %1.</source>
        <translation>

Diese Einstellungen konnten nicht gelesen werden; es werden ihre Standardwerte verwendet: %1.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; is not a regular file; the defaults are used and no setting is saved.</source>
        <translation>Die Einstellungsdatei „%1“ ist keine reguläre Datei; es werden die Standardwerte verwendet und keine Einstellungen gespeichert.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; could not be read; the defaults are used.</source>
        <translation>Die Einstellungsdatei „%1“ konnte nicht gelesen werden; es werden die Standardwerte verwendet.</translation>
    </message>
    <message>
        <source>The settings file &apos;%1&apos; was damaged and has been kept as &apos;%2&apos;; the defaults are used.</source>
        <translation>Die Einstellungsdatei „%1“ war beschädigt und wurde als „%2“ aufbewahrt; es werden die Standardwerte verwendet.</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Plain text</source>
        <translation>Normaler Text</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Tag attribute</source>
        <translation>Tag-Attribut</translation>
    </message>
    <message>
        <source>Attribute value</source>
        <translation>Attributwert</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entität</translation>
    </message>
    <message>
        <source>CR LF (Windows)</source>
        <translation>CR LF (Windows)</translation>
    </message>
    <message>
        <source>CR (classic Mac)</source>
        <translation>CR (klassischer Mac)</translation>
    </message>
    <message>
        <source>LF (Unix)</source>
        <translation>LF (Unix)</translation>
    </message>
    <message>
        <source>Enter the title of the page here. Leaving this blank or clicking cancel aborts this operation.</source>
        <translation>Geben Sie hier den Titel der Seite ein. Ein leeres Feld oder „Abbrechen“ bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter your comment here. Leaving the comment blank cancels the operation.</source>
        <translation>Geben Sie hier Ihren Kommentar ein. Ein leerer Kommentar bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an integer between 1 and %2 - operation cancelled.</source>
        <translation>„%1“ ist keine ganze Zahl zwischen 1 und %2 – Vorgang abgebrochen.</translation>
    </message>
    <message>
        <source>Enter your font size here (integers from 1 to 7 only). Leaving the font size blank cancels the operation.</source>
        <translation>Geben Sie hier die Schriftgröße ein (nur ganze Zahlen von 1 bis 7). Eine leere Schriftgröße bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter your heading size here (integers from 1 to 6 only). Leaving the heading size blank cancels the operation.</source>
        <translation>Geben Sie hier die Größe der Überschrift ein (nur ganze Zahlen von 1 bis 6). Eine leere Größe bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the %1 name here, remembering that case sensitivity is required when referring to such fields in code. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Namen für das Element „%1“ ein. Beachten Sie, dass im Code bei Verweisen auf solche Felder die Groß-/Kleinschreibung zählt. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the caption of the %1 here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier die Beschriftung für „%1“ ein. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the image button name here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Namen der Bildschaltfläche ein. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the function name here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Namen der Funktion ein. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the text to be written by the script here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Text ein, den das Skript ausgeben soll. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the confirmation message to be displayed here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier die Bestätigungsfrage ein, die angezeigt werden soll. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Enter the warning message to be displayed here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier die Warnmeldung ein, die angezeigt werden soll. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Achtung!</translation>
    </message>
    <message>
        <source>Enter the text to prefix the browser type here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Text ein, der vor dem Browsertyp stehen soll. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>You are browsing with </source>
        <translation>Sie verwenden </translation>
    </message>
    <message>
        <source>Enter the text to prefix the &apos;last modified&apos; date here. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Text ein, der vor dem Datum der letzten Änderung stehen soll. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Last modified </source>
        <translation>Zuletzt geändert am </translation>
    </message>
    <message>
        <source>Enter the label token name here for the simple &apos;goto label&apos; jump. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Namen der Sprungmarke für den einfachen Sprung („goto label“) ein. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Enter the destination label token name here for the simple &apos;goto label&apos; jump. Leaving this value blank cancels the operation.</source>
        <translation>Geben Sie hier den Namen der Zielmarke für den einfachen Sprung („goto label“) ein. Ein leerer Wert bricht den Vorgang ab.</translation>
    </message>
    <message>
        <source>Not implemented yet.</source>
        <translation>Noch nicht implementiert.</translation>
    </message>
    <message>
        <source>Insert into active document</source>
        <translation>In das aktive Dokument einfügen</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>not a recovery file</source>
        <translation>keine Wiederherstellungsdatei</translation>
    </message>
    <message>
        <source>the text is cut short</source>
        <translation>der Text ist unvollständig</translation>
    </message>
    <message>
        <source>the text is damaged</source>
        <translation>der Text ist beschädigt</translation>
    </message>
    <message>
        <source>Untitled document</source>
        <translation>Unbenanntes Dokument</translation>
    </message>
</context>
<context>
    <name>ShellEntries</name>
    <message>
        <source>HTML files (*.html, *.htm, *.shtml, *.shtm)</source>
        <translation>HTML-Dateien (*.html, *.htm, *.shtml, *.shtm)</translation>
    </message>
    <message>
        <source>ASP files (*.asp)</source>
        <translation>ASP-Dateien (*.asp)</translation>
    </message>
    <message>
        <source>Javascript files (*.js)</source>
        <translation>JavaScript-Dateien (*.js)</translation>
    </message>
    <message>
        <source>Stylesheets (*.css)</source>
        <translation>Stylesheets (*.css)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Non-brk space</source>
        <translation>Geschütztes Leerzeichen</translation>
    </message>
    <message>
        <source>Trademark</source>
        <translation>Markenzeichen</translation>
    </message>
</context>
<context>
    <name>SpellCheck</name>
    <message>
        <source>The spelling dictionary &apos;%1&apos; could not be found.</source>
        <translation>Das Wörterbuch „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The spelling dictionary &apos;%1&apos; uses the unknown encoding %2.</source>
        <translation>Das Wörterbuch „%1“ verwendet die unbekannte Kodierung %2.</translation>
    </message>
    <message>
        <source>There is no spelling to check.</source>
        <translation>Es gibt keinen Text zu prüfen.</translation>
    </message>
    <message>
        <source>The document has been updated.</source>
        <translation>Das Dokument wurde aktualisiert.</translation>
    </message>
    <message>
        <source>No changes were made.</source>
        <translation>Es wurden keine Änderungen vorgenommen.</translation>
    </message>
    <message>
        <source>The spelling check is complete. </source>
        <translation>Die Rechtschreibprüfung ist abgeschlossen. </translation>
    </message>
</context>
<context>
    <name>Tidy</name>
    <message>
        <source>HTML Tidy is working...</source>
        <translation>HTML Tidy arbeitet...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>HTML Tidy could not be started (%1): %2.
Install the &quot;tidy&quot; package.</source>
        <translation>HTML Tidy konnte nicht gestartet werden (%1): %2.
Installieren Sie das Paket „tidy“.</translation>
    </message>
    <message>
        <source>HTML Tidy did not finish within %1 seconds and was stopped.</source>
        <translation>HTML Tidy wurde nicht innerhalb von %1 Sekunden fertig und wurde angehalten.</translation>
    </message>
    <message>
        <source>HTML Tidy stopped unexpectedly (%1).</source>
        <translation>HTML Tidy wurde unerwartet beendet (%1).</translation>
    </message>
    <message>
        <source>HTML Tidy could not be run: no temporary folder (%1).</source>
        <translation>HTML Tidy konnte nicht ausgeführt werden: kein temporärer Ordner (%1).</translation>
    </message>
    <message>
        <source>HTML Tidy could not be run: &apos;%1&apos; could not be written (%2).</source>
        <translation>HTML Tidy konnte nicht ausgeführt werden: „%1“ konnte nicht geschrieben werden (%2).</translation>
    </message>
</context>
<context>
    <name>ToolCommands</name>
    <message>
        <source>The %1 could not be found. It is installed in share/qrn/ref with the program.</source>
        <translation>Die %1 wurde nicht gefunden. Sie wird mit dem Programm in share/qrn/ref installiert.</translation>
    </message>
    <message>
        <source> could not be started.</source>
        <translation> konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The &apos;</source>
        <translation>Das Werkzeug „</translation>
    </message>
    <message>
        <source>&apos; tool cannot be found, suggesting a misconfiguration of tools. Do you want to check your tool options now?</source>
        <translation>“ wurde nicht gefunden; die Werkzeuge sind wohl falsch eingerichtet. Möchten Sie die Werkzeug-Einstellungen jetzt prüfen?</translation>
    </message>
    <message>
        <source>HTML reference</source>
        <translation>HTML-Referenz</translation>
    </message>
    <message>
        <source>CSS reference</source>
        <translation>CSS-Referenz</translation>
    </message>
    <message>
        <source>This enables you to donate securely via PayPal. Do you wish to proceed?</source>
        <translation>Hiermit können Sie sicher über PayPal spenden. Möchten Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>Tune</name>
    <message>
        <source>No size reduction was possible in this pass - try a manual review.</source>
        <translation>In diesem Durchgang war keine Verkleinerung möglich – versuchen Sie eine Überarbeitung von Hand.</translation>
    </message>
    <message>
        <source>% decrease in size (</source>
        <translation>% kleiner (</translation>
    </message>
    <message>
        <source> bytes).</source>
        <translation> Bytes).</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>A lightweight, easy-to-use HTML editor, the latest version of which is always available from:</source>
        <translation>Ein schlanker, einfach zu bedienender HTML-Editor, dessen neueste Version es immer hier gibt:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
    <message>
        <source>Donate fast, free and securely via PayPal</source>
        <translation>Schnell, kostenlos und sicher über PayPal spenden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Copyright © the Quorlen developers</source>
        <translation>Copyright © die Quorlen-Entwickler</translation>
    </message>
    <message>
        <source>System information is unavailable at this time.</source>
        <translation>Systeminformationen sind derzeit nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>frmAddBasic</name>
    <message>
        <source>New anchor</source>
        <translation>Neuer Anker</translation>
    </message>
    <message>
        <source>New image</source>
        <translation>Neues Bild</translation>
    </message>
    <message>
        <source>Stylesheet link</source>
        <translation>Stylesheet-Verweis</translation>
    </message>
    <message>
        <source>Meta redirect</source>
        <translation>Meta-Weiterleitung</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <source>Pop-up window wizard</source>
        <translation>Pop-up-Fenster-Assistent</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>URL or file</source>
        <translation>URL oder Datei</translation>
    </message>
    <message>
        <source>Text/name (optional)</source>
        <translation>Text/Name (optional)</translation>
    </message>
    <message>
        <source>Target frame (optional)</source>
        <translation>Ziel-Frame (optional)</translation>
    </message>
    <message>
        <source>Named bookmark anchor?</source>
        <translation>Benannter Anker (Sprungziel)?</translation>
    </message>
    <message>
        <source>Alignment (optional)</source>
        <translation>Ausrichtung (optional)</translation>
    </message>
    <message>
        <source>Alternate text (optional)</source>
        <translation>Alternativtext (optional)</translation>
    </message>
    <message>
        <source>Include size where known?</source>
        <translation>Größe angeben, falls bekannt?</translation>
    </message>
    <message>
        <source>Delay (secs)</source>
        <translation>Verzögerung (Sek.)</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Transition effect</source>
        <translation>Übergangseffekt</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <translation>Dauer (Sek.)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Delay must be numeric.</source>
        <translation>Die Verzögerung muss eine Zahl sein.</translation>
    </message>
    <message>
        <source>Show the browser navigation bar?</source>
        <translation>Navigationsleiste des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Show the browser menu bar?</source>
        <translation>Menüleiste des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Show the browser scroll bars?</source>
        <translation>Bildlaufleisten des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Show the browser link bar?</source>
        <translation>Linkleiste des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Show the browser location/URL bar?</source>
        <translation>Adressleiste des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Show the browser status bar?</source>
        <translation>Statusleiste des Browsers anzeigen?</translation>
    </message>
    <message>
        <source>Allow the window to be resized?</source>
        <translation>Größenänderung des Fensters erlauben?</translation>
    </message>
    <message>
        <source>Copy the browser history?</source>
        <translation>Verlauf des Browsers übernehmen?</translation>
    </message>
    <message>
        <source>Pop-up in full-screen mode?</source>
        <translation>Pop-up im Vollbildmodus?</translation>
    </message>
</context>
<context>
    <name>frmDocument</name>
    <message>
        <source>Document %1</source>
        <translation>Dokument %1</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>Edit mode</source>
        <translation>Bearbeitungsmodus</translation>
    </message>
    <message>
        <source>Preview mode</source>
        <translation>Vorschaumodus</translation>
    </message>
    <message>
        <source>Ln %1,  Col %2</source>
        <translation>Zeile %1,  Spalte %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Long lines</source>
        <translation>Lange Zeilen</translation>
    </message>
    <message>
        <source>A line of this page is over 100 KB long, and typing in it is slow.
Click for Tools &gt; Break long lines: line breaks between the attributes of tags,
where they cannot change the page (one Undo takes them back).</source>
        <translation>Eine Zeile dieser Seite ist über 100 KB lang, und das Tippen darin ist langsam.
Klicken Sie für Extras &gt; Lange Zeilen umbrechen: Zeilenumbrüche zwischen den Attributen von Tags,
wo sie die Seite nicht verändern können (ein Rückgängig nimmt sie zurück).</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be opened.
%2</source>
        <translation>„%1“ konnte nicht geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>&apos; has been moved or deleted by another program.
The text stays open here; save it to keep it.</source>
        <translation>&apos; wurde von einem anderen Programm verschoben oder gelöscht.
Der Text bleibt hier geöffnet; speichern Sie ihn, um ihn zu behalten.</translation>
    </message>
    <message>
        <source>&apos; was changed by another program.
Reload it and lose the changes made here?</source>
        <translation>&apos; wurde von einem anderen Programm geändert.
Neu laden und die hier gemachten Änderungen verwerfen?</translation>
    </message>
    <message>
        <source>&apos; was changed by another program.
Do you want to reload it?</source>
        <translation>&apos; wurde von einem anderen Programm geändert.
Möchten Sie die Datei neu laden?</translation>
    </message>
    <message>
        <source>&apos; was changed by another program since it was opened or saved here.

Yes: overwrite it with the text here.
No: keep the other version and reload it (Undo brings this text back).
Cancel: do neither.</source>
        <translation>&apos; wurde seit dem Öffnen oder Speichern hier von einem anderen Programm geändert.

Ja: mit dem Text von hier überschreiben.
Nein: die andere Fassung behalten und neu laden (Rückgängig bringt diesen Text zurück).
Abbrechen: keines von beiden.</translation>
    </message>
    <message>
        <source>Save changes to &apos;%1&apos;?</source>
        <translation>Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>Untitled document</source>
        <translation>Unbenanntes Dokument</translation>
    </message>
    <message>
        <source>Encoding and line breaks</source>
        <translation>Kodierung und Zeilenumbrüche</translation>
    </message>
    <message>
        <source>Live Preview</source>
        <translation>Live-Vorschau</translation>
    </message>
    <message>
        <source>Show the page beside the text, refreshed as you type</source>
        <translation>Die Seite neben dem Text zeigen, beim Tippen aufgefrischt</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was not reopened; the document stays as it was.
%2</source>
        <translation>„%1“ wurde nicht neu geöffnet; das Dokument bleibt, wie es war.
%2</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Powerbar</source>
        <translation>Einfügeleiste</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Seitenleiste</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>Chars</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Show/hide sidebar</source>
        <translation>Seitenleiste ein-/ausblenden</translation>
    </message>
    <message>
        <source>Window list</source>
        <translation>Fensterliste</translation>
    </message>
    <message>
        <source>Insert mode (press Insert to overwrite)</source>
        <translation>Einfügemodus (Einfg drücken zum Überschreiben)</translation>
    </message>
    <message>
        <source>&apos; could not be saved.</source>
        <translation>&apos; konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The document is busy; save it when the work on it has finished.</source>
        <translation>Das Dokument ist beschäftigt; speichern Sie es, wenn die Arbeit daran abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Properties not available as the current file has not been saved yet.</source>
        <translation>Eigenschaften sind nicht verfügbar, da die aktuelle Datei noch nicht gespeichert wurde.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; could not be printed.</source>
        <translation>„%1“ konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>
Its name is not valid UTF-8, which this program cannot use; rename the file.</source>
        <translation>
Der Dateiname ist kein gültiges UTF-8, mit dem dieses Programm nicht umgehen kann; benennen Sie die Datei um.</translation>
    </message>
    <message>
        <source> could not be opened.</source>
        <translation> konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>&apos; was either moved or deleted, and so will be removed from the &apos;most recently used&apos; list of files.</source>
        <translation>&apos; wurde verschoben oder gelöscht und wird daher aus der Liste der zuletzt verwendeten Dateien entfernt.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Clos&amp;e All</source>
        <translation>Alle sc&amp;hließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save A&amp;ll</source>
        <translation>A&amp;lle speichern</translation>
    </message>
    <message>
        <source>Propert&amp;ies</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Clear Recent Files</source>
        <translation>Liste zuletzt geöffneter Dateien leeren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Ein&amp;fügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete &amp;Line</source>
        <translation>&amp;Zeile löschen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Goto...</source>
        <translation>&amp;Gehe zu Zeile...</translation>
    </message>
    <message>
        <source>&amp;Bookmarks</source>
        <translation>Lesezei&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Nächstes</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Vorheriges</translation>
    </message>
    <message>
        <source>&amp;Toggle</source>
        <translation>&amp;Umschalten</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Alle entfernen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Line Numbers</source>
        <translation>&amp;Zeilennummern</translation>
    </message>
    <message>
        <source>&amp;Margins</source>
        <translation>&amp;Ränder</translation>
    </message>
    <message>
        <source>&amp;Whitespace</source>
        <translation>&amp;Leerzeichen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Powerbar</source>
        <translation>&amp;Einfügeleiste</translation>
    </message>
    <message>
        <source>&amp;Sidebar</source>
        <translation>&amp;Seitenleiste</translation>
    </message>
    <message>
        <source>Status&amp;bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>Maximise &amp;edit view</source>
        <translation>Bearbeitungsansicht &amp;maximieren</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Normal Size</source>
        <translation>&amp;Normale Größe</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation>&amp;Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Change Case</source>
        <translation>&amp;Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>&amp;Uppercase    Shift+Ctrl+U</source>
        <translation>&amp;Großbuchstaben    Umschalt+Strg+U</translation>
    </message>
    <message>
        <source>&amp;Lowercase    Ctrl+U</source>
        <translation>&amp;Kleinbuchstaben    Strg+U</translation>
    </message>
    <message>
        <source>Clipboard Viewer</source>
        <translation>Zwischenablage anzeigen</translation>
    </message>
    <message>
        <source>&amp;Spell Check</source>
        <translation>&amp;Rechtschreibprüfung</translation>
    </message>
    <message>
        <source>&amp;Basic HTML Compression</source>
        <translation>Einfache HTML-&amp;Komprimierung</translation>
    </message>
    <message>
        <source>Break &amp;long lines</source>
        <translation>&amp;Lange Zeilen umbrechen</translation>
    </message>
    <message>
        <source>&amp;HTML Tidy</source>
        <translation>&amp;HTML Tidy</translation>
    </message>
    <message>
        <source>&amp;External Browser</source>
        <translation>E&amp;xterner Browser</translation>
    </message>
    <message>
        <source>Windows Explorer</source>
        <translation>Dateimanager</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;New window</source>
        <translation>&amp;Neues Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Überlappend</translation>
    </message>
    <message>
        <source>Tile &amp;Horizontal</source>
        <translation>&amp;Horizontal anordnen</translation>
    </message>
    <message>
        <source>Tile &amp;Vertical</source>
        <translation>&amp;Vertikal anordnen</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;HTML Reference</source>
        <translation>&amp;HTML-Referenz</translation>
    </message>
    <message>
        <source>CSS &amp;Reference</source>
        <translation>&amp;CSS-Referenz</translation>
    </message>
    <message>
        <source>&amp;Donate</source>
        <translation>&amp;Spenden</translation>
    </message>
    <message>
        <source>QRN on the &amp;Web</source>
        <translation>QRN im &amp;Internet</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Spell check</source>
        <translation>Rechtschreibprüfung</translation>
    </message>
    <message>
        <source>Basic HTML compression</source>
        <translation>Einfache HTML-Komprimierung</translation>
    </message>
    <message>
        <source>HTML Tidy</source>
        <translation>HTML Tidy</translation>
    </message>
    <message>
        <source>External browser</source>
        <translation>Externer Browser</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Basic HTML commands</source>
        <translation>Grundlegende HTML-Befehle</translation>
    </message>
    <message>
        <source>Format commands</source>
        <translation>Formatierungsbefehle</translation>
    </message>
    <message>
        <source>List commands</source>
        <translation>Listenbefehle</translation>
    </message>
    <message>
        <source>Table commands</source>
        <translation>Tabellenbefehle</translation>
    </message>
    <message>
        <source>Form commands</source>
        <translation>Formularbefehle</translation>
    </message>
    <message>
        <source>Frameset commands</source>
        <translation>Frameset-Befehle</translation>
    </message>
    <message>
        <source>JavaScript syntax</source>
        <translation>JavaScript-Syntax</translation>
    </message>
    <message>
        <source>Scripts/functions</source>
        <translation>Skripte/Funktionen</translation>
    </message>
    <message>
        <source>Active Server Page commands</source>
        <translation>Befehle für Active Server Pages</translation>
    </message>
    <message>
        <source>Server-Side Includes commands</source>
        <translation>Befehle für Server-Side Includes</translation>
    </message>
    <message>
        <source>Sundry useful commands</source>
        <translation>Sonstige nützliche Befehle</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Javascript</source>
        <translation>JavaScript</translation>
    </message>
    <message>
        <source>Scripts</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <source>ASP</source>
        <translation>ASP</translation>
    </message>
    <message>
        <source>SSI</source>
        <translation>SSI</translation>
    </message>
    <message>
        <source>Sundry</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>&amp;Tabbed documents</source>
        <translation>Dokumente als &amp;Reiter</translation>
    </message>
    <message>
        <source>More buttons</source>
        <translation>Weitere Knöpfe</translation>
    </message>
    <message>
        <source>Tags and characters</source>
        <translation>Tags und Zeichen</translation>
    </message>
    <message>
        <source>&amp;Fold margin</source>
        <translation>&amp;Faltrand</translation>
    </message>
    <message>
        <source>Word w&amp;rap</source>
        <translation>Zeilen&amp;umbruch</translation>
    </message>
    <message>
        <source>Line &amp;Endings</source>
        <translation>Zeilenen&amp;den</translation>
    </message>
    <message>
        <source>&amp;LF (Linux, macOS)</source>
        <translation>&amp;LF (Linux, macOS)</translation>
    </message>
    <message>
        <source>&amp;CR LF (Windows)</source>
        <translation>&amp;CR LF (Windows)</translation>
    </message>
    <message>
        <source>Li&amp;ve Preview</source>
        <translation>Li&amp;ve-Vorschau</translation>
    </message>
    <message>
        <source>&amp;Reopen with Encoding</source>
        <translation>Mit &amp;Kodierung neu öffnen</translation>
    </message>
    <message>
        <source>&apos; has changes that are not saved.
Reopen it as %1 and lose them?</source>
        <translation>&apos; hat ungespeicherte Änderungen.
Als %1 neu öffnen und sie verlieren?</translation>
    </message>
</context>
<context>
    <name>frmNew</name>
    <message>
        <source>New web page wizard</source>
        <translation>Assistent für neue Webseiten</translation>
    </message>
    <message>
        <source>Page title</source>
        <translation>Seitentitel</translation>
    </message>
    <message>
        <source>Enter the page title here</source>
        <translation>Geben Sie hier den Seitentitel ein</translation>
    </message>
    <message>
        <source>Description?</source>
        <translation>Beschreibung?</translation>
    </message>
    <message>
        <source>Include the Description META tag?</source>
        <translation>META-Tag „Description“ einfügen?</translation>
    </message>
    <message>
        <source>Enter a meaningful description of the page</source>
        <translation>Geben Sie eine aussagekräftige Beschreibung der Seite ein</translation>
    </message>
    <message>
        <source>Keywords?</source>
        <translation>Schlüsselwörter?</translation>
    </message>
    <message>
        <source>Include the Keywords META tag?</source>
        <translation>META-Tag „Keywords“ einfügen?</translation>
    </message>
    <message>
        <source>Enter relevant keywords, separated by commas</source>
        <translation>Geben Sie passende Schlüsselwörter ein, durch Kommas getrennt</translation>
    </message>
    <message>
        <source>Generator?</source>
        <translation>Generator?</translation>
    </message>
    <message>
        <source>Include the Generator META tag?</source>
        <translation>META-Tag „Generator“ einfügen?</translation>
    </message>
    <message>
        <source>Disable scrollbars?</source>
        <translation>Bildlaufleisten abschalten?</translation>
    </message>
    <message>
        <source>Check to disable scrollbars</source>
        <translation>Ankreuzen, um die Bildlaufleisten abzuschalten</translation>
    </message>
    <message>
        <source>Specify colours to override reader&apos;s browser defaults?</source>
        <translation>Farben statt der Voreinstellungen im Browser des Lesers festlegen?</translation>
    </message>
    <message>
        <source>Do you want to set default colours for this page?</source>
        <translation>Möchten Sie Standardfarben für diese Seite festlegen?</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Link colour</source>
        <translation>Linkfarbe</translation>
    </message>
    <message>
        <source>Visited link colour</source>
        <translation>Farbe besuchter Links</translation>
    </message>
    <message>
        <source>Hover link colour</source>
        <translation>Linkfarbe unter dem Mauszeiger</translation>
    </message>
    <message>
        <source>Click to change colour</source>
        <translation>Klicken, um die Farbe zu ändern</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Syntax highlighting</source>
        <translation>Syntaxhervorhebung</translation>
    </message>
    <message>
        <source>Context menus</source>
        <translation>Kontextmenüs</translation>
    </message>
    <message>
        <source>User tools</source>
        <translation>Benutzerwerkzeuge</translation>
    </message>
    <message>
        <source>HTML Tidy</source>
        <translation>HTML Tidy</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Anwenden</translation>
    </message>
    <message>
        <source>Limit to only one concurrent instance of QRN</source>
        <translation>Nur eine gleichzeitig laufende Instanz von QRN zulassen</translation>
    </message>
    <message>
        <source>Prevent/allow multiple instances of QRN opening</source>
        <translation>Verhindert oder erlaubt, dass QRN mehrfach geöffnet wird</translation>
    </message>
    <message>
        <source>Launch the &apos;New web page&apos; wizard when creating a new document</source>
        <translation>Beim Anlegen eines neuen Dokuments den Assistenten für neue Webseiten starten</translation>
    </message>
    <message>
        <source>Prompts for HTML page information when creating a new document</source>
        <translation>Fragt beim Anlegen eines neuen Dokuments nach Angaben zur HTML-Seite</translation>
    </message>
    <message>
        <source>Show splash screen at start-up</source>
        <translation>Begrüßungsbildschirm beim Start anzeigen</translation>
    </message>
    <message>
        <source>Splash functionality</source>
        <translation>Begrüßungsbildschirm</translation>
    </message>
    <message>
        <source>Reload last working directory at start-up</source>
        <translation>Beim Start den letzten Arbeitsordner wiederherstellen</translation>
    </message>
    <message>
        <source>Working directory functionality</source>
        <translation>Arbeitsordner</translation>
    </message>
    <message>
        <source>Insert full file path/name when adding links</source>
        <translation>Beim Einfügen von Links den vollständigen Dateipfad einfügen</translation>
    </message>
    <message>
        <source>Sidebar docking</source>
        <translation>Andocken der Seitenleiste</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Dock left</source>
        <translation>Links andocken</translation>
    </message>
    <message>
        <source>Dock right</source>
        <translation>Rechts andocken</translation>
    </message>
    <message>
        <source>Indent element content</source>
        <translation>Elementinhalt einrücken</translation>
    </message>
    <message>
        <source>Omit optional end-tags</source>
        <translation>Optionale End-Tags weglassen</translation>
    </message>
    <message>
        <source>Force tags to uppercase (default is lower)</source>
        <translation>Tags in Großbuchstaben erzwingen (Standard: Kleinbuchstaben)</translation>
    </message>
    <message>
        <source>Replace FONT, NOBR and CENTER tags with CSS</source>
        <translation>FONT-, NOBR- und CENTER-Tags durch CSS ersetzen</translation>
    </message>
    <message>
        <source>Suppress non-essential output</source>
        <translation>Unwesentliche Ausgaben unterdrücken</translation>
    </message>
    <message>
        <source>Strip out smart quotes and em dashes, etc</source>
        <translation>Typografische Anführungszeichen, Geviertstriche usw. entfernen</translation>
    </message>
    <message>
        <source>Force output as well-formed XHTML</source>
        <translation>Ausgabe als wohlgeformtes XHTML erzwingen</translation>
    </message>
    <message>
        <source>Shell functionality</source>
        <translation>Eintrag im Kontextmenü der Dateiverwaltung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Executable</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Shift+</source>
        <translation>Umschalt+</translation>
    </message>
    <message>
        <source>User-defined name of tool</source>
        <translation>Selbst gewählter Name des Werkzeugs</translation>
    </message>
    <message>
        <source>Executable to run</source>
        <translation>Auszuführendes Programm</translation>
    </message>
    <message>
        <source>Select program</source>
        <translation>Programm auswählen</translation>
    </message>
    <message>
        <source>Scripts (*.sh;*.py;*.pl)|*.sh;*.py;*.pl|Programs (*)|*|All files (*.*)|*.*</source>
        <translation>Skripte (*.sh;*.py;*.pl)|*.sh;*.py;*.pl|Programme (*)|*|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Select tool</source>
        <translation>Werkzeug auswählen</translation>
    </message>
    <message>
        <source>Force output as well-formed XHTML (well-formed HTML is the default)</source>
        <translation>Ausgabe als wohlgeformtes XHTML erzwingen (Standard ist wohlgeformtes HTML)</translation>
    </message>
    <message>
        <source>Type of text to highlight</source>
        <translation>Art des hervorzuhebenden Textes</translation>
    </message>
    <message>
        <source>Text type:</source>
        <translation>Textart:</translation>
    </message>
    <message>
        <source>Text colour:</source>
        <translation>Textfarbe:</translation>
    </message>
    <message>
        <source>Background colour:</source>
        <translation>Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Bold type face</source>
        <translation>Fette Schrift</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Italic type face</source>
        <translation>Kursive Schrift</translation>
    </message>
    <message>
        <source>Font face:</source>
        <translation>Schriftart:</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Preview window</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Reopen the last session&apos;s files at start-up</source>
        <translation>Dateien der letzten Sitzung beim Start wieder öffnen</translation>
    </message>
    <message>
        <source>Exit remembers the open files; the next start opens them again</source>
        <translation>Beenden merkt sich die offenen Dateien; der nächste Start öffnet sie wieder</translation>
    </message>
    <message>
        <source>Close tags as you type</source>
        <translation>Tags beim Tippen schließen</translation>
    </message>
    <message>
        <source>In HTML, typing the &gt; of a start tag adds its end tag; typing &lt;/ names the open element</source>
        <translation>In HTML fügt das &gt; eines Start-Tags sein End-Tag hinzu; &lt;/ ergänzt den Namen des offenen Elements</translation>
    </message>
</context>
<context>
    <name>frmRecover</name>
    <message>
        <source>Recover unsaved text</source>
        <translation>Ungespeicherten Text wiederherstellen</translation>
    </message>
    <message>
        <source>QRN did not close normally last time. The unsaved text of these documents can be recovered; a recovered document is written to its file only when you save it.</source>
        <translation>QRN wurde beim letzten Mal nicht normal beendet. Der ungespeicherte Text dieser Dokumente kann wiederhergestellt werden; ein wiederhergestelltes Dokument wird erst beim Speichern in seine Datei geschrieben.</translation>
    </message>
    <message>
        <source>Recoverable documents</source>
        <translation>Wiederherstellbare Dokumente</translation>
    </message>
    <message>
        <source> - damaged: %1</source>
        <translation> – beschädigt: %1</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <source>Keep the texts and ask again at the next start</source>
        <translation>Die Texte behalten und beim nächsten Start erneut fragen</translation>
    </message>
    <message>
        <source>&amp;Discard...</source>
        <translation>&amp;Verwerfen...</translation>
    </message>
    <message>
        <source>Discard the ticked texts? They cannot be brought back.</source>
        <translation>Die angekreuzten Texte verwerfen? Sie lassen sich nicht zurückholen.</translation>
    </message>
</context>
<context>
    <name>frmSpell</name>
    <message>
        <source>Spelling</source>
        <translation>Rechtschreibung</translation>
    </message>
    <message>
        <source>Not in dictionary:</source>
        <translation>Nicht im Wörterbuch:</translation>
    </message>
    <message>
        <source>C&amp;hange to:</source>
        <translation>Ersetzen &amp;durch:</translation>
    </message>
    <message>
        <source>&amp;Suggestions:</source>
        <translation>&amp;Vorschläge:</translation>
    </message>
    <message>
        <source>&amp;Dictionary language:</source>
        <translation>&amp;Sprache des Wörterbuchs:</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorieren</translation>
    </message>
    <message>
        <source>I&amp;gnore All</source>
        <translation>Alle i&amp;gnorieren</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Change A&amp;ll</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>A web page editor</source>
        <translation>Ein Editor für Webseiten</translation>
    </message>
</context>
<context>
    <name>frmTidy</name>
    <message>
        <source>HTML Tidy</source>
        <translation>HTML Tidy</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>&amp;Tidy document</source>
        <translation>Dokument &amp;bereinigen</translation>
    </message>
    <message>
        <source>Tidy HTML</source>
        <translation>HTML bereinigen</translation>
    </message>
    <message>
        <source>&amp;Close window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>Close this window without taking further action</source>
        <translation>Dieses Fenster ohne weitere Aktion schließen</translation>
    </message>
    <message>
        <source>Clipboard viewer</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Clear &amp;text</source>
        <translation>&amp;Text löschen</translation>
    </message>
    <message>
        <source>Clear clipboard</source>
        <translation>Zwischenablage leeren</translation>
    </message>
    <message>
        <source>Clipboard&apos;s text contents</source>
        <translation>Textinhalt der Zwischenablage</translation>
    </message>
    <message>
        <source>The file contains errors HTML Tidy cannot correct. Do you want to force HTML Tidy to proceed?</source>
        <translation>Die Datei enthält Fehler, die HTML Tidy nicht beheben kann. Möchten Sie HTML Tidy zwingen, trotzdem fortzufahren?</translation>
    </message>
    <message>
        <source>CAUTION: proceeding with HTML Tidy in this situation may result in a poorly formed document.</source>
        <translation>VORSICHT: Fährt HTML Tidy in dieser Lage fort, kann ein schlecht geformtes Dokument entstehen.</translation>
    </message>
    <message>
        <source>The result of HTML Tidy could not be read: %1.</source>
        <translation>Das Ergebnis von HTML Tidy konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>HTML Tidy produced no output, so the document was not changed.</source>
        <translation>HTML Tidy hat keine Ausgabe erzeugt, daher wurde das Dokument nicht geändert.</translation>
    </message>
    <message>
        <source>Show &amp;changes</source>
        <translation>Än&amp;derungen zeigen</translation>
    </message>
    <message>
        <source>Show what Tidy document would change, before changing it</source>
        <translation>Zeigen, was „Dokument bereinigen“ ändern würde, bevor es geändert wird</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>After HTML Tidy</source>
        <translation>Nach HTML Tidy</translation>
    </message>
    <message>
        <source>HTML Tidy would change nothing in this document.</source>
        <translation>HTML Tidy würde an diesem Dokument nichts ändern.</translation>
    </message>
    <message>
        <source>What Tidy document would change</source>
        <translation>Was „Dokument bereinigen“ ändern würde</translation>
    </message>
</context>
</TS>
