<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDocumentCommands</name>
    <message>
        <source>Rename List (*.tsl)</source>
        <translation>Umbenennungsliste (*.tsl)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened here.</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit es hier geöffnet wurde.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Save to Text File</source>
        <translation>In Textdatei speichern</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>CExtensionDialog</name>
    <message>
        <source>Cannot rename to this invalid extension</source>
        <translation>Umbenennen mit dieser ungültigen Dateiendung nicht möglich</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>File Extension</source>
        <translation>Dateiendung</translation>
    </message>
    <message>
        <source>&amp;Do not modify extension</source>
        <translation>Dateiendung &amp;nicht ändern</translation>
    </message>
    <message>
        <source>&amp;Use this extension:</source>
        <translation>Diese Endung &amp;verwenden:</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Dateiendung</translation>
    </message>
</context>
<context>
    <name>CFindReplaceDlg</name>
    <message>
        <source>Match &amp;case</source>
        <translation>Groß-/Kleinschreibung &amp;beachten</translation>
    </message>
    <message>
        <source>Regular e&amp;xpression</source>
        <translation>&amp;Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Find / Replace</source>
        <translation>Suchen / Ersetzen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>Ersetzen &amp;durch:</translation>
    </message>
</context>
<context>
    <name>CHelpDialog</name>
    <message>
        <source>Tessel Help</source>
        <translation>Tessel-Hilfe</translation>
    </message>
</context>
<context>
    <name>CId3EditorPage</name>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>&amp;Artist</source>
        <translation>I&amp;nterpret</translation>
    </message>
    <message>
        <source>Al&amp;bum</source>
        <translation>Al&amp;bum</translation>
    </message>
    <message>
        <source>&amp;Comment</source>
        <translation>&amp;Kommentar</translation>
    </message>
    <message>
        <source>Tit&amp;le</source>
        <translation>Tit&amp;el</translation>
    </message>
    <message>
        <source>A&amp;rtist</source>
        <translation>Inte&amp;rpret</translation>
    </message>
    <message>
        <source>Alb&amp;um</source>
        <translation>Alb&amp;um</translation>
    </message>
    <message>
        <source>&amp;Year</source>
        <translation>&amp;Jahr</translation>
    </message>
    <message>
        <source>&amp;Genre</source>
        <translation>&amp;Genre</translation>
    </message>
    <message>
        <source>Co&amp;mment</source>
        <translation>Ko&amp;mmentar</translation>
    </message>
    <message>
        <source>Find / Replace / Format</source>
        <translation>Suchen / Ersetzen / Formatieren</translation>
    </message>
    <message>
        <source>Lock Column</source>
        <translation>Spalte sperren</translation>
    </message>
    <message>
        <source>A&amp;dd ID3v2 tags to files without one</source>
        <translation>ID3v2-Tags zu Dateien ohne Tag &amp;hinzufügen</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>For Help, press F1</source>
        <translation>Drücken Sie F1, um Hilfe zu erhalten</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>MP3 mode</source>
        <translation>MP3-Modus</translation>
    </message>
    <message>
        <source>About Tessel</source>
        <translation>Über Tessel</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tessel %1&lt;/h3&gt;&lt;p&gt;A batch file renamer with an ID3v1 tag editor for MP3 files.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tessel %1&lt;/h3&gt;&lt;p&gt;Ein Programm zum Umbenennen vieler Dateien auf einmal, mit einem ID3v1-Tag-Editor für MP3-Dateien.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Viewer</source>
        <translation>&amp;Anzeigeprogramm</translation>
    </message>
    <message>
        <source>&amp;ID3 Editor</source>
        <translation>&amp;ID3-Editor</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Progress Indicator</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>CQtPrompts</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>CRenameWizard</name>
    <message>
        <source>Rename Wizard</source>
        <translation>Umbenennungs-Assistent</translation>
    </message>
</context>
<context>
    <name>CResultsDialog</name>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CResultsModel</name>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
</context>
<context>
    <name>CSeparatorDlg</name>
    <message>
        <source>&amp;Artist - Title</source>
        <translation>&amp;Interpret - Titel</translation>
    </message>
    <message>
        <source>&amp;Title - Artist</source>
        <translation>&amp;Titel - Interpret</translation>
    </message>
    <message>
        <source>Filename &lt;-&gt; ID3 Tag</source>
        <translation>Dateiname &lt;-&gt; ID3-Tag</translation>
    </message>
    <message>
        <source>Please enter the &amp;separator string</source>
        <translation>Bitte die Trenn&amp;zeichenfolge eingeben</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>CSwapDlg</name>
    <message>
        <source>Swap</source>
        <translation>Tauschen</translation>
    </message>
    <message>
        <source>Please enter the &amp;middle string</source>
        <translation>Bitte die &amp;mittlere Zeichenfolge eingeben</translation>
    </message>
</context>
<context>
    <name>CTesselView</name>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Add files with Insert, or drop them here</source>
        <translation>Dateien mit Einfg hinzufügen oder hierher ziehen</translation>
    </message>
</context>
<context>
    <name>CViewerPage</name>
    <message>
        <source>Select Viewer</source>
        <translation>Anzeigeprogramm wählen</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Extension</source>
        <translation>Datei&amp;endung</translation>
    </message>
    <message>
        <source>Open &amp;With</source>
        <translation>Öffnen &amp;mit</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Dateiendung</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Ass&amp;ociations</source>
        <translation>&amp;Zuordnungen</translation>
    </message>
    <message>
        <source>Associations</source>
        <translation>Zuordnungen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>CWizard1</name>
    <message>
        <source>Use &amp;current filename</source>
        <translation>&amp;Aktuellen Dateinamen verwenden</translation>
    </message>
    <message>
        <source>Use &amp;standard filename</source>
        <translation>&amp;Standarddateinamen verwenden</translation>
    </message>
    <message>
        <source>Rename Wizard - Step 1 of 3</source>
        <translation>Umbenennungs-Assistent - Schritt 1 von 3</translation>
    </message>
    <message>
        <source>Rename Wizard enables you to rename files according to numerical sequence.</source>
        <translation>Mit dem Umbenennungs-Assistenten benennen Sie Dateien nach einer fortlaufenden Nummerierung um.</translation>
    </message>
    <message>
        <source>&amp;Filename:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>To continue, click Next.</source>
        <translation>Klicken Sie auf „Weiter“, um fortzufahren.</translation>
    </message>
</context>
<context>
    <name>CWizard2</name>
    <message>
        <source>Rename Wizard - Step 2 of 3</source>
        <translation>Umbenennungs-Assistent - Schritt 2 von 3</translation>
    </message>
    <message>
        <source>Select the appropriate number format to achieve the desired effect.</source>
        <translation>Wählen Sie das Zahlenformat, das zum gewünschten Ergebnis führt.</translation>
    </message>
    <message>
        <source>&amp;Digits:</source>
        <translation>&amp;Stellen:</translation>
    </message>
    <message>
        <source>&amp;Increment:</source>
        <translation>Sch&amp;rittweite:</translation>
    </message>
    <message>
        <source>&amp;Start from:</source>
        <translation>Beginnen &amp;bei:</translation>
    </message>
    <message>
        <source>To continue, click Next.</source>
        <translation>Klicken Sie auf „Weiter“, um fortzufahren.</translation>
    </message>
</context>
<context>
    <name>CWizard3</name>
    <message>
        <source>Add number &amp;after filename</source>
        <translation>Nummer &amp;nach dem Dateinamen</translation>
    </message>
    <message>
        <source>Add number b&amp;efore filename</source>
        <translation>Nummer &amp;vor dem Dateinamen</translation>
    </message>
    <message>
        <source>&amp;Offset:</source>
        <translation>&amp;Position:</translation>
    </message>
    <message>
        <source>Rename Wizard - Step 3 of 3</source>
        <translation>Umbenennungs-Assistent - Schritt 3 von 3</translation>
    </message>
    <message>
        <source>Click Finish to start creating a numerical sequence of filenames.</source>
        <translation>Klicken Sie auf „Fertigstellen“, um die nummerierten Dateinamen zu erzeugen.</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>To continue, click Finish</source>
        <translation>Klicken Sie auf „Fertigstellen“, um fortzufahren</translation>
    </message>
</context>
<context>
    <name>ColumnTitle</name>
    <message>
        <source>New Filename</source>
        <translation>Neuer Dateiname</translation>
    </message>
    <message>
        <source>Current Filename</source>
        <translation>Aktueller Dateiname</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>In Folder</source>
        <translation>Im Ordner</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Save to &amp;Text File</source>
        <translation>In &amp;Textdatei speichern</translation>
    </message>
    <message>
        <source>Output filenames to a text file</source>
        <translation>Die Dateinamen in eine Textdatei schreiben</translation>
    </message>
    <message>
        <source>Save to Text File</source>
        <translation>In Textdatei speichern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt nach dem Speichern der Dokumente</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Die letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Select A&amp;ll</source>
        <translation>A&amp;lles auswählen</translation>
    </message>
    <message>
        <source>Select the entire document</source>
        <translation>Das ganze Dokument auswählen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>F&amp;ind / Replace</source>
        <translation>Suchen / &amp;Ersetzen</translation>
    </message>
    <message>
        <source>Find and replace the specified text</source>
        <translation>Den angegebenen Text suchen und ersetzen</translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation>Suchen und ersetzen</translation>
    </message>
    <message>
        <source>&amp;Add </source>
        <translation>&amp;Hinzufügen </translation>
    </message>
    <message>
        <source>Add files to document</source>
        <translation>Dateien zum Dokument hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Re&amp;move </source>
        <translation>&amp;Entfernen </translation>
    </message>
    <message>
        <source>Remove files from document</source>
        <translation>Dateien aus dem Dokument entfernen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Rename currently selected file</source>
        <translation>Die ausgewählte Datei umbenennen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Toggle Mode </source>
        <translation>&amp;Modus wechseln </translation>
    </message>
    <message>
        <source>Toggle between normal and MP3 - ID3 mode</source>
        <translation>Zwischen normalem Modus und MP3-ID3-Modus wechseln</translation>
    </message>
    <message>
        <source>Toggle Mode</source>
        <translation>Modus wechseln</translation>
    </message>
    <message>
        <source>Rename &amp;Wizard</source>
        <translation>Umbenennungs-&amp;Assistent</translation>
    </message>
    <message>
        <source>Call Rename Wizard</source>
        <translation>Den Umbenennungs-Assistenten aufrufen</translation>
    </message>
    <message>
        <source>Rename Wizard</source>
        <translation>Umbenennungs-Assistent</translation>
    </message>
    <message>
        <source>&amp;Save ID3</source>
        <translation>ID3 &amp;speichern</translation>
    </message>
    <message>
        <source>Tag ID3 to MP3 files</source>
        <translation>Die ID3-Tags in die MP3-Dateien schreiben</translation>
    </message>
    <message>
        <source>Save ID3</source>
        <translation>ID3 speichern</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>Aus&amp;führen</translation>
    </message>
    <message>
        <source>Rename files in batches</source>
        <translation>Die Dateien auf einmal umbenennen</translation>
    </message>
    <message>
        <source>Rename Files</source>
        <translation>Dateien umbenennen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Changes options</source>
        <translation>Ändert die Optionen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Natural Order</source>
        <translation>&amp;Natürliche Reihenfolge</translation>
    </message>
    <message>
        <source>Sort names with numbers by their value, letter case ignored</source>
        <translation>Namen mit Zahlen nach deren Wert sortieren, ohne Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Natural Order</source>
        <translation>Natürliche Reihenfolge</translation>
    </message>
    <message>
        <source>&amp;Sentence case</source>
        <translation>&amp;Satzanfang groß</translation>
    </message>
    <message>
        <source>Convert filenames to sentence case</source>
        <translation>Dateinamen mit großem Satzanfang schreiben</translation>
    </message>
    <message>
        <source>Sentence Case</source>
        <translation>Satzanfang groß</translation>
    </message>
    <message>
        <source>&amp;lowercase</source>
        <translation>&amp;kleinschreibung</translation>
    </message>
    <message>
        <source>Convert filenames to lowercase</source>
        <translation>Dateinamen klein schreiben</translation>
    </message>
    <message>
        <source>Lowercase</source>
        <translation>Kleinschreibung</translation>
    </message>
    <message>
        <source>&amp;UPPERCASE</source>
        <translation>&amp;GROSSSCHREIBUNG</translation>
    </message>
    <message>
        <source>Convert filenames to uppercase</source>
        <translation>Dateinamen groß schreiben</translation>
    </message>
    <message>
        <source>Uppercase</source>
        <translation>Großschreibung</translation>
    </message>
    <message>
        <source>&amp;Title Case</source>
        <translation>Alle &amp;Wörter Groß</translation>
    </message>
    <message>
        <source>Convert filenames to title case</source>
        <translation>Jedes Wort der Dateinamen groß beginnen</translation>
    </message>
    <message>
        <source>Title Case</source>
        <translation>Alle Wörter Groß</translation>
    </message>
    <message>
        <source>tO&amp;GGLE CASE</source>
        <translation>gROSS/kLEIN &amp;umkehren</translation>
    </message>
    <message>
        <source>Toggle case of filenames</source>
        <translation>Groß- und Kleinschreibung der Dateinamen umkehren</translation>
    </message>
    <message>
        <source>Toggle Case</source>
        <translation>Groß/klein umkehren</translation>
    </message>
    <message>
        <source>S&amp;wap</source>
        <translation>&amp;Tauschen</translation>
    </message>
    <message>
        <source>Exchange the position of two strings separated by a middle string</source>
        <translation>Zwei durch eine mittlere Zeichenfolge getrennte Teile vertauschen</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Tauschen</translation>
    </message>
    <message>
        <source>Insert S&amp;paces</source>
        <translation>&amp;Leerzeichen einfügen</translation>
    </message>
    <message>
        <source>Insert spaces in between words</source>
        <translation>Leerzeichen zwischen Wörtern einfügen</translation>
    </message>
    <message>
        <source>Insert Space</source>
        <translation>Leerzeichen einfügen</translation>
    </message>
    <message>
        <source>L&amp;ock</source>
        <translation>Spalte s&amp;perren</translation>
    </message>
    <message>
        <source>Lock any column when editing MP3&apos;s ID3 tag</source>
        <translation>Eine Spalte beim Bearbeiten der ID3-Tags von MP3-Dateien sperren</translation>
    </message>
    <message>
        <source>Lock Column</source>
        <translation>Spalte sperren</translation>
    </message>
    <message>
        <source>Filename to ID&amp;3</source>
        <translation>Dateiname nach ID&amp;3</translation>
    </message>
    <message>
        <source>Read information from filename and add the information to MP3&apos;s ID3 tag</source>
        <translation>Angaben aus dem Dateinamen lesen und in das ID3-Tag der MP3-Datei schreiben</translation>
    </message>
    <message>
        <source>Filename to ID3 Tag</source>
        <translation>Dateiname nach ID3-Tag</translation>
    </message>
    <message>
        <source>ID3 to &amp;Filename</source>
        <translation>ID3 nach &amp;Dateiname</translation>
    </message>
    <message>
        <source>Read information from MP3 ID3&apos;s tag and translate the information into filenames</source>
        <translation>Angaben aus dem ID3-Tag der MP3-Datei lesen und daraus Dateinamen bilden</translation>
    </message>
    <message>
        <source>ID3 Tag to Filename</source>
        <translation>ID3-Tag nach Dateiname</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>List Help topics</source>
        <translation>Die Hilfethemen anzeigen</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Tessel...</source>
        <translation>&amp;Info über Tessel...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Lock &amp;Title</source>
        <translation>&amp;Titel sperren</translation>
    </message>
    <message>
        <source>Locks title column</source>
        <translation>Sperrt die Spalte Titel</translation>
    </message>
    <message>
        <source>Lock title</source>
        <translation>Titel sperren</translation>
    </message>
    <message>
        <source>Lock &amp;Artist</source>
        <translation>&amp;Interpret sperren</translation>
    </message>
    <message>
        <source>Locks artist column</source>
        <translation>Sperrt die Spalte Interpret</translation>
    </message>
    <message>
        <source>Lock artist</source>
        <translation>Interpret sperren</translation>
    </message>
    <message>
        <source>Lock A&amp;lbum</source>
        <translation>&amp;Album sperren</translation>
    </message>
    <message>
        <source>Locks album column</source>
        <translation>Sperrt die Spalte Album</translation>
    </message>
    <message>
        <source>Lock album</source>
        <translation>Album sperren</translation>
    </message>
    <message>
        <source>Lock &amp;Year</source>
        <translation>&amp;Jahr sperren</translation>
    </message>
    <message>
        <source>Locks year column</source>
        <translation>Sperrt die Spalte Jahr</translation>
    </message>
    <message>
        <source>Lock year</source>
        <translation>Jahr sperren</translation>
    </message>
    <message>
        <source>Lock &amp;Genre</source>
        <translation>&amp;Genre sperren</translation>
    </message>
    <message>
        <source>Locks genre column</source>
        <translation>Sperrt die Spalte Genre</translation>
    </message>
    <message>
        <source>Lock genre</source>
        <translation>Genre sperren</translation>
    </message>
    <message>
        <source>Lock &amp;Comment</source>
        <translation>&amp;Kommentar sperren</translation>
    </message>
    <message>
        <source>Locks comment column</source>
        <translation>Sperrt die Spalte Kommentar</translation>
    </message>
    <message>
        <source>Lock comment</source>
        <translation>Kommentar sperren</translation>
    </message>
    <message>
        <source>Sentence case</source>
        <translation>Satzanfang groß</translation>
    </message>
    <message>
        <source>lowercase</source>
        <translation>kleinschreibung</translation>
    </message>
    <message>
        <source>UPPERCASE</source>
        <translation>GROSSSCHREIBUNG</translation>
    </message>
    <message>
        <source>tOGGLE CASE</source>
        <translation>gROSS/kLEIN UMKEHREN</translation>
    </message>
    <message>
        <source>Insert Spaces</source>
        <translation>Leerzeichen einfügen</translation>
    </message>
</context>
<context>
    <name>CoreMessage</name>
    <message>
        <source>Cannot open file. Access is denied.</source>
        <translation>Die Datei kann nicht geöffnet werden. Zugriff verweigert.</translation>
    </message>
    <message>
        <source>Cannot write the tag: the disk is full. The file was left as it was.</source>
        <translation>Das Tag kann nicht geschrieben werden: Der Datenträger ist voll. Die Datei blieb unverändert.</translation>
    </message>
    <message>
        <source>Save changes to MP3 files?</source>
        <translation>Änderungen an den MP3-Dateien speichern?</translation>
    </message>
    <message>
        <source>%1: %2

Do you want to continue?</source>
        <translation>%1: %2

Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Unrecognized file type</source>
        <translation>Unbekannter Dateityp</translation>
    </message>
    <message>
        <source>Cannot read %1: the list is damaged (%2).</source>
        <translation>%1 kann nicht gelesen werden: Die Liste ist beschädigt (%2).</translation>
    </message>
    <message>
        <source>Cannot save %1: %2.</source>
        <translation>%1 kann nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Cannot write file: Access denied</source>
        <translation>Die Datei kann nicht geschrieben werden: Zugriff verweigert</translation>
    </message>
    <message>
        <source>Cannot find the string &apos;%1&apos;</source>
        <translation>Die Zeichenfolge „%1“ wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Cannot undo last operation</source>
        <translation>Der letzte Vorgang kann nicht rückgängig gemacht werden</translation>
    </message>
    <message>
        <source>Cannot rename to this invalid extension</source>
        <translation>Umbenennen mit dieser ungültigen Dateiendung nicht möglich</translation>
    </message>
    <message>
        <source>Please enter filename</source>
        <translation>Bitte einen Dateinamen eingeben</translation>
    </message>
    <message>
        <source>A name would grow past 4,096 bytes: the command was refused and nothing changed.</source>
        <translation>Ein Name würde länger als 4.096 Bytes: Der Befehl wurde abgelehnt, nichts wurde geändert.</translation>
    </message>
    <message>
        <source>A run was interrupted before it ended: %1 files may still have their new names.
Put them back now?</source>
        <translation>Ein Umbenennungslauf wurde vor seinem Ende unterbrochen: %1 Dateien tragen womöglich noch ihre neuen Namen.
Jetzt zurückbenennen?</translation>
    </message>
</context>
<context>
    <name>CountText</name>
    <message>
        <source>,</source>
        <extracomment>The separator between groups of three digits in a count, as in 12,345.</extracomment>
        <translation>.</translation>
    </message>
    <message>
        <source>%1 row OK, %2 unchanged</source>
        <translation>%1 Zeile OK, %2 unverändert</translation>
    </message>
    <message>
        <source>%1 rows OK, %2 unchanged</source>
        <translation>%1 Zeilen OK, %2 unverändert</translation>
    </message>
    <message>
        <source>, %1 cannot be written</source>
        <translation>, %1 können nicht geschrieben werden</translation>
    </message>
    <message>
        <source>, %1 cannot be renamed</source>
        <translation>, %1 können nicht umbenannt werden</translation>
    </message>
    <message>
        <source>%1 written, %2 failed</source>
        <translation>%1 geschrieben, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 renamed, %2 failed</source>
        <translation>%1 umbenannt, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 cancelled</source>
        <translation>%1 abgebrochen</translation>
    </message>
    <message>
        <source>%1 unchanged</source>
        <translation>%1 unverändert</translation>
    </message>
    <message>
        <source>, %1 not written (%2)</source>
        <translation>, %1 nicht geschrieben (%2)</translation>
    </message>
    <message>
        <source>, %1 not renamed (%2)</source>
        <translation>, %1 nicht umbenannt (%2)</translation>
    </message>
    <message>
        <source>%1 row cannot be written: fix or remove it to go on</source>
        <translation>%1 Zeile kann nicht geschrieben werden: Korrigieren oder entfernen Sie sie, um fortzufahren</translation>
    </message>
    <message>
        <source>%1 rows cannot be written: fix or remove them to go on</source>
        <translation>%1 Zeilen können nicht geschrieben werden: Korrigieren oder entfernen Sie sie, um fortzufahren</translation>
    </message>
    <message>
        <source>%1 row cannot be renamed: fix or remove it to go on</source>
        <translation>%1 Zeile kann nicht umbenannt werden: Korrigieren oder entfernen Sie sie, um fortzufahren</translation>
    </message>
    <message>
        <source>%1 rows cannot be renamed: fix or remove them to go on</source>
        <translation>%1 Zeilen können nicht umbenannt werden: Korrigieren oder entfernen Sie sie, um fortzufahren</translation>
    </message>
    <message>
        <source>Nothing to write: the list is empty</source>
        <translation>Nichts zu schreiben: Die Liste ist leer</translation>
    </message>
    <message>
        <source>Nothing to rename: the list is empty</source>
        <translation>Nichts umzubenennen: Die Liste ist leer</translation>
    </message>
    <message>
        <source>Nothing to write: every row is unchanged</source>
        <translation>Nichts zu schreiben: Alle Zeilen sind unverändert</translation>
    </message>
    <message>
        <source>Nothing to rename: every row is unchanged</source>
        <translation>Nichts umzubenennen: Alle Zeilen sind unverändert</translation>
    </message>
    <message>
        <source>Nothing to write: no row that would change can be written</source>
        <translation>Nichts zu schreiben: Keine Zeile, die sich ändern würde, kann geschrieben werden</translation>
    </message>
    <message>
        <source>Nothing to rename: no row that would change can be renamed</source>
        <translation>Nichts umzubenennen: Keine Zeile, die sich ändern würde, kann umbenannt werden</translation>
    </message>
    <message>
        <source>%1 row, %2 selected</source>
        <translation>%1 Zeile, %2 ausgewählt</translation>
    </message>
    <message>
        <source>%1 rows, %2 selected</source>
        <translation>%1 Zeilen, %2 ausgewählt</translation>
    </message>
    <message>
        <source>, %1 tag not saved</source>
        <translation>, %1 Tag nicht gespeichert</translation>
    </message>
    <message>
        <source>, %1 tags not saved</source>
        <translation>, %1 Tags nicht gespeichert</translation>
    </message>
    <message>
        <source>Undo: %1 file put back, %2 failed</source>
        <translation>Rückgängig: %1 Datei zurückbenannt, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Undo: %1 files put back, %2 failed</source>
        <translation>Rückgängig: %1 Dateien zurückbenannt, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>, %1 not put back (cancelled)</source>
        <translation>, %1 nicht zurückbenannt (abgebrochen)</translation>
    </message>
</context>
<context>
    <name>Key</name>
    <message>
        <source>Ctrl+N</source>
        <translation>Strg+N</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Strg+O</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Strg+S</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Strg+Z</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Strg+A</translation>
    </message>
    <message>
        <source>Ctrl+H</source>
        <translation>Strg+H</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfg</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entf</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Strg+T</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Strg+R</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Strg+I</translation>
    </message>
    <message>
        <source>Ctrl+Enter</source>
        <translation>Strg+Eingabe</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>F4</source>
        <translation>F4</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>F8</source>
        <translation>F8</translation>
    </message>
    <message>
        <source>F9</source>
        <translation>F9</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Strg+L</translation>
    </message>
    <message>
        <source>Ctrl+1</source>
        <translation>Strg+1</translation>
    </message>
    <message>
        <source>Ctrl+2</source>
        <translation>Strg+2</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Command</source>
        <translation>Be&amp;fehl</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>ResultText</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>File already exists</source>
        <translation>Datei existiert bereits</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>Illegal character</source>
        <translation>Unzulässiges Zeichen</translation>
    </message>
    <message>
        <source>Unexpected error.  Please refer to help</source>
        <translation>Unerwarteter Fehler. Bitte lesen Sie die Hilfe</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>Not renamed</source>
        <translation>Nicht umbenannt</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Dateiname zu lang</translation>
    </message>
    <message>
        <source>OK (swaps names)</source>
        <translation>OK (tauscht Namen)</translation>
    </message>
    <message>
        <source>OK (through a temporary name)</source>
        <translation>OK (über einen vorläufigen Namen)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>ID3v2 tag left alone: it cannot be read</source>
        <translation>ID3v2-Tag unverändert gelassen: Er kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>ID3v2 tag left alone: its frames cannot be read</source>
        <translation>ID3v2-Tag unverändert gelassen: Seine Frames können nicht gelesen werden</translation>
    </message>
    <message>
        <source>ID3v2.2 tag written as ID3v2.3</source>
        <translation>ID3v2.2-Tag als ID3v2.3 geschrieben</translation>
    </message>
    <message>
        <source>file written anew to make room for the ID3v2 tag</source>
        <translation>Datei neu geschrieben, um Platz für den ID3v2-Tag zu schaffen</translation>
    </message>
    <message>
        <source>ID3v2 (unreadable)</source>
        <translation>ID3v2 (unlesbar)</translation>
    </message>
    <message>
        <source>No tag</source>
        <translation>Kein Tag</translation>
    </message>
    <message>
        <source>Tags: %1</source>
        <translation>Tags: %1</translation>
    </message>
</context>
<context>
    <name>SamplePreview</name>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
</context>
</TS>
