#include "platform/audio/lazy_card_sound.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/file_system.h"
#include "platform/local/no_sound.h"

namespace quodlin {

namespace {

// The program's own file. Linux tells it whatever the program was started as; elsewhere the
// loader's name for it is taken, which is a full path when the program was started by one.
std::filesystem::path ProgramFile() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return program;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ProgramFile), &info) == 0 || !info.dli_fname) return {};
    program = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path() : program;
}

// A file no module reads stays unread, and says why.
SampleFormat Unread(const std::string& path, const std::string& why) {
    SampleFormat format = NoSampleFormats().read(path);
    format.readError = why;
    return format;
}

}  // namespace

std::vector<std::string> CardSoundFolders(const std::string& installedRelative) {
    const std::filesystem::path program = ProgramFile();
    if (program.empty()) return {};
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
    return Unread(path, loadError_);
}

SampleFormat LazyCardSound::read(FileSystem& fs, const std::string& path) {
    if (CardSound* loaded = sound()) return loaded->formats.read(fs, path);
    return Unread(path, loadError_);
}

ConversionNotes LazyCardSound::convert(const std::string& sourcePath, const SampleShaping& shaping,
                                       OutputFile& out) {
    if (CardSound* loaded = sound()) return loaded->converter.convert(sourcePath, shaping, out);
    throw FileError(FileErrorKind::Other, sourcePath, loadError_);
}

}  // namespace quodlin
