<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="uk_UA">
<context>
    <name>HidDevice</name>
    <message>
        <source>Firmware file too short.</source>
        <translation>Файл прошивки закороткий.</translation>
    </message>
    <message>
        <source>The instrument was not found.</source>
        <translation>Прилад не знайдено.</translation>
    </message>
    <message>
        <source>The instrument did not take the switch to its bootloader.</source>
        <translation>Прилад не перейшов до свого завантажувача.</translation>
    </message>
    <message>
        <source>The bootloader did not appear.</source>
        <translation>Завантажувач не з'явився.</translation>
    </message>
    <message>
        <source>Writing to the bootloader failed.</source>
        <translation>Не вдалося записати до завантажувача.</translation>
    </message>
    <message>
        <source>Bootloader returns ERROR.</source>
        <translation>Завантажувач повертає ПОМИЛКУ.</translation>
    </message>
    <message>
        <source>The bootloader did not confirm the image.</source>
        <translation>Завантажувач не підтвердив образ прошивки.</translation>
    </message>
    <message>
        <source>Reading the firmware file failed.</source>
        <translation>Не вдалося прочитати файл прошивки.</translation>
    </message>
</context>
</TS>