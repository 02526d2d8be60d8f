#include "ctlrunner.h"

#include "addresses.h"
#include "codec.h"
#include "commandsender.h"
#include "devicepreset.h"
#include "fileaccess.h"
#include "pagefields.h"
#include "searchreply.h"
#include "seriallink.h"
#include "tcplink.h"
#include "tcpreadback.h"
#include "udplink.h"
#include "wallgeometry.h"
#include "walllayers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>

#include <unistd.h>

namespace w4ctl {

namespace {

using w4::PresetField;

// How long a search listens unless --timeout says otherwise.
constexpr int SearchMs = 3000;

// The processor's status queries: device-wide, and window 1..4.
bool isQuery(const QString &command)
{
    static const QRegularExpression query(QStringLiteral("^(08050000|080[1-4]0001)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(command).hasMatch();
}

// A value as the preset file writes it, as JSON: numbers as numbers, flags
// as true and false, a value not read as null, names ("2x2") as texts.
QJsonValue jsonValue(const QString &text)
{
    if (text.isEmpty())
        return QJsonValue();
    const QJsonDocument parsed = QJsonDocument::fromJson(QStringLiteral("[%1]").arg(text).toUtf8());
    if (parsed.isArray() && parsed.array().size() == 1)
        return parsed.array().first();
    return text;
}

QString wireText(const QString &command)
{
    return QString::fromLatin1(w4::encodeCommand(command).toHex(' ').toUpper());
}

QString differenceLine(const w4::PresetDifference &d)
{
    const QString actual = d.actual.isEmpty() ? QStringLiteral("?") : d.actual;
    if (d.window < 0)
        return Ctl::tr("%1：应为 %2，读到 %3").arg(d.name, d.expected, actual);
    return Ctl::tr("窗口 %1 %2：应为 %3，读到 %4").arg(d.window + 1).arg(d.name, d.expected, actual);
}

// The processor tells its hardware address as six decimal numbers; people
// and other tools write it as hexadecimal pairs.
QString macText(const QString &deviceForm)
{
    const std::optional<std::array<int, 6>> parts = w4::strictMacParts(deviceForm);
    if (!parts)
        return deviceForm;
    QStringList pairs;
    for (int p : *parts)
        pairs << QStringLiteral("%1").arg(p, 2, 16, QLatin1Char('0')).toUpper();
    return pairs.join(QLatin1Char(':'));
}

} // namespace

Runner::Runner(const Request &request, QTextStream &out, QTextStream &err) : r(request), out(out), err(err)
{
    if (r.timeoutMs > 0)
        timeoutMs = r.timeoutMs;
    // --timeout is how long any one answer is waited for, on TCP as on UDP.
    session.tcpReadBack()->setStepTimeout(timeoutMs);
    // The UDP read waits for each answer in an event loop of its own. A read
    // whose first wait went unanswered talks to nobody: its other waits end at
    // once instead of each taking the whole time-out.
    w4::UdpReadBack *reader = session.udpReadBack();
    session.udpReadBack()->setWaiter([this, reader](w4::UdpReadBack::Pause pause, int, int, int) {
        if (pause == w4::UdpReadBack::Pause::Layout) {
            udpAnswered = false;
            udpSilent = false;
        }
        if (reader->isStepDone()) {
            udpAnswered = true;
            return;
        }
        if (udpSilent)
            return;
        QEventLoop loop;
        QObject::connect(reader, &w4::UdpReadBack::stepDone, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (reader->isStepDone())
            udpAnswered = true;
        else if (!udpAnswered)
            udpSilent = true;
    });
}

int Runner::fail(int code, const QString &message)
{
    err << errorLine(message) << Qt::endl;
    if (code == ExitBadInput)
        err << helpHint() << Qt::endl;
    if (r.json)
        printJson(QJsonObject{{"ok", false}, {"error", message}});
    return code;
}

void Runner::printJson(const QJsonObject &object)
{
    out << jsonText(object, r.pretty) << Qt::flush;
}

bool Runner::waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    // The timer only makes sure the loop looks again; everything it waits for
    // comes as events.
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (clock.elapsed() >= ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QHostAddress Runner::localAddressFor(const QHostAddress &device) const
{
    if (!r.from.isEmpty())
        return QHostAddress(r.from);
    if (device.isLoopback())
        return QHostAddress(QHostAddress::LocalHost);
    for (const QNetworkInterface &card : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry &entry : card.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                device.isInSubnet(entry.ip(), entry.prefixLength()))
                return entry.ip();
    return QHostAddress();
}

int Runner::run()
{
    const int code = execute();
    // What is still queued (the end of a read sequence) leaves before the link
    // closes, and what the links still buffer reaches the wire.
    waitUntil(
        [this] {
            return !session.state().linkUp() || (session.sender()->queue().isEmpty() &&
                                                 session.serialLink()->port()->bytesToWrite() == 0 &&
                                                 session.tcpLink()->socket()->bytesToWrite() == 0);
        },
        timeoutMs);
    return code;
}

int Runner::execute()
{
    if (r.command == QLatin1String("search"))
        return search();

    w4::Preset toApply;
    if (r.applyPreset) {
        const w4::FileRead file = w4::readRegularFile(r.file, w4::PresetFileMaxBytes);
        if (!file.ok())
            return fail(ExitBadInput, file.error);
        const w4::PresetLoad load = w4::presetFromBytes(file.bytes);
        if (!load.ok())
            return fail(ExitBadInput, presetLoadMessage(r.file, load));
        toApply = load.preset;
        r.target = toApply;
    }

    if (r.command == QLatin1String("preset save")) {
        // Refused before anything is read from the device.
        const QString refusal = w4::saveTargetRefusal(r.file);
        if (!refusal.isEmpty())
            return fail(ExitBadInput, refusal);
    }

    if (r.dryRun) {
        if (r.needsState)
            return fail(ExitBadInput, Ctl::tr("此命令需要读取设备状态，不能与 --dry-run 一起使用"));
        return dryRun();
    }
    if (r.link.kind == Link::None)
        return fail(ExitBadInput, Ctl::tr("未指定设备：请使用 --serial、--tcp、--udp 或环境变量 W4_DEVICE"));
    if (r.needsState && !r.link.canRead())
        return fail(ExitBadInput, Ctl::tr("此命令需要读取设备状态，串口连接无法读取"));

    QString error;
    if (!connectLink(&error))
        return fail(ExitFailed, error);

    w4::Preset state;
    if (r.link.canRead() && !readState(false, &state, &error))
        return fail(ExitFailed, error);

    if (r.command == QLatin1String("status")) {
        if (r.json)
            printJson(w4::presetToJson(state));
        else
            printStatus(state);
        return ExitOk;
    }
    if (r.command == QLatin1String("preset save")) {
        if (!w4::saveFileSafely(r.file, w4::presetToBytes(state), &error))
            return fail(ExitFailed, error);
        if (r.json)
            printJson(QJsonObject{{"ok", true}, {"file", r.file}});
        else
            out << Ctl::tr("状态已保存到 %1").arg(r.file) << Qt::endl;
        return ExitOk;
    }

    // What the read told: the stacking the new level makes its way through,
    // the input the audio follows.
    if (r.level) {
        if (!state.layers)
            return fail(ExitFailed, Ctl::tr("设备没有应答"));
        std::array<int, 4> layers = *state.layers;
        w4::moveToLayer(layers, r.window, r.level);
        r.target.layers = layers;
    }

    // The rectangle the window ends with, from what is given and what was
    // read: a part given alone may still push it off the output.
    if (r.window >= 0) {
        const w4::PresetWindow &given = r.target.windows[size_t(r.window)];
        const w4::PresetWindow &read = state.windows[size_t(r.window)];
        const bool moved = given[PresetField::X] || given[PresetField::Y] || given[PresetField::Width] ||
                           given[PresetField::Height];
        int v[4] = {};
        bool known = true;
        const PresetField fields[4] = {PresetField::X, PresetField::Y, PresetField::Width,
                                       PresetField::Height};
        for (int i = 0; i < 4; ++i) {
            const std::optional<int> value = given[fields[i]] ? given[fields[i]] : read[fields[i]];
            known = known && value.has_value();
            v[i] = value.value_or(0);
        }
        if (moved && known &&
            !w4::windowFitsWall(v[0], v[1], v[2], v[3], QSize(w4::DeviceMaxWidth, w4::DeviceMaxHeight)))
            return fail(ExitBadInput,
                        Ctl::tr("窗口 %1 将超出 3840 x 2160：x %2 + 宽 %3 = %4，y %5 + 高 %6 = %7")
                            .arg(r.window + 1)
                            .arg(v[0])
                            .arg(v[2])
                            .arg(v[0] + v[2])
                            .arg(v[1])
                            .arg(v[3])
                            .arg(v[1] + v[3]));
    }

    if (r.audioOn) {
        const int source = r.target.windows[size_t(r.window)][PresetField::InputSource].value_or(
            state.windows[size_t(r.window)][PresetField::InputSource].value_or(w4::NoInputSource));
        if (source == w4::NoInputSource)
            return fail(ExitBadInput, Ctl::tr("窗口 %1 没有输入源，不能打开音频").arg(r.window + 1));
    }

    const QStringList commands = commandsFor(state);
    // A query sent by `raw` is answered: the answers are shown as they came.
    int queries = 0;
    // Over TCP only: over UDP the answer to a query sent through the queue
    // did not reach the session's socket (cause not found yet).
    if (r.command == QLatin1String("raw") && r.link.kind == Link::Tcp)
        for (const QString &c : commands)
            queries += isQuery(c);
    w4::TcpFrameAssembler frames;
    QMetaObject::Connection tcpWatch, udpWatch;
    if (queries > 0) {
        tcpWatch =
            QObject::connect(session.tcpLink(), &w4::DeviceLink::received, [&](const QByteArray &bytes) {
                for (const QByteArray &frame : frames.feed(bytes))
                    answers << frame;
            });
        const QHostAddress device(r.link.target);
        udpWatch = QObject::connect(session.udpLink(), &w4::DeviceLink::datagramReceived,
                                    [&](const QByteArray &datagram, const QHostAddress &from) {
                                        if (from.isEqual(device, QHostAddress::ConvertV4MappedToIPv4))
                                            answers << datagram;
                                    });
    }
    const bool sent = sendAll(commands, &error);
    if (sent && queries > 0)
        waitUntil([&] { return answers.size() >= queries || !session.state().linkUp(); }, timeoutMs);
    QObject::disconnect(tcpWatch);
    QObject::disconnect(udpWatch);
    if (!sent)
        return fail(ExitFailed, error);
    if (answers.size() < queries)
        return fail(ExitFailed, Ctl::tr("设备没有应答"));

    QVector<w4::PresetDifference> differences;
    if (r.link.canRead()) {
        w4::Preset after;
        if (!readState(true, &after, &error))
            return fail(ExitFailed, error);
        differences = w4::presetDifferences(after, r.target, true);
    }
    report(commands, differences);
    return differences.isEmpty() ? ExitOk : ExitFailed;
}

QStringList Runner::commandsFor(const w4::Preset &state) const
{
    QStringList commands;
    if (r.sendTarget) {
        // A preset is measured against the state read; a single command sends
        // what it names, whatever the device holds (only the input under the
        // audio comes from the read).
        w4::Preset base;
        if (r.applyPreset) {
            base = state;
        } else if (r.window >= 0) {
            base.windows[size_t(r.window)][PresetField::InputSource] =
                state.windows[size_t(r.window)][PresetField::InputSource];
            if (r.level)
                base.layers = state.layers;
        }
        commands = w4::presetCommands(base, r.target);
    }
    return commands + r.fixedCommands;
}

void Runner::report(const QStringList &sent, const QVector<w4::PresetDifference> &differences)
{
    if (r.json) {
        QJsonArray diffs;
        QStringList texts;
        for (const QString &c : sent)
            texts << c.toUpper();
        for (const w4::PresetDifference &d : differences)
            diffs.append(QJsonObject{{"window", d.window < 0 ? QJsonValue() : QJsonValue(d.window + 1)},
                                     {"field", d.name},
                                     {"expected", jsonValue(d.expected)},
                                     {"read", jsonValue(d.actual)}});
        QJsonObject result{{"ok", differences.isEmpty()},
                           {"sent", QJsonArray::fromStringList(texts)},
                           {"differences", diffs}};
        if (!answers.isEmpty()) {
            QJsonArray list;
            for (const QByteArray &a : answers)
                list.append(QString::fromLatin1(a.toHex(' ').toUpper()));
            result.insert(QStringLiteral("answers"), list);
        }
        printJson(result);
    } else if (sent.isEmpty()) {
        out << Ctl::tr("设置均已相同，未发送任何命令") << Qt::endl;
    } else {
        out << Ctl::tr("已发送 %n 条命令", nullptr, sent.size()) << Qt::endl;
        for (const QByteArray &a : answers)
            out << a.toHex(' ').toUpper() << Qt::endl;
    }
    if (!differences.isEmpty()) {
        err << errorLine(Ctl::tr("回读结果与预期不符：")) << Qt::endl;
        for (const w4::PresetDifference &d : differences)
            err << "  " << differenceLine(d) << Qt::endl;
    }
}

void Runner::printStatus(const w4::Preset &state)
{
    const QJsonObject o = w4::presetToJson(state);
    for (const char *key : {"layout", "stacking", "audioOutput", "videoGen"}) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            continue;
        QString text = v.isArray()
                           ? QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact))
                           : v.toVariant().toString();
        out << key << ": " << text << Qt::endl;
    }
    for (const QJsonValue &w : o.value(QStringLiteral("windows")).toArray()) {
        const QJsonObject window = w.toObject();
        out << Ctl::tr("窗口") << ' ' << window.value(QStringLiteral("window")).toInt() << Qt::endl;
        QStringList line;
        for (int f = 0; f < w4::PresetFieldCount; ++f) {
            const char *name = w4::presetFieldInfo(PresetField(f)).name;
            const QJsonValue v = window.value(QLatin1String(name));
            // The input as --source takes it (1..4), not as the processor
            // numbers it.
            if (PresetField(f) == PresetField::InputSource && !v.isUndefined())
                line << QStringLiteral("source=%1")
                            .arg(v.toInt() == w4::NoInputSource ? Ctl::tr("无")
                                                                : QString::number(v.toInt() + 1));
            else if (!v.isUndefined())
                line << QStringLiteral("%1=%2").arg(QLatin1String(name), v.toVariant().toString());
            if (line.size() == 6 || (f == w4::PresetFieldCount - 1 && !line.isEmpty())) {
                out << "  " << line.join(QLatin1Char(' ')) << Qt::endl;
                line.clear();
            }
        }
    }
}

int Runner::dryRun()
{
    const QStringList commands = commandsFor(w4::Preset{});
    if (r.json) {
        QJsonArray list;
        for (const QString &c : commands)
            list.append(QJsonObject{{"text", c.toUpper()}, {"bytes", wireText(c)}});
        printJson(QJsonObject{{"ok", true}, {"dryRun", true}, {"commands", list}});
    } else {
        for (const QString &c : commands)
            out << wireText(c) << Qt::endl;
    }
    return ExitOk;
}

bool Runner::connectLink(QString *error)
{
    session.sender()->setInterval(r.intervalMs >= 0 ? r.intervalMs : w4::CommandSender::StartIntervalMs);
    switch (r.link.kind) {
    case Link::Serial:
        session.openSerial(r.link.target);
        if (!session.serialConnected()) {
            *error = Ctl::tr("无法连接设备：%1").arg(r.link.target);
            return false;
        }
        return true;
    case Link::Tcp: {
        session.tcpLink()->setConnectTimeout(timeoutMs);
        session.connectTcp(r.link.target, r.link.port);
        waitUntil([this] { return !session.state().networkConnecting(); }, timeoutMs + 1000);
        if (!session.networkConnected()) {
            *error =
                Ctl::tr("无法连接设备：%1").arg(QStringLiteral("%1:%2").arg(r.link.target).arg(r.link.port));
            return false;
        }
        return true;
    }
    case Link::Udp: {
        const QHostAddress device(r.link.target);
        local = localAddressFor(device);
        if (device.isNull() || local.isNull()) {
            *error = Ctl::tr("无法确定 %1 的本地地址，请使用 --from").arg(r.link.target);
            return false;
        }
        return true; // the read that follows makes the link
    }
    case Link::None:
        break;
    }
    return false;
}

bool Runner::readState(bool again, w4::Preset *state, QString *error)
{
    if (r.link.kind == Link::Udp) {
        const w4::UdpReadResult result =
            again ? session.refreshUdp(local) : session.connectUdp(QHostAddress(r.link.target), false, local);
        if (!result.ok) {
            *error = Ctl::tr("设备没有应答");
            return false;
        }
        *state = w4::presetFromModel(*session.model(), w4::StatusOrigin::Udp);
        return true;
    }
    w4::TcpReadBack *reader = session.tcpReadBack();
    // A query left unanswered leaves the read incomplete: no need to wait for
    // the others.
    bool missed = false;
    const QMetaObject::Connection watch =
        QObject::connect(reader, &w4::TcpReadBack::answerMissed, [&missed] { missed = true; });
    if (again)
        session.refreshTcp();
    // Each query waits its turn in the send queue, then at most the time-out
    // for its answer.
    const int steps = 5;
    const bool finished =
        waitUntil([&] { return missed || !reader->isRunning() || !session.networkConnected(); },
                  steps * (timeoutMs + session.sender()->interval()) + session.sender()->interval());
    QObject::disconnect(watch);
    if (missed)
        reader->stop();
    if (!session.networkConnected()) {
        *error = Ctl::tr("连接已断开");
        return false;
    }
    if (missed || !finished || !reader->isComplete() || !reader->result().globalRead) {
        *error = Ctl::tr("设备没有应答");
        return false;
    }
    *state = w4::presetFromModel(*session.model(), w4::StatusOrigin::Tcp);
    return true;
}

bool Runner::sendAll(const QStringList &commands, QString *error)
{
    int announced = 0;
    // A preset over the serial line takes most of a minute: a person watching
    // sees how far it is; a script reading stderr gets nothing of it.
    const bool progress = r.applyPreset && commands.size() > 1 && ::isatty(STDERR_FILENO);
    QMetaObject::Connection watch =
        QObject::connect(session.sender(), &w4::CommandSender::commandSent, [&](const QString &text) {
            if (announced < commands.size() && text == commands[announced]) {
                ++announced;
                if (progress)
                    err << '\r' << Ctl::tr("已发送 %1/%2").arg(announced).arg(commands.size()) << Qt::flush;
            }
        });
    for (const QString &c : commands)
        session.send(c);
    const int interval = session.sender()->interval();
    const bool done = waitUntil(
        [&] {
            return !session.state().linkUp() ||
                   (announced == commands.size() && session.sender()->queue().isEmpty());
        },
        timeoutMs + interval * (commands.size() + 1));
    QObject::disconnect(watch);
    if (progress && announced > 0)
        err << Qt::endl;
    if (!session.state().linkUp() && !commands.isEmpty()) {
        *error = Ctl::tr("连接已断开");
        return false;
    }
    if (!done) {
        *error = Ctl::tr("命令未能全部发出");
        return false;
    }
    return true;
}

int Runner::search()
{
    // The query ends in its own check byte; a processor that takes its address
    // by DHCP listens on 68.
    const QByteArray query = QByteArray::fromHex("08080000E1");
    const QHostAddress broadcast(w4::subnetBroadcast(r.from));
    const quint16 ports[] = {23, 68};
    if (r.dryRun) {
        // Nothing is bound and nothing leaves: only what would be sent, where.
        const QString bytes = QString::fromLatin1(query.toHex(' ').toUpper());
        QJsonArray list;
        for (quint16 port : ports) {
            const QString to = QStringLiteral("%1:%2").arg(broadcast.toString()).arg(port);
            list.append(QJsonObject{{"text", QStringLiteral("08080000")}, {"bytes", bytes}, {"to", to}});
            if (!r.json)
                out << bytes << "  " << to << Qt::endl;
        }
        if (r.json)
            printJson(QJsonObject{{"ok", true}, {"dryRun", true}, {"commands", list}});
        return ExitOk;
    }

    const QHostAddress from(r.from);
    w4::UdpLink *udp = session.udpLink();
    if (from.isNull() || !udp->rebind(from))
        return fail(ExitFailed, Ctl::tr("无法绑定本地地址 %1").arg(r.from));
    QVector<w4::SearchReply> found;
    QObject::connect(udp, &w4::UdpLink::datagramReceived, [&found](const QByteArray &datagram) {
        const std::optional<w4::SearchReply> reply = w4::parseSearchReply(datagram);
        if (!reply || reply->ip().isEmpty())
            return;
        for (const w4::SearchReply &known : found)
            if (known.ip() == reply->ip() && known.mac() == reply->mac())
                return;
        found.append(*reply);
    });
    for (quint16 port : ports)
        udp->writeTo(query, broadcast, port);
    waitUntil([] { return false; }, r.timeoutMs > 0 ? r.timeoutMs : SearchMs);

    if (r.json) {
        QJsonArray list;
        for (const w4::SearchReply &d : found) {
            QJsonObject device{{"ip", d.ip()},
                               {"mac", macText(d.mac())},
                               {"deviceMac", d.mac()},
                               {"version", d.beta()},
                               {"dhcp", d.dhcp()}};
            bool ok = false;
            const int port = d.port().toInt(&ok);
            device.insert(QStringLiteral("port"), ok ? QJsonValue(port) : QJsonValue(d.port()));
            list.append(device);
        }
        printJson(QJsonObject{{"ok", !found.isEmpty()}, {"devices", list}});
    } else if (!found.isEmpty()) {
        const QString row = QStringLiteral("%1  %2  %3  %4  %5");
        out << row.arg(Ctl::tr("地址"), -15)
                   .arg(QStringLiteral("MAC"), -17)
                   .arg(Ctl::tr("端口"), -5)
                   .arg(Ctl::tr("版本"), -8)
                   .arg(QStringLiteral("DHCP"))
            << Qt::endl;
        for (const w4::SearchReply &d : found)
            out << row.arg(d.ip(), -15)
                       .arg(macText(d.mac()), -17)
                       .arg(d.port(), -5)
                       .arg(d.beta(), -8)
                       .arg(d.dhcp() ? QStringLiteral("true") : QStringLiteral("false"))
                << Qt::endl;
    }
    if (found.isEmpty()) {
        err << errorLine(Ctl::tr("未找到设备")) << Qt::endl;
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace w4ctl
