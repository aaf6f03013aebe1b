#pragma once
// The links of an HTML page, read in one pass over its bytes without building a document: for
// putting a book's pages in the order their author linked them.

#include <string>
#include <string_view>
#include <vector>

namespace nbx::reader {

struct PageLinks {
    // The href of every <a> and <area>, and of a <link rel="next">, in the order they stand,
    // with character references decoded and surrounding white space dropped.
    std::vector<std::string> follow;
    // The href of the first element whose rel holds the word "next" (any letter case); empty
    // when the page names no next page.
    std::string next;
};

// Comments are skipped, and so are the contents of <script> and <style>; a quoted attribute
// value may hold '<' and '>'. Damaged markup (an unclosed tag, comment or quote) ends the
// scan with the links found before it.
PageLinks ScanPageLinks(std::string_view html);

}  // namespace nbx::reader
