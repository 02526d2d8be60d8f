<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 不是普通文件，无法读取</source>
        <translation>%1 — не обычный файл, прочитать его нельзя</translation>
    </message>
    <message>
        <source>%1 太大，最多只能读取 %2 KiB</source>
        <translation>Файл %1 слишком большой: можно прочитать не более %2 КиБ</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 不是普通文件，不能覆盖</source>
        <translation>%1 — не обычный файл, заменить его нельзя</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
</context>
</TS>
