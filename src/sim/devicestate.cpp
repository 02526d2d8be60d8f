#include "devicestate.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStringList>

namespace w4sim {

namespace {

using W = WindowState;

WindowField num(const char *name, int W::*m, int code, int offset, int lo, int hi, int word, int key)
{
    return {name, m, nullptr, code, offset, lo, hi, word, key};
}

WindowField flag(const char *name, bool W::*m, int code, int word, int key)
{
    return {name, nullptr, m, code, 0, 0, 1, word, key};
}

QVector<WindowField> buildFields()
{
    // Geometry and crop are device pixels: the wire's full unsigned range.
    return {
        num("x", &W::x, 0x01, 0, 0, 65535, 2, 1),
        num("y", &W::y, 0x02, 0, 0, 65535, 3, 2),
        num("width", &W::width, 0x03, 0, 0, 65535, 4, 3),
        num("height", &W::height, 0x04, 0, 0, 65535, 5, 4),
        num("cropHStart", &W::cropHStart, 0x05, 0, 0, 65535, 7, 5),
        num("cropVStart", &W::cropVStart, 0x06, 0, 0, 65535, 8, 6),
        num("cropHEnd", &W::cropHEnd, 0x07, 0, 0, 65535, 9, 7),
        num("cropVEnd", &W::cropVEnd, 0x08, 0, 0, 65535, 10, 8),
        num("contrastRatio", &W::contrastRatio, 0x0A, 0, 0, 399, 12, 11),
        num("luminance", &W::luminance, 0x0B, 1024, -1024, 1024, 13, 12),
        num("horizontalSharpness", &W::horizontalSharpness, 0x0C, 10, -10, 10, 14, 14),
        num("verticalSharpness", &W::verticalSharpness, 0x0D, 10, -10, 10, 15, 13),
        num("saturability", &W::saturability, 0x0E, 0, 0, 399, 16, 15),
        num("hue", &W::hue, 0x0F, 180, -180, 180, 17, 16),
        num("colorTemperature", &W::colorTemperature, 0x10, 0, 0, 1, 18, 17),
        num("deGammaMode", &W::deGammaMode, 0x11, 0, 0, 3, 19, 18),
        num("panelGammaMode", &W::panelGammaMode, 0x12, 0, 0, 3, 20, 19),
        flag("horizontalMirrored", &W::horizontalMirrored, 0x13, 21, 20),
        flag("verticalMirrored", &W::verticalMirrored, 0x14, 22, 21),
        num("horizontalFiltration", &W::horizontalFiltration, 0x15, 0, 0, 3, 23, 22),
        num("verticalFiltration", &W::verticalFiltration, 0x16, 0, 0, 3, 24, 23),
        num("shadowFiltration", &W::shadowFiltration, 0x17, 0, 0, 3, 25, 24),
        num("blockFiltration", &W::blockFiltration, 0x18, 0, 0, 3, 26, 25),
        num("noiseProcessing", &W::noiseProcessing, 0x19, 0, 0, 3, 27, 26),
        num("hairTreatment", &W::hairTreatment, 0x1A, 0, 0, 3, 28, 27),
        flag("deinterlace", &W::deinterlace, 0x1B, 29, 28),
        flag("pullDown2p2", &W::pullDown2p2, 0x1C, 30, 30),
        num("timer2p2", &W::timer2p2, 0x1D, 0, 0, 15, 31, 29),
        flag("pullDown2p3", &W::pullDown2p3, 0x1E, 32, 32),
        num("timer2p3", &W::timer2p3, 0x1F, 0, 0, 15, 33, 31),
        num("sensitivity", &W::sensitivity, 0x20, 0, 0, 4, 34, 33),
        num("diagonalCorrection", &W::diagonalCorrection, 0x21, 0, 0, 3, 35, 34),
        flag("psf24Mode", &W::psf24Mode, 0x22, 36, 35),
        num("blueCorrection", &W::blueCorrection, 0x23, 0, 0, 4, 37, 36),
        num("greenCorrection", &W::greenCorrection, 0x24, 0, 0, 4, 38, 37),
        num("skinCorrection", &W::skinCorrection, 0x25, 0, 0, 4, 39, 38),
        num("colorR", &W::colorR, 0x26, 0, 0, 255, 40, 39),
        num("colorG", &W::colorG, 0x27, 0, 0, 255, 41, 40),
        num("colorB", &W::colorB, 0x28, 0, 0, 255, 42, 41),
        flag("isColorSolid", &W::isColorSolid, 0x2A, 43, 42),
        flag("isShown", &W::isShown, 0x2B, 44, 43),
        flag("isFrozen", &W::isFrozen, 0x2C, 45, 44),
        // Source and audio have their own rules in the applier (no generic code).
        num("inputSource", &W::inputSource, 0, 0, 0, 4, 46, 45),
        flag("audioEnabled", &W::audioEnabled, 0, 47, 46),
        flag("adaptiveFill", &W::adaptiveFill, 0x37, -1, 47),
        num("layer", &W::layer, 0, 0, 1, 4, -1, -1),
    };
}

QJsonObject windowToJson(const WindowState &w)
{
    QJsonObject o;
    for (const WindowField &f : windowFields()) {
        if (f.flag)
            o.insert(QLatin1String(f.name), w.*(f.flag));
        else
            o.insert(QLatin1String(f.name), w.*(f.number));
    }
    o.insert(QStringLiteral("rotation"), w.rotation);
    return o;
}

bool windowFromJson(const QJsonObject &o, WindowState *w, QString *error)
{
    for (const WindowField &f : windowFields()) {
        const QJsonValue v = o.value(QLatin1String(f.name));
        if (v.isUndefined())
            continue;
        if (f.flag) {
            if (!v.isBool()) {
                *error = QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(f.name));
                return false;
            }
            w->*(f.flag) = v.toBool();
            continue;
        }
        if (!v.isDouble() || v.toDouble() != double(v.toInt()) || v.toInt() < f.minimum ||
            v.toInt() > f.maximum) {
            *error = QStringLiteral("\"%1\" must be a whole number in %2..%3")
                         .arg(QLatin1String(f.name))
                         .arg(f.minimum)
                         .arg(f.maximum);
            return false;
        }
        w->*(f.number) = v.toInt();
    }
    const QJsonValue rot = o.value(QStringLiteral("rotation"));
    if (!rot.isUndefined()) {
        const int r = rot.toInt(-1);
        if (r == 180) { // a half turn is the two mirrors
            w->rotation = 0;
            w->horizontalMirrored = w->verticalMirrored = true;
        } else if (r == 0 || r == 90 || r == 270) {
            w->rotation = r;
        } else {
            *error = QStringLiteral("\"rotation\" must be 0, 90, 180 or 270");
            return false;
        }
    }
    return true;
}

bool parseMac(const QString &text, std::array<quint8, 6> *mac)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = parts[i].toUInt(&ok, 16);
        if (!ok || parts[i].size() > 2 || v > 255)
            return false;
        (*mac)[size_t(i)] = quint8(v);
    }
    return true;
}

} // namespace

bool WindowState::operator==(const WindowState &o) const
{
    for (const WindowField &f : windowFields())
        if (fieldValue(*this, f) != fieldValue(o, f))
            return false;
    return rotation == o.rotation;
}

const QVector<WindowField> &windowFields()
{
    static const QVector<WindowField> fields = buildFields();
    return fields;
}

const WindowField *windowFieldByCode(int code)
{
    if (code == 0)
        return nullptr;
    for (const WindowField &f : windowFields())
        if (f.code == code)
            return &f;
    return nullptr;
}

int fieldValue(const WindowState &w, const WindowField &f)
{
    return f.flag ? (w.*(f.flag) ? 1 : 0) : w.*(f.number);
}

void setFieldValue(WindowState &w, const WindowField &f, int value)
{
    if (f.flag)
        w.*(f.flag) = value != 0;
    else
        w.*(f.number) = qBound(f.minimum, value, f.maximum);
}

DeviceState DeviceState::defaults()
{
    DeviceState s;
    const int sources[4] = {1, 0, 3, 2};
    const int w = s.outputWidth() / 2, h = s.outputHeight() / 2;
    for (int i = 0; i < 4; ++i) {
        WindowState &win = s.windows[size_t(i)];
        win.x = (i % 2) * w;
        win.y = (i / 2) * h;
        win.width = w;
        win.height = h;
        win.inputSource = sources[i];
        win.layer = i + 1;
    }
    return s;
}

// A single monitor and every grid of at least 2 x 2 use the whole 3840 x 2160
// space; a single row or column stretches one way only.
int DeviceState::outputWidth() const
{
    if (rows == 1 && columns == 1)
        return 3840;
    return qMin(3840, rows == 1 || columns == 1 ? columns * 1920 : 3840);
}

int DeviceState::outputHeight() const
{
    if (rows == 1 && columns == 1)
        return 2160;
    return qMin(2160, rows == 1 || columns == 1 ? rows * 1080 : 2160);
}

bool DeviceState::layoutForIndex(int index, int *r, int *c)
{
    int k = 0;
    for (int rr = 1; rr <= 9; ++rr)
        for (int cc = 1; cc <= 9; ++cc) {
            if (rr * cc > 9)
                continue;
            if (k++ == index) {
                *r = rr;
                *c = cc;
                return true;
            }
        }
    return false;
}

int DeviceState::stackingWord() const
{
    int word = 0;
    for (int level = 1; level <= 4; ++level) {
        int digit = 0;
        for (int i = 0; i < 4; ++i)
            if (windows[size_t(i)].layer == level)
                digit = 2 * i;
        word = (word << 4) | digit;
    }
    return word;
}

bool DeviceState::setStackingWord(int word)
{
    int levelOf[4] = {0, 0, 0, 0};
    for (int level = 1; level <= 4; ++level) {
        const int digit = (word >> (4 * (4 - level))) & 0xF;
        if (digit % 2 != 0 || digit > 6 || levelOf[digit / 2] != 0)
            return false; // not a permutation of the four windows
        levelOf[digit / 2] = level;
    }
    for (int i = 0; i < 4; ++i)
        windows[size_t(i)].layer = levelOf[i];
    return true;
}

QString DeviceState::macText() const
{
    QStringList parts;
    for (quint8 b : mac)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString DeviceState::macDecimalText() const
{
    QStringList parts;
    for (quint8 b : mac)
        parts << QString::number(b);
    return parts.join(QLatin1Char('.'));
}

QJsonObject DeviceState::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("rows"), rows);
    o.insert(QStringLiteral("columns"), columns);
    o.insert(QStringLiteral("audioMode"), audioMode);
    o.insert(QStringLiteral("videoGen"), videoGen);
    o.insert(QStringLiteral("firstRowRotation"), firstRowRotation);
    o.insert(QStringLiteral("dhcp"), dhcp);
    o.insert(QStringLiteral("mode1200"), mode1200);
    o.insert(QStringLiteral("ip"), ip);
    o.insert(QStringLiteral("mac"), macText());
    o.insert(QStringLiteral("tcpPort"), tcpPort);
    o.insert(QStringLiteral("version"), version);
    QJsonArray codes;
    for (int c : resolutionCodes)
        codes.append(c);
    o.insert(QStringLiteral("resolutionCodes"), codes);
    QJsonArray wins;
    for (const WindowState &w : windows)
        wins.append(windowToJson(w));
    o.insert(QStringLiteral("windows"), wins);
    return o;
}

bool DeviceState::fromJson(const QJsonObject &o, DeviceState *out, QString *error)
{
    DeviceState s = defaults();
    auto intIn = [&](const char *key, int lo, int hi, int *target) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isDouble() || v.toDouble() != double(v.toInt()) || v.toInt() < lo || v.toInt() > hi) {
            *error = QStringLiteral("\"%1\" must be a whole number in %2..%3")
                         .arg(QLatin1String(key))
                         .arg(lo)
                         .arg(hi);
            return false;
        }
        *target = v.toInt();
        return true;
    };
    auto boolIn = [&](const char *key, bool *target) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isBool()) {
            *error = QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key));
            return false;
        }
        *target = v.toBool();
        return true;
    };
    if (!intIn("rows", 1, 9, &s.rows) || !intIn("columns", 1, 9, &s.columns) ||
        !intIn("audioMode", 0, 2, &s.audioMode) || !intIn("tcpPort", 1, 65535, &s.tcpPort) ||
        !boolIn("videoGen", &s.videoGen) || !boolIn("firstRowRotation", &s.firstRowRotation) ||
        !boolIn("dhcp", &s.dhcp) || !boolIn("mode1200", &s.mode1200))
        return false;
    if (s.rows * s.columns > 9) {
        *error = QStringLiteral("rows x columns must be at most 9");
        return false;
    }
    if (o.contains(QStringLiteral("ip"))) {
        const QString ip = o.value(QStringLiteral("ip")).toString();
        QHostAddress addr;
        if (!addr.setAddress(ip) || addr.protocol() != QAbstractSocket::IPv4Protocol) {
            *error = QStringLiteral("\"ip\" must be an IPv4 address such as 198.51.100.20");
            return false;
        }
        s.ip = addr.toString();
    }
    if (o.contains(QStringLiteral("mac")) && !parseMac(o.value(QStringLiteral("mac")).toString(), &s.mac)) {
        *error = QStringLiteral("\"mac\" must be six hexadecimal bytes such as 02:12:34:56:78:9A");
        return false;
    }
    if (o.contains(QStringLiteral("version"))) {
        const QString v = o.value(QStringLiteral("version")).toString();
        // The search reply is "key:value/..." text, so these would break it.
        if (v.contains(QLatin1Char(':')) || v.contains(QLatin1Char('/')) || v.contains(QChar(0))) {
            *error = QStringLiteral("\"version\" must not contain ':' or '/'");
            return false;
        }
        s.version = v;
    }
    if (o.contains(QStringLiteral("resolutionCodes"))) {
        const QJsonArray a = o.value(QStringLiteral("resolutionCodes")).toArray();
        if (a.size() != 4) {
            *error = QStringLiteral("\"resolutionCodes\" must list four codes, one per input");
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            const int c = a[i].toInt(-1);
            if (c < 0 || c > 255) {
                *error = QStringLiteral("\"resolutionCodes\" entries must be 0..255");
                return false;
            }
            s.resolutionCodes[size_t(i)] = c;
        }
    }
    if (o.contains(QStringLiteral("windows"))) {
        const QJsonArray a = o.value(QStringLiteral("windows")).toArray();
        if (a.size() != 4) {
            *error = QStringLiteral("\"windows\" must list four windows");
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            QString e;
            if (!a[i].isObject() || !windowFromJson(a[i].toObject(), &s.windows[size_t(i)], &e)) {
                *error = QStringLiteral("window %1: %2")
                             .arg(i + 1)
                             .arg(e.isEmpty() ? QStringLiteral("not an object") : e);
                return false;
            }
        }
        int seen = 0;
        for (const WindowState &w : s.windows)
            seen |= 1 << w.layer;
        if (seen != 0x1E) {
            *error = QStringLiteral("the four windows must hold the layers 1, 2, 3 and 4 once each");
            return false;
        }
    }
    *out = s;
    return true;
}

bool DeviceState::load(const QString &path, DeviceState *out, QString *error)
{
    // A FIFO or a device would hold the start up (or never end): regular files only.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("cannot read %1: not a regular file").arg(path);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("%1 is not a JSON object: %2").arg(path, pe.errorString());
        return false;
    }
    QString e;
    if (!fromJson(doc.object(), out, &e)) {
        *error = QStringLiteral("%1: %2").arg(path, e);
        return false;
    }
    return true;
}

bool DeviceState::save(const QString &path, QString *error) const
{
    // Written whole or not at all, so a reader never sees half a state.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    f.write(QJsonDocument(toJson()).toJson(QJsonDocument::Indented));
    if (!f.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool DeviceState::operator==(const DeviceState &o) const
{
    return rows == o.rows && columns == o.columns && audioMode == o.audioMode && videoGen == o.videoGen &&
           firstRowRotation == o.firstRowRotation && dhcp == o.dhcp && mode1200 == o.mode1200 && ip == o.ip &&
           mac == o.mac && tcpPort == o.tcpPort && version == o.version &&
           resolutionCodes == o.resolutionCodes && windows == o.windows;
}

} // namespace w4sim
