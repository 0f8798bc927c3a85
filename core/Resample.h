// Artwork for a display scale between the stored ones: a stored picture brought to
// another size by area averaging, and a skin's outline carried over from its design.
#pragma once

#include "ImageView.h"

#include <cstdint>

namespace core {

// Fills target with source resized to target's size: every target pixel is the
// average of the source area it covers, each source pixel weighted by the part of it
// that lies inside. With 4 bytes per pixel (straight alpha) the colours are weighted
// by their alpha too, so that transparent pixels lend no colour to their neighbours;
// with 3, pixels of exactly transparentColor (0x00BBGGRR) lend none, and a target
// pixel that covers only such pixels gets that colour. Both views must have the same
// number of bytes per pixel; otherwise, or when either is empty, nothing happens.
void ResampleArea(const ImageView& source, MutableImageView target, std::uint32_t transparentColor);

// Makes target's transparent pixels exactly those whose design pixel
// (x * 96 / dpi, y * 96 / dpi), in integer division, is transparentColor in design
// (the 100% picture): the outline follows the design at every scale. A pixel that
// must stay but has that colour takes its design pixel's colour instead.
void ApplyScaledOutline(MutableImageView target, const ImageView& design, std::uint32_t transparentColor,
                        int dpi);

} // namespace core
