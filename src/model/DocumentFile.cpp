#include "model/DocumentFile.h"

#include "model/DDoc.h"
#include "model/DocumentFormat.h"
#include "platform/ReplacementFile.h"
#include "platform/SystemError.h"
#include "stream/ifbwstream.h"
#include "stream/ofbwstream.h"

namespace qx {

int loadDocument(const std::string& path, DDoc& doc) {
    platform::setLastError(platform::err::Success);
    ifbwstream in(path.c_str(), kDocumentBufferSize);
    if (in.state() & wstream::badbit) {
        return kDocumentFileFailed;
    }
    return doc.read(in);
}

int saveDocument(const std::string& path, DDoc& doc) {
    platform::setLastError(platform::err::Success);
    platform::ReplacementFile file(path);
    if (!file.ok()) {
        return kDocumentFileFailed;
    }
    {
        ofbwstream out(file.path().c_str(), kDocumentBufferSize, false);
        const bool written = doc.write(out) == DocumentFormat::Ok;
        // sync flushes and forces the bytes to the device; close reports what
        // the last write-back found.
        if (!written || out.sync() != 0 || out.close() != 0) {
            if (platform::lastError() == platform::err::Success) {
                platform::setLastError(platform::err::IoDevice);
            }
            return kDocumentFileFailed;
        }
    }
    return file.commit() ? 0 : kDocumentFileFailed;
}

} // namespace qx
