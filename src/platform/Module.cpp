#include "platform/Module.h"

#include "platform/SystemError.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace qx::platform {

std::unique_ptr<Module> Module::load(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        setLastErrorFromErrno();
        return nullptr;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        setLastError(err::BadExeFormat);
        return nullptr;
    }
    return std::unique_ptr<Module>(new Module(handle, path));
}

Module::~Module() {
    ::dlclose(handle_);
}

void* Module::symbol(const char* name) const {
    void* address = ::dlsym(handle_, name);
    if (!address)
        setLastError(err::ProcNotFound);
    return address;
}

Resource Module::findResource(const char* name, const char* type) const {
    auto finder = function<ResourceFinder>(kResourceFinderName);
    Resource found;
    if (!finder || !name || !type || finder(name, type, &found.data, &found.size) != 0 ||
        !found.data) {
        setLastError(err::ResourceNameNotFound);
        return {};
    }
    return found;
}

} // namespace qx::platform
