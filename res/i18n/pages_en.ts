<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>全部解冻</source>
        <translation>Unfreeze all</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>消息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>超出%1X%2分辨率</source>
        <translation>Beyond %1X%2 resolution</translation>
    </message>
    <message>
        <source>起始位置不能大于结束位置！</source>
        <translation>The start position cannot be greater than the end position!</translation>
    </message>
    <message>
        <source>结束位置不能大于输入源分辨率(%1x%2)！</source>
        <translation>The end position cannot be larger than the input source resolution(%1x%2)!</translation>
    </message>
    <message>
        <source>结束位置不能大于输入源分辨率(%1x%2) ！</source>
        <translation>The end position cannot be greater than the input source resolution (%1x%2)!</translation>
    </message>
    <message>
        <source>确定要重置吗？</source>
        <translation>Are you sure you want to reset?</translation>
    </message>
    <message>
        <source>请稍等(7/%1)</source>
        <translation>Please Wait (7/%1)</translation>
    </message>
    <message>
        <source>行列的乘积不能大于9</source>
        <translation>The product of rows and columns cannot be greater than 9</translation>
    </message>
    <message>
        <source>更改完成，请手动重启VEXOR-W4PRO！</source>
        <translation>Config changed, please  restart device manually.</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>Saved!</translation>
    </message>
    <message>
        <source>请输入%1到%2之间的数值</source>
        <translation>Please enter a value from %1 to %2</translation>
    </message>
    <message>
        <source>恢复成功，请手动重启设备！</source>
        <translation>The recovery was successful, please restart the device manually!</translation>
    </message>
</context>
</TS>
