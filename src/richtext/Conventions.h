#pragma once

#include <QTextFormat>

#include <cmath>

namespace richtext {

// Lengths in a document are pixels at 96 dots per inch: one pixel is 15 twips, both ways, so
// that a length read from a file and written again gives back the same twips.
constexpr double TwipsPerPixel = 15.0;

inline double pixelsFromTwips(long long twips) {
    return double(twips) / TwipsPerPixel;
}
inline long long twipsFromPixels(double pixels) {
    return std::llround(pixels * TwipsPerPixel);
}

// An image format's property holding the PNG or JPEG bytes that the picture was read from, so
// that writing it again neither re-encodes nor alters it.
constexpr int EncodedPictureProperty = QTextFormat::UserProperty + 0x5254;

} // namespace richtext
