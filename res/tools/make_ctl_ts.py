#!/usr/bin/env python3
"""Writes res/i18n/ctl_{cn,en,ru}.ts: the messages and help of w4ctl."""
from tsgen import write_catalogues

C = "Ctl"

TEXTS = [
    (C, "连接与选项：\n"
        "  --serial PATH        串口\n"
        "  --tcp HOST[:PORT]    TCP（端口默认 23）\n"
        "  --udp HOST           UDP；--from LOCAL_ADDRESS 指定本机地址\n"
        "  W4_DEVICE            环境变量，例如 tcp:198.51.100.20:23\n"
        "  --interval MS        命令之间的最小间隔\n"
        "  --timeout MS         连接和每次回读的等待时间（默认 5000）\n"
        "  --json               以 JSON 输出结果\n"
        "  --dry-run            只打印要发送的字节，不发送\n"
        "  --lang zh|en|ru      消息语言（默认 en）\n"
        "退出码：0 成功，1 设备未接受或回读不符，2 输入有误（未发送任何内容）。\n",
     "Connection and options:\n"
     "  --serial PATH        serial port\n"
     "  --tcp HOST[:PORT]    TCP (port 23 unless given)\n"
     "  --udp HOST           UDP; --from LOCAL_ADDRESS names this machine's address\n"
     "  W4_DEVICE            environment, e.g. tcp:198.51.100.20:23\n"
     "  --interval MS        least time between two commands\n"
     "  --timeout MS         wait for the connection and for each read (default 5000)\n"
     "  --json               results as JSON\n"
     "  --dry-run            print the bytes, send nothing\n"
     "  --lang zh|en|ru      language of the messages (default en)\n"
     "Exit codes: 0 done, 1 the device did not take it or reads back otherwise, "
     "2 bad input (nothing sent).\n",
     "Подключение и параметры:\n"
     "  --serial PATH        последовательный порт\n"
     "  --tcp HOST[:PORT]    TCP (по умолчанию порт 23)\n"
     "  --udp HOST           UDP; --from LOCAL_ADDRESS задаёт адрес этого компьютера\n"
     "  W4_DEVICE            переменная окружения, например tcp:198.51.100.20:23\n"
     "  --interval MS        наименьший промежуток между командами\n"
     "  --timeout MS         ожидание подключения и каждого чтения (по умолчанию 5000)\n"
     "  --json               результаты в JSON\n"
     "  --dry-run            вывести байты, ничего не отправляя\n"
     "  --lang zh|en|ru      язык сообщений (по умолчанию en)\n"
     "Коды выхода: 0 выполнено, 1 устройство не приняло команды или прочитано другое, "
     "2 неверный ввод (ничего не отправлено).\n"),
    (C, "用法：w4ctl search --from LOCAL_ADDRESS\n"
        "从本机地址向其网段广播查找处理器，列出地址、MAC、端口、版本和 DHCP。\n"
        "只在你自己的网络中使用。\n",
     "Usage: w4ctl search --from LOCAL_ADDRESS\n"
     "Looks for processors by a broadcast into the network of the local address and lists\n"
     "their address, MAC, port, version and DHCP. Use it only on a network of your own.\n",
     "Использование: w4ctl search --from LOCAL_ADDRESS\n"
     "Ищет процессоры широковещательным запросом в сети локального адреса и выводит\n"
     "адрес, MAC, порт, версию и DHCP. Используйте только в своей сети.\n"),
    (C, "用法：w4ctl status [--json]\n"
        "读回处理器的状态并打印；--json 的格式与预设文件相同（见 docs/w4ctl.md）。\n",
     "Usage: w4ctl status [--json]\n"
     "Reads the processor's state back and prints it; --json prints it in the preset\n"
     "file format (see docs/w4ctl.md).\n",
     "Использование: w4ctl status [--json]\n"
     "Считывает состояние процессора и выводит его; с --json в формате файла пресета\n"
     "(см. docs/w4ctl.md).\n"),
    (C, "用法：w4ctl layout ROWSxCOLS\n"
        "设置拼接模式，行数乘列数不大于 9，例如 2x2。\n",
     "Usage: w4ctl layout ROWSxCOLS\n"
     "Sets the wall layout; rows times columns at most 9, e.g. 2x2.\n",
     "Использование: w4ctl layout ROWSxCOLS\n"
     "Задаёт раскладку видеостены; строк на столбцы не больше 9, например 2x2.\n"),
    (C, "用法：w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small\n"
        "按预设分割模式排列四个窗口，层级恢复为窗口 k 在第 k 层。\n",
     "Usage: w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small\n"
     "Arranges the four windows in a division mode; window k goes back to level k.\n",
     "Использование: w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small\n"
     "Располагает четыре окна по режиму деления; окно k снова на слое k.\n"),
    (C, "用法：w4ctl window N [选项]\n"
        "  --x --y --w --h V          位置和大小（设备像素，最大 3840 x 2160）\n"
        "  --crop HS,VS,HE,VE         裁剪（信号源像素）\n"
        "  --source 1..4              输入源\n"
        "  --level 1..4               层级（1 在最上）\n"
        "  --show / --hide            打开或关闭窗口\n"
        "  --freeze / --unfreeze      冻结或解冻\n"
        "  --audio on|off             此窗口的音频\n",
     "Usage: w4ctl window N [options]\n"
     "  --x --y --w --h V          position and size (device pixels, at most 3840 x 2160)\n"
     "  --crop HS,VS,HE,VE         crop (source pixels)\n"
     "  --source 1..4              input\n"
     "  --level 1..4               stacking level (1 on top)\n"
     "  --show / --hide            open or close the window\n"
     "  --freeze / --unfreeze      freeze or unfreeze\n"
     "  --audio on|off             the window's audio\n",
     "Использование: w4ctl window N [параметры]\n"
     "  --x --y --w --h V          положение и размер (пиксели устройства, до 3840 x 2160)\n"
     "  --crop HS,VS,HE,VE         обрезка (пиксели источника)\n"
     "  --source 1..4              вход\n"
     "  --level 1..4               слой (1 сверху)\n"
     "  --show / --hide            открыть или закрыть окно\n"
     "  --freeze / --unfreeze      заморозить или разморозить\n"
     "  --audio on|off             звук этого окна\n"),
    (C, "用法：w4ctl picture N NAME VALUE\n设置窗口 N 的图像参数。名称和范围：\n",
     "Usage: w4ctl picture N NAME VALUE\nSets a picture value of window N. Names and ranges:\n",
     "Использование: w4ctl picture N NAME VALUE\n"
     "Задаёт параметр изображения окна N. Имена и диапазоны:\n"),
    (C, "用法：w4ctl save\n保存处理器的所有配置。\n",
     "Usage: w4ctl save\nSaves all settings of the processor.\n",
     "Использование: w4ctl save\nСохраняет все настройки процессора.\n"),
    (C, "用法：w4ctl factory-reset --yes\n恢复出厂设置，之后请手动重启设备。\n",
     "Usage: w4ctl factory-reset --yes\nReturns the processor to factory settings; restart it by hand afterwards.\n",
     "Использование: w4ctl factory-reset --yes\n"
     "Возвращает заводские настройки; затем перезагрузите устройство вручную.\n"),
    (C, "用法：w4ctl raw HEX...\n发送任意十六进制命令，每个参数一条，校验字节自动添加。\n",
     "Usage: w4ctl raw HEX...\nSends any command text, one per argument; the check byte is added.\n",
     "Использование: w4ctl raw HEX...\n"
     "Отправляет любые команды, по одной на аргумент; контрольный байт добавляется.\n"),
    (C, "用法：w4ctl preset save FILE | preset apply FILE\n"
        "save 把读回的状态写入预设文件；apply 只发送与当前状态不同的设置，然后读回并比较。\n",
     "Usage: w4ctl preset save FILE | preset apply FILE\n"
     "save writes the state read back to a preset file; apply sends only what differs from\n"
     "the current state, then reads back and compares.\n",
     "Использование: w4ctl preset save FILE | preset apply FILE\n"
     "save записывает считанное состояние в файл пресета; apply отправляет только отличия\n"
     "от текущего состояния, затем считывает и сравнивает.\n"),
    (C, "用法：w4ctl [选项] 命令 [参数]\n"
        "命令：search status layout mode window picture save factory-reset raw preset\n"
        "w4ctl 命令 --help 显示该命令的说明。\n",
     "Usage: w4ctl [options] COMMAND [arguments]\n"
     "Commands: search status layout mode window picture save factory-reset raw preset\n"
     "w4ctl COMMAND --help explains a command.\n",
     "Использование: w4ctl [параметры] КОМАНДА [аргументы]\n"
     "Команды: search status layout mode window picture save factory-reset raw preset\n"
     "w4ctl КОМАНДА --help описывает команду.\n"),
    (C, "%1 的值无效：%2", "Invalid value for %1: %2", "Недопустимое значение для %1: %2"),
    (C, "%1 必须在 %2 到 %3 之间", "%1 must lie between %2 and %3", "%1 должно быть от %2 до %3"),
    (C, "窗口", "window", "окно"),
    (C, "窗口位置和大小超出 3840 x 2160", "The window's position and size exceed 3840 x 2160",
     "Положение и размер окна выходят за 3840 x 2160"),
    (C, "裁剪的起点必须小于终点，终点不能超出 3840 x 2160",
     "A crop must start before it ends and end within 3840 x 2160",
     "Обрезка должна начинаться раньше конца и кончаться в пределах 3840 x 2160"),
    (C, "缺少参数，请参阅 w4ctl %1 --help", "Missing arguments, see w4ctl %1 --help",
     "Не хватает аргументов, см. w4ctl %1 --help"),
    (C, "选项 %1 需要一个值", "Option %1 needs a value", "Параметру %1 нужно значение"),
    (C, "未知选项：%1", "Unknown option: %1", "Неизвестный параметр: %1"),
    (C, "参数过多：%1", "Too many arguments: %1", "Слишком много аргументов: %1"),
    (C, "未知的图像参数：%1", "Unknown picture value: %1", "Неизвестный параметр изображения: %1"),
    (C, "恢复出厂设置需要 --yes 确认", "A factory reset needs --yes",
     "Для сброса к заводским настройкам нужен --yes"),
    (C, "不是十六进制命令：%1", "Not a hexadecimal command: %1", "Не шестнадцатеричная команда: %1"),
    (C, "未知命令：%1", "Unknown command: %1", "Неизвестная команда: %1"),
    (C, "%1 不是 JSON 文件：%2", "%1 is not a JSON file: %2", "%1 не является файлом JSON: %2"),
    (C, "%1 不是预设文件", "%1 is not a preset file", "%1 не является файлом пресета"),
    (C, "%1 来自更新的版本（格式 %2），此版本只能读取格式 %3",
     "%1 comes from a newer version (format %2); this version reads format %3",
     "%1 создан более новой версией (формат %2); эта версия читает формат %3"),
    (C, "%1 中的值无效：%2", "%1 holds an invalid value: %2", "%1 содержит недопустимое значение: %2"),
    (C, "%1：应为 %2，读到 %3", "%1: expected %2, read %3", "%1: ожидалось %2, прочитано %3"),
    (C, "窗口 %1 %2：应为 %3，读到 %4", "window %1 %2: expected %3, read %4",
     "окно %1 %2: ожидалось %3, прочитано %4"),
    (C, "无法读取文件 %1：%2", "Cannot read %1: %2", "Не удалось прочитать %1: %2"),
    (C, "此命令需要读取设备状态，不能与 --dry-run 一起使用",
     "This command needs the device's state and cannot run with --dry-run",
     "Этой команде нужно состояние устройства; с --dry-run она не работает"),
    (C, "未指定设备：请使用 --serial、--tcp、--udp 或环境变量 W4_DEVICE",
     "No device given: use --serial, --tcp, --udp or W4_DEVICE",
     "Устройство не указано: используйте --serial, --tcp, --udp или W4_DEVICE"),
    (C, "此命令需要读取设备状态，串口连接无法读取",
     "This command needs the device's state, which a serial link cannot read",
     "Этой команде нужно состояние устройства, а последовательный порт его не читает"),
    (C, "无法写入文件 %1：%2", "Cannot write %1: %2", "Не удалось записать %1: %2"),
    (C, "状态已保存到 %1", "State saved to %1", "Состояние сохранено в %1"),
    (C, "设备没有应答", "The device does not answer", "Устройство не отвечает"),
    (C, "设置均已相同，未发送任何命令", "Everything already matches; nothing was sent",
     "Всё уже совпадает; ничего не отправлено"),
    (C, "已发送 %1 条命令", "%1 commands sent", "Отправлено команд: %1"),
    (C, "回读结果与预期不符：", "The state read back differs:", "Считанное состояние отличается:"),
    (C, "无法连接设备：%1", "Cannot connect to the device: %1", "Не удалось подключиться к устройству: %1"),
    (C, "无法确定 %1 的本地地址，请使用 --from", "Cannot tell the local address for %1; give --from",
     "Не удалось определить локальный адрес для %1; укажите --from"),
    (C, "连接已断开", "The connection was lost", "Соединение потеряно"),
    (C, "命令未能全部发出", "Not every command could be written", "Не все команды удалось отправить"),
    (C, "无法绑定本地地址 %1", "Cannot bind the local address %1", "Не удалось привязать локальный адрес %1"),
    (C, "地址", "Address", "Адрес"),
    (C, "端口", "Port", "Порт"),
    (C, "版本", "Version", "Версия"),
    (C, "窗口 %1 没有输入源，不能打开音频", "Window %1 has no input; its audio cannot be switched on",
     "У окна %1 нет входа; его звук включить нельзя"),
    (C, "未找到设备", "No processor found", "Процессоры не найдены"),
]

if __name__ == "__main__":
    write_catalogues("ctl", TEXTS)
