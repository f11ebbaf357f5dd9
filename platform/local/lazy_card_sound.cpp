#include "platform/local/lazy_card_sound.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/file_system.h"
#include "platform/local/no_sound.h"

namespace quodlin {

std::vector<std::string> CardSoundFolders(const std::string& installedRelative) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&CardSoundFolders), &info) == 0 || !info.dli_fname) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path program = std::filesystem::canonical(info.dli_fname, error);
    if (error) return {};
    const std::filesystem::path folder = program.parent_path();
    return {folder.string(), (folder / installedRelative).string()};
}

CardSound* LazyCardSound::sound() {
    std::call_once(loaded_, [this] {
        loadError_ = "the sound module could not be found";
        for (const std::string& folder : folders_) {
            const std::string path =
                (std::filesystem::path(folder) / (std::string(kCardSoundModuleName) + ".so"))
                    .string();
            // Kept loaded for the program's life: its parts are the program's from now on.
            void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!module) {
                loadError_ =
                    std::string("the sound module could not be loaded (") + dlerror() + ")";
                continue;
            }
            if (const auto entry =
                    reinterpret_cast<CardSoundEntry>(dlsym(module, kCardSoundEntry))) {
                sound_ = entry();
                return;
            }
            loadError_ = "the sound module " + path + " has no entry";
        }
    });
    return sound_;
}

SampleFormat LazyCardSound::read(const std::string& path) {
    if (CardSound* loaded = sound()) return loaded->formats.read(path);
    return NoSampleFormats().read(path);
}

SampleFormat LazyCardSound::read(FileSystem& fs, const std::string& path) {
    if (CardSound* loaded = sound()) return loaded->formats.read(fs, path);
    return NoSampleFormats().read(path);
}

ConversionNotes LazyCardSound::convert(const std::string& sourcePath, const SampleShaping& shaping,
                                       OutputFile& out) {
    if (CardSound* loaded = sound()) return loaded->converter.convert(sourcePath, shaping, out);
    throw FileError(FileErrorKind::Other, sourcePath, loadError_);
}

}  // namespace quodlin
