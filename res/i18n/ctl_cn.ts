<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>Ctl</name>
    <message>
        <source>用法：w4ctl search --from LOCAL_ADDRESS
从本机地址向其网段广播查找处理器，列出地址、MAC、端口、版本和 DHCP。
只在你自己的网络中使用。
</source>
        <translation>用法：w4ctl search --from LOCAL_ADDRESS
从本机地址向其网段广播查找处理器，列出地址、MAC、端口、版本和 DHCP。
只在你自己的网络中使用。
</translation>
    </message>
    <message>
        <source>用法：w4ctl status [--json]
读回处理器的状态并打印；--json 的格式与预设文件相同（见 docs/w4ctl.md）。
</source>
        <translation>用法：w4ctl status [--json]
读回处理器的状态并打印；--json 的格式与预设文件相同（见 docs/w4ctl.md）。
</translation>
    </message>
    <message>
        <source>用法：w4ctl layout ROWSxCOLS
设置拼接模式，行数乘列数不大于 9，例如 2x2。
</source>
        <translation>用法：w4ctl layout ROWSxCOLS
设置拼接模式，行数乘列数不大于 9，例如 2x2。
</translation>
    </message>
    <message>
        <source>用法：w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small
按预设分割模式排列四个窗口，层级恢复为窗口 k 在第 k 层。
</source>
        <translation>用法：w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small
按预设分割模式排列四个窗口，层级恢复为窗口 k 在第 k 层。
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
        <translation>用法：w4ctl window N [选项]
  --x --y --w --h V          位置和大小（设备像素，最大 3840 x 2160）
  --crop HS,VS,HE,VE         裁剪（信号源像素）
  --source 1..4              输入源
  --level 1..4               层级（1 在最上）
  --show / --hide            打开或关闭窗口
  --freeze / --unfreeze      冻结或解冻
  --audio on|off             此窗口的音频
</translation>
    </message>
    <message>
        <source>用法：w4ctl picture N NAME VALUE
设置窗口 N 的图像参数。名称和范围：
</source>
        <translation>用法：w4ctl picture N NAME VALUE
设置窗口 N 的图像参数。名称和范围：
</translation>
    </message>
    <message>
        <source>用法：w4ctl save
保存处理器的所有配置。
</source>
        <translation>用法：w4ctl save
保存处理器的所有配置。
</translation>
    </message>
    <message>
        <source>用法：w4ctl factory-reset --yes
恢复出厂设置，之后请手动重启设备。
</source>
        <translation>用法：w4ctl factory-reset --yes
恢复出厂设置，之后请手动重启设备。
</translation>
    </message>
    <message>
        <source>用法：w4ctl preset save FILE | preset apply FILE
save 把读回的状态写入预设文件；apply 只发送与当前状态不同的设置，然后读回并比较。
</source>
        <translation>用法：w4ctl preset save FILE | preset apply FILE
save 把读回的状态写入预设文件；apply 只发送与当前状态不同的设置，然后读回并比较。
</translation>
    </message>
    <message>
        <source>用法：w4ctl [选项] 命令 [参数]
命令：search status layout mode window picture save factory-reset raw preset
w4ctl 命令 --help 显示该命令的说明。
</source>
        <translation>用法：w4ctl [选项] 命令 [参数]
命令：search status layout mode window picture save factory-reset raw preset
w4ctl 命令 --help 显示该命令的说明。
</translation>
    </message>
    <message>
        <source>%1 的值无效：%2</source>
        <translation>%1 的值无效：%2</translation>
    </message>
    <message>
        <source>%1 必须在 %2 到 %3 之间</source>
        <translation>%1 必须在 %2 到 %3 之间</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>窗口位置和大小超出 3840 x 2160</source>
        <translation>窗口位置和大小超出 3840 x 2160</translation>
    </message>
    <message>
        <source>裁剪的起点必须小于终点，终点不能超出 3840 x 2160</source>
        <translation>裁剪的起点必须小于终点，终点不能超出 3840 x 2160</translation>
    </message>
    <message>
        <source>缺少参数，请参阅 w4ctl %1 --help</source>
        <translation>缺少参数，请参阅 w4ctl %1 --help</translation>
    </message>
    <message>
        <source>选项 %1 需要一个值</source>
        <translation>选项 %1 需要一个值</translation>
    </message>
    <message>
        <source>未知选项：%1</source>
        <translation>未知选项：%1</translation>
    </message>
    <message>
        <source>参数过多：%1</source>
        <translation>参数过多：%1</translation>
    </message>
    <message>
        <source>未知的图像参数：%1</source>
        <translation>未知的图像参数：%1</translation>
    </message>
    <message>
        <source>恢复出厂设置需要 --yes 确认</source>
        <translation>恢复出厂设置需要 --yes 确认</translation>
    </message>
    <message>
        <source>未知命令：%1</source>
        <translation>未知命令：%1</translation>
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
        <source>%1：应为 %2，读到 %3</source>
        <translation>%1：应为 %2，读到 %3</translation>
    </message>
    <message>
        <source>窗口 %1 %2：应为 %3，读到 %4</source>
        <translation>窗口 %1 %2：应为 %3，读到 %4</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>无法读取文件 %1：%2</translation>
    </message>
    <message>
        <source>此命令需要读取设备状态，不能与 --dry-run 一起使用</source>
        <translation>此命令需要读取设备状态，不能与 --dry-run 一起使用</translation>
    </message>
    <message>
        <source>未指定设备：请使用 --serial、--tcp、--udp 或环境变量 W4_DEVICE</source>
        <translation>未指定设备：请使用 --serial、--tcp、--udp 或环境变量 W4_DEVICE</translation>
    </message>
    <message>
        <source>此命令需要读取设备状态，串口连接无法读取</source>
        <translation>此命令需要读取设备状态，串口连接无法读取</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>无法写入文件 %1：%2</translation>
    </message>
    <message>
        <source>状态已保存到 %1</source>
        <translation>状态已保存到 %1</translation>
    </message>
    <message>
        <source>设备没有应答</source>
        <translation>设备没有应答</translation>
    </message>
    <message>
        <source>设置均已相同，未发送任何命令</source>
        <translation>设置均已相同，未发送任何命令</translation>
    </message>
    <message>
        <source>回读结果与预期不符：</source>
        <translation>回读结果与预期不符：</translation>
    </message>
    <message>
        <source>无法连接设备：%1</source>
        <translation>无法连接设备：%1</translation>
    </message>
    <message>
        <source>无法确定 %1 的本地地址，请使用 --from</source>
        <translation>无法确定 %1 的本地地址，请使用 --from</translation>
    </message>
    <message>
        <source>连接已断开</source>
        <translation>连接已断开</translation>
    </message>
    <message>
        <source>命令未能全部发出</source>
        <translation>命令未能全部发出</translation>
    </message>
    <message>
        <source>无法绑定本地地址 %1</source>
        <translation>无法绑定本地地址 %1</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>窗口 %1 没有输入源，不能打开音频</source>
        <translation>窗口 %1 没有输入源，不能打开音频</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>未找到设备</translation>
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
        <translation>连接与选项：
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
</translation>
    </message>
    <message>
        <source>用法：w4ctl raw HEX...
发送任意十六进制命令，每个参数一条完整的命令：4 个字节，可用空格分开，
也可以带上 --dry-run 打印的校验字节。校验字节自动添加。查询命令的应答会打印出来。
</source>
        <translation>用法：w4ctl raw HEX...
发送任意十六进制命令，每个参数一条完整的命令：4 个字节，可用空格分开，
也可以带上 --dry-run 打印的校验字节。校验字节自动添加。查询命令的应答会打印出来。
</translation>
    </message>
    <message>
        <source>不是完整的十六进制命令（4 个字节，可带校验字节）：%1</source>
        <translation>不是完整的十六进制命令（4 个字节，可带校验字节）：%1</translation>
    </message>
    <message numerus="yes">
        <source>已发送 %n 条命令</source>
        <translation><numerusform>已发送 %n 条命令</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%1…（共 %n 个字符）</source>
        <translation><numerusform>%1…（共 %n 个字符）</numerusform></translation>
    </message>
    <message>
        <source>请尝试 'w4ctl --help'。</source>
        <translation>请尝试 'w4ctl --help'。</translation>
    </message>
    <message>
        <source>只能指定一种连接，但同时给出了 %1</source>
        <translation>只能指定一种连接，但同时给出了 %1</translation>
    </message>
    <message>
        <source>缺少命令</source>
        <translation>缺少命令</translation>
    </message>
    <message>
        <source>窗口 %1 将超出 3840 x 2160：x %2 + 宽 %3 = %4，y %5 + 高 %6 = %7</source>
        <translation>窗口 %1 将超出 3840 x 2160：x %2 + 宽 %3 = %4，y %5 + 高 %6 = %7</translation>
    </message>
    <message>
        <source>无</source>
        <translation>无</translation>
    </message>
    <message>
        <source>已发送 %1/%2</source>
        <translation>已发送 %1/%2</translation>
    </message>
</context>
</TS>
