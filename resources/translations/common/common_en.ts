<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>UnitFormat</name>
    <message>
        <source>kHz</source>
        <translation>kHz</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
</context>
</TS>