#pragma once

#include <memory>
#include <string>

#include "core/image/image_file_system.h"

namespace quodlin {

// The ddrescue map kept beside image, as ddrescue's users name it: "card.img.map", else
// "card.map"; "" when there is neither.
std::string MapBeside(FileSystem& fs, const std::string& image);

// Opens the card image at image, its damage marked by the ddrescue map at mapPath when one is
// given.
// Throws FileError naming the map when it cannot be read or is no ddrescue map.
std::unique_ptr<ImageFileSystem> OpenCardImage(FileSystem& fs, const std::string& image,
                                               const std::string& mapPath);

}  // namespace quodlin
