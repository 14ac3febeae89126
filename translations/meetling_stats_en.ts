<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>stats::Charts</name>
    <message numerus="yes">
        <source>● ■ %Ln simulated run(s)</source>
        <translation>
            <numerusform>● ■ %Ln simulated run</numerusform>
            <numerusform>● ■ %Ln simulated runs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>stats::Sheets</name>
    <message numerus="yes">
        <source>Run each way %Ln time(s). Make a stroke for every meeting, then write each run&apos;s count.</source>
        <translation>
            <numerusform>Run each way %Ln time. Make a stroke for every meeting, then write each run&apos;s count.</numerusform>
            <numerusform>Run each way %Ln times. Make a stroke for every meeting, then write each run&apos;s count.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>stats::Table</name>
    <message numerus="yes">
        <source>Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %Ln tick(s) of each walker&apos;s timer, as on the board.</source>
        <extracomment>%1 and %2 are start points &quot;(4, 4)&quot;, %3 a number of seconds, %Ln the ticks of each walker&apos;s timer.</extracomment>
        <translation>
            <numerusform>Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %Ln tick of each walker&apos;s timer, as on the board.</numerusform>
            <numerusform>Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %Ln ticks of each walker&apos;s timer, as on the board.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Simulated: %Ln run(s) of each, seed %1, on %2</source>
        <extracomment>%Ln runs of each way, %1 the seed, %2 the threads (&quot;2 threads&quot;).</extracomment>
        <translation>
            <numerusform>Simulated: %Ln run of each, seed %1, on %2</numerusform>
            <numerusform>Simulated: %Ln runs of each, seed %1, on %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln thread(s)</source>
        <translation>
            <numerusform>%Ln thread</numerusform>
            <numerusform>%Ln threads</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>stats::Wording</name>
    <message numerus="yes">
        <source>%Ln run(s) of each</source>
        <extracomment>Runs of each way, both wandering and Momotaro waiting.</extracomment>
        <translation>
            <numerusform>%Ln run of each</numerusform>
            <numerusform>%Ln runs of each</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 in %Ln run(s), %3 a run on average</source>
        <extracomment>%1 is a way&apos;s name, %2 its meetings counted (&quot;283 meetings&quot;), %3 their average.</extracomment>
        <translation>
            <numerusform>%1: %2 in %Ln run, %3 a run on average</numerusform>
            <numerusform>%1: %2 in %Ln runs, %3 a run on average</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln meeting(s)</source>
        <translation>
            <numerusform>%Ln meeting</numerusform>
            <numerusform>%Ln meetings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>So far: %1 met more in %2 of %Ln group(s); %3.</source>
        <extracomment>%1 is the way more groups met more with, %2 how many groups did, %3 what the class&apos;s totals say.</extracomment>
        <translation>
            <numerusform>So far: %1 met more in %2 of %Ln group; %3.</numerusform>
            <numerusform>So far: %1 met more in %2 of %Ln groups; %3.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 met more in %2 of %Ln group(s); %3.</source>
        <extracomment>%1 is the way more groups met more with, %2 how many groups did, %3 what the class&apos;s totals say.</extracomment>
        <translation>
            <numerusform>%1 met more in %2 of %Ln group; %3.</numerusform>
            <numerusform>%1 met more in %2 of %Ln groups; %3.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, within the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</source>
        <extracomment>%1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.</extracomment>
        <translation>
            <numerusform>In %1 classes of %Ln group, the totals put %2 ahead in %3 (%4); the exact chance is %5, within the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</numerusform>
            <numerusform>In %1 classes of %Ln groups, the totals put %2 ahead in %3 (%4); the exact chance is %5, within the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, further off than the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</source>
        <extracomment>%1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.</extracomment>
        <translation>
            <numerusform>In %1 classes of %Ln group, the totals put %2 ahead in %3 (%4); the exact chance is %5, further off than the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</numerusform>
            <numerusform>In %1 classes of %Ln groups, the totals put %2 ahead in %3 (%4); the exact chance is %5, further off than the simulation&apos;s error (%6 to %7 classes, 99 times in 100).</numerusform>
        </translation>
    </message>
</context>
</TS>
