#pragma once

#include "EnglishLanguage.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/UrlRef.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/Checker.h"
#include "workers/JobLoop.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qx::test {

// A document, its job board on a message loop, and the checker, as the
// program has them; pages are added as references under organizer folders.
class CheckFixture : public ::testing::Test {
protected:
    CheckFixture();

    // A page at url (modified at unix seconds, 0: no date) with a reference to
    // it under parent (the organizer root when null).
    Ref& AddReference(const std::string& url, long modified = 0, Ref* parent = nullptr);
    // Runs the board until every check is done (at most timeoutMs).
    bool RunChecks(int timeoutMs = 20000) { return loop_->Run(timeoutMs); }
    // The check state of the page's domain-tree node.
    std::uint16_t StateOf(const std::string& url);
    const ObjectProp& PropsOf(const std::string& url);

public:
    static platform::SystemTime Date(long unixSeconds);

protected:
    TempDir dir_;
    ApplicationProfile profile_{dir_.file("qxseek.INI")};
    Options options_;
    std::unique_ptr<Language> language_ = englishlanguage();
    DDoc doc_;
    std::unique_ptr<JobLoop> loop_;
    std::unique_ptr<Checker> checker_;
};

} // namespace qx::test
