#include "workers/Checker.h"

#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "workers/CheckThread.h"
#include "workers/CheckVerdict.h"
#include "workers/JobBoard.h"

#include <chrono>

namespace qx {

namespace {

// The first text of an HTTP status (10120 + status).
constexpr unsigned kHttpStatusTexts = 10120;
// "HTTP status %d", for a status without a text of its own.
constexpr unsigned kBareStatusText = 10110;
// A redirect that named no address to go on to (no usable Location).
constexpr unsigned kRedirectWithoutTarget = 10111;
// The longest wait a busy server may ask for before the check is retried.
constexpr std::int64_t kLongestRetryWait = 120;

Ref* parentref(const Ref& node) {
    return dynamic_cast<Ref*>(node.parent());
}

} // namespace

Checker::Checker(DDoc& doc, JobBoard& board, const Language& language, const Options& options)
    : doc_(doc), board_(board), language_(language), options_(options) {
    board_.SetCheckJobs(this);
}

Checker::~Checker() {
    board_.SetCheckJobs(nullptr);
}

bool Checker::InOrganizer(const Ref& node) const {
    return node.root() == &doc_.orgroot();
}

bool Checker::CheckReference(Ref& node) {
    Object* page = node.target();
    if (!page || page->props().url.empty())
        return false;
    if (!board_.QueueCheck(page->props().url, page->props().modified))
        return false;
    if (UrlRef* domain = doc_.finddomainnode(page->props().url.view()))
        doc_.setbusy(*domain, true);
    for (Ref* other : doc_.referrers(page)) {
        if (InOrganizer(*other))
            doc_.setbusy(*other, true);
    }
    return true;
}

void Checker::CheckSubtree(Ref& node) {
    CheckSubtree(node, nullptr);
}

void Checker::CheckSubtree(Ref& node, const Filter& wanted) {
    const bool organizer = InOrganizer(node);
    for (Tree* t = &node; t;) {
        Ref& ref = static_cast<Ref&>(*t);
        if (ref.hasflags(Ref::Hidden)) {
            t = t->nextpreorder(&node, true);
            continue;
        }
        const Object* page = ref.target();
        if (page && !page->props().url.empty() &&
            (organizer || page->hasflags(Object::Confirmed)) && (!wanted || wanted(ref)))
            CheckReference(ref);
        t = t->nextpreorder(&node);
    }
}

bool Checker::CanCheck(std::size_t selected, bool hasFocus) {
    return selected > 1 || hasFocus;
}

void Checker::CheckSelection(std::span<Ref* const> nodes) {
    for (Ref* node : nodes)
        CheckSubtree(*node);
    doc_.commit();
}

bool Checker::CanStopChecking() const {
    return board_.Checks().HasPending();
}

void Checker::StopChecking() {
    board_.StopChecking();
}

std::vector<Ref*> Checker::FailedReferences(Ref& root, bool showHidden) {
    std::vector<Ref*> failed;
    for (Tree* t = &root; t;) {
        Ref& ref = static_cast<Ref&>(*t);
        if (!showHidden && ref.hasflags(Ref::kHiddenFlags)) {
            t = t->nextpreorder(&root, true);
            continue;
        }
        if (const Object* page = ref.target(); page && !page->props().status.empty())
            failed.push_back(&ref);
        t = t->nextpreorder(&root);
    }
    return failed;
}

std::unique_ptr<CheckWorker> Checker::MakeCheckWorker(platform::MessageTarget* window,
                                                      const Str& url,
                                                      const platform::SystemTime& date,
                                                      CheckNode& node) {
    return std::make_unique<CheckThread>(window, url, &node, date, options_, &language_);
}

void Checker::ApplyCheck(CheckWorker& worker, int result) {
    auto& check = static_cast<CheckThread&>(worker);
    if (!check.IsRunning())
        return;
    if (CheckNode* node = check.Node()) {
        const int status = check.HttpStatus();
        const std::int64_t wait = check.RetryAfter();
        if (result == -1 && (status == 429 || status == 503) && wait >= 0 &&
            wait <= kLongestRetryWait && board_.Postpone(*node, std::chrono::seconds(wait)))
            return;
        node->SetState(CheckNode::Done);
    }
    if (moved_ && !check.MovedTo().empty())
        moved_(check.Url(), check.MovedTo());
    UrlRef* domain = doc_.finddomainnode(check.Url().view());
    if (!domain)
        return;
    Object* page = domain->target();
    if (!page) {
        doc_.setbusy(*domain, false);
        doc_.setcheckstate(*domain, 0);
        doc_.commit();
        return;
    }
    const CheckVerdict verdict =
        JudgeCheck(result, check.HttpStatus(), check.LastModifiedObtained(), check.Date(),
                   page->props().modified);
    if (verdict.status != CheckVerdict::Status::Keep) {
        ObjectProp props = page->props();
        if (verdict.status == CheckVerdict::Status::Clear) {
            props.status = Str();
            if (check.ContentLength() >= 0 && props.size == 0)
                props.size = static_cast<std::uint32_t>(check.ContentLength());
        } else {
            props.status = Str(FailureText(result, check.HttpStatus()));
        }
        doc_.setobjectprops(*page, props);
    }
    for (Ref* node : doc_.referrers(page)) {
        if (!InOrganizer(*node))
            continue;
        doc_.setbusy(*node, false);
        if (verdict.state == Ref::CheckNotFound && !node->hasflags(Ref::CheckNotFound))
            CountBroken(*node);
        doc_.setcheckstate(*node, verdict.state);
    }
    doc_.setbusy(*domain, false);
    doc_.setcheckstate(*domain, verdict.state);
    doc_.commit();
}

std::string Checker::FailureText(int result, int status) const {
    // An answer came (result 0 or -1) but was no success: its status says why.
    if (result != 0 && result != -1)
        return language_.errorText(result);
    // Redirects with a target were followed; one still here had none.
    if (status >= 300 && status < 400)
        return language_.format(kRedirectWithoutTarget, status);
    std::string text = language_.text(kHttpStatusTexts + status);
    return text.empty() ? language_.format(kBareStatusText, status) : text;
}

void Checker::CountBroken(Ref& node) {
    for (Ref* up = parentref(node); up; up = parentref(*up)) {
        if (!up->hasflags(Ref::SavedSearch))
            continue;
        if (auto* search = dynamic_cast<SearchRef*>(up)) {
            ++search->searchprop().broken;
            doc_.repaint(*search);
        }
        return;
    }
}

} // namespace qx
