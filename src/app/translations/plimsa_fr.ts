<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../DeleteAlert.cpp" line="21"/>
        <location filename="../DeleteAlert.cpp" line="22"/>
        <source>Delete Todo</source>
        <translation>Supprimer la tâche</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="23"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>Voulez-vous vraiment supprimer cet élément ?</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="24"/>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../EntryRow.cpp" line="36"/>
        <location filename="../EntryRow.cpp" line="38"/>
        <source>Add Todo</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="40"/>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="42"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="43"/>
        <source>AM</source>
        <translation>AM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="44"/>
        <source>PM</source>
        <translation>PM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="46"/>
        <source>AM/PM</source>
        <translation>AM/PM</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="47"/>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="52"/>
        <source>:</source>
        <translation>:</translation>
    </message>
</context>
<context>
    <name>PriorityMenu</name>
    <message>
        <location filename="../PriorityMenu.cpp" line="11"/>
        <location filename="../PriorityMenu.cpp" line="13"/>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../TodoListView.cpp" line="50"/>
        <source>Delete…</source>
        <translation>Supprimer…</translation>
    </message>
</context>
</TS>
