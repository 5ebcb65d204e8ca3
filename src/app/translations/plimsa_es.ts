<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../ContentWindow.cpp" line="147"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>No se pudo guardar su lista de tareas en ningún sitio, así que la ventana sigue abierta. Libere espacio en disco y vuelva a cerrarla.</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../DeleteAlert.cpp" line="24"/>
        <location filename="../DeleteAlert.cpp" line="25"/>
        <source>Delete Todo</source>
        <translation>Eliminar tarea</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>¿Seguro que quiere eliminar este elemento?</translation>
    </message>
    <message>
        <location filename="../DeleteAlert.cpp" line="27"/>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../EntryRow.cpp" line="39"/>
        <location filename="../EntryRow.cpp" line="41"/>
        <source>Add Todo</source>
        <translation>Añadir tarea</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="42"/>
        <source>Hour</source>
        <translation>Hora</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="44"/>
        <source>Minute</source>
        <translation>Minuto</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="45"/>
        <source>AM</source>
        <translation>a. m.</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="46"/>
        <source>PM</source>
        <translation>p. m.</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="48"/>
        <source>AM/PM</source>
        <translation>a. m./p. m.</translation>
    </message>
    <message>
        <location filename="../EntryRow.cpp" line="49"/>
        <source>Add</source>
        <translation>Añadir</translation>
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
        <translation>Prioridad</translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <location filename="../RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Se guardó una copia más reciente de su lista de tareas en %1.</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../TodoListView.cpp" line="27"/>
        <source>To-dos</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <location filename="../TodoListView.cpp" line="100"/>
        <source>Delete…</source>
        <translation>Eliminar…</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <location filename="../UndoBar.cpp" line="60"/>
        <source>Deleted “%1”</source>
        <translation>«%1» eliminada</translation>
    </message>
    <message numerus="yes">
        <location filename="../UndoBar.cpp" line="61"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n tarea eliminada</numerusform>
            <numerusform>%n tareas eliminadas</numerusform>
        </translation>
    </message>
</context>
</TS>
