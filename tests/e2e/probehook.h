// What the probe and its hook library share: the request and the menu description.
#pragma once

#include <windows.h>

constexpr char kProbeMessage[] = "KurvixProbeDescribeMenu";

struct ProbeShared {
    HWND window; // the window whose menu to describe
    LONG open;   // send WM_INITMENUPOPUP for each submenu first
    volatile LONG done;
    char text[32768]; // "item ..." lines
};
