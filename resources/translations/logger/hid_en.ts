<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>HidDevice</name>
    <message>
        <source>Firmware file too short.</source>
        <translation>Firmware file too short.</translation>
    </message>
    <message>
        <source>The instrument was not found.</source>
        <translation>The instrument was not found.</translation>
    </message>
    <message>
        <source>The instrument did not take the switch to its bootloader.</source>
        <translation>The instrument did not take the switch to its bootloader.</translation>
    </message>
    <message>
        <source>The bootloader did not appear.</source>
        <translation>The bootloader did not appear.</translation>
    </message>
    <message>
        <source>Writing to the bootloader failed.</source>
        <translation>Writing to the bootloader failed.</translation>
    </message>
    <message>
        <source>Bootloader returns ERROR.</source>
        <translation>Bootloader returns ERROR.</translation>
    </message>
    <message>
        <source>The bootloader did not confirm the image.</source>
        <translation>The bootloader did not confirm the image.</translation>
    </message>
    <message>
        <source>Reading the firmware file failed.</source>
        <translation>Reading the firmware file failed.</translation>
    </message>
</context>
</TS>