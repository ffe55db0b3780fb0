#pragma once

#include <string>

namespace qx::app {

// What the setup switches do on this platform: register the document type and
// a desktop entry for the user in the XDG folders, and take them away again
// with the settings file. Program files that a package manager installed are
// never touched.
class Setup {
public:
    struct Places {
        std::string executable; // the program file the desktop entry starts
        std::string settingsFile;
        std::string dataHome; // $XDG_DATA_HOME or ~/.local/share
    };

    // The values of the key that describes a copy running from read-only media.
    struct ReadOnlyMedia {
        std::string language; // "ROLang", at most 15 bytes
        std::string folder;   // "ROFolder", at most 31 bytes
    };

    static constexpr const char* kMimeType = "application/x-qxseek-document";
    static constexpr const char* kReadOnlyMediaFile = "ROMedia.INI";
    static constexpr const char* kReadOnlyMediaSection = "ROMedia";

    explicit Setup(Places places) : places_(std::move(places)) {}

    // Writes the MIME type of "*.qxo" and the desktop entry, with the work
    // folder as the entry's working folder when one is given. False when a
    // file could not be written.
    bool install(const std::string& name, const std::string& typeDescription,
                 const std::string& workFolder) const;
    // Removes both registrations and the settings file.
    void uninstall() const;

    std::string mimeFile() const;
    std::string desktopFile() const;

    // Reads the read-only-media values from the settings file that stands for
    // the system's key; empty values when it is missing.
    static ReadOnlyMedia readOnlyMedia(const std::string& iniPath);

    // The desktop entry's Exec value for a program path: quoted and escaped as
    // the desktop entry format asks, followed by the file argument.
    static std::string execLine(const std::string& program);

private:
    // Lets the desktop's databases know; missing tools are no failure.
    void refreshDatabases() const;

    Places places_;
};

} // namespace qx::app
