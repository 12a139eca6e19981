// The marker bitmaps of the views, read from the program's named resources
// ("SELECTPNTUCUR_BMP" ... "ZOFF_BMP"): each picture holds the OR picture and the AND
// picture of the marker side by side.
#pragma once

#include <QImage>

#include "stage/views/view_markers.h"

// The two halves of a marker picture as 5-5-5 words; an unusable bitmap for a null image or
// one whose width is odd.
MarkerBitmap MarkerFromImage(const QImage& image);
// Every marker of the views.
MarkerSet LoadViewMarkers();
