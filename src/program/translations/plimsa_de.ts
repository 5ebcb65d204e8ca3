<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AttentionBar</name>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="48"/>
        <source>Dismiss</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="54"/>
        <source>Sync cannot sign in: the password may have changed.</source>
        <translation>Die Synchronisierung kann sich nicht anmelden: Das Passwort hat sich vielleicht geändert.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="55"/>
        <source>Sign In…</source>
        <translation>Anmelden…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="58"/>
        <source>The sync server has not answered for a day. Your changes are kept and sent once it does.</source>
        <translation>Der Synchronisierungsserver antwortet seit einem Tag nicht. Ihre Änderungen bleiben erhalten und werden gesendet, sobald er antwortet.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="60"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="65"/>
        <source>%n to-dos removed here would be removed on every other device too.</source>
        <translation>
            <numerusform>%n hier entfernte Aufgabe würde auch auf allen anderen Geräten entfernt.</numerusform>
            <numerusform>%n hier entfernte Aufgaben würden auch auf allen anderen Geräten entfernt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="67"/>
        <source>The server would remove %n to-dos from this list.</source>
        <translation>
            <numerusform>Der Server würde %n Aufgabe aus dieser Liste entfernen.</numerusform>
            <numerusform>Der Server würde %n Aufgaben aus dieser Liste entfernen.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="69"/>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="70"/>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="73"/>
        <source>Sync cannot write its files. Free some disk space.</source>
        <translation>Die Synchronisierung kann ihre Dateien nicht schreiben. Geben Sie Speicherplatz frei.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="74"/>
        <location filename="../../syncwindow/AttentionBar.cpp" line="83"/>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="80"/>
        <source>The server would not take “%1”: %2</source>
        <translation>Der Server hat „%1“ nicht angenommen: %2</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="82"/>
        <source>The server would not take “%1”. It stays here.</source>
        <translation>Der Server hat „%1“ nicht angenommen. Die Aufgabe bleibt hier.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="87"/>
        <source>The task list is gone from the server. Your to-dos are kept here.</source>
        <translation>Die Aufgabenliste gibt es auf dem Server nicht mehr. Ihre Aufgaben bleiben hier erhalten.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="89"/>
        <source>Choose a List…</source>
        <translation>Liste wählen …</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="90"/>
        <source>Stop Syncing</source>
        <translation>Synchronisierung beenden</translation>
    </message>
</context>
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../../window/ContentWindow.cpp" line="204"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>Ihre Aufgabenliste konnte nirgends gespeichert werden, daher bleibt das Fenster offen. Geben Sie Speicherplatz frei und schließen Sie es dann erneut.</translation>
    </message>
</context>
<context>
    <name>DayPicker</name>
    <message>
        <location filename="../../window/DayPicker.cpp" line="20"/>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="23"/>
        <source>Choose a day</source>
        <translation>Tag wählen</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="30"/>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="24"/>
        <source>Delete Todo</source>
        <translation>Aufgabe löschen</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="25"/>
        <source>Are you sure you want to delete this item and all its repeats?</source>
        <translation>Möchten Sie dieses Element mit allen Wiederholungen wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>Möchten Sie diesen Eintrag wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="35"/>
        <source>Skip This One</source>
        <translation>Dieses Mal überspringen</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="47"/>
        <source>Delete Completed</source>
        <translation>Erledigte löschen</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="48"/>
        <source>Are you sure you want to delete this completed to-do?</source>
        <translation>Möchten Sie diese erledigte Aufgabe wirklich löschen?</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/DeleteAlert.cpp" line="49"/>
        <source>Are you sure you want to delete %n completed to-dos?</source>
        <translation>
            <numerusform>Möchten Sie %n erledigte Aufgabe wirklich löschen?</numerusform>
            <numerusform>Möchten Sie %n erledigte Aufgaben wirklich löschen?</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="67"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>EditTodoDialog</name>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="25"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="27"/>
        <location filename="../../window/EditTodoDialog.cpp" line="28"/>
        <source>Edit To-do</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="30"/>
        <location filename="../../window/EditTodoDialog.cpp" line="47"/>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="31"/>
        <location filename="../../window/EditTodoDialog.cpp" line="48"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="36"/>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="49"/>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="50"/>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="51"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="110"/>
        <source>This to-do was changed on another device while you edited it.</source>
        <translation>Diese Aufgabe wurde auf einem anderen Gerät geändert, während Sie sie bearbeitet haben.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="113"/>
        <source>This to-do was removed on another device while you edited it.</source>
        <translation>Diese Aufgabe wurde auf einem anderen Gerät entfernt, während Sie sie bearbeitet haben.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="118"/>
        <source>Keep My Version</source>
        <translation>Meine Fassung behalten</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../../window/EntryRow.cpp" line="31"/>
        <location filename="../../window/EntryRow.cpp" line="33"/>
        <source>Add Todo</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
    <message>
        <location filename="../../window/EntryRow.cpp" line="34"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
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
        <translation>Stunde</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="46"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="53"/>
        <source>AM</source>
        <translation>AM</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="54"/>
        <source>PM</source>
        <translation>PM</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="56"/>
        <source>AM/PM</source>
        <translation>AM/PM</translation>
    </message>
</context>
<context>
    <name>PriorityMenu</name>
    <message>
        <location filename="../../window/PriorityMenu.cpp" line="15"/>
        <location filename="../../window/PriorityMenu.cpp" line="17"/>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
</context>
<context>
    <name>RepeatField</name>
    <message>
        <location filename="../../window/RepeatField.cpp" line="32"/>
        <source>times</source>
        <translation>Mal</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="34"/>
        <location filename="../../window/RepeatField.cpp" line="84"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="35"/>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="36"/>
        <source>Every Day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="37"/>
        <source>Every Weekday</source>
        <translation>Jeden Werktag</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="38"/>
        <source>Every Week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="39"/>
        <source>Every Month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="40"/>
        <source>Every Year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="42"/>
        <source>Every…</source>
        <extracomment>Repeats every so many days, weeks, months or years, chosen beside it</extracomment>
        <translation>Alle …</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="44"/>
        <source>Repeat every</source>
        <translation>Wiederholen alle</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="46"/>
        <source>Repeat unit</source>
        <translation>Einheit der Wiederholung</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="47"/>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="48"/>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="49"/>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="50"/>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="52"/>
        <source>Ends</source>
        <translation>Endet</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="54"/>
        <source>Never Ends</source>
        <extracomment>How a repeat ends: it does not</extracomment>
        <translation>Endet nie</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="56"/>
        <source>Until</source>
        <extracomment>How a repeat ends: on a day, chosen beside it</extracomment>
        <translation>Bis</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="58"/>
        <source>After</source>
        <extracomment>How a repeat ends: after a number of times, chosen beside it</extracomment>
        <translation>Nach</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="59"/>
        <source>Last day</source>
        <translation>Letzter Tag</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="67"/>
        <source>Times</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="109"/>
        <source>Custom</source>
        <extracomment>A repeat the form cannot show; its rule is the tooltip</extracomment>
        <translation>Eigene Regel</translation>
    </message>
</context>
<context>
    <name>RepeatWords</name>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="21"/>
        <source>repeats by the rule %1</source>
        <extracomment>A repeat the forms cannot show, given as its iCalendar rule</extracomment>
        <translation>wiederholt sich nach der Regel %1</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every day</source>
        <translation>wiederholt sich täglich</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every %n days</source>
        <translation>
            <numerusform>wiederholt sich jeden %n. Tag</numerusform>
            <numerusform>wiederholt sich alle %n Tage</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="26"/>
        <source>repeats every weekday</source>
        <translation>wiederholt sich jeden Werktag</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every week</source>
        <translation>wiederholt sich wöchentlich</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every %n weeks</source>
        <translation>
            <numerusform>wiederholt sich jede %n. Woche</numerusform>
            <numerusform>wiederholt sich alle %n Wochen</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every month</source>
        <translation>wiederholt sich monatlich</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every %n months</source>
        <translation>
            <numerusform>wiederholt sich jeden %n. Monat</numerusform>
            <numerusform>wiederholt sich alle %n Monate</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every year</source>
        <translation>wiederholt sich jährlich</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every %n years</source>
        <translation>
            <numerusform>wiederholt sich jedes %n. Jahr</numerusform>
            <numerusform>wiederholt sich alle %n Jahre</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="42"/>
        <source>%1 until %2</source>
        <extracomment>A repeat and its last day: &quot;repeats every week until Dec 31&quot;</extracomment>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="46"/>
        <source>%1, for the last time</source>
        <extracomment>A repeat whose current time is its last one</extracomment>
        <translation>%1, zum letzten Mal</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="49"/>
        <source>%1, %n times left</source>
        <extracomment>A repeat and how many times are left, this one included</extracomment>
        <translation>
            <numerusform>%1, noch %n Mal</numerusform>
            <numerusform>%1, noch %n Mal</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../../window/RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Eine neuere Kopie Ihrer Aufgabenliste wurde in %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>StopSyncAlert</name>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="25"/>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="30"/>
        <source>Stop Syncing</source>
        <translation>Synchronisierung beenden</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="26"/>
        <source>Stop syncing this list?</source>
        <translation>Synchronisierung dieser Liste beenden?</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="28"/>
        <source>Your to-dos stay on this computer. The password is forgotten, and changes are no longer sent to the server or brought from it.</source>
        <translation>Ihre Aufgaben bleiben auf diesem Computer. Das Passwort wird vergessen, und Änderungen werden nicht mehr an den Server gesendet oder von ihm geholt.</translation>
    </message>
</context>
<context>
    <name>SyncButton</name>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="28"/>
        <source>Sync Now</source>
        <translation>Jetzt synchronisieren</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="31"/>
        <source>Sync</source>
        <translation>Synchronisieren</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="38"/>
        <source>Sync Settings…</source>
        <translation>Synchronisierungseinstellungen…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="40"/>
        <source>Stop Syncing</source>
        <translation>Synchronisierung beenden</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="58"/>
        <source>Set up sync</source>
        <translation>Synchronisierung einrichten</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="60"/>
        <source>Synced</source>
        <translation>Synchronisiert</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="64"/>
        <source>Syncing: %1 of %2 to-dos sent</source>
        <translation>Synchronisierung: %1 von %2 Aufgaben gesendet</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="65"/>
        <source>Syncing</source>
        <translation>Wird synchronisiert</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="68"/>
        <source>Offline: changes are kept and sent later</source>
        <translation>Offline: Änderungen werden aufbewahrt und später gesendet</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="70"/>
        <source>Sync needs attention</source>
        <translation>Die Synchronisierung braucht Ihre Aufmerksamkeit</translation>
    </message>
</context>
<context>
    <name>SyncSetupDialog</name>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="33"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="34"/>
        <source>Use This List</source>
        <translation>Diese Liste verwenden</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="35"/>
        <source>Create “Plimsa” List</source>
        <translation>Liste „Plimsa“ anlegen</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="36"/>
        <source>Start Sync</source>
        <translation>Synchronisierung starten</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="39"/>
        <source>Sync Settings</source>
        <translation>Synchronisierungseinstellungen</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="41"/>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="45"/>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="46"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="54"/>
        <source>Task lists</source>
        <translation>Aufgabenlisten</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="96"/>
        <source>Fill in the server&apos;s address and your user name.</source>
        <translation>Geben Sie die Adresse des Servers und Ihren Benutzernamen ein.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="100"/>
        <source>Connecting…</source>
        <translation>Verbindung wird hergestellt…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="115"/>
        <source>Your password goes only to: %1</source>
        <translation>Ihr Passwort geht nur an: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="121"/>
        <source>This account has several task lists. Choose the one to keep in step with Plimsa&apos;s list.</source>
        <translation>Dieses Konto hat mehrere Aufgabenlisten. Wählen Sie die, mit der die Liste von Plimsa abgeglichen werden soll.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="127"/>
        <source>This account has no task list yet. Plimsa can make one named “Plimsa” on the server.</source>
        <translation>Dieses Konto hat noch keine Aufgabenliste. Plimsa kann auf dem Server eine namens „Plimsa“ anlegen.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="132"/>
        <source>Both Plimsa&apos;s list and the server&apos;s list hold to-dos. The first sync puts them together and removes none.</source>
        <translation>Sowohl die Liste von Plimsa als auch die Liste auf dem Server enthalten Aufgaben. Die erste Synchronisierung führt sie zusammen und entfernt keine.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="134"/>
        <source>From the server: %1</source>
        <translation>Vom Server: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="135"/>
        <source>To the server: %1</source>
        <translation>Zum Server: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="149"/>
        <source>The server&apos;s certificate is not trusted by this system, so Plimsa did not connect. Its SHA-256 fingerprint is %1. Ask the server&apos;s administrator whether it is theirs.</source>
        <translation>Das Zertifikat des Servers wird von diesem System nicht als vertrauenswürdig eingestuft, daher hat Plimsa keine Verbindung hergestellt. Sein SHA-256-Fingerabdruck ist %1. Fragen Sie die Administration des Servers, ob es ihres ist.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="160"/>
        <source>The server cannot be reached, or it refused a secure connection. Check the address and the network.</source>
        <translation>Der Server ist nicht erreichbar oder hat eine sichere Verbindung abgelehnt. Prüfen Sie die Adresse und das Netzwerk.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="164"/>
        <source>The user name or password is wrong.</source>
        <translation>Benutzername oder Passwort ist falsch.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="169"/>
        <source>The server refused: %1</source>
        <translation>Der Server hat abgelehnt: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="178"/>
        <source>This address is not a CalDAV server with task lists.</source>
        <translation>Unter dieser Adresse ist kein CalDAV-Server mit Aufgabenlisten.</translation>
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
            <numerusform>Erledigt (%n)</numerusform>
            <numerusform>Erledigt (%n)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="414"/>
        <source>Done %1</source>
        <extracomment>When a done to-do was ticked off: &quot;Done Tue, Dec 8, 4:12 PM&quot;</extracomment>
        <translation>Erledigt %1</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../../window/TodoListView.cpp" line="30"/>
        <source>To-dos</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="136"/>
        <source>Delete Completed…</source>
        <translation>Erledigte löschen …</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="141"/>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="143"/>
        <source>Delete…</source>
        <translation>Löschen …</translation>
    </message>
</context>
<context>
    <name>TodoRowDelegate</name>
    <message>
        <location filename="../../window/TodoRowDelegate.cpp" line="291"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../../window/UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="60"/>
        <source>Completed “%1”</source>
        <translation>„%1“ erledigt</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="61"/>
        <source>Changed “%1”</source>
        <translation>„%1“ geändert</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="65"/>
        <source>Deleted “%1”</source>
        <translation>„%1“ gelöscht</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/UndoBar.cpp" line="66"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n Aufgabe gelöscht</numerusform>
            <numerusform>%n Aufgaben gelöscht</numerusform>
        </translation>
    </message>
</context>
</TS>
