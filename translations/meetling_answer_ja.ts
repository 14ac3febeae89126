<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ClassTable</name>
    <message>
        <source>Our class: meetings each group counted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One row per group. Delete or Backspace blanks the selected cells.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
(“%2”)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups counted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meetings in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average meetings in a run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the class&apos;s runs say</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>–</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1: %n group(s) counted</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 meetings in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no average yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 meetings in a run on average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group %1, “%2”: “%3” is not a count. Type a whole number of meetings from 0 to %4, or leave the cell blank.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a class&apos;s own counts: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
