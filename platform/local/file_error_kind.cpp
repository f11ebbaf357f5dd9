#include "platform/local/file_error_kind.h"

#include <cctype>
#include <cerrno>

namespace quodlin {

FileErrorKind KindOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileErrorKind::NotFound;
        case EEXIST:
            return FileErrorKind::AlreadyExists;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
        case EFBIG:
            return FileErrorKind::NoSpace;
        case EROFS:
            return FileErrorKind::WriteProtected;
        case EACCES:
        case EPERM:
            return FileErrorKind::AccessDenied;
        default:
            return FileErrorKind::Other;
    }
}

FileErrorKind KindOf(const std::error_code& code) {
    const std::error_condition condition = code.default_error_condition();
    if (condition.category() != std::generic_category()) return FileErrorKind::Other;
    return KindOfErrno(condition.value());
}

std::string ReasonText(std::string text) {
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

}  // namespace quodlin
