<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>InputChannel</name>
    <message>
        <source>窗口 %1，输入 %2</source>
        <translation>窗口 %1，输入 %2</translation>
    </message>
    <message>
        <source>窗口 %1，无输入</source>
        <translation>窗口 %1，无输入</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>窗口%1为冻结模式，无法进行输入源切换！</source>
        <translation>窗口%1为冻结模式，无法进行输入源切换！</translation>
    </message>
    <message>
        <source>窗口%1为纯色填充模式下，无法进行输入源切换！</source>
        <translation>窗口%1为纯色填充模式下，无法进行输入源切换！</translation>
    </message>
</context>
<context>
    <name>SliceUpScene</name>
    <message>
        <source> 分辨率： 
 %1 x %2</source>
        <translation> 分辨率： 
 %1 x %2</translation>
    </message>
</context>
<context>
    <name>UserView</name>
    <message>
        <source>(数字键</source>
        <translation>(数字键</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止切换输入源</source>
        <translation>纯色填充模式下禁止切换输入源</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止旋转</source>
        <translation>纯色填充模式下禁止旋转</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>请先建立连接</source>
        <translation>请先建立连接</translation>
    </message>
</context>
</TS>
