#!/usr/bin/env python3
"""Writes res/i18n/chrome_{cn,en,ru}.ts: the texts of the main window's title
bar."""
from tsgen import write_catalogues

TEXTS = [
    ("MainTitleBar", "VEXOR-W4PRO", "Lumara W4R Controller", "Lumara W4R контроль", "Lumara W4R 控制"),
    # Screen-reader names of the two picture buttons.
    ("MainTitleBar", "最小化", "Minimize", "Свернуть"),
    ("MainTitleBar", "关闭窗口", "Close window", "Закрыть окно"),
]

write_catalogues("chrome", TEXTS)
