<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>SwapFile</name>
    <message>
        <source>Decimating...</source>
        <translation>Проріджування...</translation>
    </message>
</context>
</TS>