#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/local/local_file_system.h"

namespace quodlin::test {

enum class Op { List, Open, Read, Create, Write, Sync, Close, Remove, Rename, Replace, FreeSpace };

const char* OpName(Op op);

// The real file system, with one chosen operation failing: the n-th call (from 1) of one kind
// throws the chosen error, also when the file system makes it on itself. Every call is recorded,
// so tests can also see what was done.
class FaultyFileSystem : public LocalFileSystem {
public:
    void failAt(Op op, int occurrence, FileErrorKind kind = FileErrorKind::Other);
    // Every call of op from now on fails, as on a card that was pulled out.
    void failAlways(Op op, FileErrorKind kind = FileErrorKind::Other);
    // Every call after the next `calls` ones fails, as when the card is pulled out mid-run.
    void failEverythingAfter(int calls, FileErrorKind kind = FileErrorKind::NotFound);
    int count(Op op) const;
    // How often a file of this name was opened for reading, in any folder.
    int opened(const std::string& fileName) const;
    // True once an injected failure was thrown.
    bool failed() const { return failed_; }
    // True when everything fails after some calls: what the run wrote after that is not there.
    bool pulled() const { return callsLeft_ >= 0; }
    void fault(Op op, const std::string& path);

    std::vector<DirEntry> list(const std::string& dir) override;
    std::unique_ptr<InputFile> openForReading(const std::string& path) override;
    std::unique_ptr<OutputFile> createNew(const std::string& path) override;
    void remove(const std::string& path) override;
    void renameNoReplace(const std::string& from, const std::string& to) override;
    void replace(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> freeSpace(const std::string& dir) override;
    // What freeSpace says when set, as a small card would; the disk's own otherwise.
    std::optional<std::uint64_t> freeBytes;

private:
    std::vector<int> counts_ = std::vector<int>(11, 0);
    std::vector<std::string> opened_;
    Op failOp_ = Op::List;
    int failOccurrence_ = 0;
    bool failForever_ = false;
    FileErrorKind failKind_ = FileErrorKind::Other;
    int callsLeft_ = -1;
    bool failed_ = false;
};

// Runs attempt on a file system that fails nowhere, counting its calls; then once for each of
// those calls with that call failing with kind; then once for each count of calls after which
// everything fails, as when the card is pulled out. reset puts the folders back before each run;
// attempt gets the file system and what failed, for its messages.
void ForEveryFault(const std::function<void()>& reset,
                   const std::function<void(FaultyFileSystem&, const std::string&)>& attempt,
                   FileErrorKind kind = FileErrorKind::Other);

}  // namespace quodlin::test
