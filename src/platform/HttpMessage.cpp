#include "platform/HttpMessage.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace nbx::platform {

namespace {

bool IsTokenChar(unsigned char c) {
    return c > 32 && c < 127 &&
           std::string_view("()<>@,;:\\\"/[]?={}").find(static_cast<char>(c)) ==
               std::string_view::npos;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::string_view> HttpRequest::Header(std::string_view lowerName) const {
    for (const auto& [name, value] : headers) {
        if (name == lowerName) {
            return std::string_view(value);
        }
    }
    return std::nullopt;
}

ParseResult ParseHttpRequest(std::string_view bytes, HttpRequest& request) {
    const std::size_t end = bytes.find("\r\n\r\n");
    if (end == std::string_view::npos) {
        return bytes.size() > kMaxRequestHeadBytes ? ParseResult::Bad : ParseResult::NeedMore;
    }
    if (end + 4 > kMaxRequestHeadBytes) {
        return ParseResult::Bad;
    }
    std::string_view head = bytes.substr(0, end + 2);
    HttpRequest parsed;
    std::size_t lineEnd = head.find("\r\n");
    const std::string_view requestLine = head.substr(0, lineEnd);
    head.remove_prefix(lineEnd + 2);
    const std::size_t firstBlank = requestLine.find(' ');
    const std::size_t lastBlank = requestLine.rfind(' ');
    if (firstBlank == std::string_view::npos || lastBlank == firstBlank) {
        return ParseResult::Bad;
    }
    parsed.method = requestLine.substr(0, firstBlank);
    parsed.target = requestLine.substr(firstBlank + 1, lastBlank - firstBlank - 1);
    const std::string_view version = requestLine.substr(lastBlank + 1);
    if (parsed.method.empty() || parsed.target.empty() ||
        !std::all_of(parsed.method.begin(), parsed.method.end(),
                     [](char c) { return IsTokenChar(static_cast<unsigned char>(c)); }) ||
        (version != "HTTP/1.1" && version != "HTTP/1.0")) {
        return ParseResult::Bad;
    }
    for (char c : parsed.target) {
        if (static_cast<unsigned char>(c) <= 32 || c == 127) {
            return ParseResult::Bad;
        }
    }
    while (!head.empty()) {
        lineEnd = head.find("\r\n");
        const std::string_view line = head.substr(0, lineEnd);
        head.remove_prefix(lineEnd + 2);
        const std::size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos ||
            parsed.headers.size() == kMaxRequestHeaders) {
            return ParseResult::Bad;
        }
        std::string name(line.substr(0, colon));
        for (char& c : name) {
            if (!IsTokenChar(static_cast<unsigned char>(c))) {
                return ParseResult::Bad;
            }
            c = ToLowerAscii(c);
        }
        parsed.headers.emplace_back(std::move(name),
                                    std::string(TrimAscii(line.substr(colon + 1), " \t")));
    }
    request = std::move(parsed);
    return ParseResult::Complete;
}

std::size_t RequestHeadLength(std::string_view bytes) {
    const std::size_t end = bytes.find("\r\n\r\n");
    return end == std::string_view::npos ? 0 : end + 4;
}

std::string_view ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 303:
            return "See Other";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 409:
            return "Conflict";
        case 411:
            return "Length Required";
        case 413:
            return "Content Too Large";
        case 431:
            return "Request Header Fields Too Large";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Error";
    }
}

std::string HttpResponseHead(const HttpResponse& response) {
    std::string out = "HTTP/1.1 " + std::to_string(response.status) + " ";
    out += ReasonPhrase(response.status);
    out += "\r\n";
    auto add = [&out](std::string_view name, std::string_view value) {
        constexpr std::string_view kBreaks("\r\n\0", 3);
        if (name.find_first_of(kBreaks) == std::string_view::npos &&
            value.find_first_of(kBreaks) == std::string_view::npos) {
            out.append(name).append(": ").append(value).append("\r\n");
        }
    };
    if (!response.contentType.empty()) {
        add("Content-Type", response.contentType);
    }
    for (const auto& [name, value] : response.headers) {
        add(name, value);
    }
    out +=
        "Content-Length: " + std::to_string(response.body.size() + response.tail.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out;
}

std::string SerializeHttpResponse(const HttpResponse& response, bool headOnly) {
    std::string out = HttpResponseHead(response);
    if (!headOnly) {
        out += response.body;
        out += response.tail;
    }
    return out;
}

HttpResponse PlainResponse(int status) {
    HttpResponse response;
    response.status = status;
    response.contentType = "text/plain; charset=utf-8";
    response.body = std::string(ReasonPhrase(status)) + "\n";
    return response;
}

std::optional<std::string> PercentDecode(std::string_view text, bool plusIsSpace) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view text, bool keepSlash) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           (keepSlash && c == '/');
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::optional<std::string> QueryValue(std::string_view query, std::string_view key) {
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const std::size_t eq = pair.find('=');
        if (pair.substr(0, eq) == key) {
            return PercentDecode(eq == std::string_view::npos ? "" : pair.substr(eq + 1), true);
        }
        if (amp == std::string_view::npos) {
            break;
        }
        query.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

}  // namespace nbx::platform
