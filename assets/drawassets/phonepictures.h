#pragma once

// The phone-display pictures: every frame strip, every still and Form7's system
// graphics, drawn in black and white from the catalogue table.

#include "canvas.h"

#include "windows/catalogue.h"

namespace PhonePictures {

enum class Kind { Menu, EndingAnimation, OperatorLogo, SystemGraphic };

// The patch's name as a picture shows it: " data\\MBrenoval.vkp" gives "BRENOVAL".
QString shownName(const QString &patchPath);
// What a patch is, read from the first letters of its file name.
Kind kindOf(const QString &patchPath);

// The whole strip of one pair: frames side by side, cut at the strip's width.
Canvas strip(const Catalogue::CatalogueRow &window, const Catalogue::AnimationPair &pair);
// The still of a pair: its W columns of the strip from stillX.
Canvas still(const Canvas &strip, const Catalogue::AnimationPair &pair);
// One of Form7's pictures at its own size.
Canvas systemGraphic(const Catalogue::Picture &picture);

} // namespace PhonePictures
