<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
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
<context>
    <name>PowerPanel</name>
    <message>
        <source>Control</source>
        <translation>Керування</translation>
    </message>
</context>
</TS>