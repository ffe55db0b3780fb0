#include "doc/OpenLock.h"

#include "doc/DocumentQuestion.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/TextIds.h"

#include <QFile>

namespace qx::doc {

using State = platform::DocumentLock::State;

namespace {
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
} // namespace

OpenLock::OpenLock(const Language& language, MessageBoxer& boxes)
    : language_(language), boxes_(boxes) {}

std::string OpenLock::holder() const {
    const platform::LockOwner& owner = lock_.owner();
    if (!owner.known)
        return language_.text(text::LockHolderUnknown);
    // The time as the lock file has it, its T and Z made readable.
    std::string since = owner.since;
    if (since.size() == 20 && since[10] == 'T' && since[19] == 'Z') {
        since[10] = ' ';
        since.pop_back();
    }
    return language_.format(text::LockHolder, owner.user, owner.host, owner.pid, since);
}

OpenLock::Outcome OpenLock::open(const QString& path, const QString& title) {
    readOnly_ = false;
    const std::string file = localPath(path);
    switch (lock_.acquire(file)) {
    case State::Held:
        return Outcome::Writable;
    case State::Busy:
        if (askAboutDocument(language_, boxes_, title, docmsg::HeldElsewhere, mb::YesNo,
                             holder()) != mb::IdYes)
            return Outcome::Refused;
        readOnly_ = true;
        return Outcome::ReadOnly;
    case State::OtherHost:
        switch (askAboutDocument(language_, boxes_, title, docmsg::HeldOnOtherHost,
                                 mb::YesNoCancel, holder())) {
        case mb::IdYes:
            // Taken over; should a live process here hold it meanwhile, the
            // document is read only after all.
            if (lock_.acquire(file, true) == State::Held)
                return Outcome::Writable;
            readOnly_ = true;
            return Outcome::ReadOnly;
        case mb::IdNo:
            readOnly_ = true;
            return Outcome::ReadOnly;
        default:
            return Outcome::Refused;
        }
    case State::Unprotected:
        askAboutDocument(language_, boxes_, title, docmsg::NotProtected, 0,
                         language_.errorText(lock_.error()));
        return Outcome::Writable;
    }
    return Outcome::Writable;
}

bool OpenLock::takeForSaving(const QString& path, const QString& title) {
    readOnly_ = false;
    switch (lock_.acquire(localPath(path))) {
    case State::Busy:
    case State::OtherHost:
        askAboutDocument(language_, boxes_, title, docmsg::TargetHeld, 0,
                         holder());
        return false;
    case State::Held:
    case State::Unprotected:
        // A file that cannot be protected is written all the same, as one
        // opened there would be.
        return true;
    }
    return true;
}

} // namespace qx::doc
