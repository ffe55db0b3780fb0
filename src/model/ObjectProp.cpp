#include "model/ObjectProp.h"

#include "model/LabelTexts.h"
#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

namespace {

constexpr std::uint32_t kLastCharset = 5;
// "Sun, 06 Nov 1994 08:49:37 GMT": day, month, year, hour and minute.
constexpr std::size_t kLabelDateFrom = 5;
constexpr std::size_t kLabelDateLength = 17;

void writetime(owstream& out, const platform::SystemTime& t) {
    for (std::uint16_t v :
         {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}) {
        out.put16(v);
    }
}

void readtime(iwstream& in, platform::SystemTime& t) {
    for (std::uint16_t* v : {&t.year, &t.month, &t.dayOfWeek, &t.day, &t.hour, &t.minute, &t.second,
                             &t.milliseconds}) {
        in.get16(*v);
    }
}

} // namespace

ObjectProp ObjectProp::fromresult(const Str& title, const Str& url,
                                  const platform::SystemTime& modified, std::uint32_t charset,
                                  std::uint32_t size, std::uint16_t servers) {
    ObjectProp p;
    p.title = title;
    p.url = url;
    p.modified = modified;
    p.charset = charset;
    p.size = size;
    p.servers = servers;
    return p;
}

void ObjectProp::write(owstream& out) const {
    out << status << title << url;
    writetime(out, modified);
    out.put32(size);
    out.put16(0);
    out.put16(0);
    out.put8(static_cast<std::uint8_t>(charset));
    out.put16(servers);
    out << comment;
}

void ObjectProp::read(iwstream& in) {
    in >> status >> title >> url;
    readtime(in, modified);
    in.get32(size);
    std::uint16_t reserved = 0;
    in.get16(reserved);
    in.get16(reserved);
    std::uint8_t code = 0;
    in.get8(code);
    charset = code;
    in.get16(servers);
    in >> comment;
}

void ObjectProp::appendlabelsuffix(std::string& text, const LabelTexts& texts) const {
    if (modified.year) {
        // A date that names no moment has no text; the label then shows none.
        const std::string date = platform::formatHttpDate(modified);
        if (date.size() >= kLabelDateFrom + kLabelDateLength) {
            text.append(" [").append(date, kLabelDateFrom, kLabelDateLength).append("]");
        }
    }
    if (charset) {
        text += " <";
        if (charset <= kLastCharset) {
            text += texts.text(LabelTexts::kCharsetName + static_cast<int>(charset) - 1).view();
        }
        text += ">";
    }
}

} // namespace qx
