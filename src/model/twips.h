// Window and grid lengths are kept in twips (1440 per inch) and shown in pixels. A pixel
// stands for several twips, so a length that went to pixels and back is stored as the
// value it came from whenever the pixels did not change: a window that was not moved or
// resized stores exactly what it was given, run after run.
#pragma once

namespace tly {

// Twips to pixels at dpi pixels per inch, rounded to the nearest pixel.
int toPixels(int twips, int dpi);
// Pixels to twips: `before` when it still gives px, else the nearest twips value.
int toTwips(int px, int dpi, int before);

}  // namespace tly
