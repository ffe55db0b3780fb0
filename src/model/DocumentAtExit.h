#pragma once

#include <memory>

namespace qx {

class DDoc;

// Hands over a document when the process is about to end. Taking a document
// of a million pages apart node by node costs about a tenth of loading it,
// while the system takes a whole process's memory back at once: so the
// document is simply left in place. Builds with a leak checker (AddressSanitizer,
// ThreadSanitizer) free it, so that they still see every allocation released.
void leaveDocumentAtExit(std::unique_ptr<DDoc> doc);

} // namespace qx
