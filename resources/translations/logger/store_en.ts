<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>SwapFile</name>
    <message>
        <source>Decimating...</source>
        <translation>Decimating...</translation>
    </message>
</context>
</TS>