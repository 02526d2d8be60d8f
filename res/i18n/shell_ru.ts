<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>MainObject</name>
    <message>
        <source>control</source>
        <translation>control</translation>
    </message>
</context>
</TS>
