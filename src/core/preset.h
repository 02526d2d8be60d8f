#pragma once

#include "frames.h"
#include "wallgeometry.h"
#include "windowstatusapply.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>

// A whole wall as the processor holds it: the layout, the stacking, the audio
// output and VideoGen modes and the settings of the four windows, in device
// pixels and record values. Presets are saved as JSON and applied by sending
// only what differs from the processor's state.
//
// Any value may be unknown: a UDP read carries no crop, no colour corrections
// and no device-wide modes, and a partial preset (one command of w4ctl) names
// only what it sets. Unknown values are neither sent nor compared.
namespace w4 {

// The format written; files of a later version are refused.
constexpr int PresetFormatVersion = 1;

// The window settings of a preset, in the order they are sent. The two mirror
// flags carry a half turn, so rotation is 0, 90 or 270.
enum class PresetField {
    X,
    Y,
    Width,
    Height,
    CropHStart,
    CropVStart,
    CropHEnd, // 0 = the whole source
    CropVEnd,
    PictureFirst, // the 22 picture values in picture index order
    PictureLast = PictureFirst + 21,
    HorizontalMirrored,
    VerticalMirrored,
    Deinterlace,
    PullDown2p2,
    PullDown2p3,
    Psf24Mode,
    InputSource, // 0..3 = input 1..4, 4 = none
    ColorR,
    ColorG,
    ColorB,
    IsColorSolid,
    IsShown,
    Rotation,
    AudioEnabled, // one window at most
    IsFrozen,     // a frozen window takes no changes: thawed first, frozen last
    Count
};
constexpr int PresetFieldCount = int(PresetField::Count);

struct PresetFieldInfo
{
    const char *name = nullptr; // JSON key, the record's field name
    bool flag = false;          // true / false in JSON
    int minimum = 0;
    int maximum = 0;
};
PresetFieldInfo presetFieldInfo(PresetField field);
// The field of a JSON key; absent for an unknown name.
std::optional<PresetField> presetFieldByName(const QString &name);
// Whether `value` may be stored in the field (rotation: 0, 90 or 270).
bool presetValueAllowed(PresetField field, int value);

struct PresetWindow
{
    std::array<std::optional<int>, PresetFieldCount> values; // flags as 0 / 1

    const std::optional<int> &operator[](PresetField f) const { return values[size_t(f)]; }
    std::optional<int> &operator[](PresetField f) { return values[size_t(f)]; }
};

// What the window's typed fields and the window command refuse in a window.
enum class PresetWindowRefusal {
    None,
    OutsideWall,      // x + width or y + height beyond 3840 x 2160
    CropStartNotBelowEnd,
    CropEndBeyondSource,
};
struct PresetWindowCheck
{
    PresetWindowRefusal refusal = PresetWindowRefusal::None;
    PresetField field = PresetField::X; // the value refused
};
// The window's values checked as those fields check them, against the largest
// picture: within the wall, each crop start before its end. A crop end of 0 is
// the whole source; values not known are not checked.
PresetWindowCheck checkPresetWindow(const PresetWindow &window);

struct Preset
{
    int rows = 0, columns = 0;                // 0: not known
    std::optional<std::array<int, 4>> layers; // stacking level 1..4 per window
    std::optional<AudioOutMode> audioMode;
    std::optional<bool> videoGen;
    std::array<PresetWindow, 4> windows;

    bool hasLayout() const { return rows > 0 && columns > 0; }
};

// A window as the processor reported it: what the reader's origin carries is
// known, the rest is left unknown. A half turn becomes the two mirror flags.
PresetWindow presetWindowFromStatus(const WindowStatus &status, StatusOrigin origin);

// A window as the program's record holds it, at `geometry` on the device. The
// fill colour is the last one entered and the input the one under a solid fill,
// as the processor keeps them.
PresetWindow presetWindowFromRecord(const WindowRecord &record, const DeviceRect &geometry);

// ---- Files -------------------------------------------------------------------

enum class PresetError {
    None,
    NotJson,       // detail: the parser's message
    NotPreset,     // no object with a format version
    FutureVersion, // detail: the version found
    BadValue,      // detail: where ("windows[2].hue", "layout", ...)
};

struct PresetLoad
{
    PresetError error = PresetError::None;
    QString detail;
    Preset preset;
    bool ok() const { return error == PresetError::None; }
};

QJsonObject presetToJson(const Preset &preset);
QByteArray presetToBytes(const Preset &preset); // indented JSON
PresetLoad presetFromJson(const QJsonObject &object);
PresetLoad presetFromBytes(const QByteArray &bytes);

// ---- Differences ---------------------------------------------------------------

// One value the target names that the state does not hold (or does not know).
struct PresetDifference
{
    int window = -1;  // 0..3, or -1 for a device-wide value
    QString name;     // field name, or "layout", "stacking", "audioOutput", "videoGen"
    QString expected; // as in the JSON file
    QString actual;   // empty when not known
};

// Every value known in `target` that `state` holds otherwise; with
// `knownOnly`, values `state` does not know are left out.
QVector<PresetDifference> presetDifferences(const Preset &state, const Preset &target, bool knownOnly);

// The fewest commands that turn `state` into `target`: one per differing
// value (the audio window and the stacking count as one value each), nothing for
// values that already match, everything `state` does not know. A new layout moves
// the windows, so their geometry is then sent whole.
QStringList presetCommands(const Preset &state, const Preset &target);

// A value as the JSON file writes it ("2x2", "[1,2,3,4]", "allPorts", "true", "12").
QString presetFieldText(PresetField field, int value);

} // namespace w4
