#!/usr/bin/env python3
"""Writes res/i18n/link_{cn,en,ru}.ts: the texts of the serial and network
links, the send queue and the communication log."""
from tsgen import write_catalogues

TEXTS = [
    ("MainWindow", "错误", "Error", "ошибка"),
    ("MainWindow", "请先建立连接！", "Please establish a connection first!",
     "Пожалуйста, сначала установите соединение!"),
    ("MainWindow", "确定", "OK", "подтвердить"),
    ("MainWindow", "连接中", "Connecting", "Подключение"),
    ("MainWindow", "关闭串口", "Close the Serial Port", "Закрыть порт RS232"),
    ("MainWindow", "无有效串口设备！", "No valid serial port device!",
     "Нет действительного устройства последовательного порта!"),
    ("MainWindow", "打开成功", "Open Successfully", "Успешно открыто"),
    ("MainWindow", "error", "Error", "ошибка"),
    ("MainWindow", "udp socket create error!", "Udp socket create error", "Ошибка создания UDP-сокета"),
    ("MainWindow", "udp socket create error", "Udp socket create error", "Ошибка создания UDP-сокета"),
    ("MainWindow", "UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。",
     "UDP port %1 is in use by another program (or another copy of this one); the device's answers "
     "would go there.",
     "UDP-порт %1 занят другой программой (или другой копией этой программы); ответы устройства "
     "уходили бы туда."),
    ("MainWindow", "没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。",
     "No permission to use UDP port %1 (ports below 1024 need administrator rights).",
     "Нет прав на использование UDP-порта %1 (для портов ниже 1024 нужны права администратора)."),
    ("MainWindow", "请设置正确IP地址！", "Please set the correct IP address!",
     "Пожалуйста, установите правильный IP-адрес!"),
    ("MainWindow", "断开连接", "Disconnect", "Отсоедини"),
    ("MainWindow", "连接错误", "Connection Error", "Ошибка подключения"),
    ("MainWindow", "连接已断开，请检查网络连接", "Disconnected, please check the network.",
     "Соединение отключено, пожалуйста, проверьте сетевое соединение"),
    ("MainWindow", "连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n",
     "Connection failed! Please check and reconnect!\n1. The network port is loose.\n"
     "2. The network configuration is incorrect.\n3, Whether it is occupied by other programs.",
     "Ошибка подключения! Пожалуйста, проверьте и повторно подключитесь!\n1. Разъем сетевого кабеля отсоединен\n"
     "2. Ошибка настройки сети\n3. Занято другими программами"),
    ("MainWindow", "Connection failed! Please check and reconnect! \n1.Network interface loose \n"
     "2.Network configuration error\n3.Whether it is occupied  by other programs\n",
     "Connection failed! Please check and reconnect!\n1. The network port is loose.\n"
     "2. The network configuration is incorrect.\n3, Whether it is occupied by other programs.",
     "Не удалось подключиться! Пожалуйста, проверьте и переподключите! \n1.Сетевой интерфейс ослаблен \n"
     "2.Ошибка конфигурации сети\n3.Занят ли он другими программами",
     "连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n"),
    ("MainWindow", "连接已恢复", "Connection restored", "Соединение восстановлено"),
    ("MainWindow", "连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，需要的修改请重新进行。",
     "%1 change(s) made while the connection was down were not sent to the device. The screen shows the "
     "device's state as read again; please make the changes you need once more.",
     "Изменения, сделанные во время обрыва связи (%1), не были отправлены на устройство. На экране — "
     "состояние устройства, считанное заново; при необходимости внесите изменения ещё раз."),
    ("MainWindow", "设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。",
     "%1 command(s) sent after the device last answered may not have reached it; see the communication log.",
     "Команды, отправленные после последнего ответа устройства (%1), могли не дойти до него; "
     "см. журнал обмена."),
    ("MainWindow", "可能未送达设备：%1", "May not have reached the device: %1",
     "Возможно, не дошло до устройства: %1"),
    ("MainWindow", "另有 %1 条命令可能未送达设备", "%1 more command(s) may not have reached the device",
     "Ещё команды, которые могли не дойти до устройства: %1"),
    ("NetworkDialog", "断线后自动重新连接", "Reconnect automatically when the link drops",
     "Автоматически переподключаться при обрыве связи"),
    ("NetworkDialog", "连接意外中断后，按 1、2、4、8 秒，之后每 15 秒重新连接同一台设备",
     "After an unexpected loss, connect to the same device again after 1, 2, 4 and 8 seconds, "
     "then every 15 seconds",
     "После неожиданного обрыва снова подключаться к тому же устройству через 1, 2, 4 и 8 секунд, "
     "затем каждые 15 секунд"),
    ("CommunicationDialog", "Dialog", "Communication", "коммуникация", "通讯"),
    ("CommunicationDialog", "Communication log", "Communication log", "Журнал обмена", "通讯记录"),
    ("CommunicationDialog", "保存日志", "Save log", "Сохранить журнал"),
    ("CommunicationDialog", "日志文件 (*.log);;所有文件 (*)", "Log files (*.log);;All files (*)",
     "Файлы журнала (*.log);;Все файлы (*)"),
    ("CommunicationDialog", "错误", "Error", "ошибка"),
    ("CommunicationDialog", "保存失败！", "Save failed!", "Не удалось сохранить!"),
    ("CommunicationDialog", "警告", "Warning", "Предупреждение"),
    ("CommunicationDialog", "通讯日志无法写入文件，本次运行的记录只保留在通讯窗口中。",
     "The communication log cannot be written to its file; this run's lines are kept only in the "
     "communication window.",
     "Журнал обмена не удаётся записать в файл; записи этого сеанса остаются только в окне обмена."),
]

if __name__ == "__main__":
    write_catalogues("link", TEXTS)
