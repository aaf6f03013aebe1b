// Books made to attack their reader, one for each way a book once reached outside itself.
// Each is opened in the reader's window offscreen; the test checks what the reader touched
// (a FIFO records whether anything opened it), what it showed, that it stayed responsive,
// and that every question came in the reader's own words.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QToolTip>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "ReaderFixture.h"
#include "eview/BookPicture.h"
#include "eview/PageBrowser.h"
#include "eview/ReaderStart.h"
#include "format/ByteSink.h"
#include "qtcommon/MessageBoxPrompter.h"
#include "reader/LeaveQuestion.h"
#include "reader/PictureLimit.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFormat.h"
#include "viewerfiles/LanguageKeys.h"

namespace nbx::test {
namespace {

// A FIFO that records whether anything but the test opened it. Opening a FIFO for reading
// blocks until a writer comes: a reader that opened it would freeze without the writer
// here, and with it reads an empty file, so the test itself never hangs.
class FifoWatch {
public:
    explicit FifoWatch(std::string path) : path_(std::move(path)) {
        if (::mkfifo(path_.c_str(), 0600) != 0) {
            ADD_FAILURE() << "mkfifo " << path_;
            return;
        }
        thread_ = std::thread([this] {
            const int fd = ::open(path_.c_str(), O_WRONLY);  // until a reader opens it
            opened_ = !released_.load();
            if (fd >= 0) {
                ::close(fd);
            }
        });
    }
    ~FifoWatch() { Release(); }

    QString url() const { return QUrl::fromLocalFile(QString::fromStdString(path_)).toString(); }
    // True when something opened the FIFO before this call.
    bool Opened() {
        Release();
        return opened_;
    }

private:
    void Release() {
        if (!thread_.joinable()) {
            return;
        }
        released_ = true;
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);  // lets the writer go
        thread_.join();
        if (fd >= 0) {
            ::close(fd);
        }
    }

    std::string path_;
    std::thread thread_;
    std::atomic<bool> released_{false};
    std::atomic<bool> opened_{false};
};

// English with some of its texts replaced.
std::string EnglishWith(std::initializer_list<std::pair<LanguageKey, std::string>> texts) {
    CLanguageMap map;
    EXPECT_TRUE(map.Read(kProgramDir + "/English.lng")) << map.error();
    for (const auto& [key, text] : texts) {
        char flag = 0;
        map.GetText(KeyNumber(key), flag);
        map.SetText(KeyNumber(key), flag, text);
    }
    std::string bytes;
    StringSink sink(bytes);
    EXPECT_TRUE(map.WriteTo(sink));
    return bytes;
}

// A PNG whose header claims width x height pixels; no picture data follows.
std::string PngHeader(std::uint32_t width, std::uint32_t height) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const std::uint32_t side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes += static_cast<char>(side >> shift);
        }
    }
    return bytes + std::string("\x08\x06\0\0\0", 5) + std::string(64, '\0');
}

// Runs f on the next modal message box once it is up, then closes the box with No (or OK).
void OnNextMessageBox(std::function<void(QMessageBox&)> f) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, f] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        f(*box);
        box->done(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    });
    poll->start(10);
}

class HostileBookTest : public ReaderFixture {
protected:
    // The window still answers: events are handled and Home shows the index page.
    void ExpectResponsive() {
        QCoreApplication::processEvents();
        Action("actionHome")->trigger();
        EXPECT_EQ(window->currentEntry(), Entry("index.html"));
        EXPECT_EQ(prompter.busyDepth, 0);
    }

    // True when the page's document holds a picture for the address (loaded while it was
    // laid out): the picture, or bytes for it.
    bool Loaded(const QString& address) const {
        const QVariant v =
            window->browser()->document()->resource(QTextDocument::ImageResource, QUrl(address));
        switch (v.userType()) {
            case QMetaType::QPixmap:
                return !v.value<QPixmap>().isNull();
            case QMetaType::QImage:
                return !v.value<QImage>().isNull();
            default:
                return !v.toByteArray().isEmpty();
        }
    }

    // Lays out and paints the window, which loads every picture of the page.
    void Render() {
        window->showAsBook();
        window->grab();
        QCoreApplication::processEvents();
    }
};

// 1. Pictures, style sheets (linked or imported by the book's own), backgrounds and links
// that name files of this computer ("file:", "/dev/zero", a FIFO, inline data) are refused
// before the toolkit sees them.
TEST_F(HostileBookTest, APageCannotMakeTheReaderReadALocalFile) {
    FifoWatch fifo(dir.File("fifo"));
    const QString secret =
        QUrl::fromLocalFile(QString::fromStdString(dir.Write("secret.png", BoatPicture())))
            .toString();
    const QString inline_ =
        "data:image/png;base64," + QByteArray::fromStdString(BoatPicture()).toBase64();
    const QString page = "<html><head><link rel=\"stylesheet\" href=\"" + fifo.url() +
                         "\"><link rel=\"stylesheet\" href=\"file:///dev/zero\"></head>"
                         "<body background=\"" +
                         fifo.url() +
                         "\"><p>Still here</p>"
                         "<img src=\"" +
                         secret + "\"><img src=\"file:///dev/zero\"><img src=\"" + fifo.url() +
                         "\"><img src=\"/dev/zero\"><img src=\"" + inline_ +
                         "\"><img src=\"boat.png\">"
                         "<table background=\"" +
                         fifo.url() +
                         "\"><tr><td>cell</td></tr></table>"
                         "<a href=\"" +
                         fifo.url() + "\">fifo</a></body></html>";
    pages[1] = {"index.html", page.toStdString(), "Welcome", "00001000"};
    pages[1].data.insert(pages[1].data.find("</head>"),
                         "<link rel=\"stylesheet\" href=\"importing.css\">");
    pages.push_back({"importing.css",
                     "@import url(\"" + fifo.url().toStdString() + "\"); p { color: red }", ""});
    ASSERT_TRUE(Open());
    Render();

    EXPECT_TRUE(PageText().contains("Still here")) << PageText().toStdString();
    for (const QString& address : {secret, QString("file:///dev/zero"), fifo.url(), inline_}) {
        EXPECT_FALSE(Loaded(address)) << address.left(60).toStdString();
    }
    EXPECT_TRUE(Loaded("ebook://page/boat.png"));

    // Followed as links, or set as the page: refused with the reader's own message.
    emit window->browser()->anchorClicked(QUrl(fifo.url()));
    window->openAddress(QUrl("file:///dev/zero"));
    window->browser()->setSource(QUrl(fifo.url()));
    window->browser()->setSource(QUrl("file:///dev/zero"));
    EXPECT_EQ(window->currentEntry(), Entry("index.html"));
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0],
              reader::LocalFileRefusedMessage(QUrl(fifo.url()).toDisplayString().toStdString()));
    EXPECT_TRUE(prompter.questions.empty());

    ExpectResponsive();
    EXPECT_FALSE(fifo.Opened());
}

// 2. Texts of the book's language file and its start-up message reach labels, tool tips and
// message boxes as text, never as markup that would load a picture.
TEST_F(HostileBookTest, TheBooksTextsAreShownAsTheyStand) {
    FifoWatch fifo(dir.File("fifo"));
    const std::string markup = "<img src=\"" + fifo.url().toStdString() + "\"><b>Find</b>";
    languageBytes = EnglishWith({{LanguageKey::PromptSearchFor, markup},
                                 {LanguageKey::PromptFindWhat, markup},
                                 {LanguageKey::ButtonNext, markup + "\n" + markup},
                                 {LanguageKey::TipNextPage, markup + " {{page}}"}});
    settings.startupMessage = markup;
    ASSERT_TRUE(Open());
    Render();

    Action("actionSearch")->trigger();
    Action("actionFind")->trigger();
    for (const char* name : {"searchLabel", "findLabel"}) {
        auto* label = window->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        EXPECT_EQ(label->text().toStdString(), markup) << name;
        label->grab();
    }
    // A tool tip that looks like markup is escaped: shown, it reads as the text itself.
    Action("actionHome")->trigger();
    const QString tip = Action("actionNext")->toolTip();
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(shown.toPlainText().toStdString(), markup + " Knots");
    QToolTip::showText(QPoint(20, 20), tip, window.get());
    QCoreApplication::processEvents();
    QToolTip::hideText();

    // The start-up message in the windowed programs' own message box.
    window.reset();
    MessageBoxPrompter boxes("Title");
    QString shownText;
    Qt::TextFormat shownFormat = Qt::RichText;
    OnNextMessageBox([&](QMessageBox& box) {
        shownText = box.text();
        shownFormat = box.textFormat();
        box.grab();
    });
    window = eview::StartReader(book, boxes, {});
    EXPECT_EQ(shownFormat, Qt::PlainText);
    EXPECT_EQ(shownText.toStdString(), markup);

    ExpectResponsive();
    window.reset();  // before the box Prompter it uses
    EXPECT_FALSE(fifo.Opened());
}

// 3. A library in an "imageformats" folder beside the book is never loaded, nor one in a
// folder that a "qt.conf" beside the book names. The same
// library in a folder the user names in QT_PLUGIN_PATH is: the reader does load picture
// plugins, so its not loading the one beside the book means something.
TEST_F(HostileBookTest, PluginsBesideTheBookAreNeverLoaded) {
    ASSERT_TRUE(Open());
    Close();
    const std::string plugin = NBX_MARKER_PLUGIN;
    const std::string marker = dir.File("marker");
    std::filesystem::create_directories(dir.File("imageformats"));
    std::filesystem::copy_file(plugin, dir.File("imageformats/libnbxmarker.so"));
    std::filesystem::create_directories(dir.File("user/imageformats"));
    std::filesystem::copy_file(plugin, dir.File("user/imageformats/libnbxmarker.so"));

    // Runs the book until the marker appears or a few seconds pass; true when it appeared.
    auto markerAfterRun = [&](bool userFolder) {
        std::filesystem::remove(marker);
        QProcess process;
        QProcessEnvironment env;
        env.insert("NBX_PLUGIN_MARKER", QString::fromStdString(marker));
        env.insert("QT_PLUGIN_PATH", userFolder ? QString::fromStdString(dir.File("user")) : "");
        StartBookProgram(process, bookPath, env);
        EXPECT_TRUE(process.waitForStarted());
        QDeadlineTimer deadline(4000);
        while (!std::filesystem::exists(marker) && !deadline.hasExpired() &&
               process.state() == QProcess::Running) {
            process.waitForFinished(50);
        }
        EXPECT_EQ(process.state(), QProcess::Running)
            << process.readAllStandardError().toStdString();
        process.kill();
        process.waitForFinished();
        return std::filesystem::exists(marker);
    };
    EXPECT_TRUE(markerAfterRun(true));
    std::filesystem::remove_all(dir.File("user"));
    EXPECT_FALSE(markerAfterRun(false));

    // The toolkit's settings file beside the book could name any folder for plugins: the
    // reader does not start, and says why.
    std::filesystem::create_directories(dir.File("elsewhere/imageformats"));
    std::filesystem::copy_file(plugin, dir.File("elsewhere/imageformats/libnbxmarker.so"));
    dir.Write("qt.conf", "[Paths]\nPlugins=" + dir.File("elsewhere") + "\n");
    std::filesystem::remove(marker);
    QProcess process;
    QProcessEnvironment env;
    env.insert("NBX_PLUGIN_MARKER", QString::fromStdString(marker));
    StartBookProgram(process, bookPath, env);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("qt.conf, a file that would make it load"));
    EXPECT_FALSE(std::filesystem::exists(marker));
}

// 4. Nothing leaves the reader (a program, an entry handed to the desktop, a web or mail
// address) before the reader asks in its own words, naming what leaves, with buttons of its
// own, whatever the book's language file says.
TEST_F(HostileBookTest, NothingLeavesWithoutTheReadersOwnQuestion) {
    languageBytes = EnglishWith({{LanguageKey::MsgRunProgram, "Press Continue to open chapter 1"},
                                 {LanguageKey::CaptionYes, "Continue"},
                                 {LanguageKey::CaptionNo, "Continue too"}});
    settings.onStart = "##RUN('tools/../../../../../../../../../../bin/true')";
    pages.push_back({"chart.pdf", "%PDF-1.4 chart", ""});
    ASSERT_TRUE(Open());

    // Every question defaults to staying; answered so, nothing leaves.
    EXPECT_FALSE(window->runEventCommand(settings.onStart));
    emit window->browser()->anchorClicked(QUrl("chart.pdf"));
    emit window->browser()->anchorClicked(QUrl("https://sailing.example.com/club"));
    emit window->browser()->anchorClicked(QUrl("mailto:ann@example.com"));
    EXPECT_TRUE(opened.empty());
    const std::pair<reader::LeaveKind, std::string> asked[] = {
        {reader::LeaveKind::RunProgram, "/bin/true"},
        {reader::LeaveKind::OpenEntry, "chart.pdf"},
        {reader::LeaveKind::OpenAddress, "https://sailing.example.com/club"},
        {reader::LeaveKind::OpenAddress, "mailto:ann@example.com"},
    };
    ASSERT_EQ(prompter.questions.size(), std::size(asked));
    for (std::size_t i = 0; i < std::size(asked); ++i) {
        const reader::LeaveQuestion own = reader::AskBeforeLeaving(asked[i].first, asked[i].second);
        const RecordingPrompter::Question& q = prompter.questions[i];
        EXPECT_EQ(q.text, own.text);
        EXPECT_EQ(q.yesCaption, own.proceed);
        EXPECT_EQ(q.noCaption, own.stay);
        EXPECT_EQ(q.defaultAnswer, Answer::No);
        EXPECT_EQ(q.text.find("Continue"), std::string::npos);
    }

    prompter.answers = {Answer::Yes, Answer::Yes};
    emit window->browser()->anchorClicked(QUrl("chart.pdf"));
    emit window->browser()->anchorClicked(QUrl("https://sailing.example.com/club"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[1].toString(), "https://sailing.example.com/club");

    // The message box shows the reader's buttons though the book renamed Yes and No.
    MessageBoxPrompter boxes("Title", {"OK", "Continue", "Continue too", "Cancel", "Error"});
    boxes.SetParent(window.get());
    QStringList buttons;
    QString text;
    OnNextMessageBox([&](QMessageBox& box) {
        text = box.text();
        for (QAbstractButton* b : box.buttons()) {
            buttons << b->text();
        }
    });
    const reader::LeaveQuestion own =
        reader::AskBeforeLeaving(reader::LeaveKind::RunProgram, "/bin/true");
    EXPECT_EQ(
        boxes.AskWithCaptions(own.text, own.proceed, own.stay, Answer::No, MessageIcon::Warning),
        Answer::No);
    EXPECT_EQ(text.toStdString(), own.text);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Don't Start", "Start the Program"}));

    ExpectResponsive();
}

// 5. Resource bounds: pictures claiming a huge size are not decoded, a page's pictures share
// one budget, a language file over the limit is refused, and long work shows the wait
// cursor.
TEST_F(HostileBookTest, PicturesOverTheLimitAreNeverDecoded) {
    pages.push_back({"huge.png", PngHeader(100000, 100000), ""});
    std::string gallery = "<p>Gallery</p>";
    for (int i = 0; i < 5; ++i) {
        pages.push_back({"big" + std::to_string(i) + ".png", PngHeader(4096, 4096), ""});
        gallery += "<img src=\"big" + std::to_string(i) + ".png\">";
    }
    pages.push_back({"gallery.htm", gallery, "Gallery"});
    pages[1].data = "<p>Bomb</p><img src=\"huge.png\"><img src=\"boat.png\">";
    ASSERT_TRUE(Open());
    Render();
    EXPECT_TRUE(PageText().contains("Bomb"));
    EXPECT_FALSE(Loaded("ebook://page/huge.png"));
    EXPECT_TRUE(Loaded("ebook://page/boat.png"));

    emit window->browser()->anchorClicked(QUrl("gallery.htm"));
    window->grab();
    for (int i = 0; i < 5; ++i) {
        const QString address = QString("ebook://page/big%1.png").arg(i);
        EXPECT_EQ(Loaded(address), i < 4) << i;  // four fill the page's budget
    }
    // The splash picture and the toolbar images are decoded the same way.
    EXPECT_TRUE(eview::DecodeBookPicture(PngHeader(100000, 100000)).isNull());
    EXPECT_TRUE(eview::DecodeBookPicture("<svg width='9e9'/>").isNull());
    EXPECT_EQ(eview::DecodeBookPicture(BoatPicture()).size(), QSize(160, 100));
    reader::PictureBudget budget;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(budget.Take({4096, 4096, "png"}));
    }
    EXPECT_TRUE(eview::DecodeBookPicture(BoatPicture(), &budget).isNull());

    // The picture shown alone on its page is refused the same way.
    emit window->browser()->anchorClicked(QUrl("huge.png"));
    window->grab();
    EXPECT_FALSE(Loaded("ebook://page/huge.png"));
    ExpectResponsive();
}

TEST_F(HostileBookTest, ALanguageFileOverTheLimitIsRefused) {
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files[0].data =
        EnglishWith({{LanguageKey::PromptSearchFor, std::string(lang::kMaxFileSize, 'x')}});
    files.insert(files.end(), pages.begin(), pages.end());
    bookPath = dir.File("huge-language");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", bookPath, settings, files), "");
    reader::ReaderBook huge;
    EXPECT_FALSE(huge.Open(bookPath));
    EXPECT_NE(huge.error().find("at most 1048576"), std::string::npos) << huge.error();

    QString errors;
    EXPECT_EQ(RunBookProgram(bookPath, errors), 1);
    EXPECT_TRUE(errors.contains("at most 1048576")) << errors.toStdString();
}

TEST_F(HostileBookTest, LongSearchesAndHugePagesShowTheWaitCursor) {
    AddFillerPages();
    std::string huge;
    for (int i = 0; i < 20000; ++i) {
        huge += "<p>Line " + std::to_string(i) + " of a very long page</p>";
    }
    pages.push_back({"huge.htm", huge, "Huge"});
    ASSERT_TRUE(Open());

    window->startSearch("bowline");
    EXPECT_TRUE(window->searching());
    EXPECT_EQ(prompter.busyDepth, 1);
    WaitForSearch();
    EXPECT_FALSE(window->searching());
    EXPECT_EQ(prompter.busyDepth, 0);
    EXPECT_TRUE(PageText().contains("Pages found for bowline: 1"));

    window->startSearch("reef");  // the index is made: no wait
    EXPECT_EQ(prompter.busyDepth, 0);

    const int before = prompter.busyCount;
    window->showEntry(Entry("huge.htm"));
    EXPECT_GT(prompter.busyCount, before);
    EXPECT_TRUE(PageText().contains("Line 19999 of a very long page"));
    ExpectResponsive();
}

TEST_F(HostileBookTest, StoppingASearchTakesTheWaitCursorAway) {
    AddFillerPages();
    ASSERT_TRUE(Open());
    window->startSearch("bowline");
    ASSERT_EQ(prompter.busyDepth, 1);
    Action("actionStop")->trigger();
    EXPECT_EQ(prompter.busyDepth, 0);
    window->startSearch("bowline");
    Close();  // closing mid-search as well
    EXPECT_EQ(prompter.busyDepth, 0);
}

}  // namespace
}  // namespace nbx::test
