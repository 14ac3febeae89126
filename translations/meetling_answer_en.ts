<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AnswerPages</name>
    <message numerus="yes">
        <source>%1: %n run(s)</source>
        <extracomment>A key on the chart of how many runs: %1 is a share of the runs, as &quot;9 in 10&quot;; %n runs of each way.</extracomment>
        <translation>
            <numerusform>%1: %n run</numerusform>
            <numerusform>%1: %n runs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: over %n run(s)</source>
        <extracomment>A key on the chart of how many runs: %1 is a share of the runs, as &quot;9 in 10&quot;; more than %n runs of each way.</extracomment>
        <translation>
            <numerusform>%1: over %n run</numerusform>
            <numerusform>%1: over %n runs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %Ln more group(s)</source>
        <translation>
            <numerusform>… and %Ln more group</numerusform>
            <numerusform>… and %Ln more groups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n meeting(s): %2%</source>
        <extracomment>%1 a way (&quot;Both wander&quot;), %n a count of meetings in a run, %2 its chance in percent.</extracomment>
        <translation>
            <numerusform>%1, %n meeting: %2%</numerusform>
            <numerusform>%1, %n meetings: %2%</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Our class already holds counts. Replace them with the %Ln simulated group(s)?</source>
        <translation>
            <numerusform>Our class already holds counts. Replace them with the %Ln simulated group?</numerusform>
            <numerusform>Our class already holds counts. Replace them with the %Ln simulated groups?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClassTable</name>
    <message numerus="yes">
        <source>%1: %n group(s) counted</source>
        <translation>
            <numerusform>%1: %n group counted</numerusform>
            <numerusform>%1: %n groups counted</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClassAtSpeedPage</name>
    <message numerus="yes">
        <source>Run %Ln class(es)</source>
        <translation>
            <numerusform>Run %Ln class</numerusform>
            <numerusform>Run %Ln classes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Play the class %Ln time(s), unseen, to see how often a class this size gets the right answer</source>
        <translation>
            <numerusform>Play the class %Ln time, unseen, to see how often a class this size gets the right answer</numerusform>
            <numerusform>Play the class %Ln times, unseen, to see how often a class this size gets the right answer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n group(s) run both ways, %L1 s each, from the board&apos;s start points; each group&apos;s counts join the chart as it finishes.</source>
        <translation>
            <numerusform>%n group runs both ways, %L1 s each, from the board&apos;s start points; its counts join the chart as it finishes.</numerusform>
            <numerusform>%n groups run both ways, %L1 s each, from the board&apos;s start points; each group&apos;s counts join the chart as it finishes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done</source>
        <translation>
            <numerusform>%L1 of %n group done</numerusform>
            <numerusform>%L1 of %n groups done</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages: exact %2 and %3</source>
        <extracomment>%1 groups done; %2 and %3 the exact meetings in a run on average, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>%L1 of %n group done; averages: exact %2 and %3</numerusform>
            <numerusform>%L1 of %n groups done; averages: exact %2 and %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages %2 and %3</source>
        <extracomment>%1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>%L1 of %n group done; averages %2 and %3</numerusform>
            <numerusform>%L1 of %n groups done; averages %2 and %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %n group(s) done; averages %2 and %3; exact %4 and %5</source>
        <extracomment>%1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting; %4 and %5 the exact ones.</extracomment>
        <translation>
            <numerusform>%L1 of %n group done; averages %2 and %3; exact %4 and %5</numerusform>
            <numerusform>%L1 of %n groups done; averages %2 and %3; exact %4 and %5</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Playing %L1 classes of %n group(s)…</source>
        <translation>
            <numerusform>Playing %L1 classes of %n group…</numerusform>
            <numerusform>Playing %L1 classes of %n groups…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 classes of %n group(s) played: how often they got the right answer shows with the answer (F5).</source>
        <translation>
            <numerusform>%L1 classes of %n group played: how often they got the right answer shows with the answer (F5).</numerusform>
            <numerusform>%L1 classes of %n groups played: how often they got the right answer shows with the answer (F5).</numerusform>
        </translation>
    </message>
</context>
</TS>
