#include "frames.h"

namespace w4 {

namespace {

quint16 wordAt(const QByteArray &bytes, int byteOffset)
{
    return quint16(quint8(bytes[byteOffset]) << 8 | quint8(bytes[byteOffset + 1]));
}

// True when a whole frame of `words` words, head and tail in place, starts at `at`.
bool frameAt(const QByteArray &bytes, int at, int words)
{
    const int end = at + 2 * words;
    return end <= bytes.size() && wordAt(bytes, at) == FrameHead && wordAt(bytes, end - 2) == FrameTail;
}

GlobalFrame decodeGlobal(const QVector<quint16> &w)
{
    GlobalFrame f;
    f.word1 = w[1];
    if (w[5] <= 2)
        f.audioMode = AudioOutMode(w[5]);
    f.videoGen = w[6] != 0;
    f.rows = w[7];
    f.columns = w[8] & 0xFF;
    f.stackingWord = w[9];
    f.layers = layersFromStackingWord(w[9]);
    return f;
}

WindowStatus decodeWindow(const QVector<quint16> &w)
{
    WindowStatus s;
    s.window = w[1];
    s.x = w[2];
    s.y = w[3];
    s.width = w[4];
    s.height = w[5];
    s.hasCrop = true;
    s.cropHStart = w[7];
    s.cropVStart = w[8];
    s.cropHEnd = w[9];
    s.cropVEnd = w[10];
    s.contrastRatio = w[12];
    s.luminance = w[13] - 1024;
    s.horizontalSharpness = w[14] - 10;
    s.verticalSharpness = w[15] - 10;
    s.saturability = w[16];
    s.hue = w[17] - 180;
    s.colorTemperature = w[18];
    s.deGammaMode = w[19];
    s.panelGammaMode = w[20];
    s.horizontalMirrored = w[21] != 0;
    s.verticalMirrored = w[22] != 0;
    s.horizontalFiltration = w[23];
    s.verticalFiltration = w[24];
    s.shadowFiltration = w[25];
    s.blockFiltration = w[26];
    s.noiseProcessing = w[27];
    s.hairTreatment = w[28];
    s.deinterlace = w[29] != 0;
    s.pullDown2p2 = w[30] != 0;
    s.timer2p2 = w[31];
    s.pullDown2p3 = w[32] != 0;
    s.timer2p3 = w[33];
    s.sensitivity = w[34];
    s.diagonalCorrection = w[35];
    s.psf24Mode = w[36] != 0;
    s.blueCorrection = w[37];
    s.greenCorrection = w[38];
    s.skinCorrection = w[39];
    s.colorR = w[40];
    s.colorG = w[41];
    s.colorB = w[42];
    s.isColorSolid = w[43] != 0;
    s.isShown = w[44] == 1;
    s.isFrozen = w[45] != 0;
    s.inputSource = w[46];
    s.audioEnabled = w[47] != 0;
    switch (w[50]) {
    case 0:
        s.rotation = (w[21] == 1 && w[22] == 1) ? 180 : 0;
        break;
    case 1:
        s.rotation = 90;
        break;
    case 2:
        s.rotation = 270;
        break;
    default:
        break;
    }
    s.resolutionCode = w[51];
    return s;
}

} // namespace

QVector<quint16> assembleWords(const QByteArray &bytes)
{
    QVector<quint16> words;
    words.reserve(bytes.size() / 2);
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        words.append(wordAt(bytes, i));
    return words;
}

TcpFrame decodeTcpFrame(const QByteArray &block)
{
    const QVector<quint16> w = assembleWords(block);
    if (w.size() != GlobalFrameWords && w.size() != WindowFrameWords)
        return {};
    if (w.first() != FrameHead || w.last() != FrameTail)
        return {};
    if (w.size() == GlobalFrameWords)
        return decodeGlobal(w);
    return decodeWindow(w);
}

std::array<int, 4> layersFromStackingWord(quint16 word)
{
    std::array<int, 4> layers{};
    for (int i = 0; i < 4; ++i) {
        const int v = (word >> (4 * i)) & 0x7;
        if (v % 2 == 0)
            layers[size_t(v / 2)] = 4 - i;
    }
    return layers;
}

QSize resolutionForCode(int code)
{
    static const QSize table[] = {
        {720, 240},   {1440, 240},  {720, 288},   {1440, 288},  {640, 480},   {640, 480},   {720, 480},
        {1920, 540},  {1920, 540},  {1920, 540},  {720, 576},   {800, 600},   {1280, 720},  {1280, 720},
        {1280, 720},  {1024, 768},  {1280, 1024}, {2048, 1080}, {1920, 1080}, {1920, 1080}, {1920, 1080},
        {1920, 1080}, {1920, 1080}, {1600, 1200}, {3840, 2160}, {3840, 2160}, {3840, 2160}, {3840, 2160},
        {3840, 2160}, {3840, 2160}, {4096, 2160}, {4096, 2160}, {4096, 2160}, {4096, 2160}, {2560, 1600},
        {4096, 2400}, {1280, 720},  {1280, 720},  {1280, 720},
    };
    static_assert(sizeof(table) / sizeof(table[0]) == NoSignalResolutionCode);
    if (code < 0 || code >= NoSignalResolutionCode)
        return {3840, 2160};
    return table[code];
}

QVector<QByteArray> TcpFrameAssembler::feed(const QByteArray &bytes)
{
    constexpr int globalBytes = 2 * GlobalFrameWords;
    constexpr int windowBytes = 2 * WindowFrameWords;
    static const QByteArray head("\xAA\xAA", 2);

    m_buffer.append(bytes);
    QVector<QByteArray> frames;
    int at = 0; // everything before `at` is decided
    for (;;) {
        const int start = m_buffer.indexOf(head, at);
        if (start < 0) {
            // Keep a trailing 0xAA: it may be the first half of the next head.
            const int keep = at < m_buffer.size() && m_buffer.endsWith('\xAA') ? 1 : 0;
            m_noise += m_buffer.size() - keep - at;
            at = m_buffer.size() - keep;
            break;
        }
        m_noise += start - at;
        at = start;
        const int available = m_buffer.size() - at;
        if (available < globalBytes)
            break;
        int taken = 0;
        if (frameAt(m_buffer, at, GlobalFrameWords))
            taken = globalBytes;
        else if (available < windowBytes)
            break; // a window frame may still be growing here
        else if (frameAt(m_buffer, at, WindowFrameWords))
            taken = windowBytes;
        if (taken) {
            frames.append(m_buffer.mid(at, taken));
            at += taken;
            m_noise = 0;
            continue;
        }
        // No frame starts at this head: it was noise, or a fragment of a lost block.
        ++at;
        ++m_noise;
    }
    m_buffer.remove(0, at);
    return frames;
}

} // namespace w4
