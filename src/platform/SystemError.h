#pragma once

#include <cstdint>

// The system error code space. The program reasons in one numbering for every
// failure that comes from the operating system or the network, the numbering the
// language modules' error texts know. errno values and libcurl codes are mapped
// onto it here; an errno with no counterpart keeps a code of its own in the
// range starting at kUnmappedErrnoBase, so that no two causes share a number.
namespace qx::platform {

using SysError = std::uint32_t;

namespace err {
inline constexpr SysError Success = 0;
inline constexpr SysError InvalidFunction = 1;
inline constexpr SysError FileNotFound = 2;
inline constexpr SysError PathNotFound = 3;
inline constexpr SysError TooManyOpenFiles = 4;
inline constexpr SysError AccessDenied = 5;
inline constexpr SysError InvalidHandle = 6;
inline constexpr SysError NotEnoughMemory = 8;
inline constexpr SysError InvalidData = 13;
inline constexpr SysError WriteProtect = 19;
inline constexpr SysError NotReady = 21;
inline constexpr SysError SharingViolation = 32;
inline constexpr SysError LockViolation = 33;
inline constexpr SysError HandleEof = 38;
inline constexpr SysError NotSupported = 50;
inline constexpr SysError FileExists = 80;
inline constexpr SysError InvalidParameter = 87;
inline constexpr SysError BrokenPipe = 109;
inline constexpr SysError DiskFull = 112;
inline constexpr SysError InvalidName = 123;
inline constexpr SysError ModNotFound = 126;
inline constexpr SysError ProcNotFound = 127;
inline constexpr SysError DirNotEmpty = 145;
inline constexpr SysError Busy = 170;
inline constexpr SysError AlreadyExists = 183;
inline constexpr SysError BadExeFormat = 193;
inline constexpr SysError FilenameTooLong = 206;
// A folder, device or pipe where a file's bytes were wanted.
inline constexpr SysError NotARegularFile = 222;
inline constexpr SysError Directory = 267;
inline constexpr SysError OperationAborted = 995;
inline constexpr SysError IoDevice = 1117;
inline constexpr SysError Cancelled = 1223;
inline constexpr SysError Timeout = 1460;
inline constexpr SysError ResourceTypeNotFound = 1813;
inline constexpr SysError ResourceNameNotFound = 1814;

// Network errors (the Internet client library's numbering).
inline constexpr SysError InternetOutOfHandles = 12001;
inline constexpr SysError InternetTimeout = 12002;
inline constexpr SysError InternetExtendedError = 12003;
inline constexpr SysError InternetInternalError = 12004;
inline constexpr SysError InternetInvalidUrl = 12005;
inline constexpr SysError InternetUnrecognizedScheme = 12006;
inline constexpr SysError InternetNameNotResolved = 12007;
inline constexpr SysError InternetProtocolNotFound = 12008;
inline constexpr SysError InternetInvalidOption = 12009;
inline constexpr SysError InternetShutdown = 12012;
inline constexpr SysError InternetLoginFailure = 12015;
inline constexpr SysError InternetOperationCancelled = 12017;
inline constexpr SysError InternetIncorrectHandleType = 12018;
inline constexpr SysError InternetNotProxyRequest = 12020;
inline constexpr SysError InternetCannotConnect = 12029;
inline constexpr SysError InternetConnectionAborted = 12030;
inline constexpr SysError InternetConnectionReset = 12031;
inline constexpr SysError InternetSecCertDateInvalid = 12037;
inline constexpr SysError InternetSecCertCnInvalid = 12038;
inline constexpr SysError InternetInvalidCa = 12045;
inline constexpr SysError InternetSecurityChannelError = 12157;
inline constexpr SysError HttpHeaderNotFound = 12150;
inline constexpr SysError HttpInvalidServerResponse = 12152;
inline constexpr SysError HttpInvalidHeader = 12153;
inline constexpr SysError HttpInvalidQueryRequest = 12154;
inline constexpr SysError HttpRedirectFailed = 12156;
} // namespace err

// errno values with no counterpart above become kUnmappedErrnoBase + errno.
inline constexpr SysError kUnmappedErrnoBase = 0x20000000;

// The code for an errno value.
SysError fromErrno(int errnoValue);

// The calling thread's last system error, set by the platform calls that fail.
SysError lastError();
void setLastError(SysError code);
// Sets the last error from the current errno and returns it.
SysError setLastErrorFromErrno();

// Every code of the space that has a text of its own in the language modules.
// Used to prove that each language answers every one of them.
const SysError* knownErrors(int* count);

} // namespace qx::platform
