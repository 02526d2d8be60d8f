#include "ctlrequest.h"

#include "codec.h"
#include "commands.h"
#include "divisionmodes.h"
#include "pagefields.h"
#include "wallgeometry.h"
#include "walllayers.h"
#include "windowrecord.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QRegularExpression>

namespace w4ctl {

namespace {

using w4::PresetField;

const QStringList valueOptions = {"--serial",  "--tcp",  "--udp",    "--from",  "--interval",
                                  "--timeout", "--lang", "--x",      "--y",     "--w",
                                  "--h",       "--crop", "--source", "--level", "--audio"};
const QStringList flagOptions = {"--json", "--pretty", "--dry-run", "--help",   "-h",         "--version",
                                 "-V",     "--show",   "--hide",    "--freeze", "--unfreeze", "--yes"};

struct ModeName
{
    const char *name;
    w4::DivisionMode mode;
};
const ModeName modeNames[] = {
    {"single", w4::DivisionMode::Single},
    {"left-right", w4::DivisionMode::TwoLeftRight},
    {"up-down", w4::DivisionMode::TwoUpDown},
    {"four", w4::DivisionMode::Four},
    {"one-big-one-small", w4::DivisionMode::OneBigOneSmall},
    {"one-big-three-small", w4::DivisionMode::OneBigThreeSmall},
};

QString invalid(const QString &what, const QString &value)
{
    return Ctl::tr("%1 的值无效：%2").arg(what, shownValue(value));
}

QString outOfRange(const QString &what, int minimum, int maximum)
{
    return Ctl::tr("%1 必须在 %2 到 %3 之间").arg(what).arg(minimum).arg(maximum);
}

// A whole number in minimum..maximum, or an error.
bool number(const QString &what, const QString &text, int minimum, int maximum, int *out, QString *error)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) {
        *error = invalid(what, text);
        return false;
    }
    if (v < minimum || v > maximum) {
        *error = outOfRange(what, minimum, maximum);
        return false;
    }
    *out = v;
    return true;
}

// A host a connection can be tried with: an IPv4 or IPv6 address, or a name
// of dot-separated labels of letters, digits and hyphens. Anything else (an
// empty host, "//host", "H:P", a text of any length) would only be looked up
// in vain for seconds.
bool validHost(const QString &host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    QHostAddress address;
    if (address.setAddress(host))
        return true;
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QString name = host;
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    const QStringList labels = name.split(QLatin1Char('.'));
    for (const QString &l : labels)
        if (!label.match(l).hasMatch())
            return false;
    // All digits at the end is a mistyped address, not a name.
    return !digits.match(labels.last()).hasMatch();
}

// The value of a link option (or of W4_DEVICE after its scheme, named by
// `what`): "PATH" for serial, "HOST[:PORT]" or "[IPv6][:PORT]" for TCP, an
// IPv4 address for UDP.
bool parseLink(Link::Kind kind, const QString &value, const QString &what, Link *link, QString *error)
{
    link->kind = kind;
    link->target = value;
    link->port = 23;
    const auto refuse = [&] {
        *error = invalid(what, value);
        return false;
    };
    if (kind == Link::Serial)
        return value.isEmpty() ? refuse() : true;
    if (kind == Link::Udp) {
        // The answers are told apart by their sender: an address, no name.
        const QHostAddress address(value);
        if (address.protocol() != QAbstractSocket::IPv4Protocol)
            return refuse();
        link->target = address.toString();
        return true;
    }
    QString host = value;
    QString port;
    if (value.startsWith(QLatin1Char('['))) {
        const int close = value.indexOf(QLatin1Char(']'));
        if (close < 0)
            return refuse();
        host = value.mid(1, close - 1);
        const QString rest = value.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return refuse();
        port = rest.mid(1);
        if (QHostAddress(host).protocol() != QAbstractSocket::IPv6Protocol || (rest.size() == 1))
            return refuse();
    } else if (value.count(QLatin1Char(':')) > 1) {
        // A bare IPv6 address, on the default port.
        if (QHostAddress(value).protocol() != QAbstractSocket::IPv6Protocol)
            return refuse();
    } else if (value.contains(QLatin1Char(':'))) {
        host = value.section(QLatin1Char(':'), 0, 0);
        port = value.section(QLatin1Char(':'), 1);
        if (port.isEmpty())
            return refuse();
    }
    if (!validHost(host))
        return refuse();
    if (!port.isEmpty()) {
        bool ok = false;
        const int n = port.toInt(&ok);
        if (!ok || n < 1 || n > 65535 || !port.at(0).isDigit())
            return refuse();
        link->port = quint16(n);
    }
    link->target = host;
    return true;
}

// W4_DEVICE: "tcp:HOST[:PORT]", "udp:HOST", "serial:PATH", also written as a
// URL ("tcp://HOST:PORT", "serial:///dev/ttyUSB0").
bool parseEnvironmentDevice(const QString &text, Link *link, QString *error)
{
    const QString what = QStringLiteral("W4_DEVICE");
    const int colon = text.indexOf(QLatin1Char(':'));
    const QString scheme = text.left(colon);
    QString rest = colon < 0 ? QString() : text.mid(colon + 1);
    if (rest.startsWith(QLatin1String("//"))) {
        rest = rest.mid(2);
        if (scheme != QLatin1String("serial") && rest.endsWith(QLatin1Char('/')))
            rest.chop(1);
    }
    Link::Kind kind = Link::None;
    if (scheme == QLatin1String("tcp"))
        kind = Link::Tcp;
    else if (scheme == QLatin1String("udp"))
        kind = Link::Udp;
    else if (scheme == QLatin1String("serial"))
        kind = Link::Serial;
    if (kind == Link::None || !parseLink(kind, rest, what, link, error)) {
        *error = invalid(what, text);
        return false;
    }
    return true;
}

// The window number 1..4 of `text` as an index.
bool windowIndex(const QString &text, int *index, QString *error)
{
    int n = 0;
    if (!number(Ctl::tr("窗口"), text, 1, 4, &n, error))
        return false;
    *index = n - 1;
    return true;
}

// --x, --y, --w, --h, --crop, --source, --level, --show ... into the request.
bool buildWindow(Request &r, const QMap<QString, QString> &options, QString *error)
{
    w4::PresetWindow &w = r.target.windows[size_t(r.window)];
    const struct
    {
        const char *option;
        PresetField field;
    } geometry[] = {{"--x", PresetField::X},
                    {"--y", PresetField::Y},
                    {"--w", PresetField::Width},
                    {"--h", PresetField::Height}};
    for (const auto &g : geometry) {
        if (!options.contains(QLatin1String(g.option)))
            continue;
        const w4::PresetFieldInfo info = w4::presetFieldInfo(g.field);
        int v = 0;
        if (!number(QLatin1String(g.option), options.value(QLatin1String(g.option)), info.minimum,
                    info.maximum, &v, error))
            return false;
        w[g.field] = v;
    }

    if (options.contains(QStringLiteral("--crop"))) {
        const QString text = options.value(QStringLiteral("--crop"));
        const QStringList parts = text.split(QLatin1Char(','));
        w4::WindowRecord record;
        bool good = parts.size() == 4;
        const w4::CropField order[] = {w4::CropField::HStart, w4::CropField::VStart, w4::CropField::HEnd,
                                       w4::CropField::VEnd};
        for (int i = 0; good && i < 4; ++i) {
            bool ok = false;
            const int v = parts[i].trimmed().toInt(&ok);
            good = ok && v >= 0;
            w4::setCropField(record, order[i], v);
        }
        if (!good) {
            *error = invalid(QStringLiteral("--crop"), text);
            return false;
        }
        w[PresetField::CropHStart] = record.cropHStart;
        w[PresetField::CropVStart] = record.cropVStart;
        w[PresetField::CropHEnd] = record.cropHEnd;
        w[PresetField::CropVEnd] = record.cropVEnd;
    }
    // The same checks as the typed fields and a preset's windows.
    switch (w4::checkPresetWindow(w).refusal) {
    case w4::PresetWindowRefusal::None:
        break;
    case w4::PresetWindowRefusal::OutsideWall:
        *error = Ctl::tr("窗口位置和大小超出 3840 x 2160");
        return false;
    case w4::PresetWindowRefusal::CropStartNotBelowEnd:
    case w4::PresetWindowRefusal::CropEndBeyondSource:
        *error = Ctl::tr("裁剪的起点必须小于终点，终点不能超出 3840 x 2160");
        return false;
    }

    int v = 0;
    if (options.contains(QStringLiteral("--source"))) {
        if (!number(QStringLiteral("--source"), options.value(QStringLiteral("--source")), 1, 4, &v, error))
            return false;
        w[PresetField::InputSource] = v - 1;
    }
    if (options.contains(QStringLiteral("--level"))) {
        if (!number(QStringLiteral("--level"), options.value(QStringLiteral("--level")), 1, 4, &v, error))
            return false;
        r.level = v; // the other windows make way: the stacking read decides how
        r.needsState = true;
    }
    const struct
    {
        const char *on, *off;
        PresetField field;
    } flags[] = {{"--show", "--hide", PresetField::IsShown},
                 {"--freeze", "--unfreeze", PresetField::IsFrozen}};
    for (const auto &f : flags) {
        const bool on = options.contains(QLatin1String(f.on)), off = options.contains(QLatin1String(f.off));
        if (on && off) {
            *error = invalid(QLatin1String(f.on), QLatin1String(f.off));
            return false;
        }
        if (on || off)
            w[f.field] = on ? 1 : 0;
    }
    if (options.contains(QStringLiteral("--audio"))) {
        const QString a = options.value(QStringLiteral("--audio"));
        if (a != QLatin1String("on") && a != QLatin1String("off")) {
            *error = invalid(QStringLiteral("--audio"), a);
            return false;
        }
        w[PresetField::AudioEnabled] = a == QLatin1String("on");
        r.audioOn = a == QLatin1String("on");
        // The audio command names the window's input: read it unless given.
        r.needsState = r.needsState || (r.audioOn && !w[PresetField::InputSource]);
    }
    bool any = r.level != 0;
    for (const std::optional<int> &value : w.values)
        any = any || value.has_value();
    if (!any) {
        *error = Ctl::tr("缺少参数，请参阅 w4ctl %1 --help").arg(r.command);
        return false;
    }
    return true;
}

// A whole command as `raw` takes it: four bytes in hexadecimal, together or
// as spaced bytes, optionally with the check byte as --dry-run prints it
// (which must then be the right one). The text to send, or an empty one.
QString rawCommand(const QString &text)
{
    static const QRegularExpression together(QStringLiteral("^([0-9A-Fa-f]{2}){4,5}$"));
    static const QRegularExpression spaced(QStringLiteral("^[0-9A-Fa-f]{2}( [0-9A-Fa-f]{2}){3,4}$"));
    const QString trimmed = text.simplified();
    if (!together.match(trimmed).hasMatch() && !spaced.match(trimmed).hasMatch())
        return QString();
    const QString hex = QString(trimmed).remove(QLatin1Char(' '));
    const QString command = hex.left(8);
    if (hex.size() == 10 && w4::encodeCommand(command).right(1) != QByteArray::fromHex(hex.mid(8).toLatin1()))
        return QString();
    return command;
}

} // namespace

Parsed parseArguments(const QStringList &arguments, const QString &environmentDevice, const QString &language)
{
    Parsed p;
    Request &r = p.request;
    QString &error = p.error;
    QMap<QString, QString> options;
    QStringList positional;
    QStringList linkOptions; // in the order given
    r.lang = language;

    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        if (optionsEnded) {
            positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString value;
        bool hasValue = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            value = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
            arg = arg.left(arg.indexOf(QLatin1Char('=')));
            hasValue = true;
        }
        if (valueOptions.contains(arg)) {
            if (!hasValue) {
                if (i + 1 >= arguments.size()) {
                    error = Ctl::tr("选项 %1 需要一个值").arg(arg);
                    return p;
                }
                value = arguments[++i];
            }
            options.insert(arg, value);
            if ((arg == QLatin1String("--serial") || arg == QLatin1String("--tcp") ||
                 arg == QLatin1String("--udp")) &&
                !linkOptions.contains(arg))
                linkOptions << arg;
        } else if (flagOptions.contains(arg) && !hasValue) {
            options.insert(arg, QString());
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1 && !arg.at(1).isDigit()) {
            error = Ctl::tr("未知选项：%1").arg(arguments[i]);
            return p;
        } else {
            positional << arguments[i];
        }
    }

    r.help = options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h"));
    r.version = options.contains(QStringLiteral("--version")) || options.contains(QStringLiteral("-V"));
    r.json = options.contains(QStringLiteral("--json"));
    r.pretty = options.contains(QStringLiteral("--pretty"));
    r.dryRun = options.contains(QStringLiteral("--dry-run"));
    r.command = positional.value(0);
    if (options.contains(QStringLiteral("--lang"))) {
        r.lang = options.value(QStringLiteral("--lang"));
        if (r.lang != QLatin1String("en") && r.lang != QLatin1String("zh") && r.lang != QLatin1String("ru")) {
            r.lang = language;
            error = invalid(QStringLiteral("--lang"), options.value(QStringLiteral("--lang")));
            return p;
        }
    }
    if (r.help || r.version)
        return p;

    // One link: which of two the user meant is not for w4ctl to guess.
    if (linkOptions.size() > 1) {
        error = Ctl::tr("只能指定一种连接，但同时给出了 %1").arg(linkOptions.join(QStringLiteral(", ")));
        return p;
    }
    const struct
    {
        const char *option;
        Link::Kind kind;
    } links[] = {{"--serial", Link::Serial}, {"--tcp", Link::Tcp}, {"--udp", Link::Udp}};
    for (const auto &l : links)
        if (options.contains(QLatin1String(l.option)) &&
            !parseLink(l.kind, options.value(QLatin1String(l.option)), QLatin1String(l.option), &r.link,
                       &error))
            return p;
    if (r.link.kind == Link::None && !environmentDevice.isEmpty() &&
        !parseEnvironmentDevice(environmentDevice, &r.link, &error))
        return p;
    if (options.contains(QStringLiteral("--from"))) {
        const QHostAddress from(options.value(QStringLiteral("--from")));
        if (from.protocol() != QAbstractSocket::IPv4Protocol) {
            error = invalid(QStringLiteral("--from"), options.value(QStringLiteral("--from")));
            return p;
        }
        r.from = from.toString();
    }
    if (options.contains(QStringLiteral("--interval")) &&
        !number(QStringLiteral("--interval"), options.value(QStringLiteral("--interval")), 0, 60000,
                &r.intervalMs, &error))
        return p;
    if (options.contains(QStringLiteral("--timeout")) &&
        !number(QStringLiteral("--timeout"), options.value(QStringLiteral("--timeout")), 1, 600000,
                &r.timeoutMs, &error))
        return p;

    // Options that belong to one command only.
    const QStringList windowOptions = {"--x",     "--y",    "--w",    "--h",      "--crop",     "--source",
                                       "--level", "--show", "--hide", "--freeze", "--unfreeze", "--audio"};
    for (const QString &o : options.keys()) {
        const bool forWindow = windowOptions.contains(o) && r.command == QLatin1String("window");
        const bool forReset = o == QLatin1String("--yes") && r.command == QLatin1String("factory-reset");
        if ((windowOptions.contains(o) || o == QLatin1String("--yes")) && !forWindow && !forReset) {
            error = Ctl::tr("未知选项：%1").arg(o);
            return p;
        }
    }

    const QStringList args = positional.mid(1);
    auto wantArgs = [&](int count) {
        if (args.size() < count)
            error = Ctl::tr("缺少参数，请参阅 w4ctl %1 --help").arg(r.command);
        else if (args.size() > count)
            error = Ctl::tr("参数过多：%1").arg(args.mid(count).join(QLatin1Char(' ')));
        return error.isEmpty();
    };

    if (r.command.isEmpty()) {
        // The caller shows the usage.
    } else if (r.command == QLatin1String("search")) {
        if (wantArgs(0) && r.from.isEmpty())
            error = Ctl::tr("缺少参数，请参阅 w4ctl %1 --help").arg(r.command);
    } else if (r.command == QLatin1String("status") || r.command == QLatin1String("save")) {
        wantArgs(0);
        if (r.command == QLatin1String("save"))
            r.fixedCommands << QStringLiteral("04140000");
        else
            r.needsState = true;
    } else if (r.command == QLatin1String("layout")) {
        if (wantArgs(1) &&
            (args[0].size() != 3 || !w4::parseLayoutName(args[0], &r.target.rows, &r.target.columns)))
            error = invalid(r.command, args[0]);
    } else if (r.command == QLatin1String("mode")) {
        if (!wantArgs(1))
            return p;
        const ModeName *found = nullptr;
        for (const ModeName &m : modeNames)
            if (args[0] == QLatin1String(m.name))
                found = &m;
        if (!found) {
            error = invalid(r.command, args[0]);
            return p;
        }
        // As the window's mode buttons: the mode, the windows it leaves out
        // closed, the stacking back to window k on level k.
        const w4::DivisionLayout layout =
            w4::divisionLayout(found->mode, QSizeF(w4::DeviceMaxWidth, w4::DeviceMaxHeight));
        r.fixedCommands << layout.command;
        for (int i = 0; i < 4; ++i) {
            r.target.windows[size_t(i)][PresetField::IsShown] = layout.windows[size_t(i)].shown;
            if (!layout.windows[size_t(i)].shown)
                r.fixedCommands << w4::windowParameterCommand(i, 0x2B, 0);
        }
        r.target.layers = std::array<int, 4>{1, 2, 3, 4};
        r.fixedCommands << w4::layerOrderCommand(*r.target.layers);
        // The read-back checks what the mode shows and the stacking; the
        // processor places the windows itself.
        r.sendTarget = false;
    } else if (r.command == QLatin1String("window")) {
        if (args.isEmpty() || !windowIndex(args[0], &r.window, &error)) {
            if (error.isEmpty())
                error = Ctl::tr("缺少参数，请参阅 w4ctl %1 --help").arg(r.command);
            return p;
        }
        if (wantArgs(1))
            buildWindow(r, options, &error);
    } else if (r.command == QLatin1String("picture")) {
        if (!wantArgs(3) || !windowIndex(args[0], &r.window, &error))
            return p;
        std::optional<PresetField> field;
        for (int i = 0; i < w4::PictureValueCount; ++i)
            if (args[1].compare(QLatin1String(w4::pictureValueInfo(i).name), Qt::CaseInsensitive) == 0)
                field = PresetField(int(PresetField::PictureFirst) + i);
        if (!field) {
            error = Ctl::tr("未知的图像参数：%1").arg(args[1]);
            return p;
        }
        const w4::PresetFieldInfo info = w4::presetFieldInfo(*field);
        int v = 0;
        if (number(QLatin1String(info.name), args[2], info.minimum, info.maximum, &v, &error))
            r.target.windows[size_t(r.window)][*field] = v;
    } else if (r.command == QLatin1String("factory-reset")) {
        if (!wantArgs(0))
            return p;
        if (!options.contains(QStringLiteral("--yes")))
            error = Ctl::tr("恢复出厂设置需要 --yes 确认");
        r.fixedCommands << QStringLiteral("08070000");
    } else if (r.command == QLatin1String("raw")) {
        if (args.isEmpty())
            error = Ctl::tr("缺少参数，请参阅 w4ctl %1 --help").arg(r.command);
        // One line of --dry-run pasted without quotes: its bytes are one command.
        static const QRegularExpression byte(QStringLiteral("^[0-9A-Fa-f]{2}$"));
        bool bytes = args.size() == 4 || args.size() == 5;
        for (const QString &a : args)
            bytes = bytes && byte.match(a).hasMatch();
        for (const QString &a : bytes ? QStringList{args.join(QLatin1Char(' '))} : args) {
            const QString command = rawCommand(a);
            if (command.isEmpty()) {
                error = Ctl::tr("不是完整的十六进制命令（4 个字节，可带校验字节）：%1").arg(shownValue(a));
                return p;
            }
            r.fixedCommands << command.toUpper();
        }
    } else if (r.command == QLatin1String("preset")) {
        if (!wantArgs(2))
            return p;
        r.file = args[1];
        if (args[0] == QLatin1String("save"))
            r.needsState = true;
        else if (args[0] == QLatin1String("apply"))
            r.applyPreset = true;
        else
            error = Ctl::tr("未知命令：%1").arg(QStringLiteral("preset ") + args[0]);
        r.command = QStringLiteral("preset ") + args[0];
    } else {
        error = Ctl::tr("未知命令：%1").arg(r.command);
    }
    return p;
}

QString languageFromLocale(const QString &lcAll, const QString &lcMessages, const QString &lang)
{
    QString locale = lcAll;
    if (locale.isEmpty())
        locale = lcMessages;
    if (locale.isEmpty())
        locale = lang;
    if (locale.startsWith(QLatin1String("zh")))
        return QStringLiteral("zh");
    if (locale.startsWith(QLatin1String("ru")))
        return QStringLiteral("ru");
    return QStringLiteral("en");
}

bool wantsJson(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("--json"))
            return true;
    }
    return false;
}

QString shownValue(const QString &value)
{
    constexpr int Longest = 64;
    if (value.size() <= Longest)
        return value;
    return Ctl::tr("%1…（共 %n 个字符）", nullptr, value.size()).arg(value.left(Longest));
}

QString errorLine(const QString &message)
{
    return QStringLiteral("w4ctl: ") + message;
}

QByteArray jsonText(const QJsonObject &object, bool pretty)
{
    QByteArray text = QJsonDocument(object).toJson(pretty ? QJsonDocument::Indented : QJsonDocument::Compact);
    if (!text.endsWith('\n'))
        text += '\n';
    return text;
}

QString helpHint()
{
    return Ctl::tr("请尝试 'w4ctl --help'。");
}

QString presetLoadMessage(const QString &file, const w4::PresetLoad &load)
{
    switch (load.error) {
    case w4::PresetError::None:
        return QString();
    case w4::PresetError::NotJson:
        return Ctl::tr("%1 不是 JSON 文件：%2").arg(file, load.detail);
    case w4::PresetError::NotPreset:
        return Ctl::tr("%1 不是预设文件").arg(file);
    case w4::PresetError::FutureVersion:
        return Ctl::tr("%1 来自更新的版本（格式 %2），此版本只能读取格式 %3")
            .arg(file, load.detail)
            .arg(w4::PresetFormatVersion);
    case w4::PresetError::BadValue:
        return Ctl::tr("%1 中的值无效：%2").arg(file, load.detail);
    }
    return QString();
}

} // namespace w4ctl
