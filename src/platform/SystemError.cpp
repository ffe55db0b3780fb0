#include "platform/SystemError.h"

#include <cerrno>
#include <iterator>

namespace qx::platform {

namespace {
thread_local SysError tLastError = err::Success;

constexpr SysError kKnown[] = {
    err::InvalidFunction,
    err::FileNotFound,
    err::PathNotFound,
    err::TooManyOpenFiles,
    err::AccessDenied,
    err::InvalidHandle,
    err::NotEnoughMemory,
    err::InvalidData,
    err::WriteProtect,
    err::NotReady,
    err::SharingViolation,
    err::LockViolation,
    err::HandleEof,
    err::NotSupported,
    err::FileExists,
    err::InvalidParameter,
    err::BrokenPipe,
    err::DiskFull,
    err::InvalidName,
    err::ModNotFound,
    err::ProcNotFound,
    err::DirNotEmpty,
    err::Busy,
    err::AlreadyExists,
    err::BadExeFormat,
    err::FilenameTooLong,
    err::NotARegularFile,
    err::Directory,
    err::OperationAborted,
    err::IoDevice,
    err::Cancelled,
    err::Timeout,
    err::ResourceTypeNotFound,
    err::ResourceNameNotFound,
    err::InternetOutOfHandles,
    err::InternetTimeout,
    err::InternetExtendedError,
    err::InternetInternalError,
    err::InternetInvalidUrl,
    err::InternetUnrecognizedScheme,
    err::InternetNameNotResolved,
    err::InternetProtocolNotFound,
    err::InternetInvalidOption,
    err::InternetShutdown,
    err::InternetLoginFailure,
    err::InternetOperationCancelled,
    err::InternetIncorrectHandleType,
    err::InternetNotProxyRequest,
    err::InternetCannotConnect,
    err::InternetConnectionAborted,
    err::InternetConnectionReset,
    err::InternetSecCertDateInvalid,
    err::InternetSecCertCnInvalid,
    err::InternetInvalidCa,
    err::InternetSecurityChannelError,
    err::HttpHeaderNotFound,
    err::HttpInvalidServerResponse,
    err::HttpInvalidHeader,
    err::HttpInvalidQueryRequest,
    err::HttpRedirectFailed,
};
} // namespace

SysError fromErrno(int e) {
    switch (e) {
    case 0:
        return err::Success;
    case ENOENT:
        return err::FileNotFound;
    case ENOTDIR:
        return err::PathNotFound;
    case EMFILE:
    case ENFILE:
        return err::TooManyOpenFiles;
    case EACCES:
    case EPERM:
        return err::AccessDenied;
    case EBADF:
        return err::InvalidHandle;
    case ENOMEM:
        return err::NotEnoughMemory;
    case EROFS:
        return err::WriteProtect;
    case ETXTBSY:
        return err::SharingViolation;
    case EDEADLK:
        return err::LockViolation;
    case ENOSYS:
    case EOPNOTSUPP:
        return err::NotSupported;
    case EEXIST:
        return err::FileExists;
    case EINVAL:
        return err::InvalidParameter;
    case EPIPE:
        return err::BrokenPipe;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return err::DiskFull;
    case ENAMETOOLONG:
        return err::FilenameTooLong;
    case ENOTEMPTY:
        return err::DirNotEmpty;
    case EBUSY:
        return err::Busy;
    case ENOEXEC:
        return err::BadExeFormat;
    case EISDIR:
        return err::Directory;
    case EINTR:
        return err::OperationAborted;
    case EIO:
        return err::IoDevice;
    case ECANCELED:
        return err::Cancelled;
    case ETIMEDOUT:
        return err::InternetTimeout;
    case ECONNREFUSED:
    case EHOSTUNREACH:
    case ENETUNREACH:
        return err::InternetCannotConnect;
    case ECONNRESET:
        return err::InternetConnectionReset;
    case ECONNABORTED:
        return err::InternetConnectionAborted;
    default:
        return kUnmappedErrnoBase + static_cast<SysError>(e);
    }
}

SysError lastError() {
    return tLastError;
}

void setLastError(SysError code) {
    tLastError = code;
}

SysError setLastErrorFromErrno() {
    tLastError = fromErrno(errno);
    return tLastError;
}

const SysError* knownErrors(int* count) {
    *count = static_cast<int>(std::size(kKnown));
    return kKnown;
}

} // namespace qx::platform
