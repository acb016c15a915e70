<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong file version</source>
        <translation>Wrong file version</translation>
    </message>
    <message>
        <source>Can't open file</source>
        <translation>Can't open file</translation>
    </message>
    <message>
        <source>Can't create output file</source>
        <translation>Can't create output file</translation>
    </message>
    <message>
        <source>Can't save file</source>
        <translation>Can't save file</translation>
    </message>
    <message>
        <source>Can't remove file</source>
        <translation>Can't remove file</translation>
    </message>
    <message>
        <source>Failed to write to file</source>
        <translation>Failed to write to file</translation>
    </message>
    <message>
        <source>Failed to read file</source>
        <translation>Failed to read file</translation>
    </message>
    <message>
        <source>Wrong read length</source>
        <translation>Wrong read length</translation>
    </message>
    <message>
        <source>File mapping error</source>
        <translation>File mapping error</translation>
    </message>
    <message>
        <source>Wrong number of channels</source>
        <translation>Wrong number of channels</translation>
    </message>
    <message>
        <source>Wrong sample period</source>
        <translation>Wrong sample period</translation>
    </message>
    <message>
        <source>Internal file error</source>
        <translation>Internal file error</translation>
    </message>
    <message>
        <source>TALVO converter</source>
        <translation>TALVO converter</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Output format</translation>
    </message>
    <message>
        <source>.xlsx</source>
        <translation>.xlsx</translation>
    </message>
    <message>
        <source>Sheet size, sec</source>
        <translation>Sheet size, sec</translation>
    </message>
    <message>
        <source>Max. sheets</source>
        <translation>Max. sheets</translation>
    </message>
    <message>
        <source>Add cell names</source>
        <translation>Add cell names</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>Add header</source>
        <translation>Add header</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Time format</translation>
    </message>
    <message>
        <source>Relative</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>Absolute</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>Range (sec)</source>
        <translation>Range (sec)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Batch...</source>
        <translation>Batch...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>File format version: </source>
        <translation>File format version: </translation>
    </message>
    <message>
        <source>Start time: </source>
        <translation>Start time: </translation>
    </message>
    <message>
        <source>Duration: </source>
        <translation>Duration: </translation>
    </message>
    <message>
        <source> sec
</source>
        <translation> sec
</translation>
    </message>
    <message>
        <source>Channels: </source>
        <translation>Channels: </translation>
    </message>
    <message>
        <source>Sample rate: %1kHz
</source>
        <translation>Sample rate: %1kHz
</translation>
    </message>
    <message>
        <source>Select file</source>
        <translation>Select file</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Wrong file name.</source>
        <translation>Wrong file name.</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Converting</translation>
    </message>
    <message>
        <source>Canceled.</source>
        <translation>Canceled.</translation>
    </message>
    <message>
        <source>Oops! Something went wrong.</source>
        <translation>Oops! Something went wrong.</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Saving...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Too many rows for one sheet</source>
        <translation>Too many rows for one sheet</translation>
    </message>
    <message>
        <source>This log cannot be read:</source>
        <translation>This log cannot be read:</translation>
    </message>
    <message>
        <source>This log was cut off: it holds %1 samples.</source>
        <translation>This log was cut off: it holds %1 samples.</translation>
    </message>
    <message>
        <source>%1 (samples: %2)</source>
        <translation>%1 (samples: %2)</translation>
    </message>
    <message>
        <source>These logs were not converted:</source>
        <translation>These logs were not converted:</translation>
    </message>
    <message>
        <source>These logs were cut off; their samples were converted:</source>
        <translation>These logs were cut off; their samples were converted:</translation>
    </message>
    <message>
        <source>Batch conversion</source>
        <translation>Batch conversion</translation>
    </message>
    <message>
        <source>The file is corrupted or in the wrong format</source>
        <translation>The file is corrupted or in the wrong format</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… and %n more</numerusform>
            <numerusform>… and %n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Korvanite QMT Converter</source>
        <translation>Korvanite QMT Converter</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Copyright %1 Korvanite. All rights reserved.</source>
        <translation>Copyright %1 Korvanite. All rights reserved.</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&lt;a href="https://www.korvanite.com/qmt/manual/"&gt;User Manual&lt;/a&gt;</source>
        <translation>&lt;a href="https://www.korvanite.com/qmt/manual/"&gt;User Manual&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SwapFile</name>
    <message>
        <source>Time:sec</source>
        <translation>Time:sec</translation>
    </message>
    <message>
        <source>Start time </source>
        <translation>Start time </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Time, sec</source>
        <translation>Time, sec</translation>
    </message>
</context>
</TS>