#include "statusdatagram.h"

namespace w4 {

StatusDatagram parseStatusDatagram(const QByteArray &datagram)
{
    constexpr int header = 4;
    constexpr int recordSize = 5;
    StatusDatagram result;
    for (int at = header; at + recordSize <= datagram.size(); at += recordSize) {
        if (datagram[at + 1] != ':' || datagram[at + 4] != '/') {
            result.valid = false;
            result.records.clear();
            break;
        }
        const int key = quint8(datagram[at]);
        const int value = quint8(datagram[at + 2]) << 8 | quint8(datagram[at + 3]);
        result.records.insert(key, QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper());
    }
    return result;
}

std::optional<StatusRecord> majorityRecord(const StatusRecord &first, const StatusRecord &second,
                                           const StatusRecord &third)
{
    if (first == second || first == third)
        return first;
    if (second == third)
        return second;
    return std::nullopt;
}

int recordValue(const StatusRecord &record, int key)
{
    bool ok = false;
    const int v = record.value(key).toInt(&ok, 16);
    return ok ? v : 0;
}

std::optional<WallLayout> wallLayoutFromRecord(const StatusRecord &record)
{
    const QString v = record.value(6);
    if (v.size() < 4)
        return std::nullopt;
    const int rows = v.at(1).digitValue();
    const int columns = v.at(3).digitValue();
    if (rows < 1 || columns < 1)
        return std::nullopt;
    return WallLayout{rows, columns};
}

std::array<int, 4> layersFromRecord(const StatusRecord &record)
{
    std::array<int, 4> layers{};
    const QString v = record.value(7);
    for (int j = 0; j < 4 && j < v.size(); ++j) {
        const int d = v.at(j).digitValue();
        const int level = d < 0 ? 0 : (d + 2) / 2;
        if (level >= 1 && level <= 4)
            layers[size_t(j)] = level;
    }
    return layers;
}

WindowStatus windowStatusFromRecord(const StatusRecord &r)
{
    auto v = [&r](int key) { return recordValue(r, key); };
    WindowStatus s;
    s.x = v(1);
    s.y = v(2);
    s.width = v(3);
    s.height = v(4);
    s.contrastRatio = v(11);
    s.luminance = v(12) - 1024;
    s.verticalSharpness = v(13) - 10;
    s.horizontalSharpness = v(14) - 10;
    s.saturability = v(15);
    s.hue = v(16) - 180;
    s.colorTemperature = v(17);
    s.deGammaMode = v(18);
    s.panelGammaMode = v(19);
    s.horizontalMirrored = v(20) != 0;
    s.verticalMirrored = v(21) != 0;
    s.horizontalFiltration = v(22);
    s.verticalFiltration = v(23);
    s.shadowFiltration = v(24);
    s.blockFiltration = v(25);
    s.noiseProcessing = v(26);
    s.hairTreatment = v(27);
    s.deinterlace = v(28) != 0;
    s.timer2p2 = v(29);
    s.pullDown2p2 = v(30) != 0;
    s.timer2p3 = v(31);
    s.pullDown2p3 = v(32) != 0;
    s.sensitivity = v(33);
    s.psf24Mode = v(35) != 0;
    s.colorR = v(39);
    s.colorG = v(40);
    s.colorB = v(41);
    s.isColorSolid = v(42) != 0;
    if (!s.isColorSolid) {
        // Without solid fill the processor's colour keys mean nothing; the
        // window falls back to the default fill colour.
        s.colorR = 136;
        s.colorG = 155;
        s.colorB = 177;
    }
    s.isShown = v(43) != 0;
    s.isFrozen = v(44) != 0;
    s.inputSource = v(45);
    s.audioEnabled = v(46) != 0;
    switch (v(49)) {
    case 0:
        s.rotation = (v(20) == 1 && v(21) == 1) ? 180 : 0;
        break;
    case 1:
        s.rotation = 270;
        break;
    case 3:
        s.rotation = 90;
        break;
    default:
        break;
    }
    s.resolutionCode = v(50);
    return s;
}

} // namespace w4
