#include "wizard/core/WizardAnswers.h"

#include <cstdio>

#include "platform/ProfileFile.h"

namespace nbx::wizard {

std::string OneLineMessage(std::string_view fieldName) {
    return "The " + std::string(fieldName) +
           " must be on one line: it can't hold a line break or a NUL character.";
}

WizardAnswers InitialAnswers(std::string_view projectName, const WizardSettings& settings) {
    WizardAnswers a;
    a.book.title = std::string(projectName);
    a.book.publisher = settings.publisher;
    a.book.copyright = settings.copyright;
    a.book.author = settings.author;
    a.book.authorEmail = settings.authorEmail;
    a.book.authorUrl = settings.authorUrl;
    a.splash = settings.splash;
    return a;
}

std::optional<BookInfoFailure> CheckBookInfo(const WizardAnswers& answers) {
    const struct {
        const std::string& text;
        const char* name;
        BookInfoField field;
    } fields[] = {
        {answers.book.title, "Title", BookInfoField::Title},
        {answers.book.publisher, "Publisher", BookInfoField::Publisher},
        {answers.book.copyright, "Copyright", BookInfoField::Copyright},
        {answers.book.author, "Author", BookInfoField::Author},
        {answers.book.authorEmail, "Author's E-mail Address", BookInfoField::AuthorEmail},
        {answers.book.authorUrl, "Author's Web Site URL", BookInfoField::AuthorUrl},
    };
    for (const auto& f : fields) {
        if (!platform::FitsProfileLine(f.text)) {
            return BookInfoFailure{OneLineMessage(f.name), f.field};
        }
    }
    if (answers.book.title.empty()) {
        return BookInfoFailure{"Your E-Book must have a Title.", BookInfoField::Title};
    }
    if (answers.book.copyright.empty()) {
        return BookInfoFailure{"You must have a Copyright message.", BookInfoField::Copyright};
    }
    if (answers.book.author.empty()) {
        return BookInfoFailure{"You must have enter the Author's name.", BookInfoField::Author};
    }
    return std::nullopt;
}

WizardSettings BookInfoSettings(const WizardAnswers& answers) {
    WizardSettings s;
    s.copyright = answers.book.copyright;
    s.publisher = answers.book.publisher;
    s.author = answers.book.author;
    s.authorEmail = answers.book.authorEmail;
    s.authorUrl = answers.book.authorUrl;
    return s;
}

const std::vector<std::string>& WizardPageTitles() {
    static const std::vector<std::string> titles = {"E-Book Info", "Splash Screen",
                                                    "User Interface Options", "The Next Stage"};
    return titles;
}

std::string WizardCaption(int pageIndex, int pageCount, std::string_view pageTitle) {
    char step[64];
    std::snprintf(step, sizeof step, "Step %d of %d", pageIndex + 1, pageCount);
    return std::string(step) + " - " + std::string(pageTitle);
}

std::string NextStageText() {
    return "When you click Finish your initial project will be prepared. The remaining steps "
           "are then:\n\n"
           "1. Prepare the content of your E-Book (its HTML pages and pictures) in the source "
           "folder of the project.\n"
           "2. Load the project into Nimbrel E-Book Compiler and click 'Run' on the 'Build' "
           "menu to create and try your E-Book.\n"
           "3. Optionally, adjust further settings (the icon, the start-up message, the "
           "system pages and more) on the 'Edit' menu of the compiler.\n\n"
           "Instructions written specifically for this project, explaining each of these "
           "steps, can be prepared for you now and opened in your web browser.";
}

}  // namespace nbx::wizard
