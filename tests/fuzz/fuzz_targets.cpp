#include "tests/fuzz/fuzz_targets.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/catalogue_file.h"
#include "core/image/image_file_system.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "core/text/text_functions.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"
#include "platform/local/local_file_system.h"

namespace quodlin::test {
namespace {

// Takes what a conversion writes and ends it after a few blocks, as Cancel would.
class FewBlocks : public OutputFile {
public:
    void write(const char*, std::size_t) override {
        if (++blocks_ > 3) throw FileError(FileErrorKind::Canceled, "out", "enough");
    }
    void sync() override {}
    void close() override {}

private:
    int blocks_ = 0;
};

// One file per process and kind, rewritten for every input.
std::string InputPath(const std::string& extension) {
    return (std::filesystem::temp_directory_path() /
            ("quodlin-fuzz-" + std::to_string(getpid()) + extension))
        .string();
}

// Reads every byte of every file, whole and in odd pieces, as a copy and a rescue do.
void ReadEveryFile(ImageFileSystem& image) {
    const std::vector<DirEntry> entries = image.list(image.image());
    image.structureProblems(image.image());
    image.freeSpace(image.image());
    std::vector<char> buffer(5000);
    for (const DirEntry& entry : entries) {
        const std::string path = JoinNative(image.image(), entry.name);
        try {
            const auto file = image.openForReading(path);
            std::uint64_t total = 0;
            while (const std::size_t got = file->read(buffer.data(), buffer.size())) total += got;
            if (total > file->stamp().size) std::abort();
            file->readAt(file->stamp().size / 3, buffer.data(), 777);
        } catch (const FileError&) {
        }
    }
}

void CheckAndConvertFront(const std::string& path) {
    const SampleFormat format = SndfileSampleFormats().read(path);
    SampleFormatText(format);
    if (!format.readable || !ConversionRefusal("x.wav", format).empty()) return;
    FewBlocks out;
    try {
        SoxrSampleConverter().convert(path, {}, out);
    } catch (const FileError&) {
    }
}

}  // namespace

void FuzzCatalogue(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    CatalogueText catalogue = ParseCatalogue(bytes.substr(0, split));
    if (split != std::string_view::npos) {
        MergeLeftover(catalogue, ParseCatalogue(bytes.substr(split + 1)));
    }
    std::vector<std::string> files = {"00.wav", "1.es1", "100.WAV"};
    for (const std::string& line : catalogue.lines) {
        if (files.size() < 8 && EntryKey(line)) files.push_back(*EntryKey(line));
    }
    for (const Mode mode : {Mode::Samples, Mode::Banks}) {
        const std::vector<std::string> names = FriendlyNames(catalogue.lines, files, mode);
        NameTable table;
        for (std::size_t i = 0; i < files.size(); ++i) table.append(files[i], names[i]);
        catalogue.lines = RewriteSection(catalogue.lines, mode, table);
    }
    const CatalogueText again = ParseCatalogue(SerializeCatalogue(catalogue));
    if (again.lines.size() != catalogue.lines.size()) std::abort();
}

void FuzzSoundFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath(".wav");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    CheckAndConvertFront(path);
    std::filesystem::remove(path);
}

void FuzzCardImage(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath(".img");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    // Zeros after the input, so that a short input can still describe a whole small card.
    std::filesystem::resize_file(path, std::max<std::uintmax_t>(size, std::uintmax_t{1} << 20));
    DdrescueMap map;
    try {
        map = DdrescueMap::Parse(bytes.substr(bytes.size() / 2));
    } catch (const ImageDamage&) {
    }
    LocalFileSystem computer;
    for (const DdrescueMap& marks : {DdrescueMap(), map}) {
        ImageFileSystem image(computer, path, marks);
        try {
            ReadEveryFile(image);
        } catch (const FileError&) {
        }
    }
    std::filesystem::remove(path);
}

}  // namespace quodlin::test
