#pragma once
// What the four wizard pages ask, their starting values and their checks, and how the pages
// are titled and which buttons each shows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/core/BookInfo.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

struct WizardAnswers {
    BookInfo book;
    int splash = 0;  // SplashChoice
    int menu = 1;
    int popupMenu = 1;
    int statusBar = 1;
    int toolbar = 1;
    int toolbarPosition = 0;  // 0 Top, 1 Left, 2 Right, 3 Bottom
    int instructions = 1;
    int launch = 0;
};

// The answers a wizard starts with: the title is the project name, the rest comes from the
// remembered settings or is fixed.
WizardAnswers InitialAnswers(std::string_view projectName, const WizardSettings& settings);

// The message for an answer that holds a line break or a NUL character, naming its field:
// "The Author must be on one line: ...".
std::string OneLineMessage(std::string_view fieldName);

// The E-Book Info page's fields in page order.
enum class BookInfoField { Title, Publisher, Copyright, Author, AuthorEmail, AuthorUrl };

struct BookInfoFailure {
    std::string message;
    BookInfoField field;
};

// The E-Book Info page's Next: first a field holding a line break or a NUL character (the
// answers are remembered one per line of a settings file), then the first empty required
// field, each in page order.
std::optional<BookInfoFailure> CheckBookInfo(const WizardAnswers& answers);

// The five book-information settings taken from the answers (for SaveBookInfo).
WizardSettings BookInfoSettings(const WizardAnswers& answers);

inline constexpr const char* kWizardTitle = "Create E-Book Project";

// "E-Book Info", "Splash Screen", "User Interface Options", "The Next Stage".
const std::vector<std::string>& WizardPageTitles();

// "Step 2 of 4 - Splash Screen" for page index 1 of 4.
std::string WizardCaption(int pageIndex, int pageCount, std::string_view pageTitle);

// The text of "The Next Stage" page.
std::string NextStageText();

}  // namespace nbx::wizard
