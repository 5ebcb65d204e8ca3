<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AttentionBar</name>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="48"/>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="54"/>
        <source>Sync cannot sign in: the password may have changed.</source>
        <translation>La sincronización no puede iniciar sesión: puede que la contraseña haya cambiado.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="55"/>
        <source>Sign In…</source>
        <translation>Iniciar sesión…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="58"/>
        <source>The sync server has not answered for a day. Your changes are kept and sent once it does.</source>
        <translation>El servidor de sincronización lleva un día sin responder. Sus cambios se guardan y se enviarán cuando responda.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="60"/>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="65"/>
        <source>%n to-dos removed here would be removed on every other device too.</source>
        <translation>
            <numerusform>%n tarea eliminada aquí también se eliminaría en todos los demás dispositivos.</numerusform>
            <numerusform>%n tareas eliminadas aquí también se eliminarían en todos los demás dispositivos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="67"/>
        <source>The server would remove %n to-dos from this list.</source>
        <translation>
            <numerusform>El servidor quitaría %n tarea de esta lista.</numerusform>
            <numerusform>El servidor quitaría %n tareas de esta lista.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="69"/>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="70"/>
        <source>Keep</source>
        <translation>Conservar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="73"/>
        <source>Sync cannot write its files. Free some disk space.</source>
        <translation>La sincronización no puede escribir sus archivos. Libere espacio en disco.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="74"/>
        <location filename="../../syncwindow/AttentionBar.cpp" line="83"/>
        <source>Try Again</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="80"/>
        <source>The server would not take “%1”: %2</source>
        <translation>El servidor no aceptó «%1»: %2</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="82"/>
        <source>The server would not take “%1”. It stays here.</source>
        <translation>El servidor no aceptó «%1». La tarea se queda aquí.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="87"/>
        <source>The task list is gone from the server. Your to-dos are kept here.</source>
        <translation>La lista de tareas ya no está en el servidor. Sus tareas se conservan aquí.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="89"/>
        <source>Choose a List…</source>
        <translation>Elegir una lista…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="90"/>
        <source>Stop Syncing</source>
        <translation>Dejar de sincronizar</translation>
    </message>
</context>
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../../window/ContentWindow.cpp" line="204"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>No se pudo guardar su lista de tareas en ningún sitio, así que la ventana sigue abierta. Libere espacio en disco y vuelva a cerrarla.</translation>
    </message>
</context>
<context>
    <name>DayPicker</name>
    <message>
        <location filename="../../window/DayPicker.cpp" line="20"/>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="23"/>
        <source>Choose a day</source>
        <translation>Elegir un día</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="30"/>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="24"/>
        <source>Delete Todo</source>
        <translation>Eliminar tarea</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="25"/>
        <source>Are you sure you want to delete this item and all its repeats?</source>
        <translation>¿Seguro que quieres eliminar este elemento y todas sus repeticiones?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>¿Seguro que quiere eliminar este elemento?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="35"/>
        <source>Skip This One</source>
        <translation>Saltar esta vez</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="47"/>
        <source>Delete Completed</source>
        <translation>Eliminar completadas</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="48"/>
        <source>Are you sure you want to delete this completed to-do?</source>
        <translation>¿Seguro que quiere eliminar esta tarea completada?</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/DeleteAlert.cpp" line="49"/>
        <source>Are you sure you want to delete %n completed to-dos?</source>
        <translation>
            <numerusform>¿Seguro que quiere eliminar %n tarea completada?</numerusform>
            <numerusform>¿Seguro que quiere eliminar %n tareas completadas?</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="67"/>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>EditTodoDialog</name>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="25"/>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="27"/>
        <location filename="../../window/EditTodoDialog.cpp" line="28"/>
        <source>Edit To-do</source>
        <translation>Editar tarea</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="30"/>
        <location filename="../../window/EditTodoDialog.cpp" line="47"/>
        <source>Priority</source>
        <translation>Prioridad</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="31"/>
        <location filename="../../window/EditTodoDialog.cpp" line="48"/>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="36"/>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="49"/>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="50"/>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="51"/>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="110"/>
        <source>This to-do was changed on another device while you edited it.</source>
        <translation>Esta tarea se cambió en otro dispositivo mientras la editaba.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="113"/>
        <source>This to-do was removed on another device while you edited it.</source>
        <translation>Esta tarea se eliminó en otro dispositivo mientras la editaba.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="118"/>
        <source>Keep My Version</source>
        <translation>Conservar mi versión</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../../window/EntryRow.cpp" line="31"/>
        <location filename="../../window/EntryRow.cpp" line="33"/>
        <source>Add Todo</source>
        <translation>Añadir tarea</translation>
    </message>
    <message>
        <location filename="../../window/EntryRow.cpp" line="34"/>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <location filename="../../window/EntryRow.cpp" line="39"/>
        <source>:</source>
        <translation>:</translation>
    </message>
</context>
<context>
    <name>FormControls</name>
    <message>
        <location filename="../../window/FormControls.cpp" line="38"/>
        <source>Hour</source>
        <translation>Hora</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="46"/>
        <source>Minute</source>
        <translation>Minuto</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="53"/>
        <source>AM</source>
        <translation>a. m.</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="54"/>
        <source>PM</source>
        <translation>p. m.</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="56"/>
        <source>AM/PM</source>
        <translation>a. m./p. m.</translation>
    </message>
</context>
<context>
    <name>PriorityMenu</name>
    <message>
        <location filename="../../window/PriorityMenu.cpp" line="15"/>
        <location filename="../../window/PriorityMenu.cpp" line="17"/>
        <source>Priority</source>
        <translation>Prioridad</translation>
    </message>
</context>
<context>
    <name>RepeatField</name>
    <message>
        <location filename="../../window/RepeatField.cpp" line="32"/>
        <source>times</source>
        <translation>veces</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="34"/>
        <location filename="../../window/RepeatField.cpp" line="84"/>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="35"/>
        <source>Never</source>
        <translation>Nunca</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="36"/>
        <source>Every Day</source>
        <translation>Cada día</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="37"/>
        <source>Every Weekday</source>
        <translation>Cada día laborable</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="38"/>
        <source>Every Week</source>
        <translation>Cada semana</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="39"/>
        <source>Every Month</source>
        <translation>Cada mes</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="40"/>
        <source>Every Year</source>
        <translation>Cada año</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="42"/>
        <source>Every…</source>
        <extracomment>Repeats every so many days, weeks, months or years, chosen beside it</extracomment>
        <translation>Cada…</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="44"/>
        <source>Repeat every</source>
        <translation>Repetir cada</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="46"/>
        <source>Repeat unit</source>
        <translation>Unidad de repetición</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="47"/>
        <source>days</source>
        <translation>días</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="48"/>
        <source>weeks</source>
        <translation>semanas</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="49"/>
        <source>months</source>
        <translation>meses</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="50"/>
        <source>years</source>
        <translation>años</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="52"/>
        <source>Ends</source>
        <translation>Termina</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="54"/>
        <source>Never Ends</source>
        <extracomment>How a repeat ends: it does not</extracomment>
        <translation>Nunca termina</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="56"/>
        <source>Until</source>
        <extracomment>How a repeat ends: on a day, chosen beside it</extracomment>
        <translation>Hasta</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="58"/>
        <source>After</source>
        <extracomment>How a repeat ends: after a number of times, chosen beside it</extracomment>
        <translation>Después de</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="59"/>
        <source>Last day</source>
        <translation>Último día</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="67"/>
        <source>Times</source>
        <translation>Veces</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="109"/>
        <source>Custom</source>
        <extracomment>A repeat the form cannot show; its rule is the tooltip</extracomment>
        <translation>Personalizada</translation>
    </message>
</context>
<context>
    <name>RepeatWords</name>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="21"/>
        <source>repeats by the rule %1</source>
        <extracomment>A repeat the forms cannot show, given as its iCalendar rule</extracomment>
        <translation>se repite según la regla %1</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every day</source>
        <translation>se repite cada día</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every %n days</source>
        <translation>
            <numerusform>se repite cada %n día</numerusform>
            <numerusform>se repite cada %n días</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="26"/>
        <source>repeats every weekday</source>
        <translation>se repite cada día laborable</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every week</source>
        <translation>se repite cada semana</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every %n weeks</source>
        <translation>
            <numerusform>se repite cada %n semana</numerusform>
            <numerusform>se repite cada %n semanas</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every month</source>
        <translation>se repite cada mes</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every %n months</source>
        <translation>
            <numerusform>se repite cada %n mes</numerusform>
            <numerusform>se repite cada %n meses</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every year</source>
        <translation>se repite cada año</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every %n years</source>
        <translation>
            <numerusform>se repite cada %n año</numerusform>
            <numerusform>se repite cada %n años</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="42"/>
        <source>%1 until %2</source>
        <extracomment>A repeat and its last day: &quot;repeats every week until Dec 31&quot;</extracomment>
        <translation>%1 hasta el %2</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="46"/>
        <source>%1, for the last time</source>
        <extracomment>A repeat whose current time is its last one</extracomment>
        <translation>%1, por última vez</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="49"/>
        <source>%1, %n times left</source>
        <extracomment>A repeat and how many times are left, this one included</extracomment>
        <translation>
            <numerusform>%1, queda %n vez</numerusform>
            <numerusform>%1, quedan %n veces</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../../window/RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Se guardó una copia más reciente de su lista de tareas en %1.</translation>
    </message>
</context>
<context>
    <name>StopSyncAlert</name>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="25"/>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="30"/>
        <source>Stop Syncing</source>
        <translation>Dejar de sincronizar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="26"/>
        <source>Stop syncing this list?</source>
        <translation>¿Dejar de sincronizar esta lista?</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="28"/>
        <source>Your to-dos stay on this computer. The password is forgotten, and changes are no longer sent to the server or brought from it.</source>
        <translation>Tus tareas se quedan en este equipo. La contraseña se olvida, y los cambios ya no se envían al servidor ni se traen de él.</translation>
    </message>
</context>
<context>
    <name>SyncButton</name>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="28"/>
        <source>Sync Now</source>
        <translation>Sincronizar ahora</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="31"/>
        <source>Sync</source>
        <translation>Sincronizar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="38"/>
        <source>Sync Settings…</source>
        <translation>Ajustes de sincronización…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="40"/>
        <source>Stop Syncing</source>
        <translation>Dejar de sincronizar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="58"/>
        <source>Set up sync</source>
        <translation>Configurar la sincronización</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="60"/>
        <source>Synced</source>
        <translation>Sincronizado</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="64"/>
        <source>Syncing: %1 of %2 to-dos sent</source>
        <translation>Sincronizando: %1 de %2 tareas enviadas</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="65"/>
        <source>Syncing</source>
        <translation>Sincronizando</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="68"/>
        <source>Offline: changes are kept and sent later</source>
        <translation>Sin conexión: los cambios se guardan y se envían más tarde</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="70"/>
        <source>Sync needs attention</source>
        <translation>La sincronización necesita su atención</translation>
    </message>
</context>
<context>
    <name>SyncSetupDialog</name>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="33"/>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="34"/>
        <source>Use This List</source>
        <translation>Usar esta lista</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="35"/>
        <source>Create “Plimsa” List</source>
        <translation>Crear la lista «Plimsa»</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="36"/>
        <source>Start Sync</source>
        <translation>Empezar a sincronizar</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="39"/>
        <source>Sync Settings</source>
        <translation>Ajustes de sincronización</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="41"/>
        <source>Server</source>
        <translation>Servidor</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="45"/>
        <source>User name</source>
        <translation>Nombre de usuario</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="46"/>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="54"/>
        <source>Task lists</source>
        <translation>Listas de tareas</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="96"/>
        <source>Fill in the server&apos;s address and your user name.</source>
        <translation>Escriba la dirección del servidor y su nombre de usuario.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="100"/>
        <source>Connecting…</source>
        <translation>Conectando…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="115"/>
        <source>Your password goes only to: %1</source>
        <translation>Su contraseña solo se envía a: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="121"/>
        <source>This account has several task lists. Choose the one to keep in step with Plimsa&apos;s list.</source>
        <translation>Esta cuenta tiene varias listas de tareas. Elija la que se mantendrá al día con la lista de Plimsa.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="127"/>
        <source>This account has no task list yet. Plimsa can make one named “Plimsa” on the server.</source>
        <translation>Esta cuenta aún no tiene ninguna lista de tareas. Plimsa puede crear una llamada «Plimsa» en el servidor.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="132"/>
        <source>Both Plimsa&apos;s list and the server&apos;s list hold to-dos. The first sync puts them together and removes none.</source>
        <translation>Tanto la lista de Plimsa como la del servidor tienen tareas. La primera sincronización las reúne y no quita ninguna.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="134"/>
        <source>From the server: %1</source>
        <translation>Desde el servidor: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="135"/>
        <source>To the server: %1</source>
        <translation>Hacia el servidor: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="149"/>
        <source>The server&apos;s certificate is not trusted by this system, so Plimsa did not connect. Its SHA-256 fingerprint is %1. Ask the server&apos;s administrator whether it is theirs.</source>
        <translation>Este sistema no confía en el certificado del servidor, así que Plimsa no se ha conectado. Su huella SHA-256 es %1. Pregunte al administrador del servidor si es el suyo.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="160"/>
        <source>The server cannot be reached, or it refused a secure connection. Check the address and the network.</source>
        <translation>No se puede acceder al servidor, o ha rechazado una conexión segura. Compruebe la dirección y la red.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="164"/>
        <source>The user name or password is wrong.</source>
        <translation>El nombre de usuario o la contraseña no son correctos.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="169"/>
        <source>The server refused: %1</source>
        <translation>El servidor se negó: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="178"/>
        <source>This address is not a CalDAV server with task lists.</source>
        <translation>Esta dirección no es un servidor CalDAV con listas de tareas.</translation>
    </message>
</context>
<context>
    <name>TodoListModel</name>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="356"/>
        <source>%1, %2</source>
        <extracomment>A to-do&apos;s day and time of day on another day than today: &quot;Tue, Dec 8, 9:00 AM&quot;</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/TodoListModel.cpp" line="403"/>
        <source>Completed (%n)</source>
        <extracomment>The row above the done to-dos, with how many there are</extracomment>
        <translation>
            <numerusform>Completada (%n)</numerusform>
            <numerusform>Completadas (%n)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="414"/>
        <source>Done %1</source>
        <extracomment>When a done to-do was ticked off: &quot;Done Tue, Dec 8, 4:12 PM&quot;</extracomment>
        <translation>Completada %1</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../../window/TodoListView.cpp" line="30"/>
        <source>To-dos</source>
        <translation>Tareas</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="136"/>
        <source>Delete Completed…</source>
        <translation>Eliminar completadas…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="141"/>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="143"/>
        <source>Delete…</source>
        <translation>Eliminar…</translation>
    </message>
</context>
<context>
    <name>TodoRowDelegate</name>
    <message>
        <location filename="../../window/TodoRowDelegate.cpp" line="291"/>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../../window/UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="60"/>
        <source>Completed “%1”</source>
        <translation>«%1» completada</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="61"/>
        <source>Changed “%1”</source>
        <translation>«%1» cambiada</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="65"/>
        <source>Deleted “%1”</source>
        <translation>«%1» eliminada</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/UndoBar.cpp" line="66"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n tarea eliminada</numerusform>
            <numerusform>%n tareas eliminadas</numerusform>
        </translation>
    </message>
</context>
</TS>
