#pragma once

#include "Extractor.h"

namespace qsearch {

// Results of a JSON answer: the array at the results path, each entry's fields
// at their paths relative to it.
class JsonExtractor : public Extractor {
public:
    JsonExtractor(FieldRules fields, std::string pageEncoding)
        : fields_(std::move(fields)), pageEncoding_(std::move(pageEncoding)) {}

    bool extract(std::string_view body, const std::string& charset, std::size_t limit,
                 PageResults& out) const override;

private:
    FieldRules fields_;
    std::string pageEncoding_;
};

} // namespace qsearch
