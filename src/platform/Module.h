#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace qx::platform {

// A named piece of read-only data that a loaded module exports: a language
// module's banner image, for example. Valid while its module stays loaded.
struct Resource {
    const void* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
};

// The C function through which a module answers its resources. It returns 0 and
// fills data and size when the module has a resource of that name and type.
extern "C" typedef int (*ResourceFinder)(const char* name, const char* type, const void** data,
                                         std::size_t* size);
inline constexpr const char* kResourceFinderName = "qx_find_resource";

// A shared library loaded with dlopen; unloaded when the object goes away.
class Module {
public:
    // Null when the file cannot be loaded; the thread's last error tells why
    // (FileNotFound, or BadExeFormat for a file that is not a loadable module).
    static std::unique_ptr<Module> load(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // The address of an exported symbol, or null (last error ProcNotFound).
    void* symbol(const char* name) const;

    template <typename F> F function(const char* name) const {
        return reinterpret_cast<F>(symbol(name));
    }

    // The named resource of a given type, or an empty Resource when the module
    // exports no resource finder or has no such resource.
    Resource findResource(const char* name, const char* type) const;

    const std::string& path() const { return path_; }

private:
    Module(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    void* handle_;
    std::string path_;
};

} // namespace qx::platform
