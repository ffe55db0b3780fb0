#include "model/Object.h"

#include "stream/iwstream.h"
#include "stream/otwstream.h"
#include "stream/owstream.h"

#include <string>
#include <typeinfo>
#include <utility>

namespace qx {

Object::Object() = default;

Object::Object(const ObjectProp& props) : props_(props) {
    rekey();
}

void Object::setprops(const ObjectProp& props) {
    props_ = props;
    rekey();
}

void Object::seturl(const Str& url) {
    props_.url = url;
    rekey();
}

int Object::mergeprops(const ObjectProp& newer) {
    if (!newer.url.empty() && !hasflags(Confirmed)) {
        setprops(newer);
        addflags(Confirmed);
        return 2;
    }
    const bool later = platform::isLater(newer.modified, props_.modified);
    ObjectProp merged = props_;
    merged.servers |= newer.servers;
    if (later) {
        if (!newer.title.empty()) {
            merged.title = newer.title;
        }
        merged.modified = newer.modified;
        if (newer.charset) {
            merged.charset = newer.charset;
        }
        if (newer.size) {
            merged.size = newer.size;
        }
        if (!newer.comment.empty()) {
            merged.comment = newer.comment;
        }
    }
    props_ = std::move(merged);
    rekey();
    return later ? 1 : 0;
}

void Object::release() {
    if (refcounter_) {
        --refcounter_;
    }
}

const SearchKey& Object::identitykey() const {
    return urlkey_.hash() ? urlkey_ : titlekey_;
}

Str Object::label() const {
    std::string text(props_.title.view());
    if (props_.title.empty() && !props_.url.empty()) {
        text.append(" (").append(props_.url.view()).append(")");
    }
    props_.appendlabelsuffix(text, labeltexts());
    return Str(text);
}

void Object::dump(otwstream& out) const {
    out.puts("Object ").putptr(this);
    out.puts(" refcounter=").putuint(refcounter_);
    out.puts(" flags=0x").putuint(flags_, 16);
    out.puts(" ").puts(props_.url);
}

int Object::write(owstream& out, RefResolver&) const {
    props_.write(out);
    out.put16(flags_ & kStoredFlags);
    return out.state() ? 1 : 0;
}

int Object::read(iwstream& in, int, RefResolver&) {
    props_.read(in);
    in.get16(flags_);
    rekey();
    return in.state() ? 1 : 0;
}

Object* Object::asobject() {
    return this;
}

bool Object::needsfixup() const {
    return typeid(*this) != typeid(Object);
}

const SearchKey* Object::indexkey() const {
    return &identitykey();
}

void Object::rekey() {
    urlkey_.set(props_.url.get());
    titlekey_.set(props_.title.get());
    keychanged();
}

} // namespace qx
