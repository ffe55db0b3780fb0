// The clipboard as other programs see it: the program copies on a real X
// server (Xvfb) and xclip, another process, reads what it offers; so does our
// own requester on bare xcb, which no toolkit's mapping of formats stands in
// front of.
#include "FakeStore.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "exchange/UriText.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/DocumentTrees.h"
#include "ui/View.h"
#include "ui/X11LinkSelection.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace qx;

namespace {

// The X server of the test: started before the application, ended with it.
struct XServer {
    pid_t pid = -1;
    std::string display;
    std::string problem; // why there is none

    void start() {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
            problem = "Xvfb is not installed";
            return;
        }
        int fds[2];
        if (::pipe(fds) != 0) {
            problem = "no pipe";
            return;
        }
        pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-terminate",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buffer[32] = {};
        std::size_t used = 0;
        // The server writes its display number and a newline once it is ready.
        while (used + 1 < sizeof buffer) {
            const ssize_t got = ::read(fds[0], buffer + used, sizeof buffer - 1 - used);
            if (got <= 0 || std::memchr(buffer, '\n', used + static_cast<std::size_t>(got)))
                break;
            used += static_cast<std::size_t>(got);
        }
        ::close(fds[0]);
        const int number = std::atoi(buffer);
        if (buffer[0] < '0' || buffer[0] > '9') {
            problem = "Xvfb did not start";
            return;
        }
        display = ":" + std::to_string(number);
    }

    ~XServer() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

XServer* gServer = nullptr;

ObjectProp page(const char* url, const char* title) {
    ObjectProp p;
    p.url = Str(url);
    p.title = Str(title);
    return p;
}

// Reads the clipboard in one format with xclip while this process serves it.
QByteArray xclipOut(const char* type) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                 QStringLiteral("-t"), QString::fromLatin1(type)});
    for (int waited = 0; xclip.state() != QProcess::NotRunning && waited < 5000; waited += 10) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        xclip.waitForFinished(10);
    }
    if (xclip.state() != QProcess::NotRunning)
        xclip.kill();
    return xclip.readAllStandardOutput();
}

// Every target the clipboard's owner offers with the bytes it hands over, as
// our own xcb requester (no toolkit's mapping in between) received them.
std::map<QByteArray, QByteArray> xcbReceived(const char* selection = "CLIPBOARD") {
    QProcess receiver;
    receiver.start(QStringLiteral(QX_XRECEIVE_PATH), {QString::fromLatin1(selection)});
    for (int waited = 0; receiver.state() != QProcess::NotRunning && waited < 10000; waited += 10) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        receiver.waitForFinished(10);
    }
    if (receiver.state() != QProcess::NotRunning)
        receiver.kill();
    std::map<QByteArray, QByteArray> received;
    for (const QByteArray& line : receiver.readAllStandardOutput().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            received[line.left(tab)] = QByteArray::fromHex(line.mid(tab + 1));
    }
    return received;
}

} // namespace

class ClipboardXTest : public QObject {
    Q_OBJECT
private slots:
    void anotherProcessReadsTheCopiedReference();
};

void ClipboardXTest::anotherProcessReadsTheCopiedReference() {
    const bool ci = std::getenv("CI") != nullptr;
    std::string missing = gServer->problem;
    if (missing.empty() && QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        missing = "xclip is not installed";
    if (!missing.empty()) {
        if (ci)
            QFAIL(missing.c_str()); // bootstrap installs both
        QSKIP(missing.c_str());
    }

    test::TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Language language(std::getenv("QX_PROGRAM_DIR"));
    std::string code = "enu";
    QCOMPARE(language.load(code), 0u);
    Options options;
    test::FakeStore store;
    doc::Editor editor(store, options, language);
    DDoc& model = editor.model();
    OrgRef2& folder = model.createfolder(Str("Folder"), model.orgroot(), nullptr);
    model.createresultobject(page("http://пример.рф/новости?q=1", "Новости"), OrgProp{}, folder,
                             nullptr);
    model.createresultobject(page("http://a.example/page?q=1", "A & page"), OrgProp{}, folder,
                             nullptr);
    ui::View view(editor, profile, options, language);
    view.show();
    TreeViewNode& row = RefItem::of(folder)->treeNode();
    row.select(true);
    view.organizerTree()->setFocusNode(&row);
    QVERIFY(view.trees().copy());

    // A folder gives its references; the address list is ASCII, each line a URI.
    const QByteArray encoded = "http://xn--e1afmkfd.xn--p1ai/"
                               "%D0%BD%D0%BE%D0%B2%D0%BE%D1%81%D1%82%D0%B8?q=1";
    QCOMPARE(xclipOut("text/uri-list"), encoded + "\r\nhttp://a.example/page?q=1\r\n");
    // Every text target an editor asks for carries the addresses.
    const QByteArray text =
        QByteArray("http://пример.рф/новости?q=1\n") + "http://a.example/page?q=1\n";
    for (const char* target : {"UTF8_STRING", "text/plain", "text/plain;charset=utf-8"})
        QCOMPARE(xclipOut(target), text);
    QVERIFY(
        xclipOut("text/html").contains("<a href=\"http://a.example/page?q=1\">A &amp; page</a>"));
    // Qt's X11 layer answers text/x-moz-url itself from the first address of
    // the list: an encoded address crosses intact (no Latin-1 mojibake).
    const QByteArray moz = xclipOut("text/x-moz-url");
    QVERIFY2(QString::fromUtf16(reinterpret_cast<const char16_t*>(moz.constData()), moz.size() / 2)
                 .startsWith(QString::fromLatin1(encoded)),
             moz.toHex().constData());
    QCOMPARE(xclipOut("_NETSCAPE_URL"), encoded + "\nНовости\nhttp://a.example/page?q=1\nA & page");
    // Only formats that are delivered are listed.
    const QByteArray targets = xclipOut("TARGETS");
    QVERIFY2(!targets.contains("x-mswinurl") && !targets.contains("suggestedfilename"),
             targets.constData());

    // Answered below Qt, the browser link carries every address with its title.
    const auto links = ui::X11LinkSelection::install();
    QVERIFY(links);
    std::map<QByteArray, QByteArray> received = xcbReceived();
    QCOMPARE(received[QByteArrayLiteral("text/x-moz-url")],
             QByteArray::fromStdString(exchange::UriText::utf16le(
                 "http://пример.рф/новости?q=1\nНовости\nhttp://a.example/page?q=1\nA & page")));
    QCOMPARE(received[QByteArrayLiteral("text/uri-list")],
             encoded + "\r\nhttp://a.example/page?q=1\r\n");
    QCOMPARE(received[QByteArrayLiteral("_NETSCAPE_URL")],
             encoded + "\nНовости\nhttp://a.example/page?q=1\nA & page");
    for (const char* target : {"UTF8_STRING", "text/plain", "text/plain;charset=utf-8"})
        QCOMPARE(received[QByteArray(target)], text);
    QVERIFY(received[QByteArrayLiteral("text/html")].contains(
        "<a href=\"http://a.example/page?q=1\">A &amp; page</a>"));
    // Whatever format is offered is delivered (the selection protocol's own
    // targets aside).
    for (const auto& [target, bytes] : received) {
        const bool protocol =
            target == "TARGETS" || target == "SAVE_TARGETS" || target == "TIMESTAMP";
        QVERIFY2(protocol || !bytes.isEmpty(), target.constData());
    }

    // The same bytes cross while the folder is dragged out of the window.
    RefTreeView& tree = *view.organizerTree();
    const QPoint at(60, tree.nodeTop(row) + 4);
    std::map<QByteArray, QByteArray> dragged;
    QTimer::singleShot(300, [&] {
        dragged = xcbReceived("XdndSelection");
        QDrag::cancel();
    });
    QTest::mousePress(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QMouseEvent move(QEvent::MouseMove, at + QPoint(40, 40), tree.viewport()->mapToGlobal(at),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &move);
    QTRY_VERIFY(!dragged.empty());
    QCOMPARE(dragged[QByteArrayLiteral("text/x-moz-url")],
             received[QByteArrayLiteral("text/x-moz-url")]);
    // The addresses, then the Internet shortcuts for a file manager.
    const QByteArray list = dragged[QByteArrayLiteral("text/uri-list")];
    QVERIFY2(list.startsWith(encoded + "\r\n") && list.contains("\r\nfile:///"), list.constData());
}

int main(int argc, char** argv) {
    XServer server;
    gServer = &server;
    server.start();
    if (!server.display.empty()) {
        ::setenv("DISPLAY", server.display.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        // The private X server has no session bus: keep Qt from looking for
        // one (libdbus keeps a buffer of the failed connection to the end).
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
        ::setenv("QT_ACCESSIBILITY", "0", 1);
        ::setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "0", 1);
    } else {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ClipboardXTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ClipboardXTest.moc"
