#pragma once
// Picture tags: runs of comment text between "***" markers that stand for a
// picture. Two forms are recognised:
//   ***Picture-<n>;Scaling=<s>***   the n-th numbered picture of the picture card folder
//   ***Path=<file>;Scaling=<s>***   a picture file named directly
// The report writers find the tags, take them out of the text and put the
// pictures in their place; "Pict #" on the comment pages writes the first form.
#include <string>
#include <string_view>
#include <vector>

namespace editing {

inline constexpr const char* kKnownPicture = "Known Picture";
inline constexpr const char* kGenericPicture = "Generic Picture";
inline constexpr const char* kTagError = "ERROR";

// The first tag of `text`, markers included, or the empty text.
std::string FindFirstTag(std::string_view text);
// `text` with every tag removed.
std::string StripAllTags(std::string text);
// Every tag of `text` in order of appearance (a tag written twice comes once).
std::vector<std::string> AllTags(std::string_view text);

// "Known Picture" (a file tag), "Generic Picture" (a numbered tag) or "ERROR".
std::string TagKind(std::string_view tag);
// The file named by a file tag.
std::string TagFile(std::string_view tag);
// The scale in percent written in the tag; 100 when the tag gives none.
int TagScale(std::string_view tag);
// The picture number of a numbered tag; 0 when it holds none.
int TagPictureNumber(std::string_view tag);

// The path of the n-th picture (counting from 1) of `folder`: the JPEG files
// of the folder in ascending byte order of their names. "ERROR" when there is
// no such picture, and when `folder` is empty (no picture folder chosen).
std::string NumberedPictureFile(const std::string& folder, int n);

// "JPG", "BMP" or "InvalidImage", judged by the file name.
std::string ImageKind(std::string_view fileName);

// What the "Pict #" button tells about the picture folder `folder`: where the
// numbered pictures come from, or where to choose the folder while none is set.
std::string PictureFolderHint(const std::string& folder);

// The text "Pict #" inserts for picture n: " ***Picture-n;Scaling=100***".
std::string MakePictureTag(int n);

} // namespace editing
