<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>オプション「%1」はありません。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>次のオプションはありません：%1。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>オプション「%1」のあとに値がありません。</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>オプション「%1」には値をつけられません。</translation>
    </message>
</context>
<context>
    <name>stats::BoardMap</name>
    <message>
        <source>&quot;%1&quot;: Momotaro starts at the point</source>
        <extracomment>%1 is the board&apos;s caption.</extracomment>
        <translation>“%1”：桃太郎がそのマスからスタート</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: Momotaro waits at the point</source>
        <translation>“%1”：桃太郎がそのマスで待つ</translation>
    </message>
    <message>
        <source>%1 and more ◥</source>
        <extracomment>The top of the colour scale, past which the colour is clipped (a corner mark ◥ says so).</extracomment>
        <translation>%1以上 ◥</translation>
    </message>
    <message>
        <source>Meetings in a run, on average, for each start of Momotaro; Dog&apos;s start is circled. The best points are framed black and white.</source>
        <translation>桃太郎のスタート地点ごとの、1回の実験で出会う回数の平均です。犬のスタート地点は丸でかこみ、いちばんよいマスは黒と白のわくでかこんであります。</translation>
    </message>
</context>
<context>
    <name>stats::Charts</name>
    <message>
        <source>Chance (%)</source>
        <translation>割合（%）</translation>
    </message>
    <message numerus="yes">
        <source>● ■ %Ln simulated run(s)</source>
        <translation>
            <numerusform>● ■ シミュレーション%Ln回</numerusform>
        </translation>
    </message>
    <message>
        <source>▲ the class&apos;s runs</source>
        <translation>▲ クラスの実験</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <extracomment>Two keys to the marks side by side.</extracomment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>Meetings in one run of %1 s</source>
        <extracomment>A chart&apos;s title: %1 is a number of seconds.</extracomment>
        <translation>%1秒の実験1回で出会う回数</translation>
    </message>
    <message>
        <source>bars: exact chances; lines: exact averages, %1 and %2</source>
        <extracomment>%1 and %2 are the exact averages of the two ways.</extracomment>
        <translation>棒は計算で求めた割合、線は計算で求めた平均（%1と%2）</translation>
    </message>
    <message>
        <source>Meetings in the run</source>
        <translation>1回の実験で出会う回数</translation>
    </message>
    <message>
        <source>No meeting yet</source>
        <translation>まだ出会っていない割合</translation>
    </message>
    <message>
        <source>exact; ◆ half the runs have met</source>
        <translation>計算で求めた値（◆：半分の実験で出会った時間）</translation>
    </message>
    <message>
        <source>Seconds after Start</source>
        <extracomment>&quot;Start&quot; is the board&apos;s button, as the board shows it.</extracomment>
        <translation>“Start”をおしてからの秒数</translation>
    </message>
    <message>
        <source>Several runs of each</source>
        <translation>それぞれ何回か実験すると</translation>
    </message>
    <message>
        <source>meetings added up: who is ahead</source>
        <translation>出会った回数を合計して、どちらが多いか</translation>
    </message>
    <message>
        <source>Runs of each</source>
        <translation>それぞれの実験の回数</translation>
    </message>
    <message>
        <source>a tie</source>
        <translation>引き分け</translation>
    </message>
</context>
<context>
    <name>stats::ClassFile</name>
    <message>
        <source>the file is empty</source>
        <translation>ファイルが空です</translation>
    </message>
    <message>
        <source>no runs in it</source>
        <translation>実験の記録がありません</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>ふつうのファイルではありません</translation>
    </message>
    <message>
        <source>larger than 1 MiB, not a class&apos;s counts</source>
        <translation>1 MiBより大きいので、クラスの回数のファイルではありません</translation>
    </message>
    <message>
        <source>line %1 (group %2): &apos;%3&apos; is not a whole number of meetings from 0 to %4</source>
        <extracomment>%1 is the file&apos;s line, %2 the group&apos;s number, %3 the cell, %4 the largest count.</extracomment>
        <translation>%1行目（%2班）：「%3」は出会った回数（0から%4までの整数）ではありません</translation>
    </message>
    <message>
        <source>line %1 (group %2): more than two columns</source>
        <translation>%1行目（%2班）：列が3つ以上あります</translation>
    </message>
    <message>
        <source>line %1: more than %2 groups</source>
        <translation>%1行目：班が%2より多くなります</translation>
    </message>
</context>
<context>
    <name>stats::CommandLine</name>
    <message>
        <source>Works out how often Momotaro and Dog meet in one run of the board program,
for both scenarios: %1 (the board&apos;s &quot;%2&quot;) and
%3 (&quot;%4&quot;). First exactly, from the probability law
of the walk; then by simulating many runs with the same rules.

A run follows the board program: Start, then each walker&apos;s timer ticks every
0.2 s, Dog&apos;s first. Its ticks fall at 0.2 s, 0.4 s, ... after Start, each a
little late, and the first tick past the time limit still moves before it
stops its timer. So a run of S seconds has S / 0.2 ticks per timer, rounded
up (%5 ticks each, %6 steps in all, for the %7 s of the board program).</source>
        <extracomment>The help&apos;s description. Its lines break where they do here and wherever longer than 80 columns: a paragraph may be one line. %1 and %3 are the scenarios&apos; names, %2 and %4 the board&apos;s captions, %5 the ticks of each timer, %6 the steps, %7 the board&apos;s time limit in seconds.</extracomment>
        <translation>ボードのプログラムで1回実験したとき、桃太郎と犬が何回出会うかを求めます。%1（ボードの“%2”）と%3（“%4”）の両方について、まず歩き方から出会う回数の割合を計算で求め、次に同じルールで何回も実験をシミュレーションします。

1回の実験はボードのプログラムと同じように進みます。“Start”を押すと、桃太郎と犬のタイマーがそれぞれ0.2秒ごとに動き、犬が先に動きます。タイマーが動くのは“Start”から0.2秒、0.4秒、…のところで、毎回少しおくれます。制限時間をすぎた最初の1回も、タイマーが止まる前に1歩動きます。そのため、S秒の実験ではタイマーごとにS÷0.2回（小数は切り上げ）動きます（ボードのプログラムの%7秒なら、それぞれ%5回、合わせて%6歩）。</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>使い方：%1 [オプション]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション：</translation>
    </message>
    <message>
        <source>--%1: the file name must end in .%2: %3</source>
        <extracomment>%1 is an option, %2 (and %3) a file name&apos;s ending, the last the file named.</extracomment>
        <translation>--%1：ファイル名は.%2で終わる必要があります：%3</translation>
    </message>
    <message>
        <source>--%1: the file name must end in .%2 or .%3: %4</source>
        <translation>--%1：ファイル名は.%2か.%3で終わる必要があります：%4</translation>
    </message>
    <message>
        <source>--%1: no such folder: %2</source>
        <translation>--%1：フォルダがありません：%2</translation>
    </message>
    <message>
        <source>--%1: cannot write %2: %3</source>
        <extracomment>%1 is an option, %2 a file, %3 the system&apos;s reason.</extracomment>
        <translation>--%1：%2に書き込めません：%3</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>The run&apos;s time limit in seconds, above 0 and at most %1 (default %2).</source>
        <translation>1回の実験の制限時間を秒で指定します。0より大きく%1以下です（省略時は%2）。</translation>
    </message>
    <message>
        <source>Simulated runs of each scenario, 1 to %1 (default %2).</source>
        <translation>それぞれのやり方でシミュレーションする実験の回数を指定します。1から%1までです（省略時は%2）。</translation>
    </message>
    <message>
        <source>The simulation&apos;s seed (default 1): the same seed gives the same numbers.</source>
        <translation>シミュレーションの乱数の種を指定します（省略時は1）。同じ種なら同じ結果になります。</translation>
    </message>
    <message>
        <source>Threads for the simulation, 1 to %1 (default: one per core).</source>
        <translation>シミュレーションに使うスレッドの数を指定します。1から%1までです（省略時はコア1つにつき1つ）。</translation>
    </message>
    <message>
        <source>Print the whole result as JSON instead of the table.</source>
        <translation>表のかわりに、結果全体をJSONで出力します。</translation>
    </message>
    <message>
        <source>Write the meetings of every simulated run into FILE (-: to standard output, instead of the table).</source>
        <translation>シミュレーションしたすべての実験の出会った回数をFILEに書き出します（-なら表のかわりに標準出力へ）。</translation>
    </message>
    <message>
        <source>Runs of each way the pupils&apos; sheet has rows for, 1 to %1 (default %2).</source>
        <translation>児童用の用紙の表に、それぞれのやり方で何回分の行を作るかを指定します。1から%1までです（省略時は%2）。</translation>
    </message>
    <message>
        <source>The sheets&apos; paper, A4 or Letter (default A4).</source>
        <translation>用紙のサイズをA4かLetterで指定します（省略時はA4）。</translation>
    </message>
    <message>
        <source>--%1: no value given (expected %2)</source>
        <translation>--%1：値がありません（%2の形で指定してください）</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>よけいな引数があります：%1</translation>
    </message>
    <message>
        <source>--%1: expected X,Y with whole numbers 0..10, got &apos;%2&apos;</source>
        <translation>--%1：0から10までの整数をX,Yの形で指定してください（指定されたのは「%2」）</translation>
    </message>
    <message>
        <source>--seconds: expected a number of seconds above 0 and at most %1, got &apos;%2&apos;</source>
        <translation>--seconds：0より大きく%1以下の秒数を指定してください（指定されたのは「%2」）</translation>
    </message>
    <message>
        <source>--%1: expected a whole number from %2 to %3, got &apos;%4&apos;</source>
        <translation>--%1：%2から%3までの整数を指定してください（指定されたのは「%4」）</translation>
    </message>
    <message>
        <source>--paper: expected A4 or Letter, got &apos;%1&apos;</source>
        <translation>--paper：A4かLetterを指定してください（指定されたのは「%1」）</translation>
    </message>
    <message>
        <source>--seed: expected a whole number from 0 to %1, got &apos;%2&apos;</source>
        <translation>--seed：0から%1までの整数を指定してください（指定されたのは「%2」）</translation>
    </message>
    <message>
        <source>--class: %1: %2</source>
        <translation>--class：%1：%2</translation>
    </message>
    <message>
        <source>--%1: the file name is empty</source>
        <translation>--%1：ファイル名が空です</translation>
    </message>
    <message>
        <source>--%1 and --%2 name the same file: %3</source>
        <translation>--%1と--%2が同じファイルを指しています：%3</translation>
    </message>
    <message>
        <source>Draw the meetings per run, the chance of no meeting yet and several runs of each into FILE (.png or .svg; -: PNG to standard output, instead of the table).</source>
        <translation>1回の実験で出会う回数、まだ出会っていない割合、それぞれ何回か実験したときの結果のグラフをFILE（.pngか.svg）に保存します。FILEを「-」にすると、表のかわりにPNGを標準出力に書き出します。</translation>
    </message>
    <message>
        <source>Draw where Momotaro should start or wait into FILE (.png or .svg; -: PNG to standard output, instead of the table).</source>
        <translation>桃太郎がどこからスタートする（どこで待つ）とよいかの図をFILE（.pngか.svg）に保存します。FILEを「-」にすると、表のかわりにPNGを標準出力に書き出します。</translation>
    </message>
    <message>
        <source>Compare the class&apos;s own counts with the answer: a CSV FILE with a header row, then one row a run, the meetings of &quot;%1&quot; and of &quot;%2&quot; (either may be blank), whole numbers 0 to %3. Not read from standard input: a file named - is ./-.</source>
        <translation>クラスで数えた回数を答えとくらべます。FILEはCSVで、1行目は見出し、そのあとは実験1回につき1行に、“%1”と“%2”で出会った回数（0から%3までの整数、どちらかは空でもよい）を書きます。標準入力からは読みません。「-」という名前のファイルは「./-」と書きます。</translation>
    </message>
    <message>
        <source>Write the pupils&apos; sheet for the lesson into FILE (.pdf; -: to standard output, instead of the table): the story, the start points, a table to tally each run; no answer.</source>
        <translation>授業で使う児童用の用紙をFILE（.pdf）に書き出します。FILEを「-」にすると、表のかわりに標準出力に書き出します。お話、スタート地点、実験ごとに回数を記録する表がのり、答えはのりません。</translation>
    </message>
    <message>
        <source>Write the teacher&apos;s sheet into FILE (.pdf; -: to standard output, instead of the table): the answer, its figures and charts, and the class&apos;s counts with --class.</source>
        <translation>先生用の用紙をFILE（.pdf）に書き出します。FILEを「-」にすると、表のかわりに標準出力に書き出します。答えとその数値やグラフ、--classを指定したときはクラスで数えた回数がのります。</translation>
    </message>
    <message>
        <source>--class: standard input is not read: name the class&apos;s file (./- for a file named -)</source>
        <translation>--class：標準入力からは読みません。クラスのファイルの名前を指定してください（「-」という名前のファイルは「./-」と書きます）</translation>
    </message>
    <message>
        <source>%1 and %2 both write to standard output</source>
        <extracomment>%1 and %2 are options as typed: &quot;--plot -&quot;, &quot;--json&quot;.</extracomment>
        <translation>%1と%2はどちらも標準出力に書き出すので、いっしょには使えません</translation>
    </message>
    <message>
        <source>Momotaro&apos;s start point (default %1).</source>
        <translation>桃太郎のスタート地点を指定します（省略時は%1）。</translation>
    </message>
    <message>
        <source>Dog&apos;s start point (default %1).</source>
        <translation>犬のスタート地点を指定します（省略時は%1）。</translation>
    </message>
</context>
<context>
    <name>stats::Pictures</name>
    <message>
        <source>d MMMM yyyy</source>
        <extracomment>How a date is written on the pictures and sheets, in QDate&apos;s format: &quot;8 December 2026&quot;.</extracomment>
        <translation>yyyy年M月d日</translation>
    </message>
    <message>
        <source>Momotaro starts at (%1, %2), Dog at (%3, %4); runs of %5 s. %6</source>
        <extracomment>%1 and %2 are Momotaro&apos;s start, %3 and %4 Dog&apos;s, %5 the run&apos;s seconds, %6 the date.</extracomment>
        <translation>桃太郎は(%1, %2)、犬は(%3, %4)からスタート、1回の実験は%5秒。%6</translation>
    </message>
</context>
<context>
    <name>stats::Sheets</name>
    <message>
        <source>Momotaro starts at (%1, %2), Dog at (%3, %4). Each run lasts %5 seconds (a step every 0.2 s).</source>
        <extracomment>%1 and %2 are Momotaro&apos;s start, %3 and %4 Dog&apos;s, %5 the run&apos;s seconds.</extracomment>
        <translation>桃太郎は(%1, %2)、犬は(%3, %4)からスタートします（よこ・たての順）。1回の実験は%5秒です（0.2秒ごとに1歩）。</translation>
    </message>
    <message>
        <source>%1: a stroke a meeting</source>
        <extracomment>The tally&apos;s columns: a way&apos;s name, where a group makes a stroke for each meeting. A line break may divide it.</extracomment>
        <translation>%1
出会ったら「正」の字を1画</translation>
    </message>
    <message>
        <source>Run</source>
        <extracomment>The tally&apos;s columns: the run&apos;s number, and each run&apos;s count of meetings.</extracomment>
        <translation>回目</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>回数</translation>
    </message>
    <message>
        <source>In all</source>
        <translation>合計</translation>
    </message>
    <message>
        <source>Meetling experiment: who finds whom first?</source>
        <extracomment>The pupils&apos; sheet&apos;s title; &quot;Meetling experiment&quot; is the board program&apos;s name.</extracomment>
        <translation>出会いの実験：どうすれば早く出会える？</translation>
    </message>
    <message>
        <source>Two people look for each other in a crowd. Is it faster for both to wander, or for one to stand still and wait? Momotaro and Dog try it on an 11 × 11 board. At every step a walker moves one point in one of eight directions, chosen at random, and stays on the board. When they land on the same point, that is a meeting, and both go back to their start points. “%1”: both wander. “%2”: Dog wanders, Momotaro waits where he started.</source>
        <extracomment>%1 and %2 are the board&apos;s captions.</extracomment>
        <translation>人ごみの中で、ふたりがおたがいをさがしています。ふたりとも歩き回るのと、ひとりがじっと待つのとでは、どちらが早く出会えるでしょうか。桃太郎と犬が、たて11マス・よこ11マスのマス目でためしてみます。桃太郎も犬も、1歩ごとに、たて・よこ・ななめの8つの方向のどれかにランダムに1マス動きます。マス目の外には出ません。ふたりが同じマスに来たら「出会い」で、ふたりともそれぞれのスタート地点にもどります。“%1”：ふたりとも歩き回る。“%2”：犬が歩き回り、桃太郎はスタート地点で待つ。</translation>
    </message>
    <message>
        <source>Group: ______________________   Names: ____________________________________________</source>
        <extracomment>Lines for the group to write on.</extracomment>
        <translation>班：______________________&#x3000;&#x3000;名前：____________________________________________</translation>
    </message>
    <message>
        <source>Our guess, before we start: which way do Momotaro and Dog meet more often in a run, and why?</source>
        <translation>実験の前の予想：1回の実験で、桃太郎と犬はどちらのやり方のほうが多く出会うでしょうか。それはなぜでしょうか。</translation>
    </message>
    <message numerus="yes">
        <source>Run each way %Ln time(s). Make a stroke for every meeting, then write each run&apos;s count.</source>
        <translation>
            <numerusform>それぞれのやり方で%Ln回実験します。出会うたびに「正」の字を1画ずつ書き、実験ごとに出会った回数を数字で書きましょう。</numerusform>
        </translation>
    </message>
    <message>
        <source>What our runs say: which way met more often, on average? Was our guess right?</source>
        <translation>実験の結果：平均すると、どちらのやり方のほうが多く出会いましたか。予想は当たっていましたか。</translation>
    </message>
    <message>
        <source>Meetling experiment: the answer</source>
        <extracomment>The teacher&apos;s sheet&apos;s title; &quot;Meetling experiment&quot; is the board program&apos;s name.</extracomment>
        <translation>出会いの実験：答え</translation>
    </message>
    <message>
        <source>%1 (“%2”)</source>
        <extracomment>A column&apos;s heading: %1 is a way&apos;s name, %2 the board&apos;s caption.</extracomment>
        <translation>%1（“%2”）</translation>
    </message>
    <message>
        <source>Our class</source>
        <translation>わたしたちのクラス</translation>
    </message>
    <message>
        <source>Our class (simulated counts)</source>
        <translation>わたしたちのクラス（シミュレーションした回数）</translation>
    </message>
    <message>
        <source>Meetling experiment: the pupils&apos; sheet</source>
        <translation>出会いの実験：児童用の用紙</translation>
    </message>
    <message>
        <source>Meetling experiment: the teacher&apos;s sheet</source>
        <translation>出会いの実験：先生用の用紙</translation>
    </message>
</context>
<context>
    <name>stats::Table</name>
    <message>
        <source>&lt;%1</source>
        <extracomment>A share too small to show as 0.01%.</extracomment>
        <translation>%1未満</translation>
    </message>
    <message numerus="yes">
        <source>Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %Ln tick(s) of each walker&apos;s timer, as on the board.</source>
        <extracomment>%1 and %2 are start points &quot;(4, 4)&quot;, %3 a number of seconds, %Ln the ticks of each walker&apos;s timer.</extracomment>
        <translation>
            <numerusform>桃太郎は%1、犬は%2からスタートします。1回の実験は%3秒で、ボードと同じように、それぞれのタイマーが%Ln回動きます。</numerusform>
        </translation>
    </message>
    <message>
        <source>The answer</source>
        <translation>答え</translation>
    </message>
    <message>
        <source>The class&apos;s own runs (%1)</source>
        <extracomment>A heading: %1 is the class&apos;s file.</extracomment>
        <translation>クラスの実験（%1）</translation>
    </message>
    <message>
        <source>The class&apos;s runs, simulated (%1)</source>
        <translation>シミュレーションしたクラスの実験（%1）</translation>
    </message>
    <message>
        <source>Runs counted</source>
        <translation>数えた実験の回数</translation>
    </message>
    <message>
        <source>Their average, meetings in a run</source>
        <translation>クラスの平均（出会う回数）</translation>
    </message>
    <message>
        <source>The exact average</source>
        <translation>計算で求めた平均</translation>
    </message>
    <message>
        <source>An average this far off, or further</source>
        <translation>平均がこれ以上ずれる割合</translation>
    </message>
    <message>
        <source>In detail, exactly</source>
        <translation>くわしい数字（計算で求めた値）</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <extracomment>A board&apos;s caption quoted.</extracomment>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>If the run had no time limit:</source>
        <translation>実験に制限時間がなかったら：</translation>
    </message>
    <message>
        <source>the first meeting, on average, after</source>
        <translation>最初に出会うまでの平均時間</translation>
    </message>
    <message>
        <source>half of the runs meet within</source>
        <translation>半分の実験で出会うまでの時間（中央値）</translation>
    </message>
    <message>
        <source>never</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Several runs of each, their meetings added up:</source>
        <translation>それぞれ何回か実験して、出会った回数を合計すると：</translation>
    </message>
    <message>
        <source>%1 ahead</source>
        <extracomment>A column&apos;s heading: how often the way&apos;s meetings add up to more. %1 is its name; a line break may divide the heading.</extracomment>
        <translation>%1
ほうが多い</translation>
    </message>
    <message>
        <source>a tie</source>
        <translation>引き分け</translation>
    </message>
    <message numerus="yes">
        <source>Simulated: %Ln run(s) of each, seed %1, on %2</source>
        <extracomment>%Ln runs of each way, %1 the seed, %2 the threads (&quot;2 threads&quot;).</extracomment>
        <translation>
            <numerusform>シミュレーション：それぞれ%Ln回（乱数の種%1、%2で計算）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln thread(s)</source>
        <translation>
            <numerusform>%Ln個のスレッド</numerusform>
        </translation>
    </message>
    <message>
        <source>Too few runs for a 99% interval around these averages: it takes at least %1.</source>
        <translation>実験の回数が少なすぎて、この平均の99%信頼区間は出せません。%1回以上必要です。</translation>
    </message>
    <message>
        <source>99% interval of that average</source>
        <translation>その平均の99%信頼区間</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <extracomment>The ends of an interval.</extracomment>
        <translation>%1～%2</translation>
    </message>
    <message>
        <source>The exact average inside it</source>
        <translation>計算で求めた平均が区間に入るか</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>no</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Counts fit the exact chances</source>
        <translation>回数の分布が計算と合うか</translation>
    </message>
    <message>
        <source>too few runs</source>
        <translation>実験の回数が少なすぎる</translation>
    </message>
    <message>
        <source>yes (p = %1)</source>
        <extracomment>Whether the counts fit, with the chi-square test&apos;s p value.</extracomment>
        <translation>はい（p = %1）</translation>
    </message>
    <message>
        <source>no (p = %1)</source>
        <translation>いいえ（p = %1）</translation>
    </message>
    <message>
        <source>Note: for %1 the exact average lies outside the 99% interval; that happens by chance about once in a hundred seeds.</source>
        <translation>注意：%1では、計算で求めた平均が99%信頼区間の外にあります。これは偶然でも、乱数の種100個に1個くらいは起こります。</translation>
    </message>
    <message>
        <source>Note: for %1 the simulated counts differ from the exact chances more than chance explains in 99 seeds out of 100.</source>
        <translation>注意：%1では、シミュレーションの回数が計算で求めた割合から、偶然では説明できないほどずれています（乱数の種100個中99個では、ここまでずれません）。</translation>
    </message>
    <message>
        <source>How many meetings
a run counts</source>
        <extracomment>Two lines of a column&apos;s heading: the counts of meetings a run may have.</extracomment>
        <translation>1回の実験で
出会う回数</translation>
    </message>
    <message>
        <source>exact</source>
        <translation>計算</translation>
    </message>
    <message>
        <source>simulated</source>
        <translation>シミュレーション</translation>
    </message>
</context>
<context>
    <name>stats::Tool</name>
    <message>
        <source>cannot write standard output: %1</source>
        <translation>標準出力に書き込めません：%1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1に書き込めません：%2</translation>
    </message>
    <message>
        <source>working out the exact law</source>
        <translation>出会う回数の割合を計算中</translation>
    </message>
    <message>
        <source>simulating</source>
        <translation>シミュレーション中</translation>
    </message>
</context>
<context>
    <name>stats::Verdicts</name>
    <message>
        <source>when both wander</source>
        <translation>ふたりとも歩き回るとき</translation>
    </message>
    <message>
        <source>when Momotaro waits</source>
        <translation>桃太郎が待つとき</translation>
    </message>
    <message>
        <source>%1&#xa0;s</source>
        <extracomment>A number of seconds in a sentence; the no-break space keeps it on one line.</extracomment>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>less than %1</source>
        <comment>meetings in a run: %1 is 0.001</comment>
        <translation>%1未満</translation>
    </message>
    <message>
        <source>In %1 runs both ways meet equally often: %2 meetings a run on average.</source>
        <extracomment>%1 is a run&apos;s length (&quot;4 s&quot;), %2 meetings.</extracomment>
        <translation>%1の実験では、どちらのやり方でも出会う回数は同じです。1回の実験で出会う回数の平均は%2です。</translation>
    </message>
    <message>
        <source>In %1 runs %2 meets more often: %3 meetings a run on average, against %4 %5.</source>
        <extracomment>%1 is a run&apos;s length (&quot;4 s&quot;), %2 the way that meets more, %3 and %4 the meetings, %5 the other way (&quot;when Momotaro waits&quot;).</extracomment>
        <translation>%1の実験では、%2が多く出会います。1回の実験で出会う回数の平均は%3で、%5は%4です。</translation>
    </message>
    <message>
        <source>Add up the meetings of %1, and %2 comes out ahead 9 times in 10.</source>
        <translation>%1実験して出会った回数を合計すると、10回中9回は%2が多くなります。</translation>
    </message>
    <message>
        <source>A class could not see it: even with %1, %2 comes out ahead less than 9 times in 10.</source>
        <translation>クラスの実験ではこの差はたしかめられません。%1実験しても、%2が多くなるのは10回中9回に届きません。</translation>
    </message>
    <message>
        <source>A class could not see it: it takes %1 for %2 to come out ahead 9 times in 10.</source>
        <translation>クラスの実験ではこの差はたしかめられません。%2が10回中9回多くなるには、%1の実験が必要です。</translation>
    </message>
    <message>
        <source>One run of each already gets it right 9 times in 10, and 99 times in 100.</source>
        <translation>それぞれ1回ずつの実験でも、10回中9回、さらに100回中99回は正しい答えになります。</translation>
    </message>
    <message>
        <source>One run of each already gets it right 9 times in 10; with %1, 99 times in 100.</source>
        <translation>それぞれ1回ずつの実験でも10回中9回は正しい答えになり、%1なら100回中99回は正しくなります。</translation>
    </message>
    <message>
        <source>One run of each already gets it right 9 times in 10.</source>
        <translation>それぞれ1回ずつの実験でも、10回中9回は正しい答えになります。</translation>
    </message>
    <message>
        <source>Add up the meetings of %1, and %2 comes out ahead 9 times in 10, and 99 times in 100.</source>
        <translation>%1実験して出会った回数を合計すると、10回中9回、さらに100回中99回は%2が多くなります。</translation>
    </message>
    <message>
        <source>Add up the meetings of %1, and %2 comes out ahead 9 times in 10; with %3, 99 times in 100.</source>
        <extracomment>%1 and %3 are runs of each (&quot;4 runs of each&quot;), %2 the faster way.</extracomment>
        <translation>%1実験して出会った回数を合計すると、10回中9回は%2が多くなります。%3なら100回中99回です。</translation>
    </message>
    <message>
        <source>Most %1 runs count no meeting: with one run of each, neither meets %2 of the time.</source>
        <extracomment>%1 is a run&apos;s length (&quot;10 s&quot;), %2 a chance.</extracomment>
        <translation>%1の実験では、1回も出会わない実験のほうが多くなります。それぞれ1回ずつ実験すると、%2の割合でどちらも出会いません。</translation>
    </message>
    <message>
        <source>One run of each always puts %1 ahead.</source>
        <translation>それぞれ1回ずつの実験でも、かならず%1が多くなります。</translation>
    </message>
    <message>
        <source>One run of each can still mislead: %1 comes out ahead %2 of the time, and %3 of the time it is a tie.</source>
        <extracomment>%1 is the slower way, %2 and %3 chances.</extracomment>
        <translation>それぞれ1回ずつの実験では、まちがえることもあります。%2の割合で%1が多くなり、%3の割合で引き分けになります。</translation>
    </message>
    <message>
        <source>One run of each never puts %1 ahead, but %2 of the time it is a tie.</source>
        <translation>それぞれ1回ずつの実験で%1が多くなることはありませんが、%2の割合で引き分けになります。</translation>
    </message>
    <message>
        <source>runs of %1 would settle it</source>
        <translation>%1の実験なら決着がつく</translation>
    </message>
    <message>
        <source>no run up to %1 settles it</source>
        <translation>%1までのどの長さの実験でも決着はつかない</translation>
    </message>
    <message>
        <source>In runs of %1, %2 is clearly faster.</source>
        <translation>%1の実験なら、%2がはっきり早くなります。</translation>
    </message>
    <message>
        <source>Even in runs of %1 neither way is clearly faster.</source>
        <translation>%1の実験でも、どちらのやり方もはっきり早いとはいえません。</translation>
    </message>
    <message>
        <source>Faster means they find each other more often in the run: more meetings in a run, on average.</source>
        <translation>ここで「早い」とは、1回の実験の中でたくさん出会えること、つまり1回の実験で出会う回数の平均が多いことです。</translation>
    </message>
    <message>
        <source>Starting together on one point does not count as a meeting: a meeting is landing on the same point after a step.</source>
        <translation>同じマスからいっしょにスタートしても、出会いには数えません。出会いとは、1歩動いたあとに同じマスに来ることです。</translation>
    </message>
    <message>
        <source>Both wandering is faster: %1 meetings a run against %2</source>
        <translation>ふたりとも歩き回るほうが早い：1回の実験で出会う回数の平均は%1、桃太郎が待つほうは%2</translation>
    </message>
    <message>
        <source>Momotaro waiting is faster: %1 meetings a run against %2</source>
        <translation>桃太郎が待つほうが早い：1回の実験で出会う回数の平均は%1、ふたりとも歩き回るほうは%2</translation>
    </message>
    <message>
        <source>No meeting is possible in %1 runs: %2</source>
        <extracomment>%1 is the run&apos;s length (&quot;4 s&quot;), %2 the run that settles the question.</extracomment>
        <translation>%1の実験では出会えない：%2</translation>
    </message>
    <message>
        <source>From these start points the walkers cannot reach each other within %1, whichever way they walk.</source>
        <translation>このスタート地点からでは、どう歩いても%1以内にふたりは出会えません。</translation>
    </message>
    <message>
        <source>%1 runs are too short to tell: %2</source>
        <extracomment>%1 is the run&apos;s length (&quot;4 s&quot;), %2 the run that settles the question.</extracomment>
        <translation>%1の実験では短すぎてわからない：%2</translation>
    </message>
    <message>
        <source>Most %1 runs count no meeting: %2 of them when both wander, %3 when Momotaro waits.</source>
        <extracomment>%1 is the run&apos;s length (&quot;4 s&quot;), %2 and %3 chances.</extracomment>
        <translation>%1の実験では、1回も出会わない実験のほうが多くなります。その割合は、ふたりとも歩き回るときは%2、桃太郎が待つときは%3です。</translation>
    </message>
    <message>
        <source>Meetings and waiting times disagree in %1 runs: %2</source>
        <extracomment>%1 is the run&apos;s length (&quot;4 s&quot;), %2 the run that settles the question.</extracomment>
        <translation>%1の実験では、出会う回数と待ち時間で結果が食いちがう：%2</translation>
    </message>
    <message>
        <source>But with no time limit the first meeting comes sooner %1: after %2 on average, against %3; in longer runs that way meets more often.</source>
        <extracomment>%1 is a way (&quot;when both wander&quot;), %2 and %3 numbers of seconds.</extracomment>
        <translation>でも、制限時間がなければ、%1のほうが最初の出会いが早くなります。平均で%2後、もう一方は%3後です。もっと長い実験なら、こちらのやり方のほうが多く出会います。</translation>
    </message>
    <message>
        <source>Practically a tie in %1 runs: %2</source>
        <extracomment>%1 is the run&apos;s length (&quot;4 s&quot;), %2 the run that settles the question.</extracomment>
        <translation>%1の実験ではほとんど引き分け：%2</translation>
    </message>
</context>
<context>
    <name>stats::Wording</name>
    <message>
        <source>%1%</source>
        <extracomment>A percentage: %1 is the number.</extracomment>
        <translation>%1%</translation>
    </message>
    <message>
        <source>more than %1</source>
        <comment>a chance: %1 is 99.9%</comment>
        <translation>%1より大きい</translation>
    </message>
    <message>
        <source>less than %1</source>
        <comment>a chance: %1 is 0.1%</comment>
        <translation>%1未満</translation>
    </message>
    <message>
        <source>Both wander</source>
        <translation>ふたりとも歩き回る</translation>
    </message>
    <message>
        <source>Momotaro waits</source>
        <translation>桃太郎が待つ</translation>
    </message>
    <message>
        <source>both wandering</source>
        <extracomment>The way as the subject of a sentence: &quot;both wandering meets more often&quot;.</extracomment>
        <translation>ふたりとも歩き回るほう</translation>
    </message>
    <message>
        <source>Momotaro waiting</source>
        <translation>桃太郎が待つほう</translation>
    </message>
    <message numerus="yes">
        <source>%Ln run(s) of each</source>
        <extracomment>Runs of each way, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>それぞれ%Ln回</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <extracomment>A way&apos;s name quoted in a sentence.</extracomment>
        <translation>「%1」</translation>
    </message>
    <message>
        <source>Meetings in a run, on average</source>
        <translation>1回の実験で出会う回数の平均</translation>
    </message>
    <message>
        <source>At least one meeting in the run</source>
        <translation>1回の実験で1回以上出会う割合</translation>
    </message>
    <message>
        <source>First meeting, on average, if the run had no time limit</source>
        <translation>制限時間がないときの、最初に出会うまでの平均時間</translation>
    </message>
    <message>
        <source>Runs of each for the right answer 9 times in 10</source>
        <translation>10回中9回正しい答えになる実験の回数（それぞれ）</translation>
    </message>
    <message>
        <source>%1 s</source>
        <extracomment>A number of seconds.</extracomment>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>never: no meeting is possible</source>
        <translation>なし（出会えない）</translation>
    </message>
    <message>
        <source>never: neither way is faster</source>
        <translation>なし（どちらも同じ）</translation>
    </message>
    <message>
        <source>never: %1 is the slower way</source>
        <translation>なし（%1がおそいため）</translation>
    </message>
    <message>
        <source>more than %1</source>
        <comment>runs of each: %1 is their number</comment>
        <translation>%1より大きい</translation>
    </message>
    <message>
        <source>less than 1 class in a million</source>
        <translation>100万クラスに1クラス未満</translation>
    </message>
    <message>
        <source>nearly every class</source>
        <translation>ほとんどのクラス</translation>
    </message>
    <message>
        <source>about %1 classes in 10</source>
        <translation>10クラスに%1クラスくらい</translation>
    </message>
    <message>
        <source>about 1 class in %1</source>
        <translation>%1クラスに1クラスくらい</translation>
    </message>
    <message>
        <source>%1: no group ran it</source>
        <translation>%1：実験した班はありません</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 in %Ln run(s), %3 a run on average</source>
        <extracomment>%1 is a way&apos;s name, %2 its meetings counted (&quot;283 meetings&quot;), %3 their average.</extracomment>
        <translation>
            <numerusform>%1：%Ln回の実験で出会いは%2、1回あたり平均%3回</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln meeting(s)</source>
        <translation>
            <numerusform>%Ln回</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the class&apos;s average matches the exact %2; %3 would see a difference this large.</source>
        <extracomment>%1 is a way&apos;s name, %2 the exact average, %3 how many classes (&quot;about 1 class in 9&quot;).</extracomment>
        <translation>%1：クラスの平均は、計算で求めた%2とよく合っています。これくらいの差が出るのは%3です。</translation>
    </message>
    <message>
        <source>%1: the class&apos;s average is %2 above the exact %3; %4 would see a difference this large.</source>
        <extracomment>%1 is a way&apos;s name, %2 how far the class&apos;s average is off, %3 the exact average, %4 how many classes (&quot;about 1 class in 9&quot;).</extracomment>
        <translation>%1：クラスの平均は、計算で求めた%3より%2大きくなっています。これくらいの差が出るのは%4です。</translation>
    </message>
    <message>
        <source>%1: the class&apos;s average is %2 below the exact %3; %4 would see a difference this large.</source>
        <extracomment>%1 is a way&apos;s name, %2 how far the class&apos;s average is off, %3 the exact average, %4 how many classes (&quot;about 1 class in 9&quot;).</extracomment>
        <translation>%1：クラスの平均は、計算で求めた%3より%2小さくなっています。これくらいの差が出るのは%4です。</translation>
    </message>
    <message>
        <source>The class&apos;s results agree with the answer.</source>
        <translation>クラスの結果は答えと合っています。</translation>
    </message>
    <message>
        <source>That is unusual for %1: check the start points, the length of the runs and the counts.</source>
        <translation>%1ではめずらしい結果です。スタート地点、実験の長さ、数えた回数をたしかめてください。</translation>
    </message>
    <message>
        <source>That is unusual for %1 and %2: check the start points, the length of the runs and the counts.</source>
        <translation>%1と%2ではめずらしい結果です。スタート地点、実験の長さ、数えた回数をたしかめてください。</translation>
    </message>
    <message>
        <source>Their two averages are equal, so they point neither way.</source>
        <translation>ふたつの平均が同じなので、どちらとも言えません。</translation>
    </message>
    <message>
        <source>On average %1 met more.</source>
        <translation>平均すると、%1が多く出会いました。</translation>
    </message>
    <message>
        <source>Their averages point the right way: %1 met more.</source>
        <translation>平均を見ると、正しい答えになっています。%1が多く出会いました。</translation>
    </message>
    <message>
        <source>Their averages point the wrong way: %1 met more.</source>
        <translation>平均を見ると、まちがった答えになっています。%1が多く出会いました。</translation>
    </message>
    <message>
        <source>the class&apos;s totals say %1</source>
        <translation>クラスの合計では%1が多くなりました</translation>
    </message>
    <message>
        <source>the class&apos;s totals are a tie</source>
        <translation>クラスの合計は引き分けでした</translation>
    </message>
    <message>
        <source>the class&apos;s totals are a tie, while exactly %1 meets more</source>
        <translation>クラスの合計は引き分けでしたが、計算では%1が多く出会います</translation>
    </message>
    <message>
        <source>the class&apos;s totals are a tie, as the exact averages are</source>
        <translation>クラスの合計は引き分けで、計算で求めた平均も同じです</translation>
    </message>
    <message>
        <source>the class&apos;s totals say %1, though exactly both ways meet alike</source>
        <translation>クラスの合計では%1が多くなりましたが、計算ではどちらも同じだけ出会います</translation>
    </message>
    <message>
        <source>the class&apos;s totals say %1, as the exact answer does</source>
        <translation>クラスの合計では%1が多くなり、計算で求めた答えと同じです</translation>
    </message>
    <message>
        <source>the class&apos;s totals say %1, against the exact answer, %2</source>
        <extracomment>%1 is the way the class&apos;s totals put ahead, %2 the way that exactly meets more.</extracomment>
        <translation>クラスの合計では%1が多くなりましたが、計算で求めた答えは%2です</translation>
    </message>
    <message>
        <source>No group has finished its runs yet.</source>
        <translation>まだどの班も実験を終えていません。</translation>
    </message>
    <message numerus="yes">
        <source>So far: %1 met more in %2 of %Ln group(s); %3.</source>
        <extracomment>%1 is the way more groups met more with, %2 how many groups did, %3 what the class&apos;s totals say.</extracomment>
        <translation>
            <numerusform>ここまでのところ、%Ln班中%2班で%1が多く出会いました。%3。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 met more in %2 of %Ln group(s); %3.</source>
        <extracomment>%1 is the way more groups met more with, %2 how many groups did, %3 what the class&apos;s totals say.</extracomment>
        <translation>
            <numerusform>%Ln班中%2班で%1が多く出会いました。%3。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, within the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</source>
        <extracomment>%1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.</extracomment>
        <translation>
            <numerusform>%Ln班のクラスを%1クラス分シミュレーションすると、合計で%2が多くなったのは%3クラス（%4）でした。計算で求めた割合は%5で、シミュレーションの誤差の範囲内です（100回中99回は%6～%7クラスになります）。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, further off than the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</source>
        <extracomment>%1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.</extracomment>
        <translation>
            <numerusform>%Ln班のクラスを%1クラス分シミュレーションすると、合計で%2が多くなったのは%3クラス（%4）でした。計算で求めた割合は%5で、シミュレーションの誤差よりも大きくずれています（100回中99回は%6～%7クラスになるはずです）。</numerusform>
        </translation>
    </message>
</context>
</TS>
