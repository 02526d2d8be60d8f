#include "menutexts.h"

namespace {

// Kept as written: these texts do not go through the translation catalogues.
const char *const menuTexts[MenuTextRows][3] = {
    {"打开窗口", "Open Window", "Открой окно"},                                          // 0
    {"输入源", "Input Source", "Источник ввода"},                                        // 1
    {"设置层级", "Layers", "Установить уровень"},                                        // 2
    {nullptr, nullptr, nullptr},                                                         // 3: never shown
    {"关闭窗口", "Close Window", "Закрыть окно"},                                        // 4
    {nullptr, nullptr, nullptr},                                                         // 5: never shown
    {"选择输入源", "Select the input source", "Выберите источник ввода"},                // 6
    {"置于顶层", "Send to Top", "поместить наверх"},                                     // 7
    {"置于上一层(Home)", "Send to upper layer (Home)", "Слой вверх(Home)"},              // 8
    {"置于下一层(End)", "Send to next layer (End)", "Слой вниз(Home)"},                  // 9
    {"置于底层", "Send to Back", "поместить вниз"},                                      // 10
    {"音频随出", "Audio Out", "Аудио выход"},                                            // 11
    {"开启全部输出口", "Open all outputs", "Включить все выходы"},                       // 12
    {"仅开启输出1口", "Open output 1 port only", "Включить только выходной порт 1"},     // 13
    {"关闭音频随出", "Disable audio out", "Отключить аудио"},                            // 14
    {"VideoGen 模式", "Video-Gen", "Режим видер GEN"},                                   // 15
    {"打开", "ON", "открыть"},                                                           // 16
    {"关闭", "OFF", "закрытие"},                                                         // 17
    {"旋转(R)", "Rotation (R)", "повернуть(R)"},                                         // 18
    {"0°", "0°", "0°"},                                                                  // 19
    {"90°", "90°", "90°"},                                                               // 20
    {"180°", "180°", "180°"},                                                            // 21
    {"270°", "270°", "270°"},                                                            // 22
    {"自适应填充", "Adaptive filling", "Aдаптивное заполнение"},                         // 23
    {"首行180°旋转", "The first row rotates 180°", "Первый ряд поворачивается на 180°"}, // 24
    {nullptr, nullptr, nullptr},                                                         // 25: never shown
};

} // namespace

QString menuText(int row, int language)
{
    if (row < 0 || row >= MenuTextRows)
        return QString();
    if (language < 0 || language > 2)
        language = 0;
    return QString::fromUtf8(menuTexts[row][language]);
}
