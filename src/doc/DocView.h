#pragma once

class QWidget;

namespace qx {
class DDoc;
}

namespace qx::doc {

// A window that shows a document. The document manager makes one for each
// document through the template and destroys it with the document.
class DocView {
public:
    virtual ~DocView() = default;
    // The window that becomes the frame's client window.
    virtual QWidget* window() = 0;
    // The document was closed: the view lets go of the model (empties its
    // trees and stops its workers) before the model goes away.
    virtual void documentClosed() = 0;
    // The document's model was read again from its file.
    virtual void documentReloaded() = 0;
    // Before documentClosed: `fresh` (a new read of the same file, or the
    // same model about to change) takes the place of the model shown, so the
    // view notes which of its nodes stand for the ones chosen now, to choose
    // them again at documentReloaded.
    virtual void keepChoiceIn(DDoc& fresh) { (void)fresh; }
};

} // namespace qx::doc
