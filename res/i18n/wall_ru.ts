<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>InputChannel</name>
    <message>
        <source>窗口 %1，输入 %2</source>
        <translation>Окно %1, вход %2</translation>
    </message>
    <message>
        <source>窗口 %1，无输入</source>
        <translation>Окно %1, нет входа</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>窗口%1为冻结模式，无法进行输入源切换！</source>
        <translation>Окно %1 находится в замороженном режиме и не может переключать источники ввода!</translation>
    </message>
    <message>
        <source>窗口%1为纯色填充模式下，无法进行输入源切换！</source>
        <translation>Окно %1 находится в режиме заливки сплошным цветом и не может переключать источники ввода!</translation>
    </message>
</context>
<context>
    <name>SliceUpScene</name>
    <message>
        <source> 分辨率： 
 %1 x %2</source>
        <translation>Разрешение
%1 x %2</translation>
    </message>
</context>
<context>
    <name>UserView</name>
    <message>
        <source>(数字键</source>
        <translation>(цифровая клавиша</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>предупреждение</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止切换输入源</source>
        <translation>Переключение источников входного сигнала запрещено в режиме заливки сплошным цветом</translation>
    </message>
    <message>
        <source>纯色填充模式下禁止旋转</source>
        <translation>Вращение запрещено в режиме сплошной заливки</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Нет связи.</translation>
    </message>
    <message>
        <source>请先建立连接</source>
        <translation>Пожалуйста, сначала установите соединение</translation>
    </message>
</context>
</TS>
