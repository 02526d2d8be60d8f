<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>MainTitleBar</name>
    <message>
        <source>VEXOR-W4PRO</source>
        <translation>Lumara W4R контроль</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>Закрыть окно</translation>
    </message>
</context>
</TS>
