#!/usr/bin/env python3
"""Writes res/i18n/pages_{cn,en,ru}.ts: the texts of the control pages (window,
picture, layout and maintenance controls) that the form does not carry. Edit
the table, run this script, commit the three files. The Chinese catalogue maps
every source to itself, or to the Chinese form where it differs."""
import os
from xml.sax.saxutils import escape

# (source, english, russian[, chinese])
TEXTS = [
    ("全部解冻", "Unfreeze all", "Разморозить все"),
    ("错误", "Error", "ошибка"),
    ("提示", "Tips", "подсказка"),
    ("警告", "Warning", "Предупреждение"),
    ("消息", "Information", "сообщение"),
    ("超出%1X%2分辨率", "Beyond %1X%2 resolution", "Превышение разрешения %1X%2"),
    ("请先建立连接！", "Please establish a connection first!", "Пожалуйста, сначала установите соединение!"),
    ("起始位置不能大于结束位置！", "The start position cannot be greater than the end position!",
     "Начальная позиция не может быть больше конечной позиции!"),
    ("结束位置不能大于输入源分辨率(%1x%2)！",
     "The end position cannot be larger than the input source resolution(%1x%2)!",
     "Конечная позиция не может быть больше, чем разрешение входного источника(%1x%2)!"),
    ("结束位置不能大于输入源分辨率(%1x%2) ！",
     "The end position cannot be greater than the input source resolution (%1x%2)!",
     "Конечная позиция не может быть больше, чем разрешение входного источника(%1x%2) ！"),
    ("确定要重置吗？", "Are you sure you want to reset?", "Вы уверены, что хотите выполнить сброс?"),
    ("请稍等(7/%1)", "Please Wait (7/%1)", "Пожалуйста, подождите (7/%1)"),
    ("行列的乘积不能大于9", "The product of rows and columns cannot be greater than 9",
     "Произведение строк и столбцов не может превышать 9"),
    ("更改完成，请手动重启VEXOR-W4PRO！", "Config changed, please  restart device manually.",
     "Изменения завершены, пожалуйста, выполните ручную перезагрузку устройства.", "更改完成，请手动重启设备"),
    ("waiting", "Waiting...", "Загрузка...", "等待中..."),
    ("保存成功！", "Saved!", "Сохранено успешно!"),
    ("恢复成功，请手动重启设备！", "The recovery was successful, please restart the device manually!",
     "Перезагрузка устройства вручную, пожалуйста!"),
]

LANGS = {"cn": "zh_CN", "en": "en_US", "ru": "ru_RU"}


def text(s):
    return escape(s).replace('"', "&quot;")


def write(lang, path):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             f'<TS version="2.1" language="{LANGS[lang]}" sourcelanguage="zh_CN">',
             "<context>", "    <name>MainWindow</name>"]
    for row in TEXTS:
        source = row[0]
        if lang == "cn":
            tr = row[3] if len(row) > 3 else source
        else:
            tr = row[1] if lang == "en" else row[2]
        lines += ["    <message>", f"        <source>{text(source)}</source>",
                  f"        <translation>{text(tr)}</translation>", "    </message>"]
    lines += ["</context>", "</TS>"]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


here = os.path.dirname(os.path.abspath(__file__))
for lang in LANGS:
    write(lang, os.path.join(here, "..", "i18n", f"pages_{lang}.ts"))
