#include "tests/fuzz/fuzz_targets.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/catalogue_file.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"
#include "platform/audio/sndfile_sample_formats.h"
#include "platform/audio/soxr_sample_converter.h"

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

// One file per process, rewritten for every input: libsndfile reads only files.
const std::string& SoundPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("quodlin-fuzz-" + std::to_string(getpid()) + ".wav"))
                                        .string();
    return path;
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
    const std::string& path = SoundPath();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    CheckAndConvertFront(path);
    std::filesystem::remove(path);
}

}  // namespace quodlin::test
