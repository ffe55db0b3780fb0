#pragma once

#include "model/LabelTexts.h"

namespace qx {

class Language;
struct Options;

// The program's label texts: the language module's strings and the two view
// options as they stand now. The window and the command-line tool hand one to
// each document they make; it must outlive those documents.
class OptionLabelTexts final : public LabelTexts {
public:
    OptionLabelTexts(const Language& language, const Options& options);
    OptionLabelTexts(const OptionLabelTexts&) = delete;
    OptionLabelTexts& operator=(const OptionLabelTexts&) = delete;

    Str text(int id) const override;
    bool showhidden() const override;
    bool shownew() const override;

private:
    const Language& language_;
    const Options& options_;
};

} // namespace qx
