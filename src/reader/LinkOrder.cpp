#include "reader/LinkOrder.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/AsciiText.h"
#include "platform/HttpMessage.h"
#include "project/SourceFile.h"
#include "reader/BookLinks.h"
#include "reader/PageLinkScan.h"

namespace nbx::reader {

namespace {

bool IsIndexName(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    const std::string last =
        ToLowerAscii(std::string(slash == std::string_view::npos ? name : name.substr(slash + 1)));
    return last == "index.htm" || last == "index.html";
}

// "http:", "mailto:", "javascript:" and the like: the link leaves the book.
bool HasScheme(std::string_view link) {
    if (link.empty() ||
        !((link[0] >= 'a' && link[0] <= 'z') || (link[0] >= 'A' && link[0] <= 'Z'))) {
        return false;
    }
    for (const char c : link) {
        if (c == ':') {
            return true;
        }
        const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!schemeChar) {
            return false;
        }
    }
    return false;
}

// The pages of one book and the links between them, each page read when first asked for.
class LinkGraph {
public:
    LinkGraph(const std::vector<DirectoryEntry>& directory,
              const std::function<std::string_view(std::size_t)>& readPage)
        : directory_(directory),
          readPage_(readPage),
          isPage_(directory.size(), 0),
          links_(directory.size()) {
        for (std::size_t i = 0; i < directory.size(); ++i) {
            if (IsHtmlName(directory[i].name) && !IsHiddenEntry(directory[i].name)) {
                isPage_[i] = 1;
                pages_.push_back(i);
            }
        }
    }

    const std::vector<std::size_t>& pages() const { return pages_; }

    struct Links {
        std::vector<std::size_t> follow;  // the pages linked, in link order
        long next = -1;
    };

    const Links& Of(std::size_t page) {
        std::optional<Links>& links = links_[page];
        if (!links) {
            links.emplace();
            const PageLinks scanned = ScanPageLinks(readPage_(page));
            // The page's address as the browser holds it: relative links resolve against it.
            const std::string from = PercentEncode(directory_[page].name, true);
            for (const std::string& link : scanned.follow) {
                const long target = Target(from, link);
                if (target >= 0 && static_cast<std::size_t>(target) != page) {
                    links->follow.push_back(static_cast<std::size_t>(target));
                }
            }
            if (!scanned.next.empty()) {
                const long next = Target(from, scanned.next);
                links->next = static_cast<std::size_t>(next) == page ? -1 : next;
            }
        }
        return *links;
    }

private:
    // The page a link leads to as the browser asks for it and the reader answers, or -1.
    long Target(const std::string& from, std::string_view link) {
        link = link.substr(0, link.find_first_of("?#"));
        if (link.empty() || HasScheme(link) || link.starts_with("//")) {
            return -1;
        }
        std::string path(link);
        std::replace(path.begin(), path.end(), '\\', '/');
        const std::optional<std::string> decoded =
            platform::PercentDecode(ResolveLinkPath(from, path), false);
        if (!decoded) {
            return -1;
        }
        // Every page links the same few pages: each path is looked up once.
        const auto [it, added] = found_.try_emplace(*decoded, -1);
        if (added) {
            const long entry = FindLinkedEntry(directory_, *decoded);
            it->second = entry >= 0 && isPage_[static_cast<std::size_t>(entry)] ? entry : -1;
        }
        return it->second;
    }

    const std::vector<DirectoryEntry>& directory_;
    const std::function<std::string_view(std::size_t)>& readPage_;
    std::vector<char> isPage_;
    std::vector<std::size_t> pages_;
    std::vector<std::optional<Links>> links_;
    std::unordered_map<std::string, long> found_;
};

long StartPage(const std::vector<DirectoryEntry>& directory,
               const std::vector<std::size_t>& pages) {
    long best = -1;
    std::size_t bestDepth = 0;
    for (const std::size_t page : pages) {
        const std::string& name = directory[page].name;
        if (!IsIndexName(name)) {
            continue;
        }
        const auto depth = static_cast<std::size_t>(std::count(name.begin(), name.end(), '/'));
        if (best < 0 || depth < bestDepth) {
            best = static_cast<long>(page);
            bestDepth = depth;
        }
    }
    return best >= 0 || pages.empty() ? best : static_cast<long>(pages.front());
}

// The link walk: depth-first in link order, each page's own pages claimed when it is reached.
std::vector<std::size_t> Walk(LinkGraph& graph, std::size_t start, std::size_t size) {
    std::vector<char> claimed(size, 0);
    std::vector<std::size_t> walk{start};
    claimed[start] = 1;
    struct Step {
        std::vector<std::size_t> own;
        std::size_t at = 0;
    };
    std::vector<Step> path;
    const auto reach = [&](std::size_t page) {
        Step step;
        for (const std::size_t target : graph.Of(page).follow) {
            if (!claimed[target]) {
                claimed[target] = 1;
                step.own.push_back(target);
            }
        }
        path.push_back(std::move(step));
    };
    reach(start);
    while (!path.empty()) {
        Step& step = path.back();
        if (step.at == step.own.size()) {
            path.pop_back();
            continue;
        }
        const std::size_t page = step.own[step.at++];
        walk.push_back(page);
        reach(page);
    }
    return walk;
}

}  // namespace

LinkOrder OrderPagesByLinks(const std::vector<DirectoryEntry>& directory,
                            const std::function<std::string_view(std::size_t)>& readPage) {
    LinkGraph graph(directory, readPage);
    LinkOrder order;
    order.start = StartPage(directory, graph.pages());
    if (order.start < 0) {
        return order;
    }
    const auto start = static_cast<std::size_t>(order.start);
    const std::vector<std::size_t> walk = Walk(graph, start, directory.size());
    std::vector<char> placed(directory.size(), 0);
    const auto place = [&](std::size_t page) {
        placed[page] = 1;
        order.pages.push_back(page);
    };
    place(start);
    std::size_t current = start;
    std::size_t inWalk = 0;
    while (true) {
        const long next = graph.Of(current).next;
        if (next >= 0 && !placed[static_cast<std::size_t>(next)]) {
            current = static_cast<std::size_t>(next);
        } else {
            while (inWalk < walk.size() && placed[walk[inWalk]]) {
                ++inWalk;
            }
            if (inWalk == walk.size()) {
                break;
            }
            current = walk[inWalk];
        }
        place(current);
    }
    order.reached = order.pages.size();
    std::vector<std::size_t> rest;
    for (const std::size_t page : graph.pages()) {
        if (!placed[page]) {
            rest.push_back(page);
        }
    }
    std::sort(rest.begin(), rest.end(), [&directory](std::size_t a, std::size_t b) {
        return directory[a].name < directory[b].name;
    });
    order.pages.insert(order.pages.end(), rest.begin(), rest.end());
    return order;
}

}  // namespace nbx::reader
