<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>MainWindow</name>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Мова</translation>
    </message>
</context>
</TS>