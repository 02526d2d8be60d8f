<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>Ctl</name>
    <message>
        <source>用法：w4ctl search --from LOCAL_ADDRESS
从本机地址向其网段广播查找处理器，列出地址、MAC、端口、版本和 DHCP。
只在你自己的网络中使用。
</source>
        <translation>Использование: w4ctl search --from LOCAL_ADDRESS
Ищет процессоры широковещательным запросом в сети локального адреса и выводит
адрес, MAC, порт, версию и DHCP. Используйте только в своей сети.
</translation>
    </message>
    <message>
        <source>用法：w4ctl status [--json]
读回处理器的状态并打印；--json 的格式与预设文件相同（见 docs/w4ctl.md）。
</source>
        <translation>Использование: w4ctl status [--json]
Считывает состояние процессора и выводит его; с --json в формате файла пресета
(см. docs/w4ctl.md).
</translation>
    </message>
    <message>
        <source>用法：w4ctl layout ROWSxCOLS
设置拼接模式，行数乘列数不大于 9，例如 2x2。
</source>
        <translation>Использование: w4ctl layout ROWSxCOLS
Задаёт раскладку видеостены; строк на столбцы не больше 9, например 2x2.
</translation>
    </message>
    <message>
        <source>用法：w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small
按预设分割模式排列四个窗口，层级恢复为窗口 k 在第 k 层。
</source>
        <translation>Использование: w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small
Располагает четыре окна по режиму деления; окно k снова на слое k.
</translation>
    </message>
    <message>
        <source>用法：w4ctl window N [选项]
  --x --y --w --h V          位置和大小（设备像素，最大 3840 x 2160）
  --crop HS,VS,HE,VE         裁剪（信号源像素）
  --source 1..4              输入源
  --level 1..4               层级（1 在最上）
  --show / --hide            打开或关闭窗口
  --freeze / --unfreeze      冻结或解冻
  --audio on|off             此窗口的音频
</source>
        <translation>Использование: w4ctl window N [параметры]
  --x --y --w --h V          положение и размер (пиксели устройства, до 3840 x 2160)
  --crop HS,VS,HE,VE         обрезка (пиксели источника)
  --source 1..4              вход
  --level 1..4               слой (1 сверху)
  --show / --hide            открыть или закрыть окно
  --freeze / --unfreeze      заморозить или разморозить
  --audio on|off             звук этого окна
</translation>
    </message>
    <message>
        <source>用法：w4ctl picture N NAME VALUE
设置窗口 N 的图像参数。名称和范围：
</source>
        <translation>Использование: w4ctl picture N NAME VALUE
Задаёт параметр изображения окна N. Имена и диапазоны:
</translation>
    </message>
    <message>
        <source>用法：w4ctl save
保存处理器的所有配置。
</source>
        <translation>Использование: w4ctl save
Сохраняет все настройки процессора.
</translation>
    </message>
    <message>
        <source>用法：w4ctl factory-reset --yes
恢复出厂设置，之后请手动重启设备。
</source>
        <translation>Использование: w4ctl factory-reset --yes
Возвращает заводские настройки; затем перезагрузите устройство вручную.
</translation>
    </message>
    <message>
        <source>用法：w4ctl preset save FILE | preset apply FILE
save 把读回的状态写入预设文件；apply 只发送与当前状态不同的设置，然后读回并比较。
</source>
        <translation>Использование: w4ctl preset save FILE | preset apply FILE
save записывает считанное состояние в файл пресета; apply отправляет только отличия
от текущего состояния, затем считывает и сравнивает.
</translation>
    </message>
    <message>
        <source>用法：w4ctl [选项] 命令 [参数]
命令：search status layout mode window picture save factory-reset raw preset
w4ctl 命令 --help 显示该命令的说明。
</source>
        <translation>Использование: w4ctl [параметры] КОМАНДА [аргументы]
Команды: search status layout mode window picture save factory-reset raw preset
w4ctl КОМАНДА --help описывает команду.
</translation>
    </message>
    <message>
        <source>%1 的值无效：%2</source>
        <translation>Недопустимое значение для %1: %2</translation>
    </message>
    <message>
        <source>%1 必须在 %2 到 %3 之间</source>
        <translation>%1 должно быть от %2 до %3</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>окно</translation>
    </message>
    <message>
        <source>窗口位置和大小超出 3840 x 2160</source>
        <translation>Положение и размер окна выходят за 3840 x 2160</translation>
    </message>
    <message>
        <source>裁剪的起点必须小于终点，终点不能超出 3840 x 2160</source>
        <translation>Обрезка должна начинаться раньше конца и кончаться в пределах 3840 x 2160</translation>
    </message>
    <message>
        <source>缺少参数，请参阅 w4ctl %1 --help</source>
        <translation>Не хватает аргументов, см. w4ctl %1 --help</translation>
    </message>
    <message>
        <source>选项 %1 需要一个值</source>
        <translation>Параметру %1 нужно значение</translation>
    </message>
    <message>
        <source>未知选项：%1</source>
        <translation>Неизвестный параметр: %1</translation>
    </message>
    <message>
        <source>参数过多：%1</source>
        <translation>Слишком много аргументов: %1</translation>
    </message>
    <message>
        <source>未知的图像参数：%1</source>
        <translation>Неизвестный параметр изображения: %1</translation>
    </message>
    <message>
        <source>恢复出厂设置需要 --yes 确认</source>
        <translation>Для сброса к заводским настройкам нужен --yes</translation>
    </message>
    <message>
        <source>未知命令：%1</source>
        <translation>Неизвестная команда: %1</translation>
    </message>
    <message>
        <source>%1 不是 JSON 文件：%2</source>
        <translation>%1 не является файлом JSON: %2</translation>
    </message>
    <message>
        <source>%1 不是预设文件</source>
        <translation>%1 не является файлом пресета</translation>
    </message>
    <message>
        <source>%1 来自更新的版本（格式 %2），此版本只能读取格式 %3</source>
        <translation>%1 создан более новой версией (формат %2); эта версия читает формат %3</translation>
    </message>
    <message>
        <source>%1 中的值无效：%2</source>
        <translation>%1 содержит недопустимое значение: %2</translation>
    </message>
    <message>
        <source>%1：应为 %2，读到 %3</source>
        <translation>%1: ожидалось %2, прочитано %3</translation>
    </message>
    <message>
        <source>窗口 %1 %2：应为 %3，读到 %4</source>
        <translation>окно %1 %2: ожидалось %3, прочитано %4</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <source>此命令需要读取设备状态，不能与 --dry-run 一起使用</source>
        <translation>Этой команде нужно состояние устройства; с --dry-run она не работает</translation>
    </message>
    <message>
        <source>未指定设备：请使用 --serial、--tcp、--udp 或环境变量 W4_DEVICE</source>
        <translation>Устройство не указано: используйте --serial, --tcp, --udp или W4_DEVICE</translation>
    </message>
    <message>
        <source>此命令需要读取设备状态，串口连接无法读取</source>
        <translation>Этой команде нужно состояние устройства, а последовательный порт его не читает</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>状态已保存到 %1</source>
        <translation>Состояние сохранено в %1</translation>
    </message>
    <message>
        <source>设备没有应答</source>
        <translation>Устройство не отвечает</translation>
    </message>
    <message>
        <source>设置均已相同，未发送任何命令</source>
        <translation>Всё уже совпадает; ничего не отправлено</translation>
    </message>
    <message>
        <source>回读结果与预期不符：</source>
        <translation>Считанное состояние отличается:</translation>
    </message>
    <message>
        <source>无法连接设备：%1</source>
        <translation>Не удалось подключиться к устройству: %1</translation>
    </message>
    <message>
        <source>无法确定 %1 的本地地址，请使用 --from</source>
        <translation>Не удалось определить локальный адрес для %1; укажите --from</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>Соединение потеряно</translation>
    </message>
    <message>
        <source>命令未能全部发出</source>
        <translation>Не все команды удалось отправить</translation>
    </message>
    <message>
        <source>无法绑定本地地址 %1</source>
        <translation>Не удалось привязать локальный адрес %1</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>窗口 %1 没有输入源，不能打开音频</source>
        <translation>У окна %1 нет входа; его звук включить нельзя</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>Процессоры не найдены</translation>
    </message>
    <message>
        <source>连接与选项：
  --serial PATH        串口
  --tcp HOST[:PORT]    TCP（端口默认 23）；IPv6 地址写作 [ADDRESS]:PORT
  --udp ADDRESS        UDP，处理器的 IPv4 地址；--from LOCAL_ADDRESS 指定本机地址
  W4_DEVICE            环境变量，例如 tcp:198.51.100.20:23 或 tcp://198.51.100.20:23
  --interval MS        命令之间的最小间隔
  --timeout MS         连接和每个应答的等待时间（默认 5000）
  --json               以 JSON 输出结果（加 --pretty 则分行缩进）
  --dry-run            只打印要发送的字节，不发送
  --lang zh|en|ru      消息语言（默认按 LC_ALL、LC_MESSAGES、LANG）
  --version, -V        显示版本
  --                   其后的参数都不是选项
只能指定一种连接。
退出码：0 成功，1 设备未接受或回读不符，2 输入有误（未发送任何内容）。
</source>
        <translation>Подключение и параметры:
  --serial PATH        последовательный порт
  --tcp HOST[:PORT]    TCP (по умолчанию порт 23); адрес IPv6 как [ADDRESS]:PORT
  --udp ADDRESS        UDP, IPv4-адрес процессора; --from LOCAL_ADDRESS задаёт адрес этого компьютера
  W4_DEVICE            переменная окружения, например tcp:198.51.100.20:23 или tcp://198.51.100.20:23
  --interval MS        наименьший промежуток между командами
  --timeout MS         ожидание подключения и каждого ответа (по умолчанию 5000)
  --json               результаты в JSON (с отступами при --pretty)
  --dry-run            вывести байты, ничего не отправляя
  --lang zh|en|ru      язык сообщений (по умолчанию по LC_ALL, LC_MESSAGES, LANG)
  --version, -V        показать версию
  --                   дальше параметров нет
Укажите только одно подключение.
Коды выхода: 0 выполнено, 1 устройство не приняло команды или прочитано другое, 2 неверный ввод (ничего не отправлено).
</translation>
    </message>
    <message>
        <source>用法：w4ctl raw HEX...
发送任意十六进制命令，每个参数一条完整的命令：4 个字节，可用空格分开，
也可以带上 --dry-run 打印的校验字节。校验字节自动添加。查询命令的应答会打印出来。
</source>
        <translation>Использование: w4ctl raw HEX...
Отправляет любые команды, по одной целой команде на аргумент: 4 байта, через пробел
или слитно, можно с контрольным байтом, как его выводит --dry-run. Контрольный байт
добавляется. Ответы на запросы состояния выводятся.
</translation>
    </message>
    <message>
        <source>不是完整的十六进制命令（4 个字节，可带校验字节）：%1</source>
        <translation>Не целая шестнадцатеричная команда (4 байта, можно с контрольным байтом): %1</translation>
    </message>
    <message numerus="yes">
        <source>已发送 %n 条命令</source>
        <translation><numerusform>Отправлена %n команда</numerusform><numerusform>Отправлено %n команды</numerusform><numerusform>Отправлено %n команд</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%1…（共 %n 个字符）</source>
        <translation><numerusform>%1… (всего %n символ)</numerusform><numerusform>%1… (всего %n символа)</numerusform><numerusform>%1… (всего %n символов)</numerusform></translation>
    </message>
    <message>
        <source>请尝试 'w4ctl --help'。</source>
        <translation>Попробуйте 'w4ctl --help'.</translation>
    </message>
    <message>
        <source>只能指定一种连接，但同时给出了 %1</source>
        <translation>Можно указать только одно подключение; указаны: %1</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>Не указана команда</translation>
    </message>
    <message>
        <source>窗口 %1 将超出 3840 x 2160：x %2 + 宽 %3 = %4，y %5 + 高 %6 = %7</source>
        <translation>Окно %1 выйдет за пределы 3840 x 2160: x %2 + ширина %3 = %4, y %5 + высота %6 = %7</translation>
    </message>
    <message>
        <source>无</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>已发送 %1/%2</source>
        <translation>Отправлено %1 из %2</translation>
    </message>
</context>
</TS>
