// A card that fails as old SmartMedia cards do, for the tests: a FUSE file system over a folder
// that passes every call through, except where its rules file says otherwise. The rules are read
// again whenever the file changes, so a test can fill the card first and then make it fail.
//
//   failing_card_fs SOURCE RULES MOUNTPOINT
//
// One rule a line:
//   eio NAME OFFSET LENGTH [TRIES]  reads of NAME touching those bytes fail with EIO; only the
//                                   first TRIES such reads when TRIES is given
//   short NAME BYTES                reads of NAME end at BYTES without an error
//   stat NAME                       looking NAME up fails with EIO
//   slow BYTES_PER_SECOND MS        reads and writes are paced at that rate, and every lookup,
//                                   open and directory read costs MS milliseconds
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

enum { kMostRules = 64, kLongest = 4096 };

struct Rule {
    char kind[8];
    char name[256];
    long long offset;
    long long length;
    long long tries;  // -1: always
};

static char source[kLongest];
static char rulesPath[kLongest];
static struct Rule rules[kMostRules];
static int ruleCount;
static struct timespec rulesChanged;
static ino_t rulesInode;
static long long bytesPerSecond;
static long long delayMs;

static void loadRules(void) {
    struct stat info;
    if (stat(rulesPath, &info) != 0) return;
    // Each new set of rules is a new file: two sets written within one tick of the file system's
    // clock have the same time, but never the same inode.
    if (info.st_ino == rulesInode && info.st_mtim.tv_sec == rulesChanged.tv_sec &&
        info.st_mtim.tv_nsec == rulesChanged.tv_nsec)
        return;
    rulesChanged = info.st_mtim;
    rulesInode = info.st_ino;
    FILE* file = fopen(rulesPath, "r");
    if (file == NULL) return;
    ruleCount = 0;
    bytesPerSecond = 0;
    delayMs = 0;
    char line[512];
    while (ruleCount < kMostRules && fgets(line, sizeof line, file) != NULL) {
        struct Rule rule = {.tries = -1};
        if (sscanf(line, "eio %255s %lld %lld %lld", rule.name, &rule.offset, &rule.length,
                   &rule.tries) >= 3) {
            strcpy(rule.kind, "eio");
        } else if (sscanf(line, "short %255s %lld", rule.name, &rule.offset) == 2) {
            strcpy(rule.kind, "short");
        } else if (sscanf(line, "stat %255s", rule.name) == 1) {
            strcpy(rule.kind, "stat");
        } else if (sscanf(line, "slow %lld %lld", &bytesPerSecond, &delayMs) == 2) {
            continue;
        } else {
            continue;
        }
        rules[ruleCount++] = rule;
    }
    fclose(file);
}

static const char* baseName(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash == NULL ? path : slash + 1;
}

static struct Rule* findRule(const char* kind, const char* path) {
    loadRules();
    for (int i = 0; i < ruleCount; ++i) {
        if (strcmp(rules[i].kind, kind) == 0 && strcasecmp(rules[i].name, baseName(path)) == 0)
            return &rules[i];
    }
    return NULL;
}

static void waitMs(long long ms) {
    if (ms <= 0) return;
    const struct timespec wait = {ms / 1000, (ms % 1000) * 1000000};
    nanosleep(&wait, NULL);
}

static void slowStep(void) {
    loadRules();
    waitMs(delayMs);
}

static void slowBytes(size_t bytes) {
    if (bytesPerSecond > 0) waitMs((long long)bytes * 1000 / bytesPerSecond);
}

static void real(char* out, const char* path) {
    snprintf(out, kLongest, "%s%s", source, path);
}

static int fsGetattr(const char* path, struct stat* info, struct fuse_file_info* fi) {
    (void)fi;
    slowStep();
    if (findRule("stat", path) != NULL) return -EIO;
    char full[kLongest];
    real(full, path);
    return lstat(full, info) == 0 ? 0 : -errno;
}

static int fsReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                     struct fuse_file_info* fi, enum fuse_readdir_flags flags) {
    (void)offset, (void)fi, (void)flags;
    slowStep();
    char full[kLongest];
    real(full, path);
    DIR* dir = opendir(full);
    if (dir == NULL) return -errno;
    for (struct dirent* entry; (entry = readdir(dir)) != NULL;) {
        // No type hint: the reader must look each entry up, as on a FAT card.
        fill(buffer, entry->d_name, NULL, 0, 0);
    }
    closedir(dir);
    return 0;
}

static int fsOpen(const char* path, struct fuse_file_info* fi) {
    slowStep();
    if (findRule("stat", path) != NULL) return -EIO;
    char full[kLongest];
    real(full, path);
    const int fd = open(full, fi->flags);
    if (fd < 0) return -errno;
    fi->fh = (uint64_t)fd;
    fi->direct_io = 1;  // short reads reach the reader as they are
    return 0;
}

static int fsCreate(const char* path, mode_t mode, struct fuse_file_info* fi) {
    slowStep();
    char full[kLongest];
    real(full, path);
    const int fd = open(full, fi->flags, mode);
    if (fd < 0) return -errno;
    fi->fh = (uint64_t)fd;
    fi->direct_io = 1;
    return 0;
}

static int fsRead(const char* path, char* buffer, size_t size, off_t offset,
                  struct fuse_file_info* fi) {
    struct Rule* bad = findRule("eio", path);
    if (bad != NULL && offset < bad->offset + bad->length && bad->offset < offset + (off_t)size &&
        bad->tries != 0) {
        if (bad->tries > 0) --bad->tries;
        return -EIO;
    }
    const struct Rule* cut = findRule("short", path);
    if (cut != NULL) {
        if (offset >= cut->offset) return 0;
        if (offset + (off_t)size > cut->offset) size = (size_t)(cut->offset - offset);
    }
    slowBytes(size);
    const ssize_t got = pread((int)fi->fh, buffer, size, offset);
    return got < 0 ? -errno : (int)got;
}

static int fsWrite(const char* path, const char* buffer, size_t size, off_t offset,
                   struct fuse_file_info* fi) {
    (void)path;
    slowBytes(size);
    const ssize_t written = pwrite((int)fi->fh, buffer, size, offset);
    return written < 0 ? -errno : (int)written;
}

static int fsRelease(const char* path, struct fuse_file_info* fi) {
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int fsFsync(const char* path, int dataOnly, struct fuse_file_info* fi) {
    (void)path;
    return (dataOnly ? fdatasync((int)fi->fh) : fsync((int)fi->fh)) == 0 ? 0 : -errno;
}

static int fsUnlink(const char* path) {
    slowStep();
    char full[kLongest];
    real(full, path);
    return unlink(full) == 0 ? 0 : -errno;
}

static int fsMkdir(const char* path, mode_t mode) {
    char full[kLongest];
    real(full, path);
    return mkdir(full, mode) == 0 ? 0 : -errno;
}

static int fsRmdir(const char* path) {
    char full[kLongest];
    real(full, path);
    return rmdir(full) == 0 ? 0 : -errno;
}

static int fsRename(const char* from, const char* to, unsigned int flags) {
    slowStep();
    char fullFrom[kLongest];
    char fullTo[kLongest];
    real(fullFrom, from);
    real(fullTo, to);
    return renameat2(AT_FDCWD, fullFrom, AT_FDCWD, fullTo, flags) == 0 ? 0 : -errno;
}

static int fsTruncate(const char* path, off_t size, struct fuse_file_info* fi) {
    if (fi != NULL) return ftruncate((int)fi->fh, size) == 0 ? 0 : -errno;
    char full[kLongest];
    real(full, path);
    return truncate(full, size) == 0 ? 0 : -errno;
}

static int fsUtimens(const char* path, const struct timespec times[2], struct fuse_file_info* fi) {
    (void)fi;
    char full[kLongest];
    real(full, path);
    return utimensat(AT_FDCWD, full, times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

static int fsChmod(const char* path, mode_t mode, struct fuse_file_info* fi) {
    (void)fi;
    char full[kLongest];
    real(full, path);
    return chmod(full, mode) == 0 ? 0 : -errno;
}

static int fsStatfs(const char* path, struct statvfs* info) {
    (void)path;
    return statvfs(source, info) == 0 ? 0 : -errno;
}

static const struct fuse_operations kOperations = {
    .getattr = fsGetattr,
    .readdir = fsReaddir,
    .open = fsOpen,
    .create = fsCreate,
    .read = fsRead,
    .write = fsWrite,
    .release = fsRelease,
    .fsync = fsFsync,
    .unlink = fsUnlink,
    .mkdir = fsMkdir,
    .rmdir = fsRmdir,
    .rename = fsRename,
    .truncate = fsTruncate,
    .utimens = fsUtimens,
    .chmod = fsChmod,
    .statfs = fsStatfs,
};

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s SOURCE RULES MOUNTPOINT\n", argv[0]);
        return 2;
    }
    if (realpath(argv[1], source) == NULL) {
        perror(argv[1]);
        return 1;
    }
    // The rules file need not exist yet; its folder must.
    if (argv[2][0] == '/') {
        snprintf(rulesPath, sizeof rulesPath, "%s", argv[2]);
    } else {
        char here[kLongest];
        if (getcwd(here, sizeof here) == NULL) return 1;
        snprintf(rulesPath, sizeof rulesPath, "%s/%s", here, argv[2]);
    }
    // Single-threaded and in the foreground, so that the test that started it ends it; the
    // mount goes with it. Mounted as the FAT card it stands for, so that the window takes it.
    char* fuseArgs[] = {argv[0], argv[3],
                        "-f",    "-s",
                        "-o",    "auto_unmount,attr_timeout=0,entry_timeout=0,negative_timeout=0,subtype=fusefat",
                        NULL};
    return fuse_main(6, fuseArgs, &kOperations, NULL);
}
