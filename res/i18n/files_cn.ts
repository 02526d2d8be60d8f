<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 不是普通文件，无法读取</source>
        <translation>%1 不是普通文件，无法读取</translation>
    </message>
    <message>
        <source>%1 太大，最多只能读取 %2 KiB</source>
        <translation>%1 太大，最多只能读取 %2 KiB</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>无法读取文件 %1：%2</translation>
    </message>
    <message>
        <source>%1 不是普通文件，不能覆盖</source>
        <translation>%1 不是普通文件，不能覆盖</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>无法写入文件 %1：%2</translation>
    </message>
</context>
</TS>
