#include "tests/support/faulty_file_system.h"

#include <algorithm>

namespace quodlin::test {
namespace {

class FaultyOutput : public OutputFile {
public:
    FaultyOutput(FaultyFileSystem& fs, std::unique_ptr<OutputFile> real, std::string path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    void write(const char* data, std::size_t size) override {
        fs_.fault(Op::Write, path_);
        real_->write(data, size);
    }
    void sync() override {
        fs_.fault(Op::Sync, path_);
        real_->sync();
    }
    void close() override {
        fs_.fault(Op::Close, path_);
        real_->close();
    }

private:
    FaultyFileSystem& fs_;
    std::unique_ptr<OutputFile> real_;
    std::string path_;
};

class FaultyInput : public InputFile {
public:
    FaultyInput(FaultyFileSystem& fs, std::unique_ptr<InputFile> real, std::string path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    std::size_t read(char* buffer, std::size_t size) override {
        fs_.fault(Op::Read, path_);
        return real_->read(buffer, size);
    }
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) override {
        fs_.fault(Op::Read, path_);
        return real_->readAt(offset, buffer, size);
    }
    FileStamp stamp() override { return real_->stamp(); }

private:
    FaultyFileSystem& fs_;
    std::unique_ptr<InputFile> real_;
    std::string path_;
};

}  // namespace

const char* OpName(Op op) {
    static const char* const kNames[] = {"list",  "open",   "read",   "create",  "write",    "sync",
                                         "close", "remove", "rename", "replace", "freeSpace"};
    return kNames[static_cast<int>(op)];
}

void FaultyFileSystem::failAt(Op op, int occurrence, FileErrorKind kind) {
    failOp_ = op;
    failOccurrence_ = occurrence;
    failForever_ = false;
    failKind_ = kind;
}

void FaultyFileSystem::failAlways(Op op, FileErrorKind kind) {
    failAt(op, 1, kind);
    failForever_ = true;
}

void FaultyFileSystem::failEverythingAfter(int calls, FileErrorKind kind) {
    callsLeft_ = calls;
    failKind_ = kind;
}

int FaultyFileSystem::count(Op op) const {
    return counts_[static_cast<int>(op)];
}

void FaultyFileSystem::fault(Op op, const std::string& path) {
    const int n = ++counts_[static_cast<int>(op)];
    if (callsLeft_ == 0) {
        failed_ = true;
        throw FileError(failKind_, path, "injected: the card is gone");
    }
    if (callsLeft_ > 0) --callsLeft_;
    if (failOccurrence_ > 0 && op == failOp_ &&
        (n == failOccurrence_ || (failForever_ && n > failOccurrence_))) {
        failed_ = true;
        throw FileError(failKind_, path, std::string("injected ") + OpName(op) + " failure");
    }
}

std::vector<DirEntry> FaultyFileSystem::list(const std::string& dir) {
    fault(Op::List, dir);
    return LocalFileSystem::list(dir);
}

int FaultyFileSystem::opened(const std::string& fileName) const {
    return static_cast<int>(
        std::count_if(opened_.begin(), opened_.end(), [&](const std::string& path) {
            return path.ends_with("/" + fileName) || path.ends_with("\\" + fileName);
        }));
}

std::unique_ptr<InputFile> FaultyFileSystem::openForReading(const std::string& path) {
    fault(Op::Open, path);
    opened_.push_back(path);
    return std::make_unique<FaultyInput>(*this, LocalFileSystem::openForReading(path), path);
}

std::unique_ptr<OutputFile> FaultyFileSystem::createNew(const std::string& path) {
    fault(Op::Create, path);
    return std::make_unique<FaultyOutput>(*this, LocalFileSystem::createNew(path), path);
}

void FaultyFileSystem::remove(const std::string& path) {
    fault(Op::Remove, path);
    LocalFileSystem::remove(path);
}

void FaultyFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    fault(Op::Rename, to);
    LocalFileSystem::renameNoReplace(from, to);
}

void FaultyFileSystem::replace(const std::string& from, const std::string& to) {
    fault(Op::Replace, to);
    LocalFileSystem::replace(from, to);
}

std::optional<std::uint64_t> FaultyFileSystem::freeSpace(const std::string& dir) {
    fault(Op::FreeSpace, dir);
    return freeBytes ? freeBytes : LocalFileSystem::freeSpace(dir);
}

void ForEveryFault(const std::function<void()>& reset,
                   const std::function<void(FaultyFileSystem&, const std::string&)>& attempt,
                   FileErrorKind kind) {
    reset();
    FaultyFileSystem counting;
    attempt(counting, "no failure");
    int calls = 0;
    for (int op = 0; op <= static_cast<int>(Op::FreeSpace); ++op) {
        for (int n = 1; n <= counting.count(static_cast<Op>(op)); ++n, ++calls) {
            reset();
            FaultyFileSystem faulty;
            faulty.failAt(static_cast<Op>(op), n, kind);
            attempt(faulty, std::string(OpName(static_cast<Op>(op))) + " #" + std::to_string(n));
        }
    }
    for (int after = 0; after < calls; ++after) {
        reset();
        FaultyFileSystem faulty;
        faulty.failEverythingAfter(after);
        attempt(faulty, "gone after " + std::to_string(after) + " calls");
    }
}

}  // namespace quodlin::test
