#!/usr/bin/env python3
"""Writes res/i18n/presets_{cn,en,ru}.ts: the texts of the presets page."""
from tsgen import write_catalogues

C = "PresetsPage"

TEXTS = [
    (C, "场景预设", "Presets", "Пресеты"),
    (C, "已保存的预设", "Saved presets", "Сохранённые пресеты"),
    (C, "预设名称", "Preset name", "Имя пресета"),
    (C, "保存预设", "Save preset", "Сохранить пресет"),
    (C, "应用预设", "Apply preset", "Применить пресет"),
    (C, "重命名预设", "Rename preset", "Переименовать пресет"),
    (C, "删除预设", "Delete preset", "Удалить пресет"),
    (C, "导入预设", "Import preset", "Импорт пресета"),
    (C, "导出预设", "Export preset", "Экспорт пресета"),
    (C, "预设文件 (*.json);;所有文件 (*)", "Preset files (*.json);;All files (*)",
     "Файлы пресетов (*.json);;Все файлы (*)"),
    (C, "错误", "Error", "ошибка"),
    (C, "警告", "Warning", "Предупреждение"),
    (C, "提示", "Tips", "подсказка"),
    (C, "无法保存预设：%1", "Cannot save the preset: %1", "Не удалось сохранить пресет: %1"),
    (C, "%1 不是 JSON 文件：%2", "%1 is not a JSON file: %2", "%1 не является файлом JSON: %2"),
    (C, "%1 不是预设文件", "%1 is not a preset file", "%1 не является файлом пресета"),
    (C, "%1 来自更新的版本（格式 %2），此版本只能读取格式 %3",
     "%1 comes from a newer version (format %2); this version reads format %3",
     "%1 создан более новой версией (формат %2); эта версия читает формат %3"),
    (C, "%1 中的值无效：%2", "%1 holds an invalid value: %2", "%1 содержит недопустимое значение: %2"),
    (C, "无法读取文件 %1：%2", "Cannot read %1: %2", "Не удалось прочитать %1: %2"),
    (C, "请输入有效的预设名称", "Please enter a valid preset name", "Введите допустимое имя пресета"),
    (C, "预设“%1”已存在，是否覆盖？", "A preset \"%1\" exists already. Replace it?",
     "Пресет «%1» уже существует. Заменить его?"),
    (C, "请先选择一个预设", "Please choose a preset first", "Сначала выберите пресет"),
    (C, "确定要删除预设“%1”吗？", "Delete the preset \"%1\"?", "Удалить пресет «%1»?"),
    (C, "请先建立连接！", "Please establish a connection first!",
     "Пожалуйста, сначала установите соединение!"),
    (C, "确定要将预设“%1”应用到设备吗？", "Apply the preset \"%1\" to the device?",
     "Применить пресет «%1» к устройству?"),
    (C, "正在应用预设：%1/%2", "Applying the preset: %1/%2", "Применение пресета: %1/%2"),
    (C, "正在回读设备状态…", "Reading the device back…", "Считывание состояния устройства…"),
    (C, "连接已断开，预设未能全部应用", "The connection was lost; the preset was not applied in full",
     "Соединение потеряно; пресет применён не полностью"),
    (C, "已发送 %1 条命令。串口连接无法回读。", "%1 commands sent. A serial link cannot read back.",
     "Отправлено команд: %1. Последовательный порт не читает состояние."),
    (C, "已发送 %1 条命令，但设备没有应答回读。", "%1 commands sent, but the device did not answer the read.",
     "Отправлено команд: %1, но устройство не ответило на чтение."),
    (C, "预设已应用（%1 条命令），设备状态与预设一致。",
     "The preset was applied (%1 commands); the device matches it.",
     "Пресет применён (команд: %1); устройство ему соответствует."),
    (C, "%1：应为 %2，读到 %3", "%1: expected %2, read %3", "%1: ожидалось %2, прочитано %3"),
    (C, "窗口 %1 %2：应为 %3，读到 %4", "window %1 %2: expected %3, read %4",
     "окно %1 %2: ожидалось %3, прочитано %4"),
    (C, "预设已应用，但回读结果与预设不同：\n%1", "The preset was applied, but the device reads back otherwise:\n%1",
     "Пресет применён, но устройство считывается иначе:\n%1"),
]

if __name__ == "__main__":
    write_catalogues("presets", TEXTS)
