<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../ContentWindow.cpp" line="147"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>Ihre Aufgabenliste konnte nirgends gespeichert werden, daher bleibt das Fenster offen. Geben Sie Speicherplatz frei und schließen Sie es dann erneut.</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../DeleteAlert.cpp" line="24"/>
        <location filename="../DeleteAlert.cpp" line="25"/>
        <source>Delete Todo</source>
        <translation>Aufgabe löschen</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>Möchten Sie diesen Eintrag wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="27"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../EntryRow.cpp" line="39"/>
        <location filename="../EntryRow.cpp" line="41"/>
        <source>Add Todo</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="42"/>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="44"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="45"/>
        <source>AM</source>
        <translation>AM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="46"/>
        <source>PM</source>
        <translation>PM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="48"/>
        <source>AM/PM</source>
        <translation>AM/PM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="49"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="54"/>
        <source>:</source>
        <translation>:</translation>
    </message>
</context>
<context>
    <name>PriorityMenu</name>
    <message>
        <location filename="../PriorityMenu.cpp" line="14"/>
        <location filename="../PriorityMenu.cpp" line="16"/>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Eine neuere Kopie Ihrer Aufgabenliste wurde in %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../TodoListView.cpp" line="27"/>
        <source>To-dos</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <location filename="../TodoListView.cpp" line="100"/>
        <source>Delete…</source>
        <translation>Löschen …</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <location filename="../UndoBar.cpp" line="60"/>
        <source>Deleted “%1”</source>
        <translation>„%1“ gelöscht</translation>
    </message>
    <message numerus="yes">
        <location filename="../UndoBar.cpp" line="61"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n Aufgabe gelöscht</numerusform>
            <numerusform>%n Aufgaben gelöscht</numerusform>
        </translation>
    </message>
</context>
</TS>
