<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>读取成功！</source>
        <translation>Успешное чтение данных!</translation>
    </message>
    <message>
        <source>读取失败！</source>
        <translation>Не удалось прочитать данные!</translation>
    </message>
    <message>
        <source>正在重新读取...(1/1)</source>
        <translation>Перезагрузка…(1/1)</translation>
    </message>
    <message>
        <source>MainWindow::send： %1</source>
        <translation>MainWindow::send： %1</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2分辨率(%3,%4)</source>
        <translation>Окно %1, источник %2, разрешение (%3,%4)</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2-无信号，使用默认分辨率(%3x%4)</source>
        <translation>Окно %1, источник %2 - нет сигнала, разрешение по умолчанию (%3x%4)</translation>
    </message>
    <message>
        <source>窗口%1，输入源%2-低分辨率不支持，使用默认分辨率(%3x%4)</source>
        <translation>Окно %1, источник %2 - низкое разрешение не поддерживается, разрешение по умолчанию (%3x%4)</translation>
    </message>
    <message>
        <source>您还没有网络连接下位机</source>
        <translation>Ваш компьютер еще не подключен к устройству!</translation>
    </message>
    <message>
        <source>连接成功！</source>
        <translation>Подключение успешное!</translation>
    </message>
    <message>
        <source>连接失败！</source>
        <translation>Не удалось подключиться!</translation>
    </message>
    <message>
        <source>刷新成功！</source>
        <translation>Обновление прошло успешно!</translation>
    </message>
    <message>
        <source>刷新失败！</source>
        <translation>Ошибка обновления!</translation>
    </message>
    <message>
        <source>层级、拼接模式信息获取...</source>
        <translation>Извлечение информации о иерархии и режиме конкатенации…</translation>
    </message>
    <message>
        <source>waiting...(3/1)</source>
        <translation>Загрузка... (3/1)</translation>
    </message>
    <message>
        <source>waiting...(3/2)</source>
        <translation>Загрузка... (3/2)</translation>
    </message>
    <message>
        <source>waiting...(3/3)</source>
        <translation>Загрузка... (3/3)</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>校正成功!</source>
        <translation>Коррекция прошла успешно!</translation>
    </message>
    <message>
        <source>回传数据出现问题，请尝试重新连接</source>
        <translation>Возникла проблема с данными постбека, попробуйте переподключиться!</translation>
    </message>
    <message>
        <source>未能读取拼接模式和层级，保留当前的拼接布局</source>
        <translation>Не удалось прочитать режим конкатенации и иерархию; текущая раскладка сохранена.</translation>
    </message>
</context>
</TS>
