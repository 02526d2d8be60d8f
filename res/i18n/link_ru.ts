<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>错误</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>Пожалуйста, сначала установите соединение!</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>подтвердить</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Закрыть порт RS232</translation>
    </message>
    <message>
        <source>无有效串口设备！</source>
        <translation>Нет действительного устройства последовательного порта!</translation>
    </message>
    <message>
        <source>打开成功</source>
        <translation>Успешно открыто</translation>
    </message>
    <message>
        <source>error</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>udp socket create error!</source>
        <translation>Ошибка создания UDP-сокета</translation>
    </message>
    <message>
        <source>udp socket create error</source>
        <translation>Ошибка создания UDP-сокета</translation>
    </message>
    <message>
        <source>UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。</source>
        <translation>UDP-порт %1 занят другой программой (или другой копией этой программы); ответы устройства уходили бы туда.</translation>
    </message>
    <message>
        <source>没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。</source>
        <translation>Нет прав на использование UDP-порта %1 (для портов ниже 1024 нужны права администратора).</translation>
    </message>
    <message>
        <source>请设置正确IP地址！</source>
        <translation>Пожалуйста, установите правильный IP-адрес!</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>Отсоедини</translation>
    </message>
    <message>
        <source>连接错误</source>
        <translation>Ошибка подключения</translation>
    </message>
    <message>
        <source>连接已断开，请检查网络连接</source>
        <translation>Соединение отключено, пожалуйста, проверьте сетевое соединение</translation>
    </message>
    <message>
        <source>连接失败！请检查后重新连接！
1、网口松了
2、网络配置错误
3、是否被其他的程序占用
</source>
        <translation>Ошибка подключения! Пожалуйста, проверьте и повторно подключитесь!
1. Разъем сетевого кабеля отсоединен
2. Ошибка настройки сети
3. Занято другими программами</translation>
    </message>
    <message>
        <source>Connection failed! Please check and reconnect! 
1.Network interface loose 
2.Network configuration error
3.Whether it is occupied  by other programs
</source>
        <translation>Не удалось подключиться! Пожалуйста, проверьте и переподключите! 
1.Сетевой интерфейс ослаблен 
2.Ошибка конфигурации сети
3.Занят ли он другими программами</translation>
    </message>
    <message>
        <source>连接已恢复</source>
        <translation>Соединение восстановлено</translation>
    </message>
    <message>
        <source>连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，需要的修改请重新进行。</source>
        <translation>Изменения, сделанные во время обрыва связи (%1), не были отправлены на устройство. На экране — состояние устройства, считанное заново; при необходимости внесите изменения ещё раз.</translation>
    </message>
    <message>
        <source>设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。</source>
        <translation>Команды, отправленные после последнего ответа устройства (%1), могли не дойти до него; см. журнал обмена.</translation>
    </message>
    <message>
        <source>可能未送达设备：%1</source>
        <translation>Возможно, не дошло до устройства: %1</translation>
    </message>
    <message>
        <source>另有 %1 条命令可能未送达设备</source>
        <translation>Ещё команды, которые могли не дойти до устройства: %1</translation>
    </message>
</context>
<context>
    <name>NetworkDialog</name>
    <message>
        <source>断线后自动重新连接</source>
        <translation>Автоматически переподключаться при обрыве связи</translation>
    </message>
    <message>
        <source>连接意外中断后，按 1、2、4、8 秒，之后每 15 秒重新连接同一台设备</source>
        <translation>После неожиданного обрыва снова подключаться к тому же устройству через 1, 2, 4 и 8 секунд, затем каждые 15 секунд</translation>
    </message>
</context>
<context>
    <name>CommunicationDialog</name>
    <message>
        <source>Dialog</source>
        <translation>коммуникация</translation>
    </message>
    <message>
        <source>Communication log</source>
        <translation>Журнал обмена</translation>
    </message>
    <message>
        <source>保存日志</source>
        <translation>Сохранить журнал</translation>
    </message>
    <message>
        <source>日志文件 (*.log);;所有文件 (*)</source>
        <translation>Файлы журнала (*.log);;Все файлы (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>Не удалось сохранить!</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。</source>
        <translation>Журнал обмена не удаётся записать в файл; записи этого сеанса остаются только в окне обмена.</translation>
    </message>
</context>
</TS>
