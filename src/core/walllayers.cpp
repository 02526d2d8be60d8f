#include "walllayers.h"

#include <algorithm>
#include <map>

namespace w4 {

bool isLayerPermutation(const Layers &layers)
{
    std::array<bool, 4> seen{};
    for (int l : layers) {
        if (l < 1 || l > 4 || seen[l - 1])
            return false;
        seen[l - 1] = true;
    }
    return true;
}

void repairLayers(Layers &layers)
{
    const std::array<int, 4> order = windowsTopToBottom(layers);
    for (int k = 0; k < 4; ++k)
        layers[order[k]] = k + 1;
}

std::array<int, 4> windowsTopToBottom(const Layers &layers)
{
    std::array<int, 4> order{0, 1, 2, 3};
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return layers[a] < layers[b]; });
    return order;
}

std::array<int, 4> layerOrderDigits(const Layers &layers)
{
    std::array<int, 4> digits = windowsTopToBottom(layers);
    for (int &d : digits)
        d *= 2;
    return digits;
}

bool changeLayer(Layers &layers, int window, LayerOp op)
{
    if (window < 0 || window > 3)
        return false;
    bool repaired = false;
    if (!isLayerPermutation(layers)) {
        repairLayers(layers);
        repaired = true;
    }
    const int l = layers[window];
    std::map<int, int> byLayer; // layer -> window
    for (int i = 0; i < 4; ++i)
        byLayer[layers[i]] = i;

    switch (op) {
    case LayerOp::ToTop:
        if (l == 1)
            return repaired;
        // Everything above the window moves down one; the window goes to 1.
        for (auto it = byLayer.begin(); it != byLayer.end(); ++it) {
            if (it->second == window) {
                layers[window] = 1;
                break;
            }
            ++layers[it->second];
        }
        return true;
    case LayerOp::ToBottom:
        if (l == 4)
            return repaired;
        for (auto it = byLayer.rbegin(); it != byLayer.rend(); ++it) {
            if (it->second == window) {
                layers[window] = 4;
                break;
            }
            --layers[it->second];
        }
        return true;
    case LayerOp::UpOne:
        if (l == 1)
            return repaired;
        std::swap(layers[window], layers[byLayer[l - 1]]);
        return true;
    case LayerOp::DownOne:
        if (l == 4)
            return repaired;
        std::swap(layers[window], layers[byLayer[l + 1]]);
        return true;
    }
    return repaired;
}

bool changeLayer(Layers &layers, int window, int op)
{
    if (op < 1 || op > 4)
        return false;
    return changeLayer(layers, window, static_cast<LayerOp>(op));
}

bool moveToLayer(Layers &layers, int window, int layer)
{
    if (window < 0 || window > 3 || layer < 1 || layer > 4)
        return false;
    bool changed = false;
    // One step per level of difference; each step keeps the permutation.
    while (layers[window] > layer)
        changed = changeLayer(layers, window, LayerOp::UpOne) || changed;
    while (layers[window] < layer)
        changed = changeLayer(layers, window, LayerOp::DownOne) || changed;
    return changed;
}

int pickWindow(const std::array<WindowHitBox, 4> &windows, const QPointF &p)
{
    int best = -1;
    for (int i = 0; i < 4; ++i) {
        const WindowHitBox &w = windows[i];
        if (!w.isOpen)
            continue;
        const double left = w.pos.x() + w.rect.x();
        const double top = w.pos.y() + w.rect.y();
        const bool inside =
            p.x() >= left && p.x() <= left + w.rect.width() && p.y() >= top && p.y() <= top + w.rect.height();
        // Equal layers: the later window wins, as a map keyed by layer would keep it.
        if (inside && (best < 0 || w.layer <= windows[best].layer))
            best = i;
    }
    return best;
}

} // namespace w4
