#pragma once

#include <windows.h>

// Where a minimised window draws its icon: centred in the client area, an odd
// pixel going to the right and bottom. The division truncates toward zero, so
// an icon larger than the client area is not shifted further left or up.
inline POINT CenteredIconOrigin(const RECT& client, SIZE icon)
{
    return {(client.right - client.left - icon.cx + 1) / 2, (client.bottom - client.top - icon.cy + 1) / 2};
}
