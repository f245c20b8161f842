// The key list's pictures, drawn by code so they stay sharp at every scaling:
// 50 key icons (five algorithm families, each as public key and key pair in five
// states) and the two sort arrows of the column headers.
#pragma once

#include <cstdint>
#include <vector>

// Pixels of a size x size picture, rows top to bottom, each 0xAARRGGBB with the
// colour premultiplied by alpha (what 32-bit image lists expect).
using IconPixels = std::vector<uint32_t>;

inline constexpr int kKeyIconCount = 50;

// Icon 1 to 50: family base (DSA 0, ElGamal 10, RSA 20, elliptic curve 30,
// unknown 40) + state offset (public key 1 normal, 2 disabled, 3 expired,
// 4 invalid, 5 revoked; key pair 6 to 10 likewise).
IconPixels DrawKeyIcon(int icon, int size);

// Image 1 points down (descending), image 2 up (ascending).
IconPixels DrawSortArrow(int image, int size);
