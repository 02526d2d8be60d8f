"""Writes one part's translation sources res/i18n/<part>_{cn,en,ru}.ts from a
table of (context, source, english, russian[, chinese]) rows; None leaves a
text untranslated. The Chinese catalogue maps every source to itself (or to the
Chinese form where the source is not Chinese)."""
import os
from xml.sax.saxutils import escape

LANGS = {"cn": "zh_CN", "en": "en_US", "ru": "ru_RU"}


def text(s):
    return escape(s).replace('"', "&quot;")


def write(texts, lang, path):
    contexts = {}
    for row in texts:
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


def write_catalogues(part, texts):
    here = os.path.dirname(os.path.abspath(__file__))
    for lang in LANGS:
        write(texts, lang, os.path.join(here, "..", "i18n", f"{part}_{lang}.ts"))
