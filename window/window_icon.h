#pragma once

#include <QIcon>

// The window's icon, x² on the drill's pink, as data/roots-drill.svg draws it for the desktop.
// Painted rather than loaded: decoding an image would load Qt's image plugins at start-up.
QIcon WindowIcon();
