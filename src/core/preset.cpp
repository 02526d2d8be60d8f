#include "preset.h"

#include "commands.h"
#include "pagefields.h"
#include "wallgeometry.h"
#include "walllayers.h"
#include "windowfeatures.h"
#include "windowrecord.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace w4 {

namespace {

constexpr int CodeFrozen = 0x2C;
constexpr int CodeAudio = 0x2E;
constexpr int CodeQuarterTurn = 0x32;
constexpr int CodeThreeQuarterTurn = 0x34;

struct FieldRow
{
    PresetFieldInfo info;
    int code; // window parameter code; -1 where the field has its own rule
};

FieldRow row(PresetField f)
{
    using F = PresetField;
    const int i = int(f);
    if (i >= int(F::PictureFirst) && i <= int(F::PictureLast)) {
        const PictureValueInfo p = pictureValueInfo(i - int(F::PictureFirst));
        return {{p.name, false, p.minimum, p.maximum}, p.code};
    }
    switch (f) {
    case F::X:
        return {{"x", false, 0, DeviceMaxWidth}, 0x01};
    case F::Y:
        return {{"y", false, 0, DeviceMaxHeight}, 0x02};
    case F::Width:
        return {{"width", false, 0, DeviceMaxWidth}, 0x03};
    case F::Height:
        return {{"height", false, 0, DeviceMaxHeight}, 0x04};
    case F::CropHStart:
        return {{"cropHStart", false, 0, DeviceMaxWidth}, 0x05};
    case F::CropVStart:
        return {{"cropVStart", false, 0, DeviceMaxHeight}, 0x06};
    case F::CropHEnd:
        return {{"cropHEnd", false, 0, DeviceMaxWidth}, 0x07};
    case F::CropVEnd:
        return {{"cropVEnd", false, 0, DeviceMaxHeight}, 0x08};
    case F::HorizontalMirrored:
        return {{"horizontalMirrored", true, 0, 1}, 0x13};
    case F::VerticalMirrored:
        return {{"verticalMirrored", true, 0, 1}, 0x14};
    case F::Deinterlace:
        return {{"deinterlace", true, 0, 1}, 0x1B};
    case F::PullDown2p2:
        return {{"pullDown2p2", true, 0, 1}, 0x1C};
    case F::PullDown2p3:
        return {{"pullDown2p3", true, 0, 1}, 0x1E};
    case F::Psf24Mode:
        return {{"psf24Mode", true, 0, 1}, 0x22};
    case F::InputSource:
        return {{"inputSource", false, 0, NoInputSource}, 0x2D};
    case F::ColorR:
        return {{"colorR", false, 0, 255}, 0x26};
    case F::ColorG:
        return {{"colorG", false, 0, 255}, 0x27};
    case F::ColorB:
        return {{"colorB", false, 0, 255}, 0x28};
    case F::IsColorSolid:
        return {{"isColorSolid", true, 0, 1}, 0x2A};
    case F::IsShown:
        return {{"isShown", true, 0, 1}, 0x2B};
    case F::Rotation:
        return {{"rotation", false, 0, 270}, -1};
    case F::AudioEnabled:
        return {{"audioEnabled", true, 0, 1}, -1};
    case F::IsFrozen:
        return {{"isFrozen", true, 0, 1}, CodeFrozen};
    default:
        return {{}, -1};
    }
}

PresetField fieldAt(int i)
{
    return PresetField(i);
}

bool isPicture(PresetField f)
{
    return int(f) >= int(PresetField::PictureFirst) && int(f) <= int(PresetField::PictureLast);
}

// What goes on the wire for a stored value: picture ranges below zero are shifted.
int deviceValue(PresetField f, int value)
{
    return isPicture(f) ? pictureValueToDevice(int(f) - int(PresetField::PictureFirst), value) : value;
}

const char *audioModeName(AudioOutMode m)
{
    switch (m) {
    case AudioOutMode::Port1Only:
        return "port1Only";
    case AudioOutMode::AllPorts:
        return "allPorts";
    case AudioOutMode::Disabled:
        return "disabled";
    }
    return "";
}

QString stackingText(const std::array<int, 4> &l)
{
    return QStringLiteral("[%1,%2,%3,%4]").arg(l[0]).arg(l[1]).arg(l[2]).arg(l[3]);
}

PresetLoad refused(PresetError error, const QString &detail)
{
    PresetLoad r;
    r.error = error;
    r.detail = detail;
    return r;
}

bool wholeNumber(const QJsonValue &v, int *out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d != double(qint64(d)) || d < -65536 || d > 65536)
        return false;
    *out = int(d);
    return true;
}

} // namespace

PresetFieldInfo presetFieldInfo(PresetField field)
{
    return row(field).info;
}

std::optional<PresetField> presetFieldByName(const QString &name)
{
    for (int i = 0; i < PresetFieldCount; ++i)
        if (name == QLatin1String(row(fieldAt(i)).info.name))
            return fieldAt(i);
    return std::nullopt;
}

bool presetValueAllowed(PresetField field, int value)
{
    if (field == PresetField::Rotation)
        return value == 0 || value == 90 || value == 270;
    const PresetFieldInfo info = presetFieldInfo(field);
    return value >= info.minimum && value <= info.maximum;
}

PresetWindowCheck checkPresetWindow(const PresetWindow &w)
{
    using F = PresetField;
    const QSize largest(DeviceMaxWidth, DeviceMaxHeight);
    PresetWindowCheck check;
    auto refuse = [&](PresetWindowRefusal why, F field) {
        if (check.refusal == PresetWindowRefusal::None)
            check = {why, field};
    };
    // Along each axis where both the start and the extent are known.
    if (w[F::X] && w[F::Width] && !windowFitsWall(*w[F::X], 0, *w[F::Width], 0, largest))
        refuse(PresetWindowRefusal::OutsideWall, F::Width);
    if (w[F::Y] && w[F::Height] && !windowFitsWall(0, *w[F::Y], 0, *w[F::Height], largest))
        refuse(PresetWindowRefusal::OutsideWall, F::Height);

    // The crop as the typed fields see it: an end of 0 (or not known) reaches
    // the edge of the largest picture.
    WindowRecord crop;
    crop.cropHStart = w[F::CropHStart].value_or(0);
    crop.cropVStart = w[F::CropVStart].value_or(0);
    crop.cropHEnd = w[F::CropHEnd].value_or(0) ? *w[F::CropHEnd] : largest.width();
    crop.cropVEnd = w[F::CropVEnd].value_or(0) ? *w[F::CropVEnd] : largest.height();
    const struct
    {
        CropField crop;
        F field;
    } fields[] = {{CropField::HStart, F::CropHStart},
                  {CropField::VStart, F::CropVStart},
                  {CropField::HEnd, F::CropHEnd},
                  {CropField::VEnd, F::CropVEnd}};
    for (const auto &f : fields) {
        if (!w[f.field])
            continue;
        switch (cropFieldRefusal(f.crop, cropFieldValue(crop, f.crop), crop, largest)) {
        case CropRefusal::None:
            break;
        case CropRefusal::StartNotBelowEnd:
            refuse(PresetWindowRefusal::CropStartNotBelowEnd, f.field);
            break;
        case CropRefusal::EndBeyondSource:
            refuse(PresetWindowRefusal::CropEndBeyondSource, f.field);
            break;
        }
    }
    return check;
}

QString presetFieldText(PresetField field, int value)
{
    if (presetFieldInfo(field).flag)
        return value ? QStringLiteral("true") : QStringLiteral("false");
    return QString::number(value);
}

PresetWindow presetWindowFromStatus(const WindowStatus &s, StatusOrigin origin)
{
    using F = PresetField;
    PresetWindow w;
    w[F::X] = s.x;
    w[F::Y] = s.y;
    w[F::Width] = s.width;
    w[F::Height] = s.height;
    if (s.hasCrop) {
        w[F::CropHStart] = s.cropHStart;
        w[F::CropVStart] = s.cropVStart;
        w[F::CropHEnd] = s.cropHEnd;
        w[F::CropVEnd] = s.cropVEnd;
    }
    // The record's picture values, by index, as the status gives them.
    WindowRecord record;
    applyWindowStatus(record, s, origin);
    for (int i = 0; i < PictureValueCount; ++i)
        w.values[size_t(int(F::PictureFirst) + i)] = pictureValue(record, i);
    if (origin == StatusOrigin::Udp) {
        // The datagram records carry no colour corrections and no diagonal correction.
        for (const char *name : {"blueCorrection", "greenCorrection", "skinCorrection", "diagonalCorrection"})
            w[*presetFieldByName(QLatin1String(name))].reset();
    }
    w[F::HorizontalMirrored] = s.horizontalMirrored;
    w[F::VerticalMirrored] = s.verticalMirrored;
    w[F::Deinterlace] = s.deinterlace;
    w[F::PullDown2p2] = s.pullDown2p2;
    w[F::PullDown2p3] = s.pullDown2p3;
    w[F::Psf24Mode] = s.psf24Mode;
    w[F::InputSource] = s.inputSource;
    // Over UDP the fill colour is only reported while the fill is on.
    if (origin == StatusOrigin::Tcp || s.isColorSolid) {
        w[F::ColorR] = s.colorR;
        w[F::ColorG] = s.colorG;
        w[F::ColorB] = s.colorB;
    }
    w[F::IsColorSolid] = s.isColorSolid;
    w[F::IsShown] = s.isShown;
    if (s.rotation)
        w[F::Rotation] = *s.rotation == 180 ? 0 : *s.rotation; // the mirrors hold the half turn
    w[F::AudioEnabled] = s.audioEnabled;
    w[F::IsFrozen] = s.isFrozen;
    return w;
}

PresetWindow presetWindowFromRecord(const WindowRecord &r, const DeviceRect &geometry)
{
    using F = PresetField;
    PresetWindow w;
    w[F::X] = geometry.x;
    w[F::Y] = geometry.y;
    w[F::Width] = geometry.width;
    w[F::Height] = geometry.height;
    w[F::CropHStart] = r.cropHStart;
    w[F::CropVStart] = r.cropVStart;
    w[F::CropHEnd] = r.cropHEnd;
    w[F::CropVEnd] = r.cropVEnd;
    for (int i = 0; i < PictureValueCount; ++i)
        w.values[size_t(int(F::PictureFirst) + i)] = pictureValue(r, i);
    const bool halfTurn = r.rotation == 180;
    w[F::HorizontalMirrored] = r.horizontalMirrored || halfTurn;
    w[F::VerticalMirrored] = r.verticalMirrored || halfTurn;
    w[F::Deinterlace] = r.deinterlace;
    w[F::PullDown2p2] = r.pullDown2p2;
    w[F::PullDown2p3] = r.pullDown2p3;
    w[F::Psf24Mode] = r.psf24Mode;
    w[F::InputSource] = windowInput(r);
    w[F::ColorR] = r.lastColorR;
    w[F::ColorG] = r.lastColorG;
    w[F::ColorB] = r.lastColorB;
    w[F::IsColorSolid] = r.isColorSolid;
    w[F::IsShown] = r.isShown;
    w[F::Rotation] = halfTurn ? 0 : r.rotation;
    w[F::AudioEnabled] = r.audioEnabled;
    w[F::IsFrozen] = r.isFrozen;
    return w;
}

// ---- Files -------------------------------------------------------------------

QJsonObject presetToJson(const Preset &p)
{
    QJsonObject o;
    o.insert(QStringLiteral("format"), QStringLiteral("w4control preset"));
    o.insert(QStringLiteral("version"), PresetFormatVersion);
    if (p.hasLayout())
        o.insert(QStringLiteral("layout"), layoutName(p.rows, p.columns));
    if (p.layers)
        o.insert(QStringLiteral("stacking"),
                 QJsonArray{(*p.layers)[0], (*p.layers)[1], (*p.layers)[2], (*p.layers)[3]});
    if (p.audioMode)
        o.insert(QStringLiteral("audioOutput"), QLatin1String(audioModeName(*p.audioMode)));
    if (p.videoGen)
        o.insert(QStringLiteral("videoGen"), *p.videoGen);
    QJsonArray windows;
    for (int i = 0; i < 4; ++i) {
        QJsonObject w;
        w.insert(QStringLiteral("window"), i + 1);
        for (int f = 0; f < PresetFieldCount; ++f) {
            const std::optional<int> &v = p.windows[size_t(i)].values[size_t(f)];
            if (!v)
                continue;
            const PresetFieldInfo info = presetFieldInfo(fieldAt(f));
            if (info.flag)
                w.insert(QLatin1String(info.name), *v != 0);
            else
                w.insert(QLatin1String(info.name), *v);
        }
        windows.append(w);
    }
    o.insert(QStringLiteral("windows"), windows);
    return o;
}

QByteArray presetToBytes(const Preset &preset)
{
    return QJsonDocument(presetToJson(preset)).toJson(QJsonDocument::Indented);
}

PresetLoad presetFromBytes(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(PresetError::NotJson,
                       QStringLiteral("%1 (offset %2)").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        return refused(PresetError::NotPreset, QString());
    return presetFromJson(doc.object());
}

PresetLoad presetFromJson(const QJsonObject &o)
{
    int version = 0;
    if (!wholeNumber(o.value(QStringLiteral("version")), &version) || version < 1)
        return refused(PresetError::NotPreset, QString());
    if (version > PresetFormatVersion)
        return refused(PresetError::FutureVersion, QString::number(version));

    // A misspelt key would silently leave its value out.
    static const QStringList known = {"format",      "version",  "layout", "stacking",
                                      "audioOutput", "videoGen", "windows"};
    for (auto it = o.begin(); it != o.end(); ++it)
        if (!known.contains(it.key()))
            return refused(PresetError::BadValue, it.key());

    PresetLoad r;
    Preset &p = r.preset;
    const QJsonValue layout = o.value(QStringLiteral("layout"));
    if (!layout.isUndefined() &&
        (layout.toString().size() != 3 || !parseLayoutName(layout.toString(), &p.rows, &p.columns)))
        return refused(PresetError::BadValue, QStringLiteral("layout"));

    const QJsonValue stacking = o.value(QStringLiteral("stacking"));
    if (!stacking.isUndefined()) {
        const QJsonArray a = stacking.toArray();
        std::array<int, 4> layers{};
        bool good = stacking.isArray() && a.size() == 4;
        for (int i = 0; good && i < 4; ++i)
            good = wholeNumber(a[i], &layers[size_t(i)]);
        if (!good || !isLayerPermutation(layers))
            return refused(PresetError::BadValue, QStringLiteral("stacking"));
        p.layers = layers;
    }

    const QJsonValue audio = o.value(QStringLiteral("audioOutput"));
    if (!audio.isUndefined()) {
        for (AudioOutMode m : {AudioOutMode::Port1Only, AudioOutMode::AllPorts, AudioOutMode::Disabled})
            if (audio.toString() == QLatin1String(audioModeName(m)))
                p.audioMode = m;
        if (!p.audioMode)
            return refused(PresetError::BadValue, QStringLiteral("audioOutput"));
    }

    const QJsonValue videoGen = o.value(QStringLiteral("videoGen"));
    if (!videoGen.isUndefined()) {
        if (!videoGen.isBool())
            return refused(PresetError::BadValue, QStringLiteral("videoGen"));
        p.videoGen = videoGen.toBool();
    }

    const QJsonValue windows = o.value(QStringLiteral("windows"));
    if (!windows.isUndefined() && (!windows.isArray() || windows.toArray().size() > 4))
        return refused(PresetError::BadValue, QStringLiteral("windows"));
    const QJsonArray list = windows.toArray();
    int audioWindows = 0;
    std::array<bool, 4> listed{};
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject w = list[i].toObject();
        const QString where = QStringLiteral("windows[%1]").arg(i);
        int number = 0;
        if (!list[i].isObject() || !wholeNumber(w.value(QStringLiteral("window")), &number) || number < 1 ||
            number > 4)
            return refused(PresetError::BadValue, where + QStringLiteral(".window"));
        // Listed twice, one entry would quietly override the other.
        if (listed[size_t(number - 1)])
            return refused(PresetError::BadValue, where + QStringLiteral(".window"));
        listed[size_t(number - 1)] = true;
        PresetWindow &target = p.windows[size_t(number - 1)];
        for (auto it = w.begin(); it != w.end(); ++it) {
            if (it.key() == QLatin1String("window"))
                continue;
            const std::optional<PresetField> f = presetFieldByName(it.key());
            int value = 0;
            bool good = f.has_value();
            if (good && presetFieldInfo(*f).flag) {
                good = it.value().isBool();
                value = it.value().toBool();
            } else if (good) {
                good = wholeNumber(it.value(), &value) && presetValueAllowed(*f, value);
            }
            if (!good)
                return refused(PresetError::BadValue, where + QLatin1Char('.') + it.key());
            target[*f] = value;
        }
        const PresetWindowCheck check = checkPresetWindow(target);
        if (check.refusal != PresetWindowRefusal::None)
            return refused(PresetError::BadValue,
                           where + QLatin1Char('.') + QLatin1String(presetFieldInfo(check.field).name));
        if (target[PresetField::AudioEnabled].value_or(0)) {
            ++audioWindows;
            // The audio follows an input: a window without one cannot carry it.
            if (target[PresetField::InputSource].value_or(0) == NoInputSource)
                return refused(PresetError::BadValue, where + QStringLiteral(".audioEnabled"));
        }
    }
    if (audioWindows > 1)
        return refused(PresetError::BadValue, QStringLiteral("audioEnabled"));
    return r;
}

// ---- Differences ---------------------------------------------------------------

QVector<PresetDifference> presetDifferences(const Preset &state, const Preset &target, bool knownOnly)
{
    QVector<PresetDifference> out;
    auto add = [&](int window, const QString &name, const QString &expected, const QString &actual,
                   bool known) {
        if ((known && expected != actual) || (!known && !knownOnly))
            out.append({window, name, expected, known ? actual : QString()});
    };
    if (target.hasLayout())
        add(-1, QStringLiteral("layout"), layoutName(target.rows, target.columns),
            layoutName(state.rows, state.columns), state.hasLayout());
    if (target.layers)
        add(-1, QStringLiteral("stacking"), stackingText(*target.layers),
            state.layers ? stackingText(*state.layers) : QString(), state.layers.has_value());
    if (target.audioMode)
        add(-1, QStringLiteral("audioOutput"), QLatin1String(audioModeName(*target.audioMode)),
            state.audioMode ? QLatin1String(audioModeName(*state.audioMode)) : QString(),
            state.audioMode.has_value());
    if (target.videoGen)
        add(-1, QStringLiteral("videoGen"), presetFieldText(PresetField::IsShown, *target.videoGen),
            presetFieldText(PresetField::IsShown, state.videoGen.value_or(false)),
            state.videoGen.has_value());
    for (int i = 0; i < 4; ++i)
        for (int f = 0; f < PresetFieldCount; ++f) {
            const std::optional<int> &t = target.windows[size_t(i)].values[size_t(f)];
            const std::optional<int> &s = state.windows[size_t(i)].values[size_t(f)];
            if (t)
                add(i, QLatin1String(presetFieldInfo(fieldAt(f)).name), presetFieldText(fieldAt(f), *t),
                    presetFieldText(fieldAt(f), s.value_or(0)), s.has_value());
        }
    return out;
}

QStringList presetCommands(const Preset &state, const Preset &target)
{
    using F = PresetField;
    QStringList out;

    const bool newLayout =
        target.hasLayout() && (state.rows != target.rows || state.columns != target.columns);
    if (newLayout)
        out << spliceCommandMap().value(layoutName(target.rows, target.columns));

    auto differs = [&](int i, F f) {
        const std::optional<int> &t = target.windows[size_t(i)][f];
        const std::optional<int> &s = state.windows[size_t(i)][f];
        const bool moved = newLayout && int(f) <= int(F::Height);
        return t && (moved || !s || *s != *t);
    };

    for (int i = 0; i < 4; ++i) {
        const PresetWindow &t = target.windows[size_t(i)];
        if (differs(i, F::IsFrozen) && *t[F::IsFrozen] == 0)
            out << windowParameterCommand(i, CodeFrozen, 0);
        for (int f = int(F::X); f <= int(F::IsShown); ++f)
            if (differs(i, fieldAt(f)))
                out << windowParameterCommand(i, row(fieldAt(f)).code,
                                              deviceValue(fieldAt(f), *t[fieldAt(f)]));
        if (differs(i, F::Rotation)) {
            const int to = *t[F::Rotation];
            const int from = state.windows[size_t(i)][F::Rotation].value_or(-1);
            if (to == 90)
                out << windowParameterCommand(i, CodeQuarterTurn, 1);
            else if (to == 270)
                out << windowParameterCommand(i, CodeThreeQuarterTurn, 1);
            // Back to no turn: the turn in place is switched off (both when not known).
            if (to == 0 && from != 270)
                out << windowParameterCommand(i, CodeQuarterTurn, 0);
            if (to == 0 && from != 90)
                out << windowParameterCommand(i, CodeThreeQuarterTurn, 0);
        }
    }

    // Audio follows one window: switching it on there takes it from the others.
    bool audioMoved = false;
    for (int i = 0; i < 4; ++i) {
        if (differs(i, F::AudioEnabled) && *target.windows[size_t(i)][F::AudioEnabled]) {
            const int source = target.windows[size_t(i)][F::InputSource].value_or(
                state.windows[size_t(i)][F::InputSource].value_or(0));
            out << windowParameterCommand(i, CodeAudio, qMin(source, NoInputSource - 1));
            audioMoved = true;
        }
    }
    for (int i = 0; i < 4 && !audioMoved; ++i)
        if (differs(i, F::AudioEnabled))
            out << windowParameterCommand(i, CodeAudio, NoInputSource);

    if (target.layers && state.layers != target.layers)
        out << layerOrderCommand(*target.layers);
    if (target.audioMode && state.audioMode != target.audioMode) {
        static const char *const modes[] = {"040C0001", "040D0001", "040E0001"}; // port 1, all, off
        out << QLatin1String(modes[int(*target.audioMode)]);
    }
    if (target.videoGen && state.videoGen != target.videoGen)
        out << (*target.videoGen ? QStringLiteral("040F0001") : QStringLiteral("040F0000"));

    for (int i = 0; i < 4; ++i)
        if (differs(i, F::IsFrozen) && *target.windows[size_t(i)][F::IsFrozen] != 0)
            out << windowParameterCommand(i, CodeFrozen, 1);
    return out;
}

} // namespace w4
