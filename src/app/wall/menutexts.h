#pragma once

#include <QString>

// The wall view's menu texts, chosen in code by row and language (0 Chinese,
// 1 English, 2 Russian; anything else reads as Chinese). Rows the menus never
// show, and rows outside the table, give an empty text.
constexpr int MenuTextRows = 26;
QString menuText(int row, int language);
