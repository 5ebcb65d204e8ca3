<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AttentionBar</name>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="48"/>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="54"/>
        <source>Sync cannot sign in: the password may have changed.</source>
        <translation>同期でサインインできません。パスワードが変更された可能性があります。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="55"/>
        <source>Sign In…</source>
        <translation>サインイン…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="58"/>
        <source>The sync server has not answered for a day. Your changes are kept and sent once it does.</source>
        <translation>同期サーバーが 1 日応答していません。変更は保存され、応答があり次第送信されます。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="60"/>
        <source>Show</source>
        <translation>表示</translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="65"/>
        <source>%n to-dos removed here would be removed on every other device too.</source>
        <translation>
            <numerusform>ここで削除した %n 件の ToDo は、ほかのすべてのデバイスでも削除されます。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../syncwindow/AttentionBar.cpp" line="67"/>
        <source>The server would remove %n to-dos from this list.</source>
        <translation>
            <numerusform>サーバーはこのリストから %n 件の ToDo を削除しようとしています。</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="69"/>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="70"/>
        <source>Keep</source>
        <translation>残す</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="73"/>
        <source>Sync cannot write its files. Free some disk space.</source>
        <translation>同期のファイルを書き込めません。ディスクの空き容量を確保してください。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="74"/>
        <location filename="../../syncwindow/AttentionBar.cpp" line="83"/>
        <source>Try Again</source>
        <translation>再試行</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="80"/>
        <source>The server would not take “%1”: %2</source>
        <translation>サーバーは「%1」を受け付けませんでした: %2</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="82"/>
        <source>The server would not take “%1”. It stays here.</source>
        <translation>サーバーは「%1」を受け付けませんでした。この ToDo はここに残ります。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="87"/>
        <source>The task list is gone from the server. Your to-dos are kept here.</source>
        <translation>タスクリストがサーバーからなくなりました。ToDo はここに残っています。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="89"/>
        <source>Choose a List…</source>
        <translation>リストを選ぶ…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/AttentionBar.cpp" line="90"/>
        <source>Stop Syncing</source>
        <translation>同期を停止</translation>
    </message>
</context>
<context>
    <name>ContentWindow</name>
    <message>
        <location filename="../../window/ContentWindow.cpp" line="204"/>
        <source>Your to-do list could not be saved anywhere, so the window stays open. Free some disk space, then close it again.</source>
        <translation>To-Do リストをどこにも保存できなかったため、ウィンドウは開いたままです。ディスクの空き容量を確保してから、もう一度閉じてください。</translation>
    </message>
</context>
<context>
    <name>DayPicker</name>
    <message>
        <location filename="../../window/DayPicker.cpp" line="20"/>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="23"/>
        <source>Choose a day</source>
        <translation>日付を選択</translation>
    </message>
    <message>
        <location filename="../../window/DayPicker.cpp" line="30"/>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
</context>
<context>
    <name>DeleteAlert</name>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="24"/>
        <source>Delete Todo</source>
        <translation>ToDo を削除</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="25"/>
        <source>Are you sure you want to delete this item and all its repeats?</source>
        <translation>この項目とすべての繰り返しを削除してもよろしいですか？</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="26"/>
        <source>Are you sure you want to delete this item?</source>
        <translation>この項目を削除してもよろしいですか？</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="35"/>
        <source>Skip This One</source>
        <translation>今回はスキップ</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="47"/>
        <source>Delete Completed</source>
        <translation>完了した ToDo を削除</translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="48"/>
        <source>Are you sure you want to delete this completed to-do?</source>
        <translation>この完了した ToDo を削除してもよろしいですか？</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/DeleteAlert.cpp" line="49"/>
        <source>Are you sure you want to delete %n completed to-dos?</source>
        <translation>
            <numerusform>完了した %n 件の ToDo を削除してもよろしいですか？</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/DeleteAlert.cpp" line="67"/>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>EditTodoDialog</name>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="25"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="27"/>
        <location filename="../../window/EditTodoDialog.cpp" line="28"/>
        <source>Edit To-do</source>
        <translation>ToDo を編集</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="30"/>
        <location filename="../../window/EditTodoDialog.cpp" line="47"/>
        <source>Priority</source>
        <translation>優先度</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="31"/>
        <location filename="../../window/EditTodoDialog.cpp" line="48"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="36"/>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="49"/>
        <source>Day</source>
        <translation>日付</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="50"/>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="51"/>
        <source>Repeat</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="110"/>
        <source>This to-do was changed on another device while you edited it.</source>
        <translation>編集中に、この ToDo はほかのデバイスで変更されました。</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="113"/>
        <source>This to-do was removed on another device while you edited it.</source>
        <translation>編集中に、この ToDo はほかのデバイスで削除されました。</translation>
    </message>
    <message>
        <location filename="../../window/EditTodoDialog.cpp" line="118"/>
        <source>Keep My Version</source>
        <translation>自分の内容を残す</translation>
    </message>
</context>
<context>
    <name>EntryRow</name>
    <message>
        <location filename="../../window/EntryRow.cpp" line="31"/>
        <location filename="../../window/EntryRow.cpp" line="33"/>
        <source>Add Todo</source>
        <translation>ToDo を追加</translation>
    </message>
    <message>
        <location filename="../../window/EntryRow.cpp" line="34"/>
        <source>Add</source>
        <translation>追加</translation>
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
        <translation>時</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="46"/>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="53"/>
        <source>AM</source>
        <translation>午前</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="54"/>
        <source>PM</source>
        <translation>午後</translation>
    </message>
    <message>
        <location filename="../../window/FormControls.cpp" line="56"/>
        <source>AM/PM</source>
        <translation>午前/午後</translation>
    </message>
</context>
<context>
    <name>PriorityMenu</name>
    <message>
        <location filename="../../window/PriorityMenu.cpp" line="15"/>
        <location filename="../../window/PriorityMenu.cpp" line="17"/>
        <source>Priority</source>
        <translation>優先度</translation>
    </message>
</context>
<context>
    <name>RepeatField</name>
    <message>
        <location filename="../../window/RepeatField.cpp" line="32"/>
        <source>times</source>
        <translation>回</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="34"/>
        <location filename="../../window/RepeatField.cpp" line="84"/>
        <source>Repeat</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="35"/>
        <source>Never</source>
        <translation>しない</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="36"/>
        <source>Every Day</source>
        <translation>毎日</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="37"/>
        <source>Every Weekday</source>
        <translation>平日ごと</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="38"/>
        <source>Every Week</source>
        <translation>毎週</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="39"/>
        <source>Every Month</source>
        <translation>毎月</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="40"/>
        <source>Every Year</source>
        <translation>毎年</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="42"/>
        <source>Every…</source>
        <extracomment>Repeats every so many days, weeks, months or years, chosen beside it</extracomment>
        <translation>間隔を指定…</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="44"/>
        <source>Repeat every</source>
        <translation>繰り返しの間隔</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="46"/>
        <source>Repeat unit</source>
        <translation>繰り返しの単位</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="47"/>
        <source>days</source>
        <translation>日ごと</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="48"/>
        <source>weeks</source>
        <translation>週ごと</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="49"/>
        <source>months</source>
        <translation>か月ごと</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="50"/>
        <source>years</source>
        <translation>年ごと</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="52"/>
        <source>Ends</source>
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="54"/>
        <source>Never Ends</source>
        <extracomment>How a repeat ends: it does not</extracomment>
        <translation>終了しない</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="56"/>
        <source>Until</source>
        <extracomment>How a repeat ends: on a day, chosen beside it</extracomment>
        <translation>終了日</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="58"/>
        <source>After</source>
        <extracomment>How a repeat ends: after a number of times, chosen beside it</extracomment>
        <translation>回数</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="59"/>
        <source>Last day</source>
        <translation>最終日</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="67"/>
        <source>Times</source>
        <translation>回数</translation>
    </message>
    <message>
        <location filename="../../window/RepeatField.cpp" line="109"/>
        <source>Custom</source>
        <extracomment>A repeat the form cannot show; its rule is the tooltip</extracomment>
        <translation>カスタム</translation>
    </message>
</context>
<context>
    <name>RepeatWords</name>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="21"/>
        <source>repeats by the rule %1</source>
        <extracomment>A repeat the forms cannot show, given as its iCalendar rule</extracomment>
        <translation>ルール %1 で繰り返し</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every day</source>
        <translation>毎日繰り返し</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="23"/>
        <source>repeats every %n days</source>
        <translation>
            <numerusform>%n 日ごとに繰り返し</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="26"/>
        <source>repeats every weekday</source>
        <translation>平日ごとに繰り返し</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every week</source>
        <translation>毎週繰り返し</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="29"/>
        <source>repeats every %n weeks</source>
        <translation>
            <numerusform>%n 週ごとに繰り返し</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every month</source>
        <translation>毎月繰り返し</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="32"/>
        <source>repeats every %n months</source>
        <translation>
            <numerusform>%n か月ごとに繰り返し</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every year</source>
        <translation>毎年繰り返し</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="35"/>
        <source>repeats every %n years</source>
        <translation>
            <numerusform>%n 年ごとに繰り返し</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="42"/>
        <source>%1 until %2</source>
        <extracomment>A repeat and its last day: &quot;repeats every week until Dec 31&quot;</extracomment>
        <translation>%1（%2 まで）</translation>
    </message>
    <message>
        <location filename="../../window/RepeatWords.cpp" line="46"/>
        <source>%1, for the last time</source>
        <extracomment>A repeat whose current time is its last one</extracomment>
        <translation>%1、今回が最後</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/RepeatWords.cpp" line="49"/>
        <source>%1, %n times left</source>
        <extracomment>A repeat and how many times are left, this one included</extracomment>
        <translation>
            <numerusform>%1、残り %n 回</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RescueBar</name>
    <message>
        <location filename="../../window/RescueBar.cpp" line="12"/>
        <source>Restore</source>
        <translation>復元</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="13"/>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../window/RescueBar.cpp" line="38"/>
        <source>A newer copy of your to-do list was kept in %1.</source>
        <translation>To-Do リストの新しいコピーが %1 に保存されています。</translation>
    </message>
</context>
<context>
    <name>StopSyncAlert</name>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="25"/>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="30"/>
        <source>Stop Syncing</source>
        <translation>同期を停止</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="26"/>
        <source>Stop syncing this list?</source>
        <translation>このリストの同期を停止しますか？</translation>
    </message>
    <message>
        <location filename="../../syncwindow/StopSyncAlert.cpp" line="28"/>
        <source>Your to-dos stay on this computer. The password is forgotten, and changes are no longer sent to the server or brought from it.</source>
        <translation>ToDo はこのコンピューターに残ります。パスワードは消去され、変更はサーバーに送信されず、サーバーから取得もされなくなります。</translation>
    </message>
</context>
<context>
    <name>SyncButton</name>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="28"/>
        <source>Sync Now</source>
        <translation>今すぐ同期</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="31"/>
        <source>Sync</source>
        <translation>同期</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="38"/>
        <source>Sync Settings…</source>
        <translation>同期の設定…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="40"/>
        <source>Stop Syncing</source>
        <translation>同期を停止</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="58"/>
        <source>Set up sync</source>
        <translation>同期を設定</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="60"/>
        <source>Synced</source>
        <translation>同期済み</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="64"/>
        <source>Syncing: %1 of %2 to-dos sent</source>
        <translation>同期中: %2 件中 %1 件の ToDo を送信済み</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="65"/>
        <source>Syncing</source>
        <translation>同期中</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="68"/>
        <source>Offline: changes are kept and sent later</source>
        <translation>オフライン: 変更は保存され、後で送信されます</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncButton.cpp" line="70"/>
        <source>Sync needs attention</source>
        <translation>同期に対応が必要です</translation>
    </message>
</context>
<context>
    <name>SyncSetupDialog</name>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="33"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="34"/>
        <source>Use This List</source>
        <translation>このリストを使う</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="35"/>
        <source>Create “Plimsa” List</source>
        <translation>「Plimsa」リストを作成</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="36"/>
        <source>Start Sync</source>
        <translation>同期を開始</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="39"/>
        <source>Sync Settings</source>
        <translation>同期の設定</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="41"/>
        <source>Server</source>
        <translation>サーバー</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="45"/>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="46"/>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="54"/>
        <source>Task lists</source>
        <translation>タスクリスト</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="96"/>
        <source>Fill in the server&apos;s address and your user name.</source>
        <translation>サーバーのアドレスとユーザー名を入力してください。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="100"/>
        <source>Connecting…</source>
        <translation>接続中…</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="115"/>
        <source>Your password goes only to: %1</source>
        <translation>パスワードの送信先は次のみです: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="121"/>
        <source>This account has several task lists. Choose the one to keep in step with Plimsa&apos;s list.</source>
        <translation>このアカウントには複数のタスクリストがあります。Plimsa のリストと同期するものを選んでください。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="127"/>
        <source>This account has no task list yet. Plimsa can make one named “Plimsa” on the server.</source>
        <translation>このアカウントにはまだタスクリストがありません。Plimsa はサーバーに「Plimsa」という名前のリストを作成できます。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="132"/>
        <source>Both Plimsa&apos;s list and the server&apos;s list hold to-dos. The first sync puts them together and removes none.</source>
        <translation>Plimsa のリストとサーバーのリストの両方に ToDo があります。最初の同期で両方をまとめます。削除されるものはありません。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="134"/>
        <source>From the server: %1</source>
        <translation>サーバーから: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="135"/>
        <source>To the server: %1</source>
        <translation>サーバーへ: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="149"/>
        <source>The server&apos;s certificate is not trusted by this system, so Plimsa did not connect. Its SHA-256 fingerprint is %1. Ask the server&apos;s administrator whether it is theirs.</source>
        <translation>サーバーの証明書はこのシステムで信頼されていないため、Plimsa は接続しませんでした。SHA-256 フィンガープリントは %1 です。サーバーの管理者に、これが正しい証明書か確認してください。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="160"/>
        <source>The server cannot be reached, or it refused a secure connection. Check the address and the network.</source>
        <translation>サーバーに接続できないか、安全な接続が拒否されました。アドレスとネットワークを確認してください。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="164"/>
        <source>The user name or password is wrong.</source>
        <translation>ユーザー名またはパスワードが正しくありません。</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="169"/>
        <source>The server refused: %1</source>
        <translation>サーバーが拒否しました: %1</translation>
    </message>
    <message>
        <location filename="../../syncwindow/SyncSetupDialog.cpp" line="178"/>
        <source>This address is not a CalDAV server with task lists.</source>
        <translation>このアドレスはタスクリストのある CalDAV サーバーではありません。</translation>
    </message>
</context>
<context>
    <name>TodoListModel</name>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="356"/>
        <source>%1, %2</source>
        <extracomment>A to-do&apos;s day and time of day on another day than today: &quot;Tue, Dec 8, 9:00 AM&quot;</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/TodoListModel.cpp" line="403"/>
        <source>Completed (%n)</source>
        <extracomment>The row above the done to-dos, with how many there are</extracomment>
        <translation>
            <numerusform>完了 (%n)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../window/TodoListModel.cpp" line="414"/>
        <source>Done %1</source>
        <extracomment>When a done to-do was ticked off: &quot;Done Tue, Dec 8, 4:12 PM&quot;</extracomment>
        <translation>完了 %1</translation>
    </message>
</context>
<context>
    <name>TodoListView</name>
    <message>
        <location filename="../../window/TodoListView.cpp" line="30"/>
        <source>To-dos</source>
        <translation>やること</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="136"/>
        <source>Delete Completed…</source>
        <translation>完了した ToDo を削除…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="141"/>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <location filename="../../window/TodoListView.cpp" line="143"/>
        <source>Delete…</source>
        <translation>削除…</translation>
    </message>
</context>
<context>
    <name>TodoRowDelegate</name>
    <message>
        <location filename="../../window/TodoRowDelegate.cpp" line="291"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <location filename="../../window/UndoBar.cpp" line="36"/>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="60"/>
        <source>Completed “%1”</source>
        <translation>「%1」を完了しました</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="61"/>
        <source>Changed “%1”</source>
        <translation>「%1」を変更しました</translation>
    </message>
    <message>
        <location filename="../../window/UndoBar.cpp" line="65"/>
        <source>Deleted “%1”</source>
        <translation>「%1」を削除しました</translation>
    </message>
    <message numerus="yes">
        <location filename="../../window/UndoBar.cpp" line="66"/>
        <source>Deleted %n to-dos</source>
        <translation>
            <numerusform>%n 件のやることを削除しました</numerusform>
        </translation>
    </message>
</context>
</TS>
