// Prints the MIME type the desktop's database gives a file, judged by its
// content only, so that a test can see whether the installed type is known by
// the document header whatever the file is called.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QMimeDatabase database;
    QTextStream(stdout) << database
                               .mimeTypeForFile(QString::fromLocal8Bit(argv[1]),
                                                QMimeDatabase::MatchContent)
                               .name()
                        << '\n';
    return 0;
}
