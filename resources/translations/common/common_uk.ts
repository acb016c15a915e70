<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
</context>
<context>
    <name>UnitFormat</name>
    <message>
        <source>kHz</source>
        <translation>кГц</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
</context>
</TS>