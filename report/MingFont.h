#pragma once

#include <QFont>

// The suite's Ming face "新細明體"; where it is missing, AR PL UMing is the Ming face Chinese
// desktops fall back to, so the window and its reports keep their look and every Big5 glyph.
QFont mingFont();
