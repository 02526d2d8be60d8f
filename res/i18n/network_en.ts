<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>NetworkDialog</name>
    <message>
        <source>网络连接</source>
        <translation>Network Connection</translation>
    </message>
    <message>
        <source>语言切换</source>
        <translation>Language Switching</translation>
    </message>
    <message>
        <source>设备信息列表</source>
        <translation>Device list</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>IP地址</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>MAC地址</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>端口号</source>
        <translation>Port number</translation>
    </message>
    <message>
        <source>版本信息</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>连接协议</source>
        <translation>Connection protocol</translation>
    </message>
    <message>
        <source>选择与设备通讯网卡</source>
        <translation>Select the PC IP</translation>
    </message>
    <message>
        <source>网卡：</source>
        <translation>Network card:</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Find device</translation>
    </message>
    <message>
        <source>修改IP和MAC</source>
        <translation>Modify the IP and MAC address</translation>
    </message>
    <message>
        <source>连接设备</source>
        <translation>Connect the device</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>串口连接</source>
        <translation>Serial connection</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open serial port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>close the Serial Port</translation>
    </message>
    <message>
        <source>串口刷新</source>
        <translation>Serial Port Refresh</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>必须选择网卡</source>
        <translation>You must select a network card</translation>
    </message>
    <message>
        <source>停止查找(</source>
        <translation>Stop finding (</translation>
    </message>
    <message>
        <source>请先选择要连接的设备！</source>
        <translation>Please select the device you want to connect!</translation>
    </message>
    <message>
        <source>IP地址、TCP端口号为必填！</source>
        <translation>IP address and TCP port number are required!</translation>
    </message>
    <message>
        <source>您已建立连接，若要建立新的连接，请先断开连接！</source>
        <translation>You've already connected, please disconnect first then reconnect!</translation>
    </message>
    <message>
        <source>请输入正确的IP地址</source>
        <translation>Please enter the correct IP address</translation>
    </message>
    <message>
        <source>请输入正确的MAC地址</source>
        <translation>Please enter the correct MAC address</translation>
    </message>
    <message>
        <source>要求MAC第一和第二位必须是偶数</source>
        <translation>It is required that the MAC first and second digits must be even</translation>
    </message>
    <message>
        <source>未确定连接协议，无法连接</source>
        <translation>The connection protocol was not determined and the connection could not be made.</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>Disconnected!</translation>
    </message>
    <message>
        <source>您还未建立连接！</source>
        <translation>You haven't connected yet!</translation>
    </message>
    <message>
        <source>请选择一行</source>
        <translation>Please select a line</translation>
    </message>
    <message>
        <source>上次查找到%1台设备，修改会发给本网段的所有设备，它们都会得到同一个IP和MAC地址。确定要修改吗？</source>
        <translation>The last search found %1 devices. The change goes to every device on this network, and all of them will get the same IP and MAC address. Change them anyway?</translation>
    </message>
    <message>
        <source>正在更改...</source>
        <translation>Changing...</translation>
    </message>
    <message>
        <source>请输入正确的端口号（1～65535）</source>
        <translation>Please enter a correct port number (1-65535)</translation>
    </message>
    <message>
        <source>在空行中填写IP地址和端口号，再点“连接设备”，即可通过TCP连接该地址</source>
        <translation>Type an IP address and a port number into an empty row, then click “Connect the device” to connect to that address over TCP</translation>
    </message>
</context>
<context>
    <name>NetworkHelp</name>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>1.如果设置IP后无法再通过网络控制设备，有可能您设置的IP在本网段中已被使用，将网络复位后再尝试更改其他IP地址！

2.选择和设备通讯的网卡时，请确保与设备通讯的网卡为第一网卡，否则可能不能和设备通讯。

3.反复开关设备或以同一IP向同一路由器多次注册，在短时间内可能会出现无法连接的情况。</source>
        <translation>1. If you can no longer control the device through the network after changing the IP, it is possible that the IP you set has been occupied in this network segment, reset the network and then try to change  other IP address!

2. When selecting the IP to communicate with the device, make sure that the NIC that communicates with the device is the first NIC, otherwise it may not be able to communicate with the device.

3. Repeatedly switching on and off the device or registering with the same router multiple times with the same IP may fail to connect in a short period of time.</translation>
    </message>
    <message>
        <source>4.UDP数据无法证明发送者：通过UDP连接设备只适用于可信的网络。条件允许时，请优先用主界面的“连接服务器”（TCP）连接设备。</source>
        <translation>4. UDP data carries no proof of its sender: connect to a device over UDP only on a trusted network. Where you can, prefer “Connect to Server” (TCP) in the main window.</translation>
    </message>
</context>
</TS>
