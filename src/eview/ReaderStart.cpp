#include "eview/ReaderStart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "eview/BookPicture.h"
#include "eview/ReaderWindow.h"
#include "eview/SplashWindow.h"
#include "qtcommon/MessageBoxPrompter.h"
#include "qtcommon/QtText.h"
#include "reader/ReaderBook.h"

namespace nbx::eview {

namespace {

// Waits ms milliseconds with the event loop running, moving the splash bar from its value
// to 100.
void HoldSplash(SplashWindow& splash, int from, qint64 ms) {
    if (ms <= 0) {
        splash.setPercent(100);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 spent = clock.elapsed();
        if (spent >= ms) {
            splash.setPercent(100);
            loop.quit();
            return;
        }
        splash.setPercent(from + static_cast<int>((100 - from) * spent / ms));
    });
    tick.start(25);
    loop.exec();
}

// Qt's own dialogs (print, file) in the book's language, when its translation is installed.
void LoadToolkitTranslation(const reader::ReaderBook& book) {
    auto* translator = new QTranslator(qApp);
    const QString code = Q(book.texts().Text(LanguageKey::LanguageCode));
    if (translator->load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

}  // namespace

std::string OpenFailureMessage(const std::string& path, const std::string& why) {
    return "This e-book can't be opened: its contents are missing or damaged.\n\n"
           "Please get a fresh copy from where you obtained it.\n\n"
           "File: " +
           path + "\nDetails: " + why;
}

bool OpenBookOrExplain(reader::ReaderBook& book, const std::string& path) {
    if (book.Open(path)) {
        return true;
    }
    const std::string message = OpenFailureMessage(path, book.error());
    std::fprintf(stderr, "%s\n", message.c_str());
    // Without a screen nobody could answer the box; the message has gone to stderr.
    const QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal") {
        QMessageBox box(QMessageBox::Critical, "E-Book Error", Q(message), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    return false;
}

std::unique_ptr<ReaderWindow> StartReader(reader::ReaderBook& book, Prompter& prompter,
                                          const QStringList& arguments) {
    const ArchiveTrailer& trailer = book.trailer();
    std::unique_ptr<SplashWindow> splash;
    QElapsedTimer shown;
    std::string picture;
    QPixmap image;
    if (book.ReadSplash(picture) &&
        !(image = QPixmap::fromImage(DecodeBookPicture(picture))).isNull()) {
        splash = std::make_unique<SplashWindow>(image, trailer.splashPercentageBar != 0);
        splash->show();
        shown.start();
        QApplication::processEvents();
    }
    auto window = std::make_unique<ReaderWindow>(book, prompter, arguments);
    if (splash) {
        splash->setPercent(50);
        const qint64 delay = std::clamp<qint64>(trailer.splashExtraDelay, 0, 9900);
        HoldSplash(*splash, 50, std::max<qint64>(0, delay - shown.elapsed()));
        splash.reset();
    }
    window->showAsBook();
    if (!book.settings().startupMessage.empty()) {
        prompter.Show(book.settings().startupMessage, MessageIcon::Information);
    }
    window->runEventCommand(book.settings().onStart);
    return window;
}

int RunReader(const std::string& path, const QStringList& arguments) {
    reader::ReaderBook book;
    if (!OpenBookOrExplain(book, path)) {
        return 1;
    }
    LoadToolkitTranslation(book);
    const reader::ReaderTexts& texts = book.texts();
    MessageBoxPrompter prompter(
        Q(book.settings().title),
        {Q(texts.Text(LanguageKey::CaptionOk)), Q(texts.Text(LanguageKey::CaptionYes)),
         Q(texts.Text(LanguageKey::CaptionNo)), Q(texts.Text(LanguageKey::CaptionCancel)),
         Q(texts.Text(LanguageKey::TitleError))});
    const std::unique_ptr<ReaderWindow> window = StartReader(book, prompter, arguments);
    prompter.SetParent(window.get());
    return QApplication::exec();
}

}  // namespace nbx::eview
