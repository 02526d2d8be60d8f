<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>MainTitleBar</name>
    <message>
        <source>VEXOR-W4PRO</source>
        <translation>Lumara W4R 控制</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>关闭窗口</translation>
    </message>
</context>
</TS>
