<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>请先建立连接！</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>连接中</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>关闭串口</translation>
    </message>
    <message>
        <source>无有效串口设备！</source>
        <translation>无有效串口设备！</translation>
    </message>
    <message>
        <source>打开成功</source>
        <translation>打开成功</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>udp socket create error!</source>
        <translation>udp socket create error!</translation>
    </message>
    <message>
        <source>udp socket create error</source>
        <translation>udp socket create error</translation>
    </message>
    <message>
        <source>UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。</source>
        <translation>UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。</translation>
    </message>
    <message>
        <source>没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。</source>
        <translation>没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。</translation>
    </message>
    <message>
        <source>请设置正确IP地址！</source>
        <translation>请设置正确IP地址！</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>连接错误</source>
        <translation>连接错误</translation>
    </message>
    <message>
        <source>连接已断开，请检查网络连接</source>
        <translation>连接已断开，请检查网络连接</translation>
    </message>
    <message>
        <source>连接失败！请检查后重新连接！
1、网口松了
2、网络配置错误
3、是否被其他的程序占用
</source>
        <translation>连接失败！请检查后重新连接！
1、网口松了
2、网络配置错误
3、是否被其他的程序占用
</translation>
    </message>
    <message>
        <source>Connection failed! Please check and reconnect! 
1.Network interface loose 
2.Network configuration error
3.Whether it is occupied  by other programs
</source>
        <translation>连接失败！请检查后重新连接！
1、网口松了
2、网络配置错误
3、是否被其他的程序占用
</translation>
    </message>
    <message>
        <source>连接已恢复</source>
        <translation>连接已恢复</translation>
    </message>
    <message>
        <source>连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，需要的修改请重新进行。</source>
        <translation>连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，需要的修改请重新进行。</translation>
    </message>
    <message>
        <source>设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。</source>
        <translation>设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。</translation>
    </message>
    <message>
        <source>可能未送达设备：%1</source>
        <translation>可能未送达设备：%1</translation>
    </message>
    <message>
        <source>另有 %1 条命令可能未送达设备</source>
        <translation>另有 %1 条命令可能未送达设备</translation>
    </message>
</context>
<context>
    <name>NetworkDialog</name>
    <message>
        <source>断线后自动重新连接</source>
        <translation>断线后自动重新连接</translation>
    </message>
    <message>
        <source>连接意外中断后，按 1、2、4、8 秒，之后每 15 秒重新连接同一台设备</source>
        <translation>连接意外中断后，按 1、2、4、8 秒，之后每 15 秒重新连接同一台设备</translation>
    </message>
</context>
<context>
    <name>CommunicationDialog</name>
    <message>
        <source>Dialog</source>
        <translation>通讯</translation>
    </message>
    <message>
        <source>Communication log</source>
        <translation>通讯记录</translation>
    </message>
    <message>
        <source>保存日志</source>
        <translation>保存日志</translation>
    </message>
    <message>
        <source>日志文件 (*.log);;所有文件 (*)</source>
        <translation>日志文件 (*.log);;所有文件 (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>保存失败！</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。</source>
        <translation>通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。</translation>
    </message>
</context>
</TS>
