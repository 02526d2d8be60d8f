<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>InputChannel</name>
    <message>
        <source>窗口 %1，输入 %2</source>
        <translation>Window %1, input %2</translation>
    </message>
    <message>
        <source>窗口 %1，无输入</source>
        <translation>Window %1, no input</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>窗口%1为冻结模式，无法进行输入源切换！</source>
        <translation>Window %1 is frozen, cannot switch input source!</translation>
    </message>
    <message>
        <source>窗口%1为纯色填充模式下，无法进行输入源切换！</source>
        <translation>Cannot switch input source when window %1 is in solid color fill mode!</translation>
    </message>
</context>
<context>
    <name>SliceUpScene</name>
    <message>
        <source> 分辨率： 
 %1 x %2</source>
        <translation>Resolution:
%1 x %2</translation>
    </message>
</context>
<context>
    <name>UserView</name>
    <message>
        <source>(数字键</source>
        <translation>(Numeric keys</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止切换输入源</source>
        <translation>Switching input sources is prohibited in solid color fill mode</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止旋转</source>
        <translation>Rotation is prohibited in solid fill mode</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Unconnected</translation>
    </message>
    <message>
        <source>请先建立连接</source>
        <translation>Please establish a connection first</translation>
    </message>
</context>
</TS>
