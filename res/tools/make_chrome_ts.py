#!/usr/bin/env python3
"""Writes res/i18n/chrome_{cn,en,ru}.ts (the main window's title bar) and
res/i18n/link_{cn,en,ru}.ts (the texts of the serial and network links and the
communication log). Edit a table, run this script, commit the files. The
Chinese catalogue maps every source to itself, or to the Chinese form where the
source is not Chinese."""
import os
from xml.sax.saxutils import escape

# (context, source, english, russian[, chinese])
CHROME = [
    ("MainTitleBar", "VEXOR-W4PRO", "Lumara W4R Controller", "Lumara W4R контроль", "Lumara W4R 控制"),
    # Screen-reader names of the two picture buttons.
    ("MainTitleBar", "最小化", "Minimize", "Свернуть"),
    ("MainTitleBar", "关闭", "Close", "Закрыть"),
]

LINK = [
    ("MainWindow", "关闭串口", "Close the Serial Port", "Закрыть порт RS232"),
    ("MainWindow", "连接中", "Connecting", "Подключение"),
    ("MainWindow", "打开成功", "Open Successfully", "Успешно открыто"),
    ("MainWindow", "无有效串口设备！", "No valid serial port device!",
     "Нет действительного устройства последовательного порта!"),
    ("MainWindow", "错误", "Error", "ошибка"),
    ("MainWindow", "确定", "OK", "подтвердить"),
    ("MainWindow", "断开连接", "Disconnect", "Отсоедини"),
    ("MainWindow", "请设置正确IP地址！", "Please set the correct IP address!",
     "Пожалуйста, установите правильный IP-адрес!"),
    ("MainWindow", "error", "Error", "ошибка", "错误"),
    ("MainWindow", "udp socket create error!", "Udp socket create error", "Ошибка создания UDP-сокета",
     "udp socket create error!"),
    ("MainWindow", "udp socket create error", "Udp socket create error", "Ошибка создания UDP-сокета",
     "udp socket create error"),
    ("MainWindow", "连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n",
     "Connection failed! Please check and reconnect!\n1. The network port is loose.\n"
     "2. The network configuration is incorrect.\n3, Whether it is occupied by other programs.",
     "Ошибка подключения! Пожалуйста, проверьте и повторно подключитесь!\n"
     "1. Разъем сетевого кабеля отсоединен\n2. Ошибка настройки сети\n3. Занято другими программами"),
    # Shown in English and Russian only (Chinese takes the text above).
    ("MainWindow", "Connection failed! Please check and reconnect! \n1.Network interface loose "
     "\n2.Network configuration error\n3.Whether it is occupied  by other programs\n",
     "Connection failed! Please check and reconnect!\n1. The network port is loose.\n"
     "2. The network configuration is incorrect.\n3, Whether it is occupied by other programs.",
     "Не удалось подключиться! Пожалуйста, проверьте и переподключите! \n1.Сетевой интерфейс ослаблен "
     "\n2.Ошибка конфигурации сети\n3.Занят ли он другими программами",
     "连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n"),
    ("MainWindow", "连接错误", "Connection Error", "Ошибка подключения"),
    ("MainWindow", "连接已断开，请检查网络连接", "Disconnected, please check the network.",
     "Соединение отключено, пожалуйста, проверьте сетевое соединение"),
    ("MainWindow", "请先建立连接！", "Please establish a connection first!",
     "Пожалуйста, сначала установите соединение!"),
    ("CommunicationDialog", "Dialog", "Communication", "коммуникация", "通讯"),
    ("CommunicationDialog", "Communication log", "Communication log", "Журнал связи", "通讯记录"),
]

LANGS = {"cn": "zh_CN", "en": "en_US", "ru": "ru_RU"}


def text(s):
    return escape(s).replace('"', "&quot;")


def write(rows, lang, path):
    contexts = {}
    for row in rows:
        contexts.setdefault(row[0], []).append(row)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             f'<TS version="2.1" language="{LANGS[lang]}" sourcelanguage="zh_CN">']
    for name, entries in contexts.items():
        lines += ["<context>", f"    <name>{name}</name>"]
        for row in entries:
            if lang == "cn":
                tr = row[4] if len(row) > 4 else row[1]
            else:
                tr = row[2] if lang == "en" else row[3]
            lines += ["    <message>", f"        <source>{text(row[1])}</source>",
                      f"        <translation>{text(tr)}</translation>", "    </message>"]
        lines.append("</context>")
    lines.append("</TS>")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


here = os.path.dirname(os.path.abspath(__file__))
for part, rows in (("chrome", CHROME), ("link", LINK)):
    for lang in LANGS:
        write(rows, lang, os.path.join(here, "..", "i18n", f"{part}_{lang}.ts"))
