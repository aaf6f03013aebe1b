#include "wizard/core/InstructionsPage.h"

#include <vector>

#include "common/TextToHtml.h"
#include "platform/Paths.h"
#include "wizard/core/InstructionTexts.h"
#include "wizard/core/ProjectFolders.h"

namespace nbx::wizard {

namespace {

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct FolderItem {
    std::string folder;
    std::string text;
};

std::string FolderList(const std::vector<FolderItem>& items) {
    std::string html = "<UL COMPACT>";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            html += "<BR><BR>";
        }
        html += "<LI><B>" + items[i].folder + "</B><BR>" + items[i].text;
    }
    html += "</UL>";
    return html;
}

}  // namespace

InstructionsPage::InstructionsPage(std::string_view projectName) {
    std::string title = "Instructions for " + std::string(projectName);
    ConvertTextToHtml(title);
    head_ = "<HTML>\r\n<HEAD>\r\n<TITLE>" + title +
            "</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#ffffff>\r\n<FONT "
            "FACE=\"Arial,Verdana,Helvetica\" SIZE=2>\r\n";
}

void InstructionsPage::AddHeading(std::string_view text) {
    if (!body_.empty()) {
        body_ += EndsWith(body_, "</OL>") || EndsWith(body_, "</UL>") ? "<BR><BR>" : "<BR><BR><BR>";
    }
    std::string heading(text);
    ConvertTextToHtml(heading);
    body_ += "<BIG><B>" + heading + "</B></BIG><BR><BR>";
}

void InstructionsPage::AddHtml(std::string_view html) {
    body_ += html;
}

std::string InstructionsPage::Document() const {
    return head_ + body_ + "</FONT></BODY>\r\n";
}

std::string ComposeInstructions(const InstructionsInput& in) {
    const ProjectPaths& paths = in.paths;
    const std::string p = EscapeHtml(paths.projectFolder);
    const std::string source = EscapeHtml(paths.sourceFolder);
    const std::string include = EscapeHtml(paths.includeFolder);
    const std::string splash = EscapeHtml(paths.splashFolder);
    const std::string output = EscapeHtml(paths.outputFolder);
    const bool ownSplash = in.splash == kSplashOwnColour || in.splash == kSplashOwnBlackAndWhite;
    const bool withInclude = in.type.usesIncludeFolder;

    InstructionsPage page(in.projectName);
    page.AddHeading("Introduction");
    page.AddHtml(
        "This file contains instructions on how to create your E-Book. You may wish to Print "
        "these instructions for future reference.");

    page.AddHeading("Folders");
    page.AddHtml("All the files relating to this project have been placed in <B>" + p +
                 "</B> folder, and sub-folders under this:");
    std::vector<FolderItem> folders = {
        {p,
         "This folder is the main folder of the project. It contains the saved project "
         "settings."},
        {source,
         "This folder should be filled with the HTML and graphic files which will "
         "eventually make up the content of your E-Book."},
    };
    if (withInclude) {
        folders.push_back({include,
                           "Use this folder to store any include files, that is to say "
                           "files which contain fragments of text or HTML which you wish "
                           "to include on multiple pages of your content."});
    }
    if (ownSplash) {
        folders.push_back({splash,
                           "This folder contains the splash screen image which is shown "
                           "when the E-Book is started."});
    }
    folders.push_back({output,
                       "This folder will contain the compiled E-Book (the file that you "
                       "should distribute to your readers)."});
    page.AddHtml(FolderList(folders));
    page.AddHtml(
        "More detailed information on what is contained in each of these folders, are given "
        "below.");

    page.AddHeading("Creating Your E-Book's Source Files");
    page.AddHtml(SourceFilesSection(in.type.software, source));

    if (withInclude) {
        page.AddHeading("The Include Folder");
        page.AddHtml(IncludeFolderSection(include));
    }

    const std::string projectFileName = EscapeHtml(paths.projectFileName);
    page.AddHeading("Your Splash Screen");
    page.AddHtml(SplashSection(in.splash, p, projectFileName, splash));

    page.AddHeading("Using Nimbrel E-Book Compiler");
    page.AddHtml("A saved Nimbrel E-Book Project has been created in the <B>" + p +
                 "</B> folder, called <B>" + projectFileName + "</B>.");
    page.AddHtml(UsingCompilerSteps(in.launch, ownSplash, p, projectFileName));

    page.AddHeading("The E-Book");
    page.AddHtml("Your E-Book will be created in the <B>" + output +
                 "</B> folder, and will be called <B>" + EscapeHtml(paths.outputEBookName) +
                 "</B>. This is the file that you should should distribute to people who wish to "
                 "read your E-Book.");

    page.AddHtml(
        "<BR><BR><HR><CENTER><SMALL>These instructions were created with Nimbrel Quick Project, "
        "version " NBX_VERSION_TEXT ".<BR>" +
        std::string(kCopyrightNotice) + "</SMALL></CENTER>");
    return page.Document();
}

}  // namespace nbx::wizard
