#include "commandapplier.h"

#include "commandsplitter.h"

#include <QHostAddress>

namespace w4sim {

namespace {

int word(const QByteArray &c, int pos)
{
    return (static_cast<quint8>(c.at(pos)) << 8) | static_cast<quint8>(c.at(pos + 1));
}

Outcome done(const QString &text)
{
    Outcome o;
    o.crcOk = true;
    o.applied = true;
    o.text = text;
    return o;
}

Outcome ignored(const QString &text)
{
    Outcome o;
    o.crcOk = true;
    o.text = text;
    return o;
}

} // namespace

Outcome CommandApplier::apply(const QByteArray &c)
{
    if (!checkByteOk(c)) {
        Outcome o;
        o.text = QStringLiteral("wrong check byte, ignored");
        return o;
    }
    const quint8 target = static_cast<quint8>(c.at(0));
    if (target <= 0x03 && c.size() == 5)
        return applyWindow(target, static_cast<quint8>(c.at(1)), word(c, 2));
    if (target == 0x04 && c.size() == 5)
        return applyGlobal(static_cast<quint8>(c.at(1)), word(c, 2));
    if (target == 0x06 && c.size() == 5) {
        int rows = 0, columns = 0;
        if (static_cast<quint8>(c.at(1)) != 0x01 || !DeviceState::layoutForIndex(word(c, 2), &rows, &columns))
            return ignored(QStringLiteral("unknown splice layout %1").arg(word(c, 2)));
        m_state->rows = rows;
        m_state->columns = columns;
        // The windows are put back into quarters of the new output, as the
        // control program draws them after a layout change.
        const int w = m_state->outputWidth() / 2, h = m_state->outputHeight() / 2;
        for (int i = 0; i < 4; ++i) {
            WindowState &win = m_state->windows[size_t(i)];
            win.x = (i % 2) * w;
            win.y = (i / 2) * h;
            win.width = w;
            win.height = h;
        }
        return done(QStringLiteral("splice layout %1x%2").arg(rows).arg(columns));
    }
    if (target == 0x08 && c.size() == 5)
        return applyQuery(static_cast<quint8>(c.at(1)), word(c, 2));
    if (target >= 0xD0 && target <= 0xD3 && c.size() == 10)
        return applyCrop(target - 0xD0, c);
    if (target >= 0xE0 && target <= 0xE3 && c.size() == 10)
        return applyGeometry(target - 0xE0, c);
    if (target == 0xFF && c.size() == 5)
        return done(QStringLiteral("end of read sequence"));
    if (target == 0xFF && c.size() == 6)
        return applySetIp(c);
    if (target == 0xF7 && c.size() == 8)
        return applySetMac(c);
    return ignored(QStringLiteral("unknown command"));
}

Outcome CommandApplier::applyWindow(int window, int code, int value)
{
    WindowState &w = m_state->windows[size_t(window)];
    const QString who = QStringLiteral("window %1: ").arg(window + 1);
    switch (code) {
    case 0x2D:
        w.inputSource = qMin(value, 4);
        return done(who + QStringLiteral("input source %1").arg(w.inputSource));
    case 0x2E:
        // The value names the window's source; 4 (or more) turns its audio off.
        if (value < 4) {
            for (WindowState &other : m_state->windows)
                other.audioEnabled = false;
            w.audioEnabled = true;
        } else {
            w.audioEnabled = false;
        }
        return done(who + QStringLiteral("audio %1").arg(w.audioEnabled ? "on" : "off"));
    case 0x32: // quarter turn clockwise on / off
    case 0x34: // three-quarter turn on / off
    {
        const int turn = code == 0x32 ? 90 : 270;
        if (value != 0)
            w.rotation = turn;
        else if (w.rotation == turn)
            w.rotation = 0;
        return done(who + QStringLiteral("rotation %1").arg(w.rotation));
    }
    case 0x33: // half turn toggles; leaving any other turn first
        if (w.rotation == 0 && w.horizontalMirrored && w.verticalMirrored) {
            w.horizontalMirrored = w.verticalMirrored = false;
        } else {
            w.rotation = 0;
            w.horizontalMirrored = w.verticalMirrored = true;
        }
        return done(who + QStringLiteral("half turn %1").arg(w.horizontalMirrored ? "on" : "off"));
    default:
        break;
    }
    const WindowField *f = windowFieldByCode(code);
    if (!f)
        return ignored(who + QStringLiteral("unknown parameter %1").arg(code, 2, 16, QLatin1Char('0')));
    setFieldValue(w, *f, value - f->offset);
    return done(who + QStringLiteral("%1 = %2").arg(QLatin1String(f->name)).arg(fieldValue(w, *f)));
}

void CommandApplier::applyDivision(int code)
{
    const int W = m_state->outputWidth(), H = m_state->outputHeight();
    auto place = [this](int n, int x, int y, int w, int h) {
        WindowState &win = m_state->windows[size_t(n - 1)];
        win.x = x;
        win.y = y;
        win.width = w;
        win.height = h;
        win.isShown = true;
    };
    switch (code) {
    case 0x04:
        place(1, 0, 0, W, H);
        break;
    case 0x05:
        place(1, 0, 0, W / 2, H);
        place(2, W / 2, 0, W / 2, H);
        break;
    case 0x06:
        place(1, 0, 0, W, H / 2);
        place(2, 0, H / 2, W, H / 2);
        break;
    case 0x07:
        for (int n = 1; n <= 4; ++n)
            place(n, ((n - 1) % 2) * (W / 2), ((n - 1) / 2) * (H / 2), W / 2, H / 2);
        break;
    case 0x12:
        place(2, 0, 0, W, H);
        place(1, W / 2, H / 2, W / 2, H / 2);
        break;
    case 0x13:
        for (int n = 1; n <= 3; ++n)
            place(n, 2 * W / 3, (n - 1) * H / 3, W / 3, H / 3);
        place(4, 0, 0, W, H);
        break;
    }
    // Windows the mode leaves out are closed by their own commands.
    for (int i = 0; i < 4; ++i)
        m_state->windows[size_t(i)].layer = i + 1;
}

Outcome CommandApplier::applyGlobal(int code, int value)
{
    switch (code) {
    case 0x04:
    case 0x05:
    case 0x06:
    case 0x07:
    case 0x12:
    case 0x13:
        applyDivision(code);
        return done(QStringLiteral("division mode %1").arg(code, 2, 16, QLatin1Char('0')));
    case 0x0C:
    case 0x0D:
    case 0x0E:
        if (value == 0)
            return ignored(QStringLiteral("audio output mode with value 0"));
        m_state->audioMode = code == 0x0C ? 0 : code == 0x0D ? 1 : 2;
        return done(QStringLiteral("audio output mode %1").arg(m_state->audioMode));
    case 0x0F:
        m_state->videoGen = value != 0;
        return done(QStringLiteral("VideoGen %1").arg(m_state->videoGen ? "on" : "off"));
    case 0x10:
        if (!m_state->setStackingWord(value))
            return ignored(
                QStringLiteral("stacking order %1 is not a permutation").arg(value, 4, 16, QLatin1Char('0')));
        return done(QStringLiteral("stacking order %1").arg(value, 4, 16, QLatin1Char('0')));
    case 0x11:
        m_state->dhcp = value != 0;
        return done(QStringLiteral("DHCP %1").arg(m_state->dhcp ? "on" : "off"));
    case 0x14: {
        Outcome o = done(QStringLiteral("save all settings"));
        o.saveAll = true;
        return o;
    }
    case 0x15:
        m_state->firstRowRotation = value != 0;
        return done(QStringLiteral("first row rotation %1").arg(m_state->firstRowRotation ? "on" : "off"));
    case 0x16:
        m_state->mode1200 = value != 0;
        return done(QStringLiteral("1200 mode %1").arg(m_state->mode1200 ? "on" : "off"));
    default:
        return ignored(QStringLiteral("unknown global setting %1").arg(code, 2, 16, QLatin1Char('0')));
    }
}

Outcome CommandApplier::applyQuery(int code, int value)
{
    Outcome o = done(QString());
    if (code == 0x05) {
        o.reply = Outcome::GlobalStatus;
        o.text = QStringLiteral("query device status");
    } else if (code >= 0x01 && code <= 0x04) {
        o.reply = Outcome::WindowStatus;
        o.window = code;
        o.text = QStringLiteral("query window %1").arg(code);
    } else if (code == 0x07) {
        // Network identity survives: a reset must not cut the operator off.
        DeviceState fresh = DeviceState::defaults();
        fresh.ip = m_state->ip;
        fresh.mac = m_state->mac;
        fresh.dhcp = m_state->dhcp;
        fresh.tcpPort = m_state->tcpPort;
        fresh.version = m_state->version;
        fresh.resolutionCodes = m_state->resolutionCodes;
        *m_state = fresh;
        o.text = QStringLiteral("factory reset");
    } else if (code == 0x08) {
        o.reply = Outcome::SearchReply;
        o.text = QStringLiteral("device search");
    } else if (code == 0x0B) {
        o.text = QStringLiteral("controller reset");
    } else {
        return ignored(
            QStringLiteral("unknown query %1 value %2").arg(code, 2, 16, QLatin1Char('0')).arg(value));
    }
    return o;
}

Outcome CommandApplier::applyCrop(int window, const QByteArray &c)
{
    WindowState &w = m_state->windows[size_t(window)];
    w.cropHStart = word(c, 1);
    w.cropVStart = word(c, 3);
    w.cropHEnd = word(c, 5);
    w.cropVEnd = word(c, 7);
    return done(QStringLiteral("window %1: crop %2,%3 to %4,%5")
                    .arg(window + 1)
                    .arg(w.cropHStart)
                    .arg(w.cropVStart)
                    .arg(w.cropHEnd)
                    .arg(w.cropVEnd));
}

Outcome CommandApplier::applyGeometry(int window, const QByteArray &c)
{
    WindowState &w = m_state->windows[size_t(window)];
    w.x = word(c, 1);
    w.y = word(c, 3);
    w.width = word(c, 5);
    w.height = word(c, 7);
    return done(QStringLiteral("window %1: geometry %2,%3 %4x%5")
                    .arg(window + 1)
                    .arg(w.x)
                    .arg(w.y)
                    .arg(w.width)
                    .arg(w.height));
}

Outcome CommandApplier::applySetIp(const QByteArray &c)
{
    const quint32 v = (quint32(quint8(c.at(1))) << 24) | (quint32(quint8(c.at(2))) << 16) |
                      (quint32(quint8(c.at(3))) << 8) | quint32(quint8(c.at(4)));
    const QString ip = QHostAddress(v).toString();
    // An unusable address would make the unit unreachable for good.
    if (v == 0 || v == 0xFFFFFFFFu || (v >> 24) == 0 || (v >> 24) == 127 || (v >> 24) >= 224)
        return ignored(QStringLiteral("refused IP address %1").arg(ip));
    m_state->ip = ip;
    return done(QStringLiteral("IP address %1").arg(ip));
}

Outcome CommandApplier::applySetMac(const QByteArray &c)
{
    std::array<quint8, 6> mac{};
    for (int i = 0; i < 6; ++i)
        mac[size_t(i)] = quint8(c.at(1 + i));
    DeviceState probe;
    probe.mac = mac;
    // A group address (lowest bit of the first byte) cannot belong to one unit.
    if (mac[0] & 1)
        return ignored(QStringLiteral("refused MAC address %1").arg(probe.macText()));
    m_state->mac = mac;
    return done(QStringLiteral("MAC address %1").arg(probe.macText()));
}

} // namespace w4sim
