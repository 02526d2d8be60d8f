#pragma once

#include <QByteArray>
#include <QSize>
#include <QVector>

#include <array>
#include <optional>
#include <variant>

// Status frames the processor writes on the TCP connection: two-byte words, high
// byte first, 0xAAAA first and 0xBBBB last, 11 words (global) or 53 (window).
namespace w4 {

constexpr quint16 FrameHead = 0xAAAA;
constexpr quint16 FrameTail = 0xBBBB;
constexpr int GlobalFrameWords = 11;
constexpr int WindowFrameWords = 53;

// Audio output modes as the processor reports them in the global frame.
enum class AudioOutMode { Port1Only = 0, AllPorts = 1, Disabled = 2 };

struct GlobalFrame
{
    quint16 word1 = 0;                     // only logged
    std::optional<AudioOutMode> audioMode; // absent for an unknown code
    bool videoGen = false;
    int rows = 0;
    int columns = 0;
    quint16 stackingWord = 0;
    // Stacking level 1..4 per window (index 0..3); 0 where the frame names none.
    std::array<int, 4> layers{};
};

// One window's state as the processor reports it, shifts already removed.
// Field names follow the per-window record.
struct WindowStatus
{
    int window = 0;                                                 // 1..4
    int x = 0, y = 0, width = 0, height = 0;                        // device pixels
    bool hasCrop = false;                                           // the UDP records carry no crop
    int cropHStart = 0, cropVStart = 0, cropHEnd = 0, cropVEnd = 0; // end 0 = full source
    int contrastRatio = 0;
    int luminance = 0;
    int horizontalSharpness = 0, verticalSharpness = 0;
    int saturability = 0;
    int hue = 0;
    int colorTemperature = 0;
    int deGammaMode = 0, panelGammaMode = 0;
    bool horizontalMirrored = false, verticalMirrored = false;
    int horizontalFiltration = 0, verticalFiltration = 0, shadowFiltration = 0, blockFiltration = 0;
    int noiseProcessing = 0, hairTreatment = 0;
    bool deinterlace = false;
    bool pullDown2p2 = false;
    int timer2p2 = 0;
    bool pullDown2p3 = false;
    int timer2p3 = 0;
    int sensitivity = 0;
    int diagonalCorrection = 0;
    bool psf24Mode = false;
    int blueCorrection = 0, greenCorrection = 0, skinCorrection = 0;
    int colorR = 0, colorG = 0, colorB = 0;
    bool isColorSolid = false;
    bool isShown = false;
    bool isFrozen = false;
    int inputSource = 0; // as reported, 0..3
    bool audioEnabled = false;
    std::optional<int> rotation; // degrees; absent when the code changes nothing
    int resolutionCode = 0;
};

using TcpFrame = std::variant<std::monostate, GlobalFrame, WindowStatus>;

// Bytes to words; an odd trailing byte is dropped.
QVector<quint16> assembleWords(const QByteArray &bytes);

// One complete block to a frame; anything that is neither frame gives monostate.
TcpFrame decodeTcpFrame(const QByteArray &block);

// Levels from the global frame's stacking word: nibble i (from the least
// significant) names window (nibble & 7) / 2 + 1, which gets level 4 - i.
std::array<int, 4> layersFromStackingWord(quint16 word);

// Source resolution for a reported code; codes past the table (no signal) and
// negative codes give the default 3840 x 2160.
QSize resolutionForCode(int code);
constexpr int NoSignalResolutionCode = 39;

// TCP is a byte stream: frames may arrive split over several reads or several in
// one read. The assembler keeps what it was given and hands back whole frames,
// resynchronising on the next header after bytes that belong to no frame.
//
// What a header starts is decided from the bytes alone, never from where a
// read ended: a global frame when one is whole there; otherwise, once a window
// frame's length is at hand, a window frame or nothing (and the search goes on
// one byte further). A frame after noise may therefore wait until a window
// frame's length has come past the noise. Each byte is looked at a bounded
// number of times, and at most a window frame's length is kept.
class TcpFrameAssembler
{
public:
    // Appends bytes and returns every complete frame now available, in order.
    QVector<QByteArray> feed(const QByteArray &bytes);
    void clear()
    {
        m_buffer.clear();
        m_noise = 0;
    }
    int pending() const { return m_buffer.size(); }
    // Bytes thrown away since the last whole frame (or the start).
    qint64 noiseSinceFrame() const { return m_noise; }

private:
    QByteArray m_buffer;
    qint64 m_noise = 0;
};

} // namespace w4
