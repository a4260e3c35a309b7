#pragma once

// Maps the window's Chinese font names ("宋体", "黑体") to the Simplified-Chinese faces installed
// on this system, so they never fall back to boxes. Safe to call more than once.
void InstallChineseFonts();
