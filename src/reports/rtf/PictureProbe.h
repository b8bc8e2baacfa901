#pragma once
// What a picture file is and how large, read from its header alone (the JPEG
// frame header, the PNG header chunk, the bitmap info header), so that a report
// can size a picture without loading it.
#include <cstdio>

namespace reports::rtf {

enum class PictureFormat { Unknown, Jpeg, Png, Bmp };

struct PictureInfo {
    PictureFormat format = PictureFormat::Unknown;
    int width = 0;     // pixels; 0 when the header does not tell
    int height = 0;
    double dpiX = 0;   // dots per inch stored in the file; 0 when none
    double dpiY = 0;
};

// Reads the header of the open file from its current position. The position
// afterwards is unspecified.
PictureInfo ProbePicture(std::FILE* file);

} // namespace reports::rtf
