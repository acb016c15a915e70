<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>MainWindow</name>
    <message>
        <source>TALVO Logger</source>
        <translation>TALVO Logger</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <source> - no device connected</source>
        <translation> - no device connected</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Not all measurements are saved. Do you want to save them?</source>
        <translation>Not all measurements are saved. Do you want to save them?</translation>
    </message>
    <message>
        <source>Device connected</source>
        <translation>Device connected</translation>
    </message>
    <message>
        <source> TALVO connected</source>
        <translation> TALVO connected</translation>
    </message>
    <message>
        <source>Device disconnected</source>
        <translation>Device disconnected</translation>
    </message>
    <message>
        <source>FAILED to start measuring: </source>
        <translation>FAILED to start measuring: </translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>The file is corrupted or in the wrong format</source>
        <translation>The file is corrupted or in the wrong format</translation>
    </message>
    <message>
        <source>Loaded</source>
        <translation>Loaded</translation>
    </message>
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
        <source>Wrong channels number</source>
        <translation>Wrong channels number</translation>
    </message>
    <message>
        <source>Internal file error</source>
        <translation>Internal file error</translation>
    </message>
    <message>
        <source>At least one channel should be selected.</source>
        <translation>At least one channel should be selected.</translation>
    </message>
    <message>
        <source>Capture </source>
        <translation>Capture </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Time, sec</source>
        <translation>Time, sec</translation>
    </message>
    <message>
        <source>Couldn't save file </source>
        <translation>Couldn't save file </translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>These recordings were not saved and are kept here:
%1</source>
        <translation>These recordings were not saved and are kept here:
%1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 is not saved. Want to save it before closing?</source>
        <translation>%1 is not saved. Want to save it before closing?</translation>
    </message>
    <message>
        <source>Close tabs to the left</source>
        <translation>Close tabs to the left</translation>
    </message>
    <message>
        <source>Close tabs to the right</source>
        <translation>Close tabs to the right</translation>
    </message>
    <message>
        <source>Close all tabs</source>
        <translation>Close all tabs</translation>
    </message>
    <message>
        <source>Custom: </source>
        <translation>Custom: </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>TALVO shows the part of the datalog, the duration of which does not exceed the specified number of seconds</source>
        <translation>TALVO shows the part of the datalog, the duration of which does not exceed the specified number of seconds</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Show </translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Show Report</source>
        <translation>Show Report</translation>
    </message>
    <message>
        <source>Hide Report</source>
        <translation>Hide Report</translation>
    </message>
    <message>
        <source>Show Markers</source>
        <translation>Show Markers</translation>
    </message>
    <message>
        <source>Hide Markers</source>
        <translation>Hide Markers</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>Measuring time,sec </source>
        <translation>Measuring time,sec </translation>
    </message>
    <message>
        <source>Stop measurements after the specified number of seconds</source>
        <translation>Stop measurements after the specified number of seconds</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>Time, sec: </source>
        <translation>Time, sec: </translation>
    </message>
    <message>
        <source>A new software version is available. Go to Settings to update.</source>
        <translation>A new software version is available. Go to Settings to update.</translation>
    </message>
    <message>
        <source>A new firmware version is available. Go to Settings to update.</source>
        <translation>A new firmware version is available. Go to Settings to update.</translation>
    </message>
    <message>
        <source>the tab holds no recording</source>
        <translation>the tab holds no recording</translation>
    </message>
    <message>
        <source> Hollowcrest Duriz 500 connected</source>
        <translation> Hollowcrest Duriz 500 connected</translation>
    </message>
    <message>
        <source> Hollowcrest Vuviv 600 connected</source>
        <translation> Hollowcrest Vuviv 600 connected</translation>
    </message>
    <message>
        <source>The log command is not valid: %1</source>
        <translation>The log command is not valid: %1</translation>
    </message>
    <message>
        <source>The supply cannot log at %1 Hz: choose a rate from 1 to 10000 Hz that divides 10000 Hz.</source>
        <translation>The supply cannot log at %1 Hz: choose a rate from 1 to 10000 Hz that divides 10000 Hz.</translation>
    </message>
    <message>
        <source>The supply stopped logging: %1</source>
        <translation>The supply stopped logging: %1</translation>
    </message>
    <message>
        <source>Enter value</source>
        <translation>Enter value</translation>
    </message>
    <message>
        <source>Viewing interval, sec </source>
        <translation>Viewing interval, sec </translation>
    </message>
    <message>
        <source>Attention! The current has exceeded 1A.</source>
        <translation>Attention! The current has exceeded 1A.</translation>
    </message>
    <message>
        <source>The instrument is waiting in its bootloader for new firmware: load it under Settings → Update.</source>
        <translation>The instrument is waiting in its bootloader for new firmware: load it under Settings → Update.</translation>
    </message>
    <message>
        <source>The log was cut off before its end. Samples it holds: %1</source>
        <translation>The log was cut off before its end. Samples it holds: %1</translation>
    </message>
    <message>
        <source>The file %1 no longer exists</source>
        <translation>The file %1 no longer exists</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>it is open in the tab %1</source>
        <translation>it is open in the tab %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Can't launch</source>
        <translation>Can't launch</translation>
    </message>
    <message>
        <source>Instance of the TALVO already running. Terminate it please.</source>
        <translation>Instance of the TALVO already running. Terminate it please.</translation>
    </message>
    <message>
        <source>The single-instance check of the TALVO failed: %1</source>
        <translation>The single-instance check of the TALVO failed: %1</translation>
    </message>
</context>
</TS>