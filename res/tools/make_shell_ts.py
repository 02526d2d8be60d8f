#!/usr/bin/env python3
"""Writes res/i18n/shell_{cn,en,ru}.ts: the texts of the start-up, the main
window's form and its frame code. Edit the table, run this script, commit the
three files. The Chinese catalogue maps every source to itself (or to the
Chinese form where the source is not Chinese), so switching back to Chinese masks
English or Russian translators installed earlier."""
import os
from xml.sax.saxutils import escape

# (context, source, english, russian[, chinese]); None leaves a text untranslated.
TEXTS = [
    ("MainObject", "初始化应用程序 ...", "Initializing the application...", "Инициализация приложения..."),
    ("MainObject", "初始化主界面 ...", "Initialize the home screen...", "Инициализация главного интерфейса..."),
    ("MainObject", "加载界面 ...", "Loading interface...", "Загрузка интерфейса …"),
    ("MainObject", "加载完毕！", "Loaded!", "Загрузка завершена!"),
    ("MainObject", "control", None, None),

    ("MainWindow", "输入源(尝试拖动？)", "Input source (Drag && Drop)", "Источник ввода"),
    ("MainWindow", "输入 1", "IN 1", "ввод 1"),
    ("MainWindow", "输入 2", "IN 2", "ввод 2"),
    ("MainWindow", "输入 3", "IN 3", "ввод 3"),
    ("MainWindow", "输入 4", "IN 4", "ввод 4"),
    ("MainWindow", "串口连接", "Series Connection", "Настройки порта"),
    ("MainWindow", "打开串口", "Open Serial Port", "Пинг RS232"),
    ("MainWindow", "拼接模式", "Wall Mode", "Режим видеостены"),
    ("MainWindow", "行", "Row", "Ряды"),
    ("MainWindow", "列", "Column", "Столбцы"),
    ("MainWindow", "更改", "Modify", "Изменить"),
    ("MainWindow", "连接设置", "Connection Settings", "Настройки соединения"),
    ("MainWindow", "连接服务器", "Connect to Server", "подключиться к серверу"),
    ("MainWindow", "ON", "ON", "откр", "打开"),
    ("MainWindow", "OFF", "OFF", "закрытие", "关闭"),
    ("MainWindow", "语言：", "Language:", "Язык:"),
    ("MainWindow", "保存所有配置", "Save all config", "Сохранить все настройки"),
    ("MainWindow", "测试速率", None, None),
    ("MainWindow", "MCUK5 复位", None, None),
    ("MainWindow", "测试MyMessagebox", None, None),
    ("MainWindow", "当前窗口：", "Current Window:", "Текущее окно:"),
    ("MainWindow", "窗口1", "Window 1", "окно 1"),
    ("MainWindow", "窗口2", "Window 2", "окно 2"),
    ("MainWindow", "窗口3", "Window 3", "окно 3"),
    ("MainWindow", "窗口4", "Window 4", "окно 4"),
    ("MainWindow", "视图调整", "View Adjustment", "Регулировка вида"),
    ("MainWindow", "画面调整", "Picture Adjustment", "Регулировка изображения"),
    ("MainWindow", "窗口调整", "Window Adjustment", "Настройка окна"),
    ("MainWindow", "图像效果", "Image Effects", "Эффекты изображения"),
    ("MainWindow", "开发者功能", "Developer", "функция разработчика"),
    ("MainWindow", "坐标", "Coordinate", "Координаты"),
    ("MainWindow", "大小", "Size", "Размер"),
    ("MainWindow", "裁剪", "Crop", "обрезка"),
    ("MainWindow", "起始：", "Start:", "Начало:"),
    ("MainWindow", "结束：", "End:", "Конец:"),
    ("MainWindow", "亮度", "Brightness", "Яркость"),
    ("MainWindow", "对比度", "Contrast Ratio", "Контраст"),
    ("MainWindow", "饱和度", "Saturation", "Насыщенность"),
    ("MainWindow", "色温", "Color Temperature", "Цветовая\nтемпература"),
    ("MainWindow", "色相", "Hue", "Оттенок"),
    ("MainWindow", "水平锐度", "Horizontal Sharpness", "Гор. резкость"),
    ("MainWindow", "垂直锐度", "Vertical Sharpness", "Верт. резкость"),
    ("MainWindow", "复位", "Reset", "Сброс"),
    ("MainWindow", "显示窗口", "Layer Display/Hide", "Окно отображения"),
    ("MainWindow", "窗口冻结", "Windows Freeze", "Заморозка окна"),
    ("MainWindow", "窗口纯色填充", "Solid Color Fill", "Заливка окна\nсплошным цветом"),
    ("MainWindow", "调\n色\n板", None, None),
    ("MainWindow", "窗口层级：", "Layer:", "Иерархия окон:"),
    ("MainWindow", "开启音频", "Audio ON", "Включить аудио"),
    ("MainWindow", "全部冻结", "Freeze all Windows", "Замораживать все окна"),
    ("MainWindow", "预设", "Preset", "Пресет"),
    ("MainWindow", "蓝矫正", "Blue Correction", "Коррекция синего"),
    ("MainWindow", "绿矫正", "Green Correction", "Коррекция зелёного"),
    ("MainWindow", "肤色矫正", "Skin Tone", "Тон кожи"),
    ("MainWindow", "水平镜像", "Horizontal Mirror", "отразить по \nгоризонтали"),
    ("MainWindow", "垂直镜像", "Vertical Mirror", "отразить по\nВертикальное"),
    ("MainWindow", "水平过滤", "Horizontal Filter", "Горизонтальная фильтрация"),
    ("MainWindow", "垂直过滤", "Vertical Filter", "Вертикальная фильтрация"),
    ("MainWindow", "残影过滤", "Afterimage Filter", "фильтр эффекта привидения"),
    ("MainWindow", "块状过滤", "Object Filtration", "блочная фильтрация"),
    ("MainWindow", "噪点处理", "Noise Processing", "фильтрация шума"),
    ("MainWindow", "毛发处理", "Fur Processing", "Обработка волос"),
    ("MainWindow", "去伽马模式", "Degamma Mode", "режим де-гамма"),
    ("MainWindow", "面板伽马模式", "Panel Gamma Mode", "гамма-коррекция"),
    ("MainWindow", "反交错", "De-interlace", "коррекция ошибок"),
    ("MainWindow", "运动检测灵敏度", "Motion Detection", "чувствительность движения"),
    ("MainWindow", "对角线修正", "Diagonal Innovation", "диагональная коррекция"),
    ("MainWindow", "24PSF模式", "24PSF Mode", "Модель 24PSF"),
    ("MainWindow", "下拉时间阈值", "Pull Time Threshold", "Значение нажатия"),
    ("MainWindow", "2:3下拉检测", "2:3 Pull Detection", "2:3 Обнаружение нажатия"),
    ("MainWindow", "2:2下拉检测", "2:2 Pull Detection", "2:2 Обнаружение нажатия"),
    ("MainWindow", "通讯", "Communication", "коммуникация"),
    ("MainWindow", "刷新", "Data Sync", "Параметры синхронизации"),
    ("MainWindow", "脱机", "Offline", "оффлайн"),
    ("MainWindow", "恢复出厂设置", "Factory Reset", "Заводская установка"),
    ("MainWindow", "1200模式", "1200 Mode", "Модель 1200."),
    ("MainWindow", "命令发送间隔：", "Command send interval:", "Интервал отправки команды:"),
    ("MainWindow", "网口：", "Network port:", "сетевое гнездо:"),
    ("MainWindow", "串口：", "Serial port:", "Серийный:"),
    # Names of the division-mode picture buttons (tool tips, screen readers).
    ("MainWindow", "单画面", "Single window", "Одно окно"),
    ("MainWindow", "左右两分屏", "Two windows side by side", "Два окна рядом"),
    ("MainWindow", "上下两分屏", "Two windows one above the other", "Два окна друг над другом"),
    ("MainWindow", "四分屏", "Four quarters", "Четыре четверти"),
    ("MainWindow", "一大三小", "One large, three small", "Одно большое и три малых"),
    ("MainWindow", "一大一小", "One large, one small", "Одно большое и одно малое"),
]

LANGS = {"cn": "zh_CN", "en": "en_US", "ru": "ru_RU"}


def text(s):
    return escape(s).replace('"', "&quot;")


def write(lang, path):
    contexts = {}
    for row in TEXTS:
        contexts.setdefault(row[0], []).append(row)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             f'<TS version="2.1" language="{LANGS[lang]}" sourcelanguage="zh_CN">']
    for name, rows in contexts.items():
        lines += ["<context>", f"    <name>{name}</name>"]
        for row in rows:
            source = row[1]
            if lang == "cn":
                tr = row[4] if len(row) > 4 else source
            else:
                tr = row[2] if lang == "en" else row[3]
            lines += ["    <message>", f"        <source>{text(source)}</source>"]
            if tr is None:
                lines.append('        <translation type="unfinished"></translation>')
            else:
                lines.append(f"        <translation>{text(tr)}</translation>")
            lines.append("    </message>")
        lines.append("</context>")
    lines.append("</TS>")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


here = os.path.dirname(os.path.abspath(__file__))
for lang in LANGS:
    write(lang, os.path.join(here, "..", "i18n", f"shell_{lang}.ts"))
