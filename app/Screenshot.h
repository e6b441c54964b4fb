#pragma once

#include <QString>

namespace app {

// For looking at the program without a display (under a virtual X server): once the event loop
// has run for a moment, saves a picture of the screen to a PNG file and closes the program.
// A modal box still open then (a reported failure) is pictured and closed first.
void closeAfterScreenshot(const QString& path);

} // namespace app
