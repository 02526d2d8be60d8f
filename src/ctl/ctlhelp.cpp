#include "ctlrequest.h"

#include "windowrecord.h"

namespace w4ctl {

namespace {

QString options()
{
    return Ctl::tr("连接与选项：\n"
                   "  --serial PATH        串口\n"
                   "  --tcp HOST[:PORT]    TCP（端口默认 23）；IPv6 地址写作 [ADDRESS]:PORT\n"
                   "  --udp ADDRESS        UDP，处理器的 IPv4 地址；--from LOCAL_ADDRESS 指定本机地址\n"
                   "  W4_DEVICE            环境变量，例如 tcp:198.51.100.20:23 或 tcp://198.51.100.20:23\n"
                   "  --interval MS        命令之间的最小间隔\n"
                   "  --timeout MS         连接和每个应答的等待时间（默认 5000）\n"
                   "  --json               以 JSON 输出结果（加 --pretty 则分行缩进）\n"
                   "  --dry-run            只打印要发送的字节，不发送\n"
                   "  --lang zh|en|ru      消息语言（默认按 LC_ALL、LC_MESSAGES、LANG）\n"
                   "  --version, -V        显示版本\n"
                   "  --                   其后的参数都不是选项\n"
                   "只能指定一种连接。\n"
                   "退出码：0 成功，1 设备未接受或回读不符，2 输入有误（未发送任何内容）。\n");
}

QString pictureList()
{
    QString list;
    for (int i = 0; i < w4::PictureValueCount; ++i) {
        const w4::PictureValueInfo info = w4::pictureValueInfo(i);
        list += QStringLiteral("  %1 %2..%3\n")
                    .arg(QLatin1String(info.name), -20)
                    .arg(info.minimum)
                    .arg(info.maximum);
    }
    return list;
}

} // namespace

QString helpText(const QString &command)
{
    QString text;
    if (command == QLatin1String("search"))
        text = Ctl::tr("用法：w4ctl search --from LOCAL_ADDRESS\n"
                       "从本机地址向其网段广播查找处理器，列出地址、MAC、端口、版本和 DHCP。\n"
                       "只在你自己的网络中使用。\n");
    else if (command == QLatin1String("status"))
        text = Ctl::tr("用法：w4ctl status [--json]\n"
                       "读回处理器的状态并打印；--json 的格式与预设文件相同（见 docs/w4ctl.md）。\n");
    else if (command == QLatin1String("layout"))
        text = Ctl::tr("用法：w4ctl layout ROWSxCOLS\n"
                       "设置拼接模式，行数乘列数不大于 9，例如 2x2。\n");
    else if (command == QLatin1String("mode"))
        text =
            Ctl::tr("用法：w4ctl mode single|left-right|up-down|four|one-big-one-small|one-big-three-small\n"
                    "按预设分割模式排列四个窗口，层级恢复为窗口 k 在第 k 层。\n");
    else if (command == QLatin1String("window"))
        text = Ctl::tr("用法：w4ctl window N [选项]\n"
                       "  --x --y --w --h V          位置和大小（设备像素，最大 3840 x 2160）\n"
                       "  --crop HS,VS,HE,VE         裁剪（信号源像素）\n"
                       "  --source 1..4              输入源\n"
                       "  --level 1..4               层级（1 在最上）\n"
                       "  --show / --hide            打开或关闭窗口\n"
                       "  --freeze / --unfreeze      冻结或解冻\n"
                       "  --audio on|off             此窗口的音频\n");
    else if (command == QLatin1String("picture"))
        text = Ctl::tr("用法：w4ctl picture N NAME VALUE\n"
                       "设置窗口 N 的图像参数。名称和范围：\n") +
               pictureList();
    else if (command == QLatin1String("save"))
        text = Ctl::tr("用法：w4ctl save\n保存处理器的所有配置。\n");
    else if (command == QLatin1String("factory-reset"))
        text = Ctl::tr("用法：w4ctl factory-reset --yes\n恢复出厂设置，之后请手动重启设备。\n");
    else if (command == QLatin1String("raw"))
        text = Ctl::tr("用法：w4ctl raw HEX...\n"
                       "发送任意十六进制命令，每个参数一条完整的命令：4 个字节，可用空格分开，\n"
                       "也可以带上 --dry-run 打印的校验字节。校验字节自动添加。查询命令的应答会打印出来。\n");
    else if (command == QLatin1String("preset"))
        text = Ctl::tr("用法：w4ctl preset save FILE | preset apply FILE\n"
                       "save 把读回的状态写入预设文件；apply 只发送与当前状态不同的设置，然后读回并比较。\n");
    else
        text = Ctl::tr("用法：w4ctl [选项] 命令 [参数]\n"
                       "命令：search status layout mode window picture save factory-reset raw preset\n"
                       "w4ctl 命令 --help 显示该命令的说明。\n");
    return text + options();
}

} // namespace w4ctl
