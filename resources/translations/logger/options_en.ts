<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
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
    <message>
        <source>Appearance</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Color theme</source>
        <translation>Color theme</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>Charts background</source>
        <translation>Charts background</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>#0</source>
        <translation>#0</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Apply to</source>
        <translation>Apply to</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Mouse hint</source>
        <translation>Mouse hint</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Time format</translation>
    </message>
    <message>
        <source>hh:mm:ss.s</source>
        <translation>hh:mm:ss.s</translation>
    </message>
    <message>
        <source>sss.s</source>
        <translation>sss.s</translation>
    </message>
    <message>
        <source>Device Settings</source>
        <translation>Device Settings</translation>
    </message>
    <message>
        <source>Display time when Switched Off</source>
        <translation>Display time when Switched Off</translation>
    </message>
    <message>
        <source>Classic Watch</source>
        <translation>Classic Watch</translation>
    </message>
    <message>
        <source>Digital Watch</source>
        <translation>Digital Watch</translation>
    </message>
    <message>
        <source>Temperature, F</source>
        <translation>Temperature, F</translation>
    </message>
    <message>
        <source>24h time format</source>
        <translation>24h time format</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Date format</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Device info</translation>
    </message>
    <message>
        <source>Status Screen</source>
        <translation>Status Screen</translation>
    </message>
    <message>
        <source>Show sequentially every</source>
        <translation>Show sequentially every</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Show TOTAL</source>
        <translation>Show TOTAL</translation>
    </message>
    <message>
        <source>Show POWER</source>
        <translation>Show POWER</translation>
    </message>
    <message>
        <source>Show AUX</source>
        <translation>Show AUX</translation>
    </message>
    <message>
        <source>Show SITE</source>
        <translation>Show SITE</translation>
    </message>
    <message>
        <source>Power control</source>
        <translation>Power control</translation>
    </message>
    <message>
        <source>Use Long Touch for Switch On/Off</source>
        <translation>Use Long Touch for Switch On/Off</translation>
    </message>
    <message>
        <source>Auto Switch On at </source>
        <translation>Auto Switch On at </translation>
    </message>
    <message>
        <source>hh:mm</source>
        <translation>hh:mm</translation>
    </message>
    <message>
        <source>Restore output after the mains resume</source>
        <translation>Restore output after the mains resume</translation>
    </message>
    <message>
        <source>Auto Switch Off at </source>
        <translation>Auto Switch Off at </translation>
    </message>
    <message>
        <source>Auto Switch Off when consumption is lower than</source>
        <translation>Auto Switch Off when consumption is lower than</translation>
    </message>
    <message>
        <source>A after</source>
        <translation>A after</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Tune/Trim 12V</source>
        <translation>Tune/Trim 12V</translation>
    </message>
    <message>
        <source>USB1 0.0 V</source>
        <translation>USB1 0.0 V</translation>
    </message>
    <message>
        <source>USB2 0.0 V</source>
        <translation>USB2 0.0 V</translation>
    </message>
    <message>
        <source>USB3 0.0 V</source>
        <translation>USB3 0.0 V</translation>
    </message>
    <message>
        <source>USB4 0.0 V</source>
        <translation>USB4 0.0 V</translation>
    </message>
    <message>
        <source>Sync. Time</source>
        <translation>Sync. Time</translation>
    </message>
    <message>
        <source>PC time</source>
        <translation>PC time</translation>
    </message>
    <message>
        <source>hh:mm MM/dd/yyyy</source>
        <translation>hh:mm MM/dd/yyyy</translation>
    </message>
    <message>
        <source>Last Sync time</source>
        <translation>Last Sync time</translation>
    </message>
    <message>
        <source>Sync. Now</source>
        <translation>Sync. Now</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>9.9.99</source>
        <translation>9.9.99</translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation>S/N:</translation>
    </message>
    <message>
        <source>123456789</source>
        <translation>123456789</translation>
    </message>
    <message>
        <source>Update from file</source>
        <translation>Update from file</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Automatically check for updates</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>New version available</source>
        <translation>New version available</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Korvanite QMT (Quartz Meter Tool) Logger</source>
        <translation>Korvanite QMT (Quartz Meter Tool) Logger</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>1.0.0 (Dec 01, 2020)</source>
        <translation>1.0.0 (Dec 01, 2020)</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>&lt;a href="https://korvanite.example/"&gt;korvanite.example&lt;/a&gt;</source>
        <translation>&lt;a href="https://korvanite.example/"&gt;korvanite.example&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&lt;a href="https://korvanite.example/downloads/"&gt;User Manual&lt;/a&gt;</source>
        <translation>&lt;a href="https://korvanite.example/downloads/"&gt;User Manual&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright %1 Korvanite. All rights reserved.</source>
        <translation>Copyright %1 Korvanite. All rights reserved.</translation>
    </message>
    <message>
        <source>Choose file</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>Temperature, %1F</source>
        <translation>Temperature, %1F</translation>
    </message>
    <message>
        <source>Serial number: </source>
        <translation>Serial number: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>TOTAL</translation>
    </message>
    <message>
        <source>POWER</source>
        <translation>POWER</translation>
    </message>
    <message>
        <source>AUX</source>
        <translation>AUX</translation>
    </message>
    <message>
        <source>SITE</source>
        <translation>SITE</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>NONE</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>USB C</source>
        <translation>USB C</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation>Device disconnected</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Settings are not saved. Save now?</source>
        <translation>Settings are not saved. Save now?</translation>
    </message>
    <message>
        <source>Export settings to JSON</source>
        <translation>Export settings to JSON</translation>
    </message>
    <message>
        <source>The settings could not be written to %1: %2</source>
        <translation>The settings could not be written to %1: %2</translation>
    </message>
    <message>
        <source>Import settings from JSON</source>
        <translation>Import settings from JSON</translation>
    </message>
    <message>
        <source>The file %1 could not be read: %2</source>
        <translation>The file %1 could not be read: %2</translation>
    </message>
    <message>
        <source>The file %1 is not a settings file.</source>
        <translation>The file %1 is not a settings file.</translation>
    </message>
    <message>
        <source>The file %1 was not imported. %2</source>
        <translation>The file %1 was not imported. %2</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>Open firmware file</source>
        <translation>Open firmware file</translation>
    </message>
    <message>
        <source>Firmware info</source>
        <translation>Firmware info</translation>
    </message>
    <message>
        <source>Software info</source>
        <translation>Software info</translation>
    </message>
    <message>
        <source>Download SW</source>
        <translation>Download SW</translation>
    </message>
    <message>
        <source>File name is empty. Nothing to download.</source>
        <translation>File name is empty. Nothing to download.</translation>
    </message>
    <message>
        <source>Default web browser downloads file </source>
        <translation>Default web browser downloads file </translation>
    </message>
    <message>
        <source>Default web browser can't download file </source>
        <translation>Default web browser can't download file </translation>
    </message>
    <message>
        <source>Update</source>
        <comment>button</comment>
        <translation>Update</translation>
    </message>
</context>
</TS>