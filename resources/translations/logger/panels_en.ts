<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>ControlPanel</name>
    <message>
        <source> %1 %2 (one channel only)</source>
        <translation> %1 %2 (one channel only)</translation>
    </message>
    <message>
        <source>Error details</source>
        <translation>Error details</translation>
    </message>
    <message>
        <source>Restore fault.
Channels calibration values are lost.
</source>
        <translation>Restore fault.
Channels calibration values are lost.
</translation>
    </message>
    <message>
        <source>Power converter communication error
</source>
        <translation>Power converter communication error
</translation>
    </message>
    <message>
        <source>Power converter can not not provide output voltage requlation
</source>
        <translation>Power converter can not not provide output voltage requlation
</translation>
    </message>
    <message>
        <source>Power converter thermal shutdown
</source>
        <translation>Power converter thermal shutdown
</translation>
    </message>
    <message>
        <source>Low battery voltage is detected. 
</source>
        <translation>Low battery voltage is detected. 
</translation>
    </message>
    <message>
        <source>Load power is switched to Vusb.
</source>
        <translation>Load power is switched to Vusb.
</translation>
    </message>
    <message>
        <source>Load power is disabled
</source>
        <translation>Load power is disabled
</translation>
    </message>
    <message>
        <source>Lost of data is detected
</source>
        <translation>Lost of data is detected
</translation>
    </message>
    <message>
        <source>1.Remove reason for high current.
</source>
        <translation>1.Remove reason for high current.
</translation>
    </message>
    <message>
        <source>2.Select and APPLY proper power source(Vusb or Vbat).
</source>
        <translation>2.Select and APPLY proper power source(Vusb or Vbat).
</translation>
    </message>
    <message>
        <source>3.Select and SET  proper Power config.
</source>
        <translation>3.Select and SET  proper Power config.
</translation>
    </message>
    <message>
        <source>4.Press button "Reset errors".
</source>
        <translation>4.Press button "Reset errors".
</translation>
    </message>
    <message>
        <source>5.Now device is ready to work again.</source>
        <translation>5.Now device is ready to work again.</translation>
    </message>
    <message>
        <source>All power supplies were disconnected from DUT  due overcurrent.
</source>
        <translation>All power supplies were disconnected from DUT  due overcurrent.
</translation>
    </message>
    <message>
        <source>Vbat supply was disconnected from DUT, battery is low.
</source>
        <translation>Vbat supply was disconnected from DUT, battery is low.
</translation>
    </message>
    <message>
        <source> mV</source>
        <translation> mV</translation>
    </message>
    <message>
        <source>Reset errors</source>
        <translation>Reset errors</translation>
    </message>
    <message>
        <source>Battery LOW</source>
        <translation>Battery LOW</translation>
    </message>
    <message>
        <source>Switch Vin</source>
        <translation>Switch Vin</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>kHz</source>
        <translation>kHz</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
</TS>