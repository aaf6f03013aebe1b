#include "ReaderFixture.h"
#include "compile/FillBuildSettings.h"

#include <sys/stat.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QProcess>
#include <QProcessEnvironment>

#include "eview/PageBrowser.h"
#include "project/ProjectSettings.h"

namespace nbx::test {

std::string BoatPicture() {
    QImage image(160, 100, QImage::Format_ARGB32);
    image.fill(QColor("#CFE8FF"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#2A6FB0"));
    p.drawRect(0, 78, 160, 22);
    p.setBrush(QColor("#8B4A2B"));
    p.drawPolygon(QPolygon({QPoint(30, 70), QPoint(130, 70), QPoint(115, 84), QPoint(45, 84)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(82, 12), QPoint(82, 66), QPoint(122, 66)}));
    p.drawPolygon(QPolygon({QPoint(76, 20), QPoint(76, 66), QPoint(44, 66)}));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

ReaderFixture::ReaderFixture() {
    ProjectSettings project;
    project.title = "The Sailing Handbook";
    project.author = "Ann Bowline";
    project.authorEmail = "ann@example.com";
    project.authorUrl = "https://sailing.example.com/";
    project.publisher = "Harbour Press";
    project.copyright = "Copyright 2024 Ann Bowline";
    project.affiliateNickname = "skipper";
    project.initialWidth = 900;
    project.initialHeight = 640;
    settings = FillBuildSettings(project, "/opt/nimbrel/tamsel", kProgramDir + "/eview.dat",
                                 {2024, 5, 17, 9, 30, 0, 5});

    TestBookFile index{"index.html",
                       "<html><head><title>Welcome</title>"
                       "<link rel=\"stylesheet\" href=\"css/book.css\"></head><body>"
                       "<h1>Welcome aboard</h1>"
                       "<p>Happy reading, [={Reader}]! This is <i>[={title}]</i>.</p>"
                       "<p>[={Note}]</p>"
                       "<p align=\"center\"><img src=\"images/boat.png\"></p>"
                       "<p>Start with <a href=\"knots.htm\">Knots</a>, or see the "
                       "<a href=\"https://sailing.example.com/club\">club</a>.</p>"
                       "</body></html>",
                       "Welcome", "00001000"};
    index.preprocess = 1;
    index.inContents = 1;
    index.description = "Where to begin";
    TestBookFile knots{"knots.htm",
                       "<h1>Knots</h1><p>The bowline makes a fixed loop at the end of a "
                       "line. Tie a bowline with the rabbit and the tree.</p>"
                       "<p>The reef knot joins two ends.</p>",
                       "Knots", "00001001"};
    knots.inContents = 1;
    knots.description = "Bowline, reef knot and cleat hitch";
    TestBookFile sails{"sails.htm",
                       "<h1>Sails</h1><p>Trim the sails until the telltales stream. A "
                       "reef makes the sail smaller in a strong wind.</p>",
                       "Sails", "00001002"};
    sails.inContents = 1;
    sails.description = "Trim, reef and furl";
    TestBookFile navigation{"navigation.htm",
                            "<h1>Navigation</h1><p>Charts, buoys and the compass.</p>",
                            "Navigation", "00001003"};
    navigation.inContents = 1;
    TestBookFile css{"book.css", "h1 { color: #1B4F72; }", ""};
    css.searchable = 0;
    TestBookFile boat{"boat.png", BoatPicture(), ""};
    boat.searchable = 0;
    // Out of reading order on purpose: the order keys decide.
    pages = {sails, index, navigation, knots, css, boat};
    variables = {{"Reader", "The name of the reader", "Captain Ann", 1, 0},
                 {"Note", "", "Wind < 20 knots & sun", 0, 1}};
}

bool ReaderFixture::Open() {
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir, language);
    if (!languageBytes.empty()) {
        files[0].data = languageBytes;
    }
    files.insert(files.end(), pages.begin(), pages.end());
    bookPath = dir.File("sailing");
    const std::string error = WriteTestBook(dir, kProgramDir + "/eview.dat", bookPath, settings,
                                            files, variables, 1700000000, splash);
    EXPECT_EQ(error, "");
    if (!error.empty()) {
        return false;
    }
    if (!book.Open(bookPath)) {
        ADD_FAILURE() << book.error();
        return false;
    }
    window = std::make_unique<eview::ReaderWindow>(book, prompter, QStringList{});
    window->setExternalOpener([this](const QUrl& url) {
        opened.push_back(url);
        return openerWorks;
    });
    return true;
}

void ReaderFixture::Close() {
    window.reset();
}

QString ReaderFixture::PageText() const {
    return window->browser()->toPlainText();
}

QString ReaderFixture::Source() const {
    return window->browser()->source().toString();
}

QAction* ReaderFixture::Action(const char* name) const {
    auto* action = window->findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
}

long ReaderFixture::Entry(const std::string& name) const {
    return book.FindLinked(name);
}

void ReaderFixture::WaitForSearch() {
    QDeadlineTimer deadline(10000);
    while (window->searching() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

void ReaderFixture::AddFillerPages() {
    for (int i = 0; i < 400; ++i) {
        pages.push_back(
            {"p" + std::to_string(i) + ".htm", std::string(4000, 'w') + " filler", "Filler"});
    }
}

void ReaderFixture::StartBookProgram(QProcess& process, const std::string& path,
                                     const QProcessEnvironment& env) {
    ::chmod(path.c_str(), 0755);
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    all.insert("QT_QPA_PLATFORM", "offscreen");
    all.insert(env);
    process.setProcessEnvironment(all);
    process.start(QString::fromStdString(path), {});
}

int ReaderFixture::RunBookProgram(const std::string& path, QString& errors) {
    QProcess process;
    StartBookProgram(process, path);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace nbx::test
