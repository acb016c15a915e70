<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_GB">
<context>
    <name>Calculator</name>
    <message>
        <source>Calculator</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>Battery capacity</source>
        <translation>Battery capacity</translation>
    </message>
    <message>
        <source>mAh</source>
        <translation>mAh</translation>
    </message>
    <message>
        <source>Averaging current</source>
        <translation>Averaging current</translation>
    </message>
    <message>
        <source>By markers</source>
        <translation>By markers</translation>
    </message>
    <message>
        <source>In visible area</source>
        <translation>In visible area</translation>
    </message>
    <message>
        <source>The whole measurement period</source>
        <translation>The whole measurement period</translation>
    </message>
    <message>
        <source>By working cycle, sec</source>
        <translation>By working cycle, sec</translation>
    </message>
    <message>
        <source>User defined, mA</source>
        <translation>User defined, mA</translation>
    </message>
    <message>
        <source>-- : --</source>
        <translation>-- : --</translation>
    </message>
    <message>
        <source>--- mA</source>
        <translation>--- mA</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Battery life</source>
        <translation>Battery life</translation>
    </message>
    <message>
        <source>The battery too low</source>
        <translation>The battery too low</translation>
    </message>
    <message>
        <source>%1 years, </source>
        <translation>%1 years, </translation>
    </message>
    <message>
        <source>%1 months, </source>
        <translation>%1 months, </translation>
    </message>
    <message>
        <source>%1 days, </source>
        <translation>%1 days, </translation>
    </message>
    <message>
        <source>%1 hours, </source>
        <translation>%1 hours, </translation>
    </message>
    <message>
        <source>%1 minutes, </source>
        <translation>%1 minutes, </translation>
    </message>
    <message>
        <source>%1 seconds, </source>
        <translation>%1 seconds, </translation>
    </message>
    <message>
        <source>The battery is too low  </source>
        <translation>The battery is too low  </translation>
    </message>
    <message>
        <source>Too long working cycle. Only </source>
        <translation>Too long working cycle. Only </translation>
    </message>
    <message>
        <source> sec available</source>
        <translation> sec available</translation>
    </message>
    <message>
        <source>Empty measurements log.</source>
        <translation>Empty measurements log.</translation>
    </message>
    <message>
        <source>Markers too close</source>
        <translation>Markers too close</translation>
    </message>
    <message>
        <source>Markers are not visible, check their position</source>
        <translation>Markers are not visible, check their position</translation>
    </message>
    <message>
        <source>Wrong value</source>
        <translation>Wrong value</translation>
    </message>
</context>
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
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Power output config</source>
        <translation>Power output config</translation>
    </message>
    <message>
        <source>Permanent</source>
        <translation>Permanent</translation>
    </message>
    <message>
        <source>Delayed</source>
        <translation>Delayed</translation>
    </message>
    <message>
        <source>TALVO starts sampling then swith power ON after the first 10 samples. This option is for DUT startups sequences profiling</source>
        <translation>TALVO starts sampling then swith power ON after the first 10 samples. This option is for DUT startups sequences profiling</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>1800 mV</source>
        <translation>1800 mV</translation>
    </message>
    <message>
        <source>Set output voltage(mv)</source>
        <translation>Set output voltage(mv)</translation>
    </message>
    <message>
        <source>Vbat -&gt; Vin</source>
        <translation>Vbat -&gt; Vin</translation>
    </message>
    <message>
        <source>Using internal LiIon battery as a power source.
Choose this option if the peak current consumption can be more than 500mA</source>
        <translation>Using internal LiIon battery as a power source.
Choose this option if the peak current consumption can be more than 500mA</translation>
    </message>
    <message>
        <source>Vusb -&gt; Vin</source>
        <translation>Vusb -&gt; Vin</translation>
    </message>
    <message>
        <source>Using USB as a power source.
Choose this option to examine devices consuming less than 500mA</source>
        <translation>Using USB as a power source.
Choose this option to examine devices consuming less than 500mA</translation>
    </message>
    <message>
        <source>Apply sync related to</source>
        <translation>Apply sync related to</translation>
    </message>
    <message>
        <source>TRIG</source>
        <translation>TRIG</translation>
    </message>
    <message>
        <source>Logging</source>
        <translation>Logging</translation>
    </message>
    <message>
        <source>Sync delay(ms) </source>
        <translation>Sync delay(ms) </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Applying power source profile</source>
        <translation>Applying power source profile</translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Custom (100us units)</source>
        <translation>Custom (100us units)</translation>
    </message>
    <message>
        <source>(-.--- kHz)</source>
        <translation>(-.--- kHz)</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Start by Trig Edge</source>
        <translation>Start by Trig Edge</translation>
    </message>
    <message>
        <source>Delay(ms)</source>
        <translation>Delay(ms)</translation>
    </message>
    <message>
        <source>Log by Trig Gate</source>
        <translation>Log by Trig Gate</translation>
    </message>
    <message>
        <source>Start measurements</source>
        <translation>Start measurements</translation>
    </message>
    <message>
        <source>Stop measurements</source>
        <translation>Stop measurements</translation>
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
    <name>PowerPanel</name>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Checking the input power</source>
        <translation>Checking the input power</translation>
    </message>
    <message>
        <source>Temperature scale</source>
        <translation>Temperature scale</translation>
    </message>
    <message>
        <source>Fahrenheit </source>
        <translation>Fahrenheit </translation>
    </message>
    <message>
        <source>Sample rate</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>no more than 5 channels simultaneously </source>
        <translation>no more than 5 channels simultaneously </translation>
    </message>
    <message>
        <source>Start measurements</source>
        <translation>Start measurements</translation>
    </message>
    <message>
        <source>Stop measurements</source>
        <translation>Stop measurements</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Vbat</source>
        <translation>Vbat</translation>
    </message>
    <message>
        <source>SYNC</source>
        <translation>SYNC</translation>
    </message>
    <message>
        <source>OUT-EN</source>
        <translation>OUT-EN</translation>
    </message>
    <message>
        <source>Vusb</source>
        <translation>Vusb</translation>
    </message>
    <message>
        <source>TRIG</source>
        <translation>TRIG</translation>
    </message>
    <message>
        <source>FLAG</source>
        <translation>FLAG</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>#0:</source>
        <translation>#0:</translation>
    </message>
    <message>
        <source>#1:</source>
        <translation>#1:</translation>
    </message>
    <message>
        <source>#2:</source>
        <translation>#2:</translation>
    </message>
    <message>
        <source>Vin, V</source>
        <translation>Vin, V</translation>
    </message>
</context>
</TS>