<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>Downloader</name>
    <message>
        <source>The update server stopped answering.</source>
        <translation>The update server stopped answering.</translation>
    </message>
    <message>
        <source>The update server's answer could not be read.</source>
        <translation>The update server's answer could not be read.</translation>
    </message>
    <message>
        <source>Version info:</source>
        <translation>Version info:</translation>
    </message>
    <message>
        <source>Server does not have firmware file.</source>
        <translation>Server does not have firmware file.</translation>
    </message>
    <message>
        <source>The firmware download is incomplete.</source>
        <translation>The firmware download is incomplete.</translation>
    </message>
    <message>
        <source>The update server gave no firmware to download.</source>
        <translation>The update server gave no firmware to download.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Update Firmware</source>
        <translation>Update Firmware</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Downloading, please wait...</source>
        <translation>Downloading, please wait...</translation>
    </message>
    <message>
        <source>Can't read firmware file</source>
        <translation>Can't read firmware file</translation>
    </message>
    <message>
        <source>Can't read buffer</source>
        <translation>Can't read buffer</translation>
    </message>
    <message>
        <source>No instrument is connected.</source>
        <translation>No instrument is connected.</translation>
    </message>
    <message>
        <source>Firmware file too short.</source>
        <translation>Firmware file too short.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Firmware file has wrong format</source>
        <translation>Firmware file has wrong format</translation>
    </message>
    <message>
        <source>Updating, please wait...</source>
        <translation>Updating, please wait...</translation>
    </message>
    <message>
        <source>Successfully updated</source>
        <translation>Successfully updated</translation>
    </message>
    <message>
        <source>Update failed: </source>
        <translation>Update failed: </translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
</context>
</TS>