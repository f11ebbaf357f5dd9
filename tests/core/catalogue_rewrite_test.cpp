#include <gtest/gtest.h>

#include "core/catalogue_file.h"
#include "core/catalogue_text.h"

namespace quodlin {
namespace {

struct RewriteCase {
    const char* what;
    std::string before;  // "" for a card without a catalogue
    Mode mode;
    std::vector<CardEntry> entries;
    std::string after;
};

std::string Rewrite(const RewriteCase& c) {
    NameTable table;
    for (const CardEntry& e : c.entries) table.append(e.fileName, e.name);
    table.sort();
    std::vector<std::string> lines = ParseCatalogue(c.before).lines;
    if (lines.empty()) lines = EmptyCatalogueLines();
    return SerializeCatalogue(RewriteSection(lines, c.mode, table), CatalogueEncoding::Windows1252);
}

const std::string kSamplesSaved =
    "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n";
const std::string kBothSaved =
    "[ES1 banks]\r\n1.es1=Song\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n";

TEST(CatalogueRewrite, ReplacesOnlyTheModesSection) {
    const std::vector<RewriteCase> cases = {
        {"first save of samples",
         "",
         Mode::Samples,
         {{"01.wav", "Snare"}, {"00.wav", "Kick"}},
         kSamplesSaved},
        {"then the first save of banks",
         kSamplesSaved,
         Mode::Banks,
         {{"1.es1", "Song"}},
         kBothSaved},
        {"saving again gives the same file",
         kBothSaved,
         Mode::Samples,
         {{"00.wav", "Kick"}, {"01.wav", "Snare"}},
         kBothSaved},
        {"an empty table leaves the header and its empty lines",
         kBothSaved,
         Mode::Samples,
         {},
         "[ES1 banks]\r\n1.es1=Song\r\n\r\n[ES1 samples]\r\n\r\n\r\n"},
        {"an empty banks table before the samples section",
         kBothSaved,
         Mode::Banks,
         {},
         "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n01.wav=Snare\r\n\r\n\r\n"},
        {"names with '=' and blanks are written unchanged",
         "",
         Mode::Samples,
         {{"00.wav", " a = b "}},
         "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav= a = b \r\n\r\n\r\n"},
        {"lines before the first header are kept, with CR LF",
         "; my card\n[ES1 banks]\n\n"
         "[ES1 samples]\n00.wav=Old\n",
         Mode::Banks,
         {{"2.es1", "B"}},
         "; my card\r\n[ES1 banks]\r\n2.es1=B\r\n\r\n[ES1 samples]\r\n00.wav=Old\r\n"},
        {"a stale last line of a hand-edited file is not written again",
         "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n05.wav=Gone",
         Mode::Samples,
         {{"00.wav", "Kick"}},
         "[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n"},
        {"a missing header is added before the entries",
         "[ES1 banks]\r\n1.es1=Song\r\n",
         Mode::Samples,
         {{"00.wav", "Kick"}},
         "[ES1 banks]\r\n1.es1=Song\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n"},
        {"and saving that again adds nothing twice",
         "[ES1 banks]\r\n1.es1=Song\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n",
         Mode::Samples,
         {{"00.wav", "Kick"}},
         "[ES1 banks]\r\n1.es1=Song\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n"},
        {"a CR-only file",
         "[ES1 banks]\r1.es1=x\r\r[ES1 samples]\r00.wav=y\r",
         Mode::Banks,
         {{"1.es1", "x2"}},
         "[ES1 banks]\r\n1.es1=x2\r\n\r\n[ES1 samples]\r\n00.wav=y\r\n"},
        {"entries are in ordinal order",
         "",
         Mode::Banks,
         {{"2.es1", "b"}, {"101.es1", "c"}, {"1.es1", "a"}},
         "[ES1 banks]\r\n1.es1=a\r\n101.es1=c\r\n2.es1=b\r\n\r\n[ES1 samples]\r\n"},
    };
    for (const RewriteCase& c : cases) EXPECT_EQ(Rewrite(c), c.after) << c.what;
}

}  // namespace
}  // namespace quodlin
