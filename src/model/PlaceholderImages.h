#pragma once

#include <QImage>

// Images shown for contacts without a photo, drawn by code so that no artwork file is needed.
namespace PlaceholderImages {

constexpr int Size = 128;

// A head-and-shoulders silhouette on a round grey badge.
QImage person();
// An office building on a square badge.
QImage company();

} // namespace PlaceholderImages
