#pragma once
// The book's information as the wizard asks for it and as the starting project carries it.

#include <string>

namespace nbx::wizard {

struct BookInfo {
    std::string title;
    std::string publisher;
    std::string copyright;
    std::string author;
    std::string authorEmail;
    std::string authorUrl;
};

}  // namespace nbx::wizard
