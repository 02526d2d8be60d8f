#!/usr/bin/env python3
"""Writes res/i18n/pages_{cn,en,ru}.ts: the texts of the control pages (window,
picture, layout and maintenance controls) that the form does not carry. Edit
the table, run this script, commit the three files. The Chinese catalogue maps
every source to itself, or to the Chinese form where it differs."""
from tsgen import write_catalogues

# (source, english, russian[, chinese])
TEXTS = [
    ("全部解冻", "Unfreeze all", "Разморозить все"),
    ("提示", "Tips", "подсказка"),
    ("消息", "Information", "сообщение"),
    ("超出%1X%2分辨率", "Beyond %1X%2 resolution", "Превышение разрешения %1X%2"),
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
    ("请输入%1到%2之间的数值", "Please enter a value from %1 to %2", "Введите значение от %1 до %2"),
    ("恢复成功，请手动重启设备！", "The recovery was successful, please restart the device manually!",
     "Перезагрузка устройства вручную, пожалуйста!"),
]

if __name__ == "__main__":
    write_catalogues("pages", [("MainWindow",) + row for row in TEXTS])
