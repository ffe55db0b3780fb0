#pragma once

#include "workers/JobKinds.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qx {

class DDoc;
class JobBoard;
class Language;
class Ref;
class Str;
struct Options;

// The reference checker of one document, plugged into its job board: it
// queues checks of tree nodes and marks every node of their pages as being
// checked, makes a CheckThread for each check the scheduler starts, and
// applies the answer to the page and its nodes on the user-interface thread.
class Checker : public CheckJobs {
public:
    Checker(DDoc& doc, JobBoard& board, const Language& language, const Options& options);
    ~Checker();
    Checker(const Checker&) = delete;
    Checker& operator=(const Checker&) = delete;

    // Queues a check of the node's page (when it has an address) and, when
    // that added a check, marks the page's domain-tree node and every
    // organizer node of the page as being checked. Whether it added one.
    bool CheckReference(Ref& node) override;
    // The node and everything below it, except what the user hid; domain-tree
    // nodes only for pages that came from the web.
    void CheckSubtree(Ref& node);
    // The same, only for the nodes the filter wants (with what is below the
    // others still walked).
    using Filter = std::function<bool(const Ref&)>;
    void CheckSubtree(Ref& node, const Filter& wanted);

    // Hears the address of every applied answer whose request permanent
    // redirects led elsewhere, with where it led.
    using MovedListener = std::function<void(const Str& url, const Str& movedTo)>;
    void SetMovedListener(MovedListener listener) { moved_ = std::move(listener); }

    // The check command: enabled with more than one node selected or a focus
    // node in the active tree.
    static bool CanCheck(std::size_t selected, bool hasFocus);
    void CheckSelection(std::span<Ref* const> nodes);
    // The stop-checking command: enabled while a check is queued or running.
    bool CanStopChecking() const;
    void StopChecking();
    // The select-failed command: the nodes of the tree under root that are
    // shown (hidden ones only when showHidden) and whose page carries a status
    // text, in pre-order.
    static std::vector<Ref*> FailedReferences(Ref& root, bool showHidden);

    std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window, const Str& url,
                                                 const platform::SystemTime& date,
                                                 CheckNode& node) override;
    void ApplyCheck(CheckWorker& worker, int result) override;

private:
    bool InOrganizer(const Ref& node) const;
    // The status text of a failed check.
    std::string FailureText(int result, int status) const;
    // Increases the broken counter of the saved search the node is filed under.
    void CountBroken(Ref& node);

    DDoc& doc_;
    JobBoard& board_;
    const Language& language_;
    const Options& options_;
    MovedListener moved_;
};

} // namespace qx
