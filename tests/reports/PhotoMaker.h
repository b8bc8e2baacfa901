#pragma once
// Test photos made with libvips: a picture of a given size, optionally with an
// EXIF orientation or transparency, saved in the format its name says.
#include <vips/vips.h>

#include <gtest/gtest.h>

#include <string>

namespace report_testing {

// A left-to-right grey ramp, `width` x `height`; with `alpha` a half
// transparent fourth band; `orientation` 1 to 8 is stored as the EXIF tag.
inline void MakePhoto(const std::string& path, int width, int height, int orientation = 1, bool alpha = false)
{
    ASSERT_EQ(VIPS_INIT("tests"), 0);
    VipsImage *ramp = nullptr, *grey = nullptr, *rgb = nullptr, *out = nullptr;
    ASSERT_EQ(vips_xyz(&ramp, width, height, nullptr), 0);
    VipsImage* x = nullptr;
    ASSERT_EQ(vips_extract_band(ramp, &x, 0, nullptr), 0);
    ASSERT_EQ(vips_cast_uchar(x, &grey, nullptr), 0);
    VipsImage* bands[4] = {grey, grey, grey, grey};
    ASSERT_EQ(vips_bandjoin(bands, &rgb, alpha ? 4 : 3, nullptr), 0);
    ASSERT_EQ(vips_copy(rgb, &out, "interpretation", VIPS_INTERPRETATION_sRGB, nullptr), 0);
    if (orientation != 1)
        vips_image_set_int(out, VIPS_META_ORIENTATION, orientation);
    EXPECT_EQ(vips_image_write_to_file(out, path.c_str(), nullptr), 0) << vips_error_buffer();
    for (VipsImage* image : {ramp, x, grey, rgb, out})
        g_object_unref(image);
}

} // namespace report_testing
