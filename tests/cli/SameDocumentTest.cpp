#include "RecordingMessageBoxer.h"
#include "TempDir.h"

#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/FindInfo.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/ServerInfo.h"
#include "search/EngineTable.h"
#include "search/SearchModule.h"
#include "search/SearchScreen.h"
#include "search/WebSearches.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/JobLoop.h"

#include <QtTest>

#include <cstdlib>
#include <string>

namespace qx {
namespace {

class QuietScreen final : public SearchScreen {
public:
    void status(const std::string&) override {}
    void progress() override {}
    void expand(Ref&) override {}
};

// The bytes of a document file with the times of every saved search's run and
// of its engines' records set to zero: the two writers ran at different
// moments, and nothing else of a document depends on the clock.
QByteArray withoutRunTimes(const std::string& path) {
    DDoc doc;
    if (loadDocument(path, doc) != 0)
        return {};
    for (Tree* node = &doc.orgroot(); node; node = node->nextpreorder(&doc.orgroot())) {
        auto* search = dynamic_cast<SearchRef*>(node);
        if (!search)
            continue;
        SearchProp& prop = search->searchprop();
        prop.time = 0;
        for (ServerInfoNode* record = prop.serverinfo.first(); record;
             record = static_cast<ServerInfoNode*>(record->next()))
            record->info.time = 0;
    }
    const std::string again = path + ".again";
    if (saveDocument(again, doc) != 0)
        return {};
    return QByteArray::fromStdString(test::TempDir::read(again));
}

} // namespace

// The same search written by the command-line tool and by the window's
// document: the saved search and its results must be named alike, whoever
// wrote the file.
class SameDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void aSearchIsTheSameDocumentFromTheToolAndTheWindow() {
        test::TempDir dir;
        const std::string script =
            dir.write("script.txt", "*\titem\t\t\t\t\t250\t0\n"
                                    "1\titem\t:\tFirst\thttp://a.example/1\twindows-1251\t10\t5\t"
                                    "2001-02-03\n"
                                    "1\titem\t:\tHeading\t\t\t0\t0\n"
                                    "1\titem\t::\tunder\thttp://b.example/2\t\t10\t1\n"
                                    "1\titem\t:\tКошки\thttp://c.example/\tkoi8-r\t10\t9\n");
        qputenv("QX_FAKE_SEARCH_SCRIPT", QByteArray::fromStdString(script));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.file("config")));
        const std::string module = std::string(QX_FAKE_SEARCH_DIR) + "/qsearch_fake.so";

        const std::string fromTool = dir.file("tool.qxo");
        const std::string run = std::string("'") + QX_CLI_PATH + "' new '" + fromTool +
                                "' >/dev/null && '" + QX_CLI_PATH + "' search '" + fromTool +
                                "' --engines 1 --module '" + module + "' cats >/dev/null";
        QCOMPARE(std::system(run.c_str()), 0);

        Language language(std::getenv("QX_PROGRAM_DIR"));
        std::string code = "enu";
        QCOMPARE(language.load(code), 0u);
        Options options;
        const ApplicationProfile profile(dir.file("qxseek.INI"));
        doc::FileDocumentStore store;
        doc::Editor editor(store, options, language);
        const std::string fromWindow = dir.file("window.qxo");
        editor.setPath(QString::fromStdString(fromWindow));
        {
            const std::shared_ptr<const SearchModule> loaded = SearchModule::load(module);
            QVERIFY(loaded);
            const EngineTable engines = EngineTable::make(language, loaded.get());
            JobLoop loop(options, profile);
            QuietScreen screen;
            test::RecordingMessageBoxer boxes;
            WebSearches searches(editor.model(), loop.Board(), loop.Waits(), screen, language,
                                 boxes, options, engines, loaded);
            editor.model().setworkers(&searches);
            FindInfo request;
            request.query = Str("cats");
            request.servers = 1;
            QVERIFY(searches.Run().start(request));
            QVERIFY(loop.Run(10000));
            editor.model().setworkers(nullptr);
        }
        QVERIFY(editor.save());

        const QByteArray tool = withoutRunTimes(fromTool);
        const QByteArray window = withoutRunTimes(fromWindow);
        QVERIFY(!tool.isEmpty());
        QVERIFY(tool.contains("Search \"cats\""));
        QVERIFY(tool.contains("<Windows-1251>"));
        QCOMPARE(tool, window);
    }
};

} // namespace qx

QTEST_MAIN(qx::SameDocumentTest)
#include "SameDocumentTest.moc"
