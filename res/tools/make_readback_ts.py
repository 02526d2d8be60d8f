#!/usr/bin/env python3
"""Writes res/i18n/readback_{cn,en,ru}.ts: the texts of reading the processor's
state back over TCP and UDP. Titles shared with the pages ("警告", "错误",
"消息", "waiting") live in their catalogue."""
from tsgen import write_catalogues

TEXTS = [
    ("MainWindow", "读取成功！", "Read Successfully!", "Успешное чтение данных!"),
    ("MainWindow", "读取失败！", "Read failed!", "Не удалось прочитать данные!"),
    ("MainWindow", "正在重新读取...(1/1)", "Rereading... (1/1)", "Перезагрузка…(1/1)"),
    ("MainWindow", "MainWindow::send： %1", "MainWindow::send： %1", "MainWindow::send： %1"),
    ("MainWindow", "窗口%1，输入源%2分辨率(%3,%4)", "Window %1, input %2 resolution (%3,%4)",
     "Окно %1, источник %2, разрешение (%3,%4)"),
    ("MainWindow", "窗口%1，输入源%2-无信号，使用默认分辨率(%3x%4)",
     "Window %1, input %2 - no signal, default resolution (%3x%4)",
     "Окно %1, источник %2 - нет сигнала, разрешение по умолчанию (%3x%4)"),
    ("MainWindow", "窗口%1，输入源%2-低分辨率不支持，使用默认分辨率(%3x%4)",
     "Window %1, input %2 - low resolution not supported, default resolution (%3x%4)",
     "Окно %1, источник %2 - низкое разрешение не поддерживается, разрешение по умолчанию (%3x%4)"),
    ("MainWindow", "您还没有网络连接下位机", "You don't have an Ethernet connection to your computer!",
     "Ваш компьютер еще не подключен к устройству!"),
    ("MainWindow", "连接成功！", "Connected!", "Подключение успешное!"),
    ("MainWindow", "连接失败！", "Connection failed!", "Не удалось подключиться!"),
    ("MainWindow", "刷新成功！", "Refreshed!", "Обновление прошло успешно!"),
    ("MainWindow", "刷新失败！", "Refresh failed!", "Ошибка обновления!"),
    ("MainWindow", "层级、拼接模式信息获取...", "Layers and wall mode information acquisition...",
     "Извлечение информации о иерархии и режиме конкатенации…"),
    ("MainWindow", "waiting...(3/1)", "Waiting...(3/1)", "Загрузка... (3/1)"),
    ("MainWindow", "waiting...(3/2)", "Waiting...(3/2)", "Загрузка... (3/2)"),
    ("MainWindow", "waiting...(3/3)", "Waiting...(3/3)", "Загрузка... (3/3)"),
    ("MainWindow", "通道", "Channel", "Канал"),
    ("MainWindow", "校正成功!", "Correction done!", "Коррекция прошла успешно!"),
    ("MainWindow", "回传数据出现问题，请尝试重新连接",
     "There is a problem with the returned data, please try to reconnect!",
     "Возникла проблема с данными постбека, попробуйте переподключиться!"),
    ("MainWindow", "未能读取拼接模式和层级，保留当前的拼接布局",
     "The wall layout and stacking could not be read; the current layout is kept.",
     "Не удалось прочитать режим конкатенации и иерархию; текущая раскладка сохранена."),
]

if __name__ == "__main__":
    write_catalogues("readback", TEXTS)
