#include "core/card/card_temporary.h"

#include <atomic>
#include <mutex>
#include <set>

namespace quodlin {
namespace {

std::mutex runsGuard;
std::set<unsigned> runningRuns;
thread_local unsigned currentRun = 0;

}  // namespace

TemporaryOwner::TemporaryOwner() : previous_(currentRun) {
    static std::atomic<unsigned> lastRun{0};
    run_ = ++lastRun;
    const std::lock_guard lock(runsGuard);
    runningRuns.insert(run_);
    currentRun = run_;
}

TemporaryOwner::~TemporaryOwner() {
    const std::lock_guard lock(runsGuard);
    runningRuns.erase(run_);
    currentRun = previous_;
}

std::string CardTemporaryName(FileSystem& fs) {
    static std::atomic<unsigned> serial{0};
    const std::string run = currentRun == 0 ? "" : "r" + std::to_string(currentRun);
    return kTemporaryPrefix + fs.ownerTag() + run + "-" + std::to_string(serial++) +
           kTemporarySuffix;
}

bool TemporaryOwnerGone(FileSystem& fs, const std::string& owner) {
    const std::size_t mark = owner.rfind('r');
    const bool ofRun = mark != std::string::npos && mark + 1 < owner.size() &&
                       owner.find_first_not_of("0123456789", mark + 1) == std::string::npos &&
                       owner.find('-', mark) == std::string::npos;
    if (!ofRun) return fs.ownerGone(owner);
    const std::string process = owner.substr(0, mark);
    if (process != fs.ownerTag()) return fs.ownerGone(process);
    const std::lock_guard lock(runsGuard);
    return !runningRuns.contains(static_cast<unsigned>(std::stoul(owner.substr(mark + 1))));
}

}  // namespace quodlin
