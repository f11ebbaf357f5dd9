#pragma once

#include <optional>
#include <string>

namespace quodlin {

// The user's trash as freedesktop.org desktops keep it: $XDG_DATA_HOME/Trash (by default
// ~/.local/share/Trash) with the files in files/ and a .trashinfo of each in info/, from which
// the desktop's trash can put it back.
class FreedesktopTrash {
public:
    // The trash for the files of dir, made where it is missing (each folder only for the user,
    // as the rules ask); none when it cannot be made or written, or lies on another volume than
    // dir, so that a move would be a copy.
    static std::optional<FreedesktopTrash> For(const std::string& dir);

    // Moves the file into the trash under a name the trash does not hold yet, with its info;
    // throws FileError and leaves the file where it was when that fails.
    void move(const std::string& path) const;

private:
    explicit FreedesktopTrash(std::string root) : root_(std::move(root)) {}

    std::string root_;
};

}  // namespace quodlin
