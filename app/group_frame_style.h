// The application's style: the platform's own (Fusion where the desktop names none),
// with Fusion's group-box frame drawn in code instead of from its frame picture, so
// that starting the program loads no image-format plugin.
#pragma once

class QApplication;

// Over Fusion, installs the same style with group-box frames drawn as a faint rounded
// rectangle, as Fusion's picture draws them; any other style is left as it is.
void DrawGroupFramesInCode(QApplication& application);
