<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>读取成功！</source>
        <translation>Read Successfully!</translation>
    </message>
    <message>
        <source>读取失败！</source>
        <translation>Read failed!</translation>
    </message>
    <message>
        <source>正在重新读取...(1/1)</source>
        <translation>Rereading... (1/1)</translation>
    </message>
    <message>
        <source>MainWindow::send： %1</source>
        <translation>MainWindow::send： %1</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2分辨率(%3,%4)</source>
        <translation>Window %1, input %2 resolution (%3,%4)</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2-无信号，使用默认分辨率(%3x%4)</source>
        <translation>Window %1, input %2 - no signal, default resolution (%3x%4)</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2-低分辨率不支持，使用默认分辨率(%3x%4)</source>
        <translation>Window %1, input %2 - low resolution not supported, default resolution (%3x%4)</translation>
    </message>
    <message>
        <source>您还没有网络连接下位机</source>
        <translation>You don't have an Ethernet connection to your computer!</translation>
    </message>
    <message>
        <source>连接成功！</source>
        <translation>Connected!</translation>
    </message>
    <message>
        <source>连接失败！</source>
        <translation>Connection failed!</translation>
    </message>
    <message>
        <source>刷新成功！</source>
        <translation>Refreshed!</translation>
    </message>
    <message>
        <source>刷新失败！</source>
        <translation>Refresh failed!</translation>
    </message>
    <message>
        <source>层级、拼接模式信息获取...</source>
        <translation>Layers and wall mode information acquisition...</translation>
    </message>
    <message>
        <source>waiting...(3/1)</source>
        <translation>Waiting...(3/1)</translation>
    </message>
    <message>
        <source>waiting...(3/2)</source>
        <translation>Waiting...(3/2)</translation>
    </message>
    <message>
        <source>waiting...(3/3)</source>
        <translation>Waiting...(3/3)</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>校正成功!</source>
        <translation>Correction done!</translation>
    </message>
    <message>
        <source>回传数据出现问题，请尝试重新连接</source>
        <translation>There is a problem with the returned data, please try to reconnect!</translation>
    </message>
    <message>
        <source>未能读取拼接模式和层级，保留当前的拼接布局</source>
        <translation>The wall layout and stacking could not be read; the current layout is kept.</translation>
    </message>
</context>
</TS>
