<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
</TS>