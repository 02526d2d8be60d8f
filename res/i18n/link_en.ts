<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>Please establish a connection first!</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close the Serial Port</translation>
    </message>
    <message>
        <source>无有效串口设备！</source>
        <translation>No valid serial port device!</translation>
    </message>
    <message>
        <source>打开成功</source>
        <translation>Open Successfully</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>udp socket create error!</source>
        <translation>Udp socket create error</translation>
    </message>
    <message>
        <source>udp socket create error</source>
        <translation>Udp socket create error</translation>
    </message>
    <message>
        <source>UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。</source>
        <translation>UDP port %1 is in use by another program (or another copy of this one); the device's answers would go there.</translation>
    </message>
    <message>
        <source>没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。</source>
        <translation>No permission to use UDP port %1 (ports below 1024 need administrator rights).</translation>
    </message>
    <message>
        <source>请设置正确IP地址！</source>
        <translation>Please set the correct IP address!</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>连接错误</source>
        <translation>Connection Error</translation>
    </message>
    <message>
        <source>连接已断开，请检查网络连接</source>
        <translation>Disconnected, please check the network.</translation>
    </message>
    <message>
        <source>连接失败！请检查后重新连接！
1、网口松了
2、网络配置错误
3、是否被其他的程序占用
</source>
        <translation>Connection failed! Please check and reconnect!
1. The network port is loose.
2. The network configuration is incorrect.
3, Whether it is occupied by other programs.</translation>
    </message>
    <message>
        <source>Connection failed! Please check and reconnect! 
1.Network interface loose 
2.Network configuration error
3.Whether it is occupied  by other programs
</source>
        <translation>Connection failed! Please check and reconnect!
1. The network port is loose.
2. The network configuration is incorrect.
3, Whether it is occupied by other programs.</translation>
    </message>
    <message>
        <source>连接已恢复</source>
        <translation>Connection restored</translation>
    </message>
    <message>
        <source>连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，需要的修改请重新进行。</source>
        <translation>%1 change(s) made while the connection was down were not sent to the device. The screen shows the device's state as read again; please make the changes you need once more.</translation>
    </message>
    <message>
        <source>设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。</source>
        <translation>%1 command(s) sent after the device last answered may not have reached it; see the communication log.</translation>
    </message>
    <message>
        <source>可能未送达设备：%1</source>
        <translation>May not have reached the device: %1</translation>
    </message>
    <message>
        <source>另有 %1 条命令可能未送达设备</source>
        <translation>%1 more command(s) may not have reached the device</translation>
    </message>
</context>
<context>
    <name>NetworkDialog</name>
    <message>
        <source>断线后自动重新连接</source>
        <translation>Reconnect automatically when the link drops</translation>
    </message>
    <message>
        <source>连接意外中断后，按 1、2、4、8 秒，之后每 15 秒重新连接同一台设备</source>
        <translation>After an unexpected loss, connect to the same device again after 1, 2, 4 and 8 seconds, then every 15 seconds</translation>
    </message>
</context>
<context>
    <name>CommunicationDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Communication log</source>
        <translation>Communication log</translation>
    </message>
    <message>
        <source>保存日志</source>
        <translation>Save log</translation>
    </message>
    <message>
        <source>日志文件 (*.log);;所有文件 (*)</source>
        <translation>Log files (*.log);;All files (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Save failed!</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。</source>
        <translation>The communication log cannot be written to its file; this run's lines are kept only in the communication window.</translation>
    </message>
</context>
</TS>
