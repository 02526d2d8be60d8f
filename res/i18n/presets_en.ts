<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>PresetsPage</name>
    <message>
        <source>场景预设</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>已保存的预设</source>
        <translation>Saved presets</translation>
    </message>
    <message>
        <source>预设名称</source>
        <translation>Preset name</translation>
    </message>
    <message>
        <source>保存预设</source>
        <translation>Save preset</translation>
    </message>
    <message>
        <source>应用预设</source>
        <translation>Apply preset</translation>
    </message>
    <message>
        <source>重命名预设</source>
        <translation>Rename preset</translation>
    </message>
    <message>
        <source>删除预设</source>
        <translation>Delete preset</translation>
    </message>
    <message>
        <source>导入预设</source>
        <translation>Import preset</translation>
    </message>
    <message>
        <source>导出预设</source>
        <translation>Export preset</translation>
    </message>
    <message>
        <source>预设文件 (*.json);;所有文件 (*)</source>
        <translation>Preset files (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>无法保存预设：%1</source>
        <translation>Cannot save the preset: %1</translation>
    </message>
    <message>
        <source>%1 不是 JSON 文件：%2</source>
        <translation>%1 is not a JSON file: %2</translation>
    </message>
    <message>
        <source>%1 不是预设文件</source>
        <translation>%1 is not a preset file</translation>
    </message>
    <message>
        <source>%1 来自更新的版本（格式 %2），此版本只能读取格式 %3</source>
        <translation>%1 comes from a newer version (format %2); this version reads format %3</translation>
    </message>
    <message>
        <source>%1 中的值无效：%2</source>
        <translation>%1 holds an invalid value: %2</translation>
    </message>
    <message>
        <source>请输入有效的预设名称</source>
        <translation>Please enter a valid preset name</translation>
    </message>
    <message>
        <source>预设“%1”已存在，是否覆盖？</source>
        <translation>A preset &quot;%1&quot; exists already. Replace it?</translation>
    </message>
    <message>
        <source>请先选择一个预设</source>
        <translation>Please choose a preset first</translation>
    </message>
    <message>
        <source>确定要删除预设“%1”吗？</source>
        <translation>Delete the preset &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>Please establish a connection first!</translation>
    </message>
    <message>
        <source>确定要将预设“%1”应用到设备吗？</source>
        <translation>Apply the preset &quot;%1&quot; to the device?</translation>
    </message>
    <message>
        <source>正在应用预设：%1/%2</source>
        <translation>Applying the preset: %1/%2</translation>
    </message>
    <message>
        <source>正在回读设备状态…</source>
        <translation>Reading the device back…</translation>
    </message>
    <message>
        <source>连接已断开，预设未能全部应用</source>
        <translation>The connection was lost; the preset was not applied in full</translation>
    </message>
    <message>
        <source>已发送 %1 条命令。串口连接无法回读。</source>
        <translation>%1 commands sent. A serial link cannot read back.</translation>
    </message>
    <message>
        <source>已发送 %1 条命令，但设备没有应答回读。</source>
        <translation>%1 commands sent, but the device did not answer the read.</translation>
    </message>
    <message>
        <source>预设已应用（%1 条命令），设备状态与预设一致。</source>
        <translation>The preset was applied (%1 commands); the device matches it.</translation>
    </message>
    <message>
        <source>%1：应为 %2，读到 %3</source>
        <translation>%1: expected %2, read %3</translation>
    </message>
    <message>
        <source>窗口 %1 %2：应为 %3，读到 %4</source>
        <translation>window %1 %2: expected %3, read %4</translation>
    </message>
    <message>
        <source>预设已应用，但回读结果与预设不同：
%1</source>
        <translation>The preset was applied, but the device reads back otherwise:
%1</translation>
    </message>
    <message>
        <source>正在读取设备状态…</source>
        <translation>Reading the device state…</translation>
    </message>
    <message>
        <source>无法读取设备状态，预设未应用</source>
        <translation>Cannot read the device state; the preset was not applied</translation>
    </message>
    <message>
        <source>文件名“%1”不能用作预设名称，请重命名文件后再导入</source>
        <translation>The file name “%1” cannot be used as a preset name; rename the file and import it again</translation>
    </message>
</context>
</TS>
