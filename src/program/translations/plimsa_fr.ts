<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AttentionBar</name>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="48"/>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="54"/>
        <source>Sync cannot sign in: the password may have changed.</source>
        <translation>La synchronisation ne peut pas se connecter : le mot de passe a peut-être changé.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="55"/>
        <source>Sign In…</source>
        <translation>Se connecter…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="58"/>
        <source>The sync server has not answered for a day. Your changes are kept and sent once it does.</source>
        <translation>Le serveur de synchronisation ne répond plus depuis un jour. Vos modifications sont conservées et seront envoyées dès qu’il répondra.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="60"/>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="65"/>
        <source>%n to-dos removed here would be removed on every other device too.</source>
        <translation>
            <numerusform>%n tâche supprimée ici serait aussi supprimée sur tous les autres appareils.</numerusform>
            <numerusform>%n tâches supprimées ici seraient aussi supprimées sur tous les autres appareils.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="67"/>
        <source>The server would remove %n to-dos from this list.</source>
        <translation>
            <numerusform>Le serveur retirerait %n tâche de cette liste.</numerusform>
            <numerusform>Le serveur retirerait %n tâches de cette liste.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="69"/>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="70"/>
        <source>Keep</source>
        <translation>Conserver</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="73"/>
        <source>Sync cannot write its files. Free some disk space.</source>
        <translation>La synchronisation ne peut pas écrire ses fichiers. Libérez de l’espace disque.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="74"/>
        <location filename="../../syncwindow/AttentionBar.cpp" line="83"/>
        <source>Try Again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="80"/>
        <source>The server would not take “%1”: %2</source>
        <translation>Le serveur n’a pas accepté « %1 » : %2</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="82"/>
        <source>The server would not take “%1”. It stays here.</source>
        <translation>Le serveur n’a pas accepté « %1 ». La tâche reste ici.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="87"/>
        <source>The task list is gone from the server. Your to-dos are kept here.</source>
        <translation>La liste de tâches n’existe plus sur le serveur. Vos tâches sont conservées ici.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="89"/>
        <source>Choose a List…</source>
        <translation>Choisir une liste…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="90"/>
        <source>Stop Syncing</source>
        <translation>Arrêter la synchronisation</translation>
    </message>
</context>
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../../window/ContentWindow.cpp" line="204"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>Votre liste de tâches n’a pu être enregistrée nulle part : la fenêtre reste donc ouverte. Libérez de l’espace disque, puis fermez-la à nouveau.</translation>
    </message>
</context>
<context>
    <name>DayPicker</name>
    <message>
        <location filename="../../window/DayPicker.cpp" line="20"/>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="23"/>
        <source>Choose a day</source>
        <translation>Choisir un jour</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="30"/>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="24"/>
        <source>Delete Todo</source>
        <translation>Supprimer la tâche</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="25"/>
        <source>Are you sure you want to delete this item and all its repeats?</source>
        <translation>Voulez-vous vraiment supprimer cet élément et toutes ses répétitions ?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>Voulez-vous vraiment supprimer cet élément ?</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="35"/>
        <source>Skip This One</source>
        <translation>Passer cette fois</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="47"/>
        <source>Delete Completed</source>
        <translation>Supprimer les tâches terminées</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="48"/>
        <source>Are you sure you want to delete this completed to-do?</source>
        <translation>Voulez-vous vraiment supprimer cette tâche terminée ?</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/DeleteAlert.cpp" line="49"/>
        <source>Are you sure you want to delete %n completed to-dos?</source>
        <translation>
            <numerusform>Voulez-vous vraiment supprimer %n tâche terminée ?</numerusform>
            <numerusform>Voulez-vous vraiment supprimer %n tâches terminées ?</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="67"/>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>EditTodoDialog</name>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="25"/>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="27"/>
        <location filename="../../window/EditTodoDialog.cpp" line="28"/>
        <source>Edit To-do</source>
        <translation>Modifier la tâche</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="30"/>
        <location filename="../../window/EditTodoDialog.cpp" line="47"/>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="31"/>
        <location filename="../../window/EditTodoDialog.cpp" line="48"/>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="36"/>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="49"/>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="50"/>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="51"/>
        <source>Repeat</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="110"/>
        <source>This to-do was changed on another device while you edited it.</source>
        <translation>Cette tâche a été modifiée sur un autre appareil pendant que vous la modifiiez.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="113"/>
        <source>This to-do was removed on another device while you edited it.</source>
        <translation>Cette tâche a été supprimée sur un autre appareil pendant que vous la modifiiez.</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="118"/>
        <source>Keep My Version</source>
        <translation>Garder ma version</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../../window/EntryRow.cpp" line="31"/>
        <location filename="../../window/EntryRow.cpp" line="33"/>
        <source>Add Todo</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <location filename="../../window/EntryRow.cpp" line="34"/>
        <source>Add</source>
        <translation>Ajouter</translation>
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
        <translation>Heure</translation>
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
        <translation>Priorité</translation>
    </message>
</context>
<context>
    <name>RepeatField</name>
    <message>
        <location filename="../../window/RepeatField.cpp" line="32"/>
        <source>times</source>
        <translation>fois</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="34"/>
        <location filename="../../window/RepeatField.cpp" line="84"/>
        <source>Repeat</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="35"/>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="36"/>
        <source>Every Day</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="37"/>
        <source>Every Weekday</source>
        <translation>Chaque jour de semaine</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="38"/>
        <source>Every Week</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="39"/>
        <source>Every Month</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="40"/>
        <source>Every Year</source>
        <translation>Chaque année</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="42"/>
        <source>Every…</source>
        <extracomment>Repeats every so many days, weeks, months or years, chosen beside it</extracomment>
        <translation>Tous les…</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="44"/>
        <source>Repeat every</source>
        <translation>Répéter tous les</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="46"/>
        <source>Repeat unit</source>
        <translation>Unité de répétition</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="47"/>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="48"/>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="49"/>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="50"/>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="52"/>
        <source>Ends</source>
        <translation>Fin</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="54"/>
        <source>Never Ends</source>
        <extracomment>How a repeat ends: it does not</extracomment>
        <translation>Sans fin</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="56"/>
        <source>Until</source>
        <extracomment>How a repeat ends: on a day, chosen beside it</extracomment>
        <translation>Jusqu’au</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="58"/>
        <source>After</source>
        <extracomment>How a repeat ends: after a number of times, chosen beside it</extracomment>
        <translation>Après</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="59"/>
        <source>Last day</source>
        <translation>Dernier jour</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="67"/>
        <source>Times</source>
        <translation>Nombre de fois</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="109"/>
        <source>Custom</source>
        <extracomment>A repeat the form cannot show; its rule is the tooltip</extracomment>
        <translation>Personnalisé</translation>
    </message>
</context>
<context>
    <name>RepeatWords</name>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="21"/>
        <source>repeats by the rule %1</source>
        <extracomment>A repeat the forms cannot show, given as its iCalendar rule</extracomment>
        <translation>se répète selon la règle %1</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every day</source>
        <translation>se répète chaque jour</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every %n days</source>
        <translation>
            <numerusform>se répète tous les %n jours</numerusform>
            <numerusform>se répète tous les %n jours</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="26"/>
        <source>repeats every weekday</source>
        <translation>se répète chaque jour de semaine</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every week</source>
        <translation>se répète chaque semaine</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every %n weeks</source>
        <translation>
            <numerusform>se répète toutes les %n semaines</numerusform>
            <numerusform>se répète toutes les %n semaines</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every month</source>
        <translation>se répète chaque mois</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every %n months</source>
        <translation>
            <numerusform>se répète tous les %n mois</numerusform>
            <numerusform>se répète tous les %n mois</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every year</source>
        <translation>se répète chaque année</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every %n years</source>
        <translation>
            <numerusform>se répète tous les %n ans</numerusform>
            <numerusform>se répète tous les %n ans</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="42"/>
        <source>%1 until %2</source>
        <extracomment>A repeat and its last day: &quot;repeats every week until Dec 31&quot;</extracomment>
        <translation>%1 jusqu’au %2</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="46"/>
        <source>%1, for the last time</source>
        <extracomment>A repeat whose current time is its last one</extracomment>
        <translation>%1, pour la dernière fois</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="49"/>
        <source>%1, %n times left</source>
        <extracomment>A repeat and how many times are left, this one included</extracomment>
        <translation>
            <numerusform>%1, encore %n fois</numerusform>
            <numerusform>%1, encore %n fois</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../../window/RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>Une copie plus récente de votre liste de tâches a été conservée dans %1.</translation>
    </message>
</context>
<context>
    <name>StopSyncAlert</name>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="25"/>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="30"/>
        <source>Stop Syncing</source>
        <translation>Arrêter la synchronisation</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="26"/>
        <source>Stop syncing this list?</source>
        <translation>Arrêter la synchronisation de cette liste ?</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="28"/>
        <source>Your to-dos stay on this computer. The password is forgotten, and changes are no longer sent to the server or brought from it.</source>
        <translation>Vos tâches restent sur cet ordinateur. Le mot de passe est oublié, et les modifications ne sont plus envoyées au serveur ni reçues de lui.</translation>
    </message>
</context>
<context>
    <name>SyncButton</name>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="28"/>
        <source>Sync Now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="31"/>
        <source>Sync</source>
        <translation>Synchroniser</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="38"/>
        <source>Sync Settings…</source>
        <translation>Réglages de synchronisation…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="40"/>
        <source>Stop Syncing</source>
        <translation>Arrêter la synchronisation</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="58"/>
        <source>Set up sync</source>
        <translation>Configurer la synchronisation</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="60"/>
        <source>Synced</source>
        <translation>Synchronisé</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="64"/>
        <source>Syncing: %1 of %2 to-dos sent</source>
        <translation>Synchronisation : %1 tâches sur %2 envoyées</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="65"/>
        <source>Syncing</source>
        <translation>Synchronisation en cours</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="68"/>
        <source>Offline: changes are kept and sent later</source>
        <translation>Hors ligne : les modifications sont conservées et envoyées plus tard</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="70"/>
        <source>Sync needs attention</source>
        <translation>La synchronisation demande votre attention</translation>
    </message>
</context>
<context>
    <name>SyncSetupDialog</name>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="33"/>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="34"/>
        <source>Use This List</source>
        <translation>Utiliser cette liste</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="35"/>
        <source>Create “Plimsa” List</source>
        <translation>Créer la liste « Plimsa »</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="36"/>
        <source>Start Sync</source>
        <translation>Lancer la synchronisation</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="39"/>
        <source>Sync Settings</source>
        <translation>Réglages de synchronisation</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="41"/>
        <source>Server</source>
        <translation>Serveur</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="45"/>
        <source>User name</source>
        <translation>Nom d’utilisateur</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="46"/>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="54"/>
        <source>Task lists</source>
        <translation>Listes de tâches</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="96"/>
        <source>Fill in the server&apos;s address and your user name.</source>
        <translation>Saisissez l’adresse du serveur et votre nom d’utilisateur.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="100"/>
        <source>Connecting…</source>
        <translation>Connexion…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="115"/>
        <source>Your password goes only to: %1</source>
        <translation>Votre mot de passe n’est envoyé qu’à : %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="121"/>
        <source>This account has several task lists. Choose the one to keep in step with Plimsa&apos;s list.</source>
        <translation>Ce compte a plusieurs listes de tâches. Choisissez celle à tenir en accord avec la liste de Plimsa.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="127"/>
        <source>This account has no task list yet. Plimsa can make one named “Plimsa” on the server.</source>
        <translation>Ce compte n’a pas encore de liste de tâches. Plimsa peut en créer une nommée « Plimsa » sur le serveur.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="132"/>
        <source>Both Plimsa&apos;s list and the server&apos;s list hold to-dos. The first sync puts them together and removes none.</source>
        <translation>La liste de Plimsa et celle du serveur contiennent toutes deux des tâches. La première synchronisation les réunit et n’en retire aucune.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="134"/>
        <source>From the server: %1</source>
        <translation>Depuis le serveur : %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="135"/>
        <source>To the server: %1</source>
        <translation>Vers le serveur : %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="149"/>
        <source>The server&apos;s certificate is not trusted by this system, so Plimsa did not connect. Its SHA-256 fingerprint is %1. Ask the server&apos;s administrator whether it is theirs.</source>
        <translation>Le certificat du serveur n’est pas reconnu comme fiable par ce système : Plimsa ne s’est donc pas connecté. Son empreinte SHA-256 est %1. Demandez à l’administrateur du serveur s’il s’agit bien du sien.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="160"/>
        <source>The server cannot be reached, or it refused a secure connection. Check the address and the network.</source>
        <translation>Le serveur est injoignable, ou il a refusé une connexion sécurisée. Vérifiez l’adresse et le réseau.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="164"/>
        <source>The user name or password is wrong.</source>
        <translation>Le nom d’utilisateur ou le mot de passe est incorrect.</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="169"/>
        <source>The server refused: %1</source>
        <translation>Le serveur a refusé : %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="178"/>
        <source>This address is not a CalDAV server with task lists.</source>
        <translation>Cette adresse n’est pas celle d’un serveur CalDAV avec des listes de tâches.</translation>
    </message>
</context>
<context>
    <name>TodoListModel</name>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="356"/>
        <source>%1, %2</source>
        <extracomment>A to-do&apos;s day and time of day on another day than today: &quot;Tue, Dec 8, 9:00 AM&quot;</extracomment>
        <translation>%1 à %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/TodoListModel.cpp" line="403"/>
        <source>Completed (%n)</source>
        <extracomment>The row above the done to-dos, with how many there are</extracomment>
        <translation>
            <numerusform>Terminée (%n)</numerusform>
            <numerusform>Terminées (%n)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="414"/>
        <source>Done %1</source>
        <extracomment>When a done to-do was ticked off: &quot;Done Tue, Dec 8, 4:12 PM&quot;</extracomment>
        <translation>Terminée %1</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../../window/TodoListView.cpp" line="30"/>
        <source>To-dos</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="136"/>
        <source>Delete Completed…</source>
        <translation>Supprimer les tâches terminées…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="141"/>
        <source>Edit…</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="143"/>
        <source>Delete…</source>
        <translation>Supprimer…</translation>
    </message>
</context>
<context>
    <name>TodoRowDelegate</name>
    <message>
        <location filename="../../window/TodoRowDelegate.cpp" line="291"/>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../../window/UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="60"/>
        <source>Completed “%1”</source>
        <translation>« %1 » terminée</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="61"/>
        <source>Changed “%1”</source>
        <translation>« %1 » modifiée</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="65"/>
        <source>Deleted “%1”</source>
        <translation>« %1 » supprimée</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/UndoBar.cpp" line="66"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n tâche supprimée</numerusform>
            <numerusform>%n tâches supprimées</numerusform>
        </translation>
    </message>
</context>
</TS>
