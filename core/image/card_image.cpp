#include "core/image/card_image.h"

#include "core/computer/directory_query.h"
#include "core/io/file_io.h"

namespace quodlin {
namespace {

// A map of a 128 MB card's every sector alternating is far smaller than this.
constexpr std::size_t kMostMapBytes = std::size_t{16} << 20;

}  // namespace

std::string MapBeside(FileSystem& fs, const std::string& image) {
    const std::size_t dot = image.rfind('.');
    const std::size_t slash = image.find_last_of("/\\");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    for (const std::string& path :
         {image + ".map", hasExtension ? image.substr(0, dot) + ".map" : std::string()}) {
        if (!path.empty() && IsFile(fs, path)) return path;
    }
    return "";
}

std::unique_ptr<ImageFileSystem> OpenCardImage(FileSystem& fs, const std::string& image,
                                               const std::string& mapPath) {
    DdrescueMap map;
    if (!mapPath.empty()) {
        const std::string text =
            ReadWholeFile(fs, mapPath, kMostMapBytes, "it is too large to be a ddrescue map");
        try {
            map = DdrescueMap::Parse(text);
        } catch (const ImageDamage& damage) {
            throw FileError(FileErrorKind::Other, mapPath,
                            std::string("it is not a ddrescue map: ") + damage.what());
        }
    }
    return std::make_unique<ImageFileSystem>(fs, image, std::move(map));
}

}  // namespace quodlin
