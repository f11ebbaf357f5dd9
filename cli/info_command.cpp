#include "cli/info_command.h"

#include <cstdio>

#include "cli/card_command.h"
#include "core/card/card_info.h"
#include "core/card/card_use.h"
#include "core/messages/messages.h"
#include "core/samples/sample_conversion.h"
#include "core/samples/sample_readiness.h"

namespace quodlin {
namespace {

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Optional(const std::optional<std::uint64_t>& value) {
    return value ? std::to_string(*value) : "null";
}

std::string FileJson(const CardFileInfo& file, Mode mode) {
    const SampleFormat& f = file.format;
    std::string json = "{\"file\": " + JsonString(file.entry.fileName) +
                       ", \"name\": " + JsonString(file.entry.name) +
                       ", \"bytes\": " + std::to_string(f.bytes);
    // Only where the card tells of damage, so that the output of a healthy card stays as it was.
    if (!file.damaged.empty()) json += ", \"damaged\": " + JsonString(file.damaged);
    if (mode == Mode::Banks) return json + "}";
    json += ", \"instrument_bytes\": " + std::to_string(InstrumentBytes(f));
    json += ", \"rate\": " + std::to_string(f.rate) + ", \"bits\": " + std::to_string(f.bits) +
            ", \"encoding\": " + JsonString(f.encoding) +
            ", \"channels\": " + std::to_string(f.channels) +
            ", \"frames\": " + std::to_string(f.frames) + ", \"seconds\": " + Number(f.seconds());
    const std::vector<std::string> problems = SampleProblems(f);
    json +=
        std::string(", \"ready\": ") + (problems.empty() ? "true" : "false") + ", \"problems\": [";
    for (std::size_t i = 0; i < problems.size(); ++i)
        json += (i ? ", " : "") + JsonString(problems[i]);
    return json + "]}";
}

void PrintJson(const CardSide& card, const CardUse& use, const std::vector<CardFileInfo>& files,
               std::ostream& out) {
    out << "{\"card\": {\"root\": " << JsonString(card.cardRoot())
        << ", \"total_bytes\": " << Optional(use.totalBytes)
        << ", \"free_bytes\": " << Optional(use.freeBytes)
        << "}, \"mode\": " << (card.mode() == Mode::Samples ? "\"samples\"" : "\"banks\"")
        << ", \"files\": [";
    for (std::size_t i = 0; i < files.size(); ++i) {
        out << (i ? ", " : "") << FileJson(files[i], card.mode());
    }
    out << "]}\n";
}

}  // namespace

int PrintCardInfo(CardSide& card, SampleFormats& formats, bool json, std::ostream& out,
                  std::ostream& err) {
    CardUse use;
    std::vector<CardFileInfo> files;
    try {
        files = ReadCardFiles(card, formats);
        use = CardUseOf(card);
    } catch (const FileError& error) {
        err << kDriveNotReady << ' ' << CardNotRead(error) << '\n';
        return kExitFailed;
    }
    if (json) {
        PrintJson(card, use, files, out);
        return kExitDone;
    }
    out << CardUseText(use) << '\n';
    for (const CardFileInfo& file : files) out << CardFileInfoLine(file, card.mode()) << '\n';
    return kExitDone;
}

}  // namespace quodlin
