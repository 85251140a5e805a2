#pragma once

namespace rt {

// Layouts are measured in twips: 1440 per inch, 15 per device-independent pixel at 96 DPI.
// Qt's high-DPI scaling takes it from there.
inline constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// Font sizes are stored in points; at 96 DPI a point is 4/3 of a pixel.
constexpr int pointsToPixels(double points)
{
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}

} // namespace rt
