<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 不是普通文件，无法读取</source>
        <translation>%1 is not a regular file and cannot be read</translation>
    </message>
    <message>
        <source>%1 太大，最多只能读取 %2 KiB</source>
        <translation>%1 is too large: at most %2 KiB can be read</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 不是普通文件，不能覆盖</source>
        <translation>%1 is not a regular file and cannot be replaced</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
</TS>
