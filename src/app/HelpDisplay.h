#pragma once

#include <QString>
#include <QUrl>

namespace qx::app {

// Shows the language's HTML help file: its contents, the part about a help
// context, or how to use the help.
class HelpDisplay {
public:
    virtual ~HelpDisplay() = default;

    void setHelpFile(const QString& path) { helpFile_ = path; }
    const QString& helpFile() const { return helpFile_; }

    void contents();
    void context(int number);
    // How to use the help: the contents page explains it.
    void helpOnHelp();

protected:
    // Opens the address in the browser; tests record it instead.
    virtual void show(const QUrl& url) = 0;

private:
    QUrl url(const QString& anchor) const;
    QString helpFile_;
};

// Opens the help in the user's browser.
class BrowserHelpDisplay : public HelpDisplay {
protected:
    void show(const QUrl& url) override;
};

} // namespace qx::app
