#pragma once

class OrnTableCtrl;

// Notification codes a grid sends to its host.
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RCLICK = -5;
constexpr int NM_RDBLCLK = -6;

// What a grid tells its host about a click; row and col are -1 when no slot was hit.
struct TableCellNotify
{
    OrnTableCtrl* sender = nullptr;
    int idFrom = 0;
    int code = 0;
    int row = -1;
    int col = -1;
};
