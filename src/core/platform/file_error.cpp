#include "platform/file_error.h"

#include <cerrno>

#include "text/cp932.h"

namespace kelmio {

FileErrorCause CauseFromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileErrorCause::kNotFound;
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
    case EILSEQ:
        return FileErrorCause::kBadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorCause::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileErrorCause::kAccessDenied;
    case EBUSY:
    case ETXTBSY:
        return FileErrorCause::kSharingViolation;
    case EDEADLK:
    case ENOLCK:
        return FileErrorCause::kLockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorCause::kDiskFull;
    case EIO:
        return FileErrorCause::kHardwareIo;
    default:
        return FileErrorCause::kGeneric;
    }
}

std::string FormatMessage1(std::string_view pattern, std::string_view value) {
    std::string result;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = pattern.find("%1", start);
        if (at == std::string_view::npos) break;
        result.append(pattern.substr(start, at - start));
        result.append(value);
        start = at + 2;
    }
    result.append(pattern.substr(start));
    return result;
}

std::string FileErrorMessage(const FileError& error) {
    const char* pattern = "";
    switch (error.cause) {
    case FileErrorCause::kNotFound: pattern = "%1 が見つかりませんでした。"; break;
    case FileErrorCause::kBadPath: pattern = "%1 には無効なﾊﾟｽが含まれています。"; break;
    case FileErrorCause::kTooManyOpenFiles: pattern = "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。"; break;
    case FileErrorCause::kAccessDenied: pattern = "%1 へのｱｸｾｽは拒否されました。"; break;
    case FileErrorCause::kSharingViolation: pattern = "%1 へのｱｸｾｽ中に共有違反が発生しました。"; break;
    case FileErrorCause::kLockViolation: pattern = "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。"; break;
    case FileErrorCause::kDiskFull: pattern = "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"; break;
    case FileErrorCause::kHardwareIo: pattern = "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"; break;
    case FileErrorCause::kGeneric: pattern = "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"; break;
    }
    // The pattern is converted on its own so that a path's bytes are never reinterpreted.
    return FormatMessage1(SjisText(pattern), error.path);
}

}  // namespace kelmio
