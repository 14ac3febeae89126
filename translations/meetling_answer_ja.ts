<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AnswerPages</name>
    <message>
        <source>Meetings per run</source>
        <translation>出会う回数</translation>
    </message>
    <message>
        <source>The first meeting</source>
        <translation>最初に出会うまで</translation>
    </message>
    <message>
        <source>One run of each</source>
        <translation>それぞれ1回ずつ</translation>
    </message>
    <message>
        <source>How many runs</source>
        <translation>必要な実験の回数</translation>
    </message>
    <message>
        <source>Where to wait</source>
        <translation>どこで待つか</translation>
    </message>
    <message>
        <source>Our class</source>
        <translation>わたしたちのクラス</translation>
    </message>
    <message>
        <source>A class at speed</source>
        <translation>クラスを早送り</translation>
    </message>
    <message>
        <source>9 in 10</source>
        <translation>10回中9回</translation>
    </message>
    <message>
        <source>99 in 100</source>
        <translation>100回中99回</translation>
    </message>
    <message>
        <source>%1: never</source>
        <extracomment>A key on the chart of how many runs: %1 is a share of the runs, as &quot;9 in 10&quot;.</extracomment>
        <translation>%1：何回実験しても届かない</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n run(s)</source>
        <extracomment>A key on the chart of how many runs: %1 is a share of the runs, as &quot;9 in 10&quot;; %n runs of each way.</extracomment>
        <translation>
            <numerusform>%1：それぞれ%n回</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: over %n run(s)</source>
        <extracomment>A key on the chart of how many runs: %1 is a share of the runs, as &quot;9 in 10&quot;; more than %n runs of each way.</extracomment>
        <translation>
            <numerusform>%1：それぞれ%n回でも足りない</numerusform>
        </translation>
    </message>
    <message>
        <source>Neither way meets more: no number of runs makes one of them the right answer.</source>
        <translation>どちらのやり方でも、出会う回数の平均は同じです。何回実験しても、どちらかが正しい答えになることはありません。</translation>
    </message>
    <message>
        <source>The right way comes out ahead 9 times in 10 from %1, 99 times in 100 from %2.</source>
        <translation>正しいほうが多く出会うのは、%1以上で10回中9回、%2以上で100回中99回です。</translation>
    </message>
    <message>
        <source>The right way comes out ahead 9 times in 10 from %1, 99 times in 100 not within %2.</source>
        <translation>正しいほうが多く出会うのは、%1以上で10回中9回です。100回中99回には、%2まででは届きません。</translation>
    </message>
    <message>
        <source>The right way comes out ahead 9 times in 10 not within %1, 99 times in 100 not within %2.</source>
        <translation>正しいほうが多く出会う割合は、%1まででは10回中9回に届かず、%2まででは100回中99回に届きません。</translation>
    </message>
    <message>
        <source>%1: half the runs have met within %2 s.</source>
        <translation>%1：半分の実験では、%2秒までに出会っています。</translation>
    </message>
    <message>
        <source>%1: more than half the runs never meet.</source>
        <translation>%1：半分より多くの実験で、一度も出会いません。</translation>
    </message>
    <message>
        <source>%1: %2 meetings on average, most often %3 (%4).</source>
        <extracomment>%1 a way (&quot;Both wander&quot;), %2 the meetings on average, %3 the likeliest count of meetings, %4 its chance.</extracomment>
        <translation>%1：平均%2回出会います。いちばん起こりやすいのは%3回出会うときで、その割合は%4です。</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>Two sentences one after the other.</extracomment>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>“%1” counts more</source>
        <translation>「%1」のほうが多い</translation>
    </message>
    <message>
        <source>A tie</source>
        <translation>引き分け</translation>
    </message>
    <message>
        <source>One run of each, %L1 s each: which counts more meetings?</source>
        <translation>%L1秒の実験をそれぞれ1回ずつしたとき、多く出会うのはどちらでしょう？</translation>
    </message>
    <message>
        <source>No group&apos;s counts yet.</source>
        <translation>まだどの班の回数も入っていません。</translation>
    </message>
    <message>
        <source>Group %L1</source>
        <translation>%L1班</translation>
    </message>
    <message numerus="yes">
        <source>… and %Ln more group(s)</source>
        <translation>
            <numerusform>…ほかに%Ln班</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n meeting(s): %2%</source>
        <extracomment>%1 a way (&quot;Both wander&quot;), %n a count of meetings in a run, %2 its chance in percent.</extracomment>
        <translation>
            <numerusform>%1、%n回出会う：%2%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 counts more %2 of the time, a tie %3, %4 counts more %5</source>
        <translation>「%1」のほうが多いのが%2、引き分けが%3、「%4」のほうが多いのが%5です。</translation>
    </message>
    <message>
        <source>Pages of detail</source>
        <translation>くわしく見るページ</translation>
    </message>
    <message>
        <source>The board shows, for every point, the meetings in a run on average if Momotaro starts there, Dog starting where it is. Lighter is more; the best points are framed black and white. Click a point to move Momotaro there.</source>
        <translation>ボードのそれぞれのマスの色は、桃太郎がそのマスから、犬が今の場所からスタートしたときの、1回の実験で出会う回数の平均を表しています。明るい色ほど多く、いちばんよいマスは白と黒のわくでかこんであります。マスをクリックすると、桃太郎がそこへ移ります。</translation>
    </message>
    <message>
        <source>The best points</source>
        <translation>いちばんよいマス</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>The answer is hidden
Show the answer (F5)</source>
        <translation>答えはかくしてあります
答えを見せる（F5）</translation>
    </message>
    <message numerus="yes">
        <source>Our class already holds counts. Replace them with the %Ln simulated group(s)?</source>
        <translation>
            <numerusform>わたしたちのクラスにはもう回数が入っています。シミュレーションした%Ln班の回数に置きかえますか？</numerusform>
        </translation>
    </message>
    <message>
        <source>The answer is hidden: the class&apos;s verdict shows with it (F5).</source>
        <translation>答えはかくしてあります。クラスの結論は、答えといっしょに表示されます（F5）。</translation>
    </message>
    <message>
        <source>Working out the map…</source>
        <translation>ボードの色分けを計算しています…</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>Points on the board the one or the other, as &quot;(4, 4) or (6, 4)&quot;.</extracomment>
        <translation>%1または%2</translation>
    </message>
    <message>
        <source>Best for &quot;%1&quot;: Momotaro starting at %2, %3 meetings in a run on average.</source>
        <extracomment>%1 a way (&quot;Momotaro waits&quot;), %2 points on the board, %3 the meetings on average.</extracomment>
        <translation>「%1」のとき、いちばんよいのは桃太郎が%2からスタートすることで、1回の実験で平均%3回出会います。</translation>
    </message>
    <message>
        <source>Type the meetings each group counted.</source>
        <translation>各班が数えた出会いの回数を入力してください。</translation>
    </message>
    <message>
        <source>the answer is hidden</source>
        <translation>答えはかくしてあります</translation>
    </message>
    <message>
        <source>the answer is still being worked out</source>
        <translation>答えはまだ計算中です</translation>
    </message>
    <message>
        <source>the map is still being worked out</source>
        <translation>ボードの色分けはまだ計算中です</translation>
    </message>
</context>
<context>
    <name>AnswerPane</name>
    <message>
        <source>The answer</source>
        <translation>答え</translation>
    </message>
    <message>
        <source>The answer in detail</source>
        <translation>答えのくわしい説明</translation>
    </message>
    <message>
        <source>%1
(&quot;%2&quot;)</source>
        <extracomment>A way&apos;s name, and under it the caption of the board program&apos;s button that plays it (left in English).</extracomment>
        <translation>%1
（“%2”）</translation>
    </message>
    <message>
        <source>The answer is hidden</source>
        <translation>答えはかくしてあります</translation>
    </message>
    <message>
        <source>Show the answer (F5) once the class has made its guess.</source>
        <translation>クラスのみんなが予想をしたら、答えを見せましょう（F5）。</translation>
    </message>
    <message>
        <source>For Momotaro starting at (%1, %2), Dog at (%3, %4), and runs of %L5 s.</source>
        <extracomment>Momotaro&apos;s start point (%1, %2), Dog&apos;s (%3, %4) and the run&apos;s length in seconds.</extracomment>
        <translation>桃太郎のスタート地点は(%1, %2)、犬は(%3, %4)、1回の実験は%L5秒です。</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <extracomment>A figure read out: its row&apos;s heading, the way (its column), the value.</extracomment>
        <translation>%1、%2：%3</translation>
    </message>
</context>
<context>
    <name>AnswerSettings</name>
    <message>
        <source>What is set up here will not come back at the next start: the settings file %1 is not saved, as it is not a regular file.</source>
        <translation>ここで変えた設定は、次に起動したときには残りません。設定ファイル「%1」はふつうのファイルではないので、保存できません。</translation>
    </message>
    <message>
        <source>What is set up here will not come back at the next start: the settings file %1 is not saved, as it cannot be written.</source>
        <translation>ここで変えた設定は、次に起動したときには残りません。設定ファイル「%1」に書き込めないので、保存できません。</translation>
    </message>
    <message>
        <source>The class is open in another window: this window changes neither its counts nor the settings file %1.</source>
        <translation>このクラスは別のウィンドウで開いています。このウィンドウでは、回数も設定ファイル %1 も変えません。</translation>
    </message>
</context>
<context>
    <name>AnswerWindow</name>
    <message>
        <source>Meetling answer</source>
        <translation>出会いの実験の答え</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>After the run&apos;s length in seconds, as in &quot;180 s&quot;.</extracomment>
        <translation>秒</translation>
    </message>
    <message>
        <source>Length of a run in seconds</source>
        <translation>1回の実験の長さ（秒）</translation>
    </message>
    <message>
        <source>&amp;Length of a run:</source>
        <translation>1回の実験の長さ(&amp;L)：</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open class…</source>
        <translation>クラスを開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save class…</source>
        <translation>クラスを保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;New class</source>
        <translation>新しいクラス(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Export page…</source>
        <translation>ページを画像で保存(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Copy the answer</source>
        <translation>答えをコピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>印刷(&amp;P)</translation>
    </message>
    <message>
        <source>The &amp;pupils&apos; sheet…</source>
        <translation>児童用の用紙(&amp;P)...</translation>
    </message>
    <message>
        <source>The &amp;teacher&apos;s sheet…</source>
        <translation>先生用の用紙(&amp;T)...</translation>
    </message>
    <message>
        <source>Save as P&amp;DF</source>
        <translation>PDFで保存(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>元の大きさ(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Presentation</source>
        <translation>全画面表示(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Hide the answer</source>
        <translation>答えをかくす(&amp;H)</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>答え</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>The &amp;system&apos;s language</source>
        <translation>システムの言語(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Show the answer</source>
        <translation>答えを見せる(&amp;S)</translation>
    </message>
    <message>
        <source>Show the answer (F5)</source>
        <translation>答えを見せる（F5）</translation>
    </message>
    <message>
        <source>Hide the answer (F5)</source>
        <translation>答えをかくす（F5）</translation>
    </message>
    <message>
        <source>The answer is hidden: nothing of it is copied or saved. Show it first (F5).</source>
        <translation>答えはかくしてあります。答えはコピーも保存もされません。先に答えを見せてください（F5）。</translation>
    </message>
    <message>
        <source>As soon as the answer is worked out…</source>
        <translation>答えの計算が終わりしだい…</translation>
    </message>
    <message>
        <source>Open the class&apos;s counts</source>
        <translation>クラスの回数を開く</translation>
    </message>
    <message>
        <source>Class counts (*.csv *.txt);;All files (*)</source>
        <translation>クラスの回数 (*.csv *.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Nothing was opened from %1: %2.</source>
        <translation>「%1」を開けませんでした：%2。</translation>
    </message>
    <message>
        <source>Save the class&apos;s counts</source>
        <translation>クラスの回数を保存</translation>
    </message>
    <message>
        <source>Class counts (*.csv)</source>
        <translation>クラスの回数 (*.csv)</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ふつうのファイルではありません</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>「%1」を保存できません：%2。</translation>
    </message>
    <message>
        <source>Clear every group&apos;s counts from the table?</source>
        <translation>表から、すべての班の回数を消しますか？</translation>
    </message>
    <message>
        <source>Save this page as a picture</source>
        <translation>このページを画像で保存</translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG drawing (*.svg)</source>
        <translation>PNG画像 (*.png);;SVG図形 (*.svg)</translation>
    </message>
    <message>
        <source>Runs of each way a group tallies on its sheet:</source>
        <translation>1つの班が用紙に記録する実験の回数（それぞれのやり方ごと）：</translation>
    </message>
    <message>
        <source>Meetling: the pupils&apos; sheet</source>
        <translation>出会いの実験：児童用の用紙</translation>
    </message>
    <message>
        <source>Meetling: the teacher&apos;s sheet</source>
        <translation>出会いの実験：先生用の用紙</translation>
    </message>
    <message>
        <source>Save the sheet as PDF</source>
        <translation>用紙をPDFで保存</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF文書 (*.pdf)</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>「%1」を保存しました。</translation>
    </message>
    <message>
        <source>it holds the class&apos;s counts; choose another name</source>
        <translation>クラスの回数が入っているファイルです。別の名前を選んでください</translation>
    </message>
    <message>
        <source>The answer is copied.</source>
        <translation>答えをコピーしました。</translation>
    </message>
    <message>
        <source>Show the answer</source>
        <translation>答えを見せる</translation>
    </message>
    <message>
        <source>Hide the answer</source>
        <translation>答えをかくす</translation>
    </message>
    <message>
        <source>Open in another window: shown as it was at this window&apos;s start. Type the counts there.</source>
        <translation>別のウィンドウで開いています。このウィンドウを開いたときのままです。回数はそちらで入力してください。</translation>
    </message>
</context>
<context>
    <name>BoardView</name>
    <message>
        <source>Dog</source>
        <translation>犬</translation>
    </message>
    <message>
        <source>Momotaro</source>
        <translation>桃太郎</translation>
    </message>
    <message>
        <source>Drag, or use the arrow keys, to move %1&apos;s start point</source>
        <translation>ドラッグするか矢印キーを使って、%1のスタート地点を動かします</translation>
    </message>
    <message>
        <source>%1, x %2, y %3</source>
        <extracomment>A walker&apos;s name and where it stands on the board.</extracomment>
        <translation>%1、x=%2、y=%3</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>ボード</translation>
    </message>
    <message>
        <source>%1 by %1 points, x from 0 to %2 to the right, y from 0 to %2 downwards</source>
        <translation>よこ%1マス、たて%1マスのボードです。xは右へ0から%2まで、yは下へ0から%2までです。</translation>
    </message>
</context>
<context>
    <name>ClassTable</name>
    <message>
        <source>Our class: meetings each group counted</source>
        <translation>わたしたちのクラス：各班が数えた出会いの回数</translation>
    </message>
    <message>
        <source>One row per group. Delete or Backspace blanks the selected cells.</source>
        <translation>1つの班が1行です。DeleteキーかBackspaceキーで、選んだセルを空にします。</translation>
    </message>
    <message>
        <source>%1
(“%2”)</source>
        <translation>%1
（“%2”）</translation>
    </message>
    <message>
        <source>Groups counted</source>
        <translation>数えた班の数</translation>
    </message>
    <message>
        <source>Meetings in all</source>
        <translation>出会いの合計</translation>
    </message>
    <message>
        <source>Average meetings in a run</source>
        <translation>1回の実験で出会う回数の平均</translation>
    </message>
    <message>
        <source>What the class&apos;s runs say</source>
        <translation>クラスの実験からわかること</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>%1班</translation>
    </message>
    <message>
        <source>–</source>
        <translation>–</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n group(s) counted</source>
        <translation>
            <numerusform>%1：%n班が数えました</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 meetings in all</source>
        <translation>%1：出会いは合計%2回</translation>
    </message>
    <message>
        <source>%1: no average yet</source>
        <translation>%1：まだ平均はありません</translation>
    </message>
    <message>
        <source>%1: %2 meetings in a run on average</source>
        <translation>%1：1回の実験で平均%2回出会います</translation>
    </message>
    <message>
        <source>Group %1, “%2”: “%3” is not a count. Type a whole number of meetings from 0 to %4, or leave the cell blank.</source>
        <translation>%1班の「%2」：「%3」は回数ではありません。出会いの回数を0から%4までの整数で入力するか、セルを空のままにしてください。</translation>
    </message>
    <message>
        <source>Not a class&apos;s own counts: %1</source>
        <translation>クラスが自分で数えた回数ではありません：%1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>Start with the answer hidden, whatever the last lesson left; F5 shows it.</source>
        <translation>前の授業の終わりの状態にかかわらず、答えをかくして起動します。F5で答えを表示します。</translation>
    </message>
    <message>
        <source>The exact answer to the meetling experiment, in a window.</source>
        <translation>出会いの実験の答えを計算で求めて、ウィンドウに表示します。</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>よけいな引数があります：%1</translation>
    </message>
</context>
<context>
    <name>ClassAtSpeedPage</name>
    <message>
        <source>Bars: exact chances of each count. Marks: the groups done. Thick lines: the exact averages; thin: the class&apos;s so far.</source>
        <translation>棒：計算で求めた、それぞれの回数になる割合。印：終わった班の結果。太い線：計算で求めた平均。細い線：ここまでのクラスの平均。</translation>
    </message>
    <message>
        <source>The groups&apos; boards</source>
        <translation>各班のボード</translation>
    </message>
    <message>
        <source>Each group has two boards side by side: both wandering on the left, Momotaro waiting on the right, its meetings so far under each.</source>
        <translation>各班にボードが2つずつ並んでいます。左はふたりとも歩き回るとき、右は桃太郎が待つときで、それぞれの下にここまでに出会った回数があります。</translation>
    </message>
    <message>
        <source>A class at speed</source>
        <translation>クラスを早送り</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Play or pause the class (Space)</source>
        <translation>クラスを再生・一時停止（スペースキー）</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>1歩</translation>
    </message>
    <message>
        <source>One tick of every board, %L1 s of the class&apos;s time</source>
        <translation>すべてのボードで1歩進めます（実験の中の時間で%L1秒分）</translation>
    </message>
    <message>
        <source>Finish now</source>
        <translation>最後まで</translation>
    </message>
    <message>
        <source>Play every group&apos;s runs to their end at once</source>
        <translation>すべての班の実験を、すぐに最後まで進めます</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>最初から</translation>
    </message>
    <message>
        <source>Start the same class again from the first tick</source>
        <translation>同じクラスを、最初の1歩からやり直します</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速さ</translation>
    </message>
    <message>
        <source>%L1×</source>
        <extracomment>A speed, in times real time.</extracomment>
        <translation>%L1倍</translation>
    </message>
    <message>
        <source>1×, real time: a tick each %L1 s, as on the board</source>
        <translation>1倍は実際の速さ：ボードと同じように%L1秒ごとに1歩</translation>
    </message>
    <message>
        <source>How many times faster than real time; 1× is a tick each %L1 s, as on the board</source>
        <translation>実際の何倍の速さで進めるか。1倍は、ボードと同じように%L1秒ごとに1歩です</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>班の数</translation>
    </message>
    <message>
        <source>Seed</source>
        <translation>乱数の種</translation>
    </message>
    <message>
        <source>The same seed plays the same class</source>
        <translation>同じ種なら、同じクラスの結果になります</translation>
    </message>
    <message numerus="yes">
        <source>Run %Ln class(es)</source>
        <translation>
            <numerusform>%Lnクラス分を実験</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Play the class %Ln time(s), unseen, to see how often a class this size gets the right answer</source>
        <translation>
            <numerusform>画面に出さずにクラスの実験を%Ln回くり返して、この班の数のクラスが正しい答えを出す割合を調べます</numerusform>
        </translation>
    </message>
    <message>
        <source>Put these counts in Our class</source>
        <translation>「わたしたちのクラス」に入れる</translation>
    </message>
    <message>
        <source>Copy the counts of the groups done into the class&apos;s table, marked as simulated</source>
        <translation>終わった班の回数を、シミュレーションの結果という印をつけて、クラスの表に写します</translation>
    </message>
    <message>
        <source>The class&apos;s counts on the law of meetings</source>
        <translation>出会う回数の割合のグラフとクラスの回数</translation>
    </message>
    <message>
        <source>The exact law is hidden with the answer.
Show the answer (F5)</source>
        <translation>計算で求めた割合は、答えといっしょにかくしてあります。
答えを見せる（F5）</translation>
    </message>
    <message>
        <source>&amp;Speed:</source>
        <translation>速さ(&amp;S)：</translation>
    </message>
    <message>
        <source>&amp;Groups:</source>
        <translation>班の数(&amp;G)：</translation>
    </message>
    <message>
        <source>S&amp;eed:</source>
        <translation>乱数の種(&amp;E)：</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message numerus="yes">
        <source>%n group(s) run both ways, %L1 s each, from the board&apos;s start points; each group&apos;s counts join the chart as it finishes.</source>
        <translation>
            <numerusform>%n班が、ボードのスタート地点から、両方のやり方で%L1秒ずつ実験します。班が終わるたびに、その回数がグラフに加わります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done</source>
        <translation>
            <numerusform>%n班のうち%L1班が終わりました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages: exact %2 and %3</source>
        <extracomment>%1 groups done; %2 and %3 the exact meetings in a run on average, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>%n班のうち%L1班が終わりました。計算で求めた平均は%2回と%3回です。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages %2 and %3</source>
        <extracomment>%1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>%n班のうち%L1班が終わりました。平均は%2回と%3回です。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages %2 and %3; exact %4 and %5</source>
        <extracomment>%1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting; %4 and %5 the exact ones.</extracomment>
        <translation>
            <numerusform>%n班のうち%L1班が終わりました。平均は%2回と%3回です（計算で求めた平均は%4回と%5回）。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Playing %L1 classes of %n group(s)…</source>
        <translation>
            <numerusform>%n班ずつのクラスで、%L1クラス分を実験しています…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 classes of %n group(s) played: how often they got the right answer shows with the answer (F5).</source>
        <translation>
            <numerusform>%n班ずつのクラスで、%L1クラス分を実験しました。正しい答えを出した割合は、答えといっしょに表示されます（F5）。</numerusform>
        </translation>
    </message>
    <message>
        <source>the answer is still being worked out</source>
        <translation>答えはまだ計算中です</translation>
    </message>
    <message>
        <source>%1. Thin lines on the chart: the class&apos;s averages so far.</source>
        <extracomment>%1 how far the class is, as &quot;3 of 30 groups done; averages 2.1 and 1.5&quot;.</extracomment>
        <translation>%1グラフの細い線は、ここまでのクラスの平均です。</translation>
    </message>
    <message>
        <source>All start &amp;together</source>
        <translation>全部の班がいっしょに始める(&amp;T)</translation>
    </message>
    <message>
        <source>Every group starts at once, rather than in turn: the same runs, over sooner</source>
        <translation>順番ではなく、すべての班がいっしょに始めます。実験は同じで、早く終わります</translation>
    </message>
    <message>
        <source>Large view</source>
        <translation>大きく表示</translation>
    </message>
    <message>
        <source>The boards over the whole window, to be seen from the back of the room (F6)</source>
        <translation>教室のうしろからも見えるように、班のマス目をウィンドウいっぱいに大きく表示します（F6）</translation>
    </message>
    <message>
        <source>%1 s</source>
        <extracomment>A time: %1 seconds, to a tenth.</extracomment>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <extracomment>A time: %1 minutes and %2 seconds.</extracomment>
        <translation>%1分%2秒</translation>
    </message>
    <message>
        <source>All the groups start together; at this speed the class takes %1.</source>
        <translation>すべての班がいっしょに始めます。この速さで、クラスの実験は%1かかります。</translation>
    </message>
    <message>
        <source>The groups start in turn over the first half of a run; at this speed the class takes %1.</source>
        <extracomment>%1 how long the class takes, as &quot;27 s&quot; or &quot;4 min 30 s&quot;.</extracomment>
        <translation>班は、1回の実験の前半の間に、順番に始めます。この速さで、クラスの実験は%1かかります。</translation>
    </message>
</context>
<context>
    <name>LargeClassView</name>
    <message>
        <source>The class at speed, large</source>
        <translation>早送りのクラスを大きく表示</translation>
    </message>
    <message>
        <source>Back to the page (F6)</source>
        <translation>もとのページにもどる（F6）</translation>
    </message>
</context>
<context>
    <name>Veil</name>
    <message>
        <source>Working out the answer…</source>
        <translation>答えを計算しています…</translation>
    </message>
</context>
</TS>
