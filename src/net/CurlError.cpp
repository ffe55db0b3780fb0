#include "net/CurlError.h"

#include <cerrno>

namespace qx {

namespace {

using namespace platform::err;

// X509 verification results that have a more precise code than "untrusted".
constexpr long kCertNotYetValid = 9;
constexpr long kCertHasExpired = 10;
constexpr long kHostnameMismatch = 62;

platform::SysError certificateError(long verifyResult) {
    switch (verifyResult) {
    case kCertNotYetValid:
    case kCertHasExpired:
        return InternetSecCertDateInvalid;
    case kHostnameMismatch:
        return InternetSecCertCnInvalid;
    default:
        return InternetInvalidCa;
    }
}

} // namespace

platform::SysError sysErrorOfCurl(CURLcode code, long tlsVerifyResult, long osErrno) {
    switch (code) {
    case CURLE_OK:
        return Success;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return InternetUnrecognizedScheme;
    case CURLE_URL_MALFORMAT:
        return InternetInvalidUrl;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
        return InternetNameNotResolved;
    case CURLE_COULDNT_CONNECT:
    case CURLE_INTERFACE_FAILED:
    case CURLE_QUIC_CONNECT_ERROR:
    case CURLE_PROXY:
        return InternetCannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return InternetTimeout;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_HTTP3:
    case CURLE_RANGE_ERROR:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_FILESIZE_EXCEEDED:
        return HttpInvalidServerResponse;
    case CURLE_TOO_MANY_REDIRECTS:
        return HttpRedirectFailed;
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
    case CURLE_UPLOAD_FAILED:
        return InternetConnectionAborted;
    case CURLE_RECV_ERROR:
        return osErrno == ECONNRESET ? InternetConnectionReset : InternetConnectionAborted;
    case CURLE_ABORTED_BY_CALLBACK:
        return InternetOperationCancelled;
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
        return InternetLoginFailure;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return certificateError(tlsVerifyResult);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
        return InternetSecurityChannelError;
    case CURLE_OUT_OF_MEMORY:
        return NotEnoughMemory;
    case CURLE_NO_CONNECTION_AVAILABLE:
        return InternetOutOfHandles;
    case CURLE_FILE_COULDNT_READ_FILE:
        return FileNotFound;
    // The server answered, but with a refusal of its protocol (FTP, TFTP,
    // LDAP, SSH replies): the server's own error message.
    case CURLE_FTP_WEIRD_PASS_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_FTP_PRET_FAILED:
    case CURLE_FTP_BAD_FILE_LIST:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_FILE_EXISTS:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_QUOTE_ERROR:
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_LDAP_CANNOT_BIND:
    case CURLE_LDAP_SEARCH_FAILED:
    case CURLE_LDAP_INVALID_URL:
    case CURLE_TFTP_NOTFOUND:
    case CURLE_TFTP_PERM:
    case CURLE_TFTP_ILLEGAL:
    case CURLE_TFTP_UNKNOWNID:
    case CURLE_TFTP_NOSUCHUSER:
    case CURLE_SSH:
    case CURLE_RTSP_CSEQ_ERROR:
    case CURLE_RTSP_SESSION_ERROR:
        return InternetExtendedError;
    default:
        // Misuse of the library by this program (bad options, recursive
        // calls, features left out of the build): truly internal.
        return InternetInternalError;
    }
}

} // namespace qx
