#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "tests/support/fat_card.h"
#include "tests/support/temp_dir.h"

namespace quodlin::test {

ProcessResult RunProgram(const std::vector<std::string>& argv) {
    char outName[] = "/tmp/quodlin-out-XXXXXX";
    char errName[] = "/tmp/quodlin-err-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    ProcessResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::close(outFd);
    ::close(errFd);
    result.out = ReadBytes(outName);
    result.err = ReadBytes(errName);
    ::unlink(outName);
    ::unlink(errName);
    return result;
}

}  // namespace quodlin::test
