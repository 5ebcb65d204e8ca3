<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../ContentWindow.cpp" line="147"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>Votre liste de tâches n’a pu être enregistrée nulle part : la fenêtre reste donc ouverte. Libérez de l’espace disque, puis fermez-la à nouveau.</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../DeleteAlert.cpp" line="24"/>
        <location filename="../DeleteAlert.cpp" line="25"/>
        <source>Delete Todo</source>
        <translation>Supprimer la tâche</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>Voulez-vous vraiment supprimer cet élément ?</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="27"/>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../EntryRow.cpp" line="39"/>
        <location filename="../EntryRow.cpp" line="41"/>
        <source>Add Todo</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="42"/>
        <source>Hour</source>
        <translation>Heure</translation>
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
        <translation>Ajouter</translation>
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
        <translation>Priorité</translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Une copie plus récente de votre liste de tâches a été conservée dans %1.</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../TodoListView.cpp" line="27"/>
        <source>To-dos</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <location filename="../TodoListView.cpp" line="100"/>
        <source>Delete…</source>
        <translation>Supprimer…</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../UndoBar.cpp" line="60"/>
        <source>Deleted “%1”</source>
        <translation>« %1 » supprimée</translation>
    </message>
    <message numerus="yes">
        <location filename="../UndoBar.cpp" line="61"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n tâche supprimée</numerusform>
            <numerusform>%n tâches supprimées</numerusform>
        </translation>
    </message>
</context>
</TS>
