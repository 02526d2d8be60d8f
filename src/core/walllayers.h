#pragma once

#include <QPointF>
#include <QRectF>

#include <array>

// Stacking of the four windows: layer 1 is on top, the four layers are a
// permutation of 1..4 indexed by window (0..3).
namespace w4 {

using Layers = std::array<int, 4>;

enum class LayerOp { ToTop = 1, UpOne = 2, DownOne = 3, ToBottom = 4 };

bool isLayerPermutation(const Layers &layers);
// Renumbers any four values to 1..4 keeping their order (ties by window index):
// layers read from a device in a bad state still stack and step sensibly.
void repairLayers(Layers &layers);

// Applies one layer operation to `window` (0..3). Returns true when the layers
// changed (callers then repaint, signal and send the layer order); false when the
// window is already where the operation would take it or the arguments are invalid.
// Layers that are not a permutation are repaired first (and count as a change).
bool changeLayer(Layers &layers, int window, LayerOp op);
bool changeLayer(Layers &layers, int window, int op);

// Brings `window` to `layer` (1..4) by single steps up or down, as the layer
// selector does. Returns true when anything changed.
bool moveToLayer(Layers &layers, int window, int layer);

// Window indexes from the top layer to the bottom one.
std::array<int, 4> windowsTopToBottom(const Layers &layers);
// The layer-order digits: 2 x window index for layers 1..4.
std::array<int, 4> layerOrderDigits(const Layers &layers);

// One window as the wall view's hit test sees it.
struct WindowHitBox
{
    bool isOpen = true;
    QPointF pos; // scene position of the top-left corner
    QRectF rect; // item rectangle (x = y = 0)
    int layer = 1;
};

// The topmost open window whose rectangle (edges included) contains the scene
// point, or -1.
int pickWindow(const std::array<WindowHitBox, 4> &windows, const QPointF &scenePoint);

} // namespace w4
