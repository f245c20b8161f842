#include <gtest/gtest.h>

#include <set>

#include "common/icon_art.h"

TEST(IconArt, FiftyDistinctPremultipliedKeyIconsAtEverySize) {
    for (int size : {16, 24, 32}) {
        std::set<IconPixels> seen;
        for (int icon = 1; icon <= kKeyIconCount; ++icon) {
            IconPixels pixels = DrawKeyIcon(icon, size);
            ASSERT_EQ(pixels.size(), static_cast<size_t>(size * size));
            int visible = 0;
            for (uint32_t p : pixels) {
                uint32_t a = p >> 24;
                // Premultiplied: no colour channel above its alpha.
                ASSERT_LE((p >> 16) & 255, a);
                ASSERT_LE((p >> 8) & 255, a);
                ASSERT_LE(p & 255, a);
                visible += a > 60;
            }
            EXPECT_GT(visible, size * size / 10) << "icon " << icon << " at " << size;
            EXPECT_EQ(pixels[0] >> 24, 0u) << "corner of icon " << icon << " must stay transparent";
            seen.insert(pixels);
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(kKeyIconCount)) << "two icons look alike at " << size;
    }
    EXPECT_NE(DrawSortArrow(1, 16), DrawSortArrow(2, 16));
    for (uint32_t p : DrawKeyIcon(51, 16)) EXPECT_EQ(p, 0u);
}
