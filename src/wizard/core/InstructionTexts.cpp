#include "wizard/core/InstructionTexts.h"

#include "wizard/core/ProjectFolders.h"

namespace nbx::wizard {

namespace {

std::string Bold(const std::string& text) {
    return "<B>" + text + "</B>";
}

// Saving an Office document as web pages, for the program and the name of its menu item.
std::string OfficeSteps(const std::string& program, const std::string& document,
                        const std::string& menuItem, const std::string& source) {
    return "<OL>"
           "<LI>Write your " +
           document + " in " + program + " in the usual way." + "<LI>Keep the " + document +
           " file itself (the \".ppt\" file) as "
           "your master copy: whenever you want to change your E-Book, change this file and "
           "save it as web pages again." +
           "<LI>Click '" + menuItem + "' on the 'File' menu of " + program +
           " and save the web pages into the " + Bold(source) + " folder. " + program +
           " writes a main HTML file and a folder of pictures and supporting files beside it; "
           "keep them together in the source folder." +
           "</OL>";
}

std::string PowerPointText(const std::string& program, const std::string& menuItem,
                           const std::string& source) {
    return "Your E-Book will be made from a Presentation created with " + program +
           ". Author the Presentation normally, with all its slides, pictures and notes, and "
           "keep the Presentation file as your master copy. When it is ready, convert it to "
           "HTML with " +
           program + "'s own facilities:" + OfficeSteps(program, "Presentation", menuItem, source) +
           "Each slide becomes an HTML page, and " + program +
           " adds an outline and navigation buttons to them, so the reader can move from slide "
           "to slide inside the E-Book just as in a slide show. Avoid sound and animation "
           "effects that need " +
           program +
           " itself to play; they are not part of the HTML "
           "pages.<BR><BR>"
           "If you change the Presentation later, save it as web pages into the same folder "
           "again (replacing the old pages), then rebuild the E-Book.";
}

std::string WordText(const std::string& program, const std::string& menuItem,
                     const std::string& source) {
    return "Your E-Book will be made from documents written with " + program +
           ". Write each document as usual, then click '" + menuItem +
           "' on the 'File' menu and save it into the " + Bold(source) +
           " folder. Keep the original documents as your master copies, and save them as web "
           "pages again whenever you change them. Name the document that should open first "
           "index.htm, and use " +
           program + "'s hyperlinks to link the documents to each other.";
}

}  // namespace

std::string SourceFilesSection(SourceSoftware software, const std::string& source) {
    switch (software) {
        case SourceSoftware::PowerPoint2000:
            return PowerPointText("Microsoft PowerPoint 2000", "Save as Web Page", source);
        case SourceSoftware::PowerPoint97:
            return PowerPointText("Microsoft PowerPoint 97", "Save as HTML", source);
        case SourceSoftware::Word2000:
            return WordText("Microsoft Word 2000", "Save as Web Page", source);
        case SourceSoftware::Word97:
            return WordText("Microsoft Word 97", "Save as HTML", source);
        case SourceSoftware::HtmlDocuments:
            return "Put the HTML files and graphic files (GIF, JPEG or PNG pictures) that make up "
                   "your E-Book into the " +
                   Bold(source) +
                   " folder. You may use sub-folders for pictures. The page called index.htm or "
                   "index.html is shown first. For more detailed instructions, see the Getting "
                   "Started section of the Help.";
        case SourceSoftware::Other:
            break;
    }
    return "Use your authoring software to create the HTML files and graphic files of your "
           "E-Book, and save or publish them into the " +
           Bold(source) +
           " folder. Please check the documentation of your authoring software to find out how "
           "it saves or exports HTML pages into a folder of your choice.<BR><BR>"
           "Name the main file (the page that should be shown first) index.htm or index.html, "
           "and make sure that the links between your pages and to your pictures are relative "
           "links (for example \"chapter2.htm\" or \"images/cover.gif\" rather than a full path "
           "such as \"/home/you/book/chapter2.htm\"), so that they still work inside the "
           "E-Book.<BR><BR>"
           "For more detailed instructions, see the Getting Started section of the Help.";
}

std::string IncludeFolderSection(const std::string& include) {
    return "An include file holds a fragment of text or HTML (a copyright notice, a menu of "
           "links, an order form) that you want to show on several pages. You keep it in one "
           "place, and every page that uses it shows the current text when the E-Book is "
           "built. To use one:"
           "<OL>"
           "<LI>Save the fragment as a file in the " +
           Bold(include) + " folder." +
           "<LI>In Nimbrel E-Book Compiler, click 'Nimbrel Variables' on the 'Edit' menu, then "
           "'Add Variable'. Give the variable a name made of letters and digits (names are "
           "case-sensitive), for example MyVariable, choose the type 'Compile Time Include HTML "
           "Fragment' (or 'Compile Time Include to convert to HTML' for a plain text file) and "
           "select your file in the include folder as its value."
           "<LI>On the 'Files' tab, switch the PreProcessor on for each page that should show "
           "the fragment ('Toggle PreProcessor' on the 'Edit' menu)."
           "<LI>In those pages, type the PreProcessor command [={MyVariable}] where the fragment "
           "should appear. When the E-Book is built, the contents of the file take its place."
           "</OL>";
}

std::string SplashSection(int splash, const std::string& projectFolder,
                          const std::string& projectFileName, const std::string& splashFolder) {
    const std::string ownSteps =
        "<OL>"
        "<LI>Open the file " +
        Bold("mysplash.bmp") + " in the " + Bold(splashFolder) +
        " folder with a paint program (for example KolourPaint or GIMP)."
        "<LI>Change the picture as you wish: your title, your name, a cover picture."
        "<LI>Save it under the same name, in the same place and in the same format (a Windows "
        "bitmap, \".bmp\"), so that the project still finds it."
        "<LI>Build your E-Book again to see the new splash screen."
        "</OL>";
    const std::string chooseSteps =
        "<OL>"
        "<LI>Draw your picture with a paint program and save it as a Windows bitmap (\".bmp\" "
        "file), for example in the " +
        Bold(projectFolder) + " folder." + "<LI>Open the project " + Bold(projectFileName) +
        " from the " + Bold(projectFolder) +
        " folder in Nimbrel E-Book Compiler."
        "<LI>Click 'Start Up' on the 'Edit' menu, and select your picture as the splash "
        "bitmap."
        "<LI>Save the project and build your E-Book again."
        "</OL>";
    switch (splash) {
        case kSplashNone:
            return "As requested, you are not using a splash screen graphic. Your E-Book opens "
                   "straight away. If you later want a picture to be shown while your E-Book "
                   "loads:" +
                   chooseSteps;
        case kSplashOwnColour:
            return "As requested, you are using a color splash screen graphic. A starting "
                   "picture has been placed in the splash folder for you to change:" +
                   ownSteps;
        case kSplashOwnBlackAndWhite:
            return "As requested, you are using a black and white splash screen graphic. A "
                   "starting picture has been placed in the splash folder for you to change:" +
                   ownSteps;
        default:
            return "As requested, you are using the default Nimbrel E-Book splash screen "
                   "graphic. It is shown while your E-Book loads. To show a picture of your own "
                   "instead:" +
                   chooseSteps;
    }
}

std::string UsingCompilerSteps(bool launched, bool ownSplash, const std::string& projectFolder,
                               const std::string& projectFileName) {
    const std::string prepared =
        ownSplash ? "source files and splash screen graphic" : "source files";
    if (launched) {
        return " Nimbrel E-Book Compiler has been started with this project already open. When "
               "your " +
               prepared +
               " are ready:"
               "<OL>"
               "<LI>Click 'Refresh Files' on the 'Edit' menu, so that the 'Files' tab lists "
               "your pages."
               "<LI>Click 'Run' on the 'Build' menu. Your E-Book is built and started, so you "
               "can try it at once."
               "</OL>"
               "If you have closed Nimbrel E-Book Compiler in the meantime, start it again, "
               "click 'Open' on the 'File' menu and open " +
               Bold(projectFileName) + " from the " + Bold(projectFolder) +
               " folder, then follow the steps above.";
    }
    return " When you are ready to create the E-Book from your " + prepared +
           ":"
           "<OL>"
           "<LI>Start Nimbrel E-Book Compiler."
           "<LI>Click 'Open' on the 'File' menu and open " +
           Bold(projectFileName) + " from the " + Bold(projectFolder) + " folder." +
           "<LI>Click 'Run' on the 'Build' menu. Your E-Book is built and started, so you can "
           "try it at once."
           "</OL>";
}

}  // namespace nbx::wizard
