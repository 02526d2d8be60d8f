#include "windowstatusapply.h"

#include "wallgeometry.h"

namespace w4 {

void applyWindowStatus(WindowRecord &r, const WindowStatus &s, StatusOrigin origin)
{
    r.contrastRatio = s.contrastRatio;
    r.luminance = s.luminance;
    r.horizontalSharpness = s.horizontalSharpness;
    r.verticalSharpness = s.verticalSharpness;
    r.saturability = s.saturability;
    r.hue = s.hue;
    r.colorTemperature = s.colorTemperature;
    r.deGammaMode = s.deGammaMode;
    r.panelGammaMode = s.panelGammaMode;
    r.horizontalMirrored = s.horizontalMirrored;
    r.verticalMirrored = s.verticalMirrored;
    r.horizontalFiltration = s.horizontalFiltration;
    r.verticalFiltration = s.verticalFiltration;
    r.shadowFiltration = s.shadowFiltration;
    r.blockFiltration = s.blockFiltration;
    r.noiseProcessing = s.noiseProcessing;
    r.hairTreatment = s.hairTreatment;
    r.deinterlace = s.deinterlace;
    r.pullDown2p2 = s.pullDown2p2;
    r.timer2p2 = s.timer2p2;
    r.pullDown2p3 = s.pullDown2p3;
    r.timer2p3 = s.timer2p3;
    r.sensitivity = s.sensitivity;
    r.psf24Mode = s.psf24Mode;
    r.isColorSolid = s.isColorSolid;
    r.isFrozen = s.isFrozen;
    r.isShown = s.isShown;
    r.audioEnabled = s.audioEnabled;
    r.savedInputSourceId = s.inputSource;
    r.inputSourceId = s.isColorSolid ? NoInputSource : s.inputSource;
    // Exactly one rotation mark, so the context menu shows the angle read.
    if (s.rotation)
        setRotation(r, *s.rotation);

    if (origin == StatusOrigin::Tcp) {
        r.diagonalCorrection = s.diagonalCorrection;
        r.blueCorrection = s.blueCorrection;
        r.greenCorrection = s.greenCorrection;
        r.skinCorrection = s.skinCorrection;
        r.lastColorR = s.colorR;
        r.lastColorG = s.colorG;
        r.lastColorB = s.colorB;
        if (s.isColorSolid) {
            r.colorR = s.colorR;
            r.colorG = s.colorG;
            r.colorB = s.colorB;
        }
        r.cropHStart = s.cropHStart;
        r.cropVStart = s.cropVStart;
    } else {
        r.colorR = s.colorR;
        r.colorG = s.colorG;
        r.colorB = s.colorB;
        if (s.isColorSolid) {
            r.lastColorR = s.colorR;
            r.lastColorG = s.colorG;
            r.lastColorB = s.colorB;
        }
    }
}

WindowGeometry wallGeometryFromStatus(const WindowStatus &s, const QSizeF &wall)
{
    const DeviceScale scale = deviceScale(wall);
    return {QPointF(s.x / scale.sx, s.y / scale.sy), QSizeF(s.width / scale.sx, s.height / scale.sy)};
}

} // namespace w4
