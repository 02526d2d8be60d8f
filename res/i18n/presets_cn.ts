<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>PresetsPage</name>
    <message>
        <source>场景预设</source>
        <translation>场景预设</translation>
    </message>
    <message>
        <source>已保存的预设</source>
        <translation>已保存的预设</translation>
    </message>
    <message>
        <source>预设名称</source>
        <translation>预设名称</translation>
    </message>
    <message>
        <source>保存预设</source>
        <translation>保存预设</translation>
    </message>
    <message>
        <source>应用预设</source>
        <translation>应用预设</translation>
    </message>
    <message>
        <source>重命名预设</source>
        <translation>重命名预设</translation>
    </message>
    <message>
        <source>删除预设</source>
        <translation>删除预设</translation>
    </message>
    <message>
        <source>导入预设</source>
        <translation>导入预设</translation>
    </message>
    <message>
        <source>导出预设</source>
        <translation>导出预设</translation>
    </message>
    <message>
        <source>预设文件 (*.json);;所有文件 (*)</source>
        <translation>预设文件 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>无法保存预设：%1</source>
        <translation>无法保存预设：%1</translation>
    </message>
    <message>
        <source>%1 不是 JSON 文件：%2</source>
        <translation>%1 不是 JSON 文件：%2</translation>
    </message>
    <message>
        <source>%1 不是预设文件</source>
        <translation>%1 不是预设文件</translation>
    </message>
    <message>
        <source>%1 来自更新的版本（格式 %2），此版本只能读取格式 %3</source>
        <translation>%1 来自更新的版本（格式 %2），此版本只能读取格式 %3</translation>
    </message>
    <message>
        <source>%1 中的值无效：%2</source>
        <translation>%1 中的值无效：%2</translation>
    </message>
    <message>
        <source>请输入有效的预设名称</source>
        <translation>请输入有效的预设名称</translation>
    </message>
    <message>
        <source>预设“%1”已存在，是否覆盖？</source>
        <translation>预设“%1”已存在，是否覆盖？</translation>
    </message>
    <message>
        <source>请先选择一个预设</source>
        <translation>请先选择一个预设</translation>
    </message>
    <message>
        <source>确定要删除预设“%1”吗？</source>
        <translation>确定要删除预设“%1”吗？</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>请先建立连接！</translation>
    </message>
    <message>
        <source>确定要将预设“%1”应用到设备吗？</source>
        <translation>确定要将预设“%1”应用到设备吗？</translation>
    </message>
    <message>
        <source>正在应用预设：%1/%2</source>
        <translation>正在应用预设：%1/%2</translation>
    </message>
    <message>
        <source>正在回读设备状态…</source>
        <translation>正在回读设备状态…</translation>
    </message>
    <message>
        <source>连接已断开，预设未能全部应用</source>
        <translation>连接已断开，预设未能全部应用</translation>
    </message>
    <message>
        <source>已发送 %1 条命令。串口连接无法回读。</source>
        <translation>已发送 %1 条命令。串口连接无法回读。</translation>
    </message>
    <message>
        <source>已发送 %1 条命令，但设备没有应答回读。</source>
        <translation>已发送 %1 条命令，但设备没有应答回读。</translation>
    </message>
    <message>
        <source>预设已应用（%1 条命令），设备状态与预设一致。</source>
        <translation>预设已应用（%1 条命令），设备状态与预设一致。</translation>
    </message>
    <message>
        <source>%1：应为 %2，读到 %3</source>
        <translation>%1：应为 %2，读到 %3</translation>
    </message>
    <message>
        <source>窗口 %1 %2：应为 %3，读到 %4</source>
        <translation>窗口 %1 %2：应为 %3，读到 %4</translation>
    </message>
    <message>
        <source>预设已应用，但回读结果与预设不同：
%1</source>
        <translation>预设已应用，但回读结果与预设不同：
%1</translation>
    </message>
    <message>
        <source>正在读取设备状态…</source>
        <translation>正在读取设备状态…</translation>
    </message>
    <message>
        <source>无法读取设备状态，预设未应用</source>
        <translation>无法读取设备状态，预设未应用</translation>
    </message>
    <message>
        <source>文件名“%1”不能用作预设名称，请重命名文件后再导入</source>
        <translation>文件名“%1”不能用作预设名称，请重命名文件后再导入</translation>
    </message>
</context>
</TS>
