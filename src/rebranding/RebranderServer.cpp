#include "rebranding/RebranderServer.h"

#include "common/ProgramLauncher.h"
#include "common/TextToHtml.h"
#include "rebranding/RebranderAssets.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

using platform::HttpRequest;
using platform::HttpResponse;
using platform::PlainResponse;

// What a browser makes of a text area's line ends when it sends a form.
std::string AsSent(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (text[i] == '\n' || text[i] == '\r') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

RebranderServer::RebranderServer(EBookRebrander& rebrander, RebranderServerOptions options)
    : rebrander_(rebrander),
      options_(std::move(options)),
      gate_(options_.token, options_.launchToken, options_.lifetime) {
    gate_.AddPort(options_.port);
    viewer_ = [](const std::string& ebook) { return StartProgram(ebook).ProgramStarted(); };
}

void RebranderServer::SetViewer(std::function<bool(const std::string&)> viewer) {
    viewer_ = std::move(viewer);
}

std::string RebranderServer::Origin() const {
    return platform::ServedGate::Origin(options_.port);
}

std::string RebranderServer::StartAddress() const {
    return gate_.FirstAddress(options_.port);
}

HttpResponse RebranderServer::Page(std::string title, const std::string& content) const {
    const std::string base = "/" + options_.token;
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    response.body = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
                    EscapeHtml(title) + "</title><link rel=\"stylesheet\" href=\"" + base +
                    "/rebrander.css\"><script src=\"" + base +
                    "/rebrander.js\" defer></script></head>"
                    "<body data-alive=\"" +
                    base + "/alive\"><main>" + content + "</main></body></html>\n";
    const std::string origin = Origin();
    response.headers = {
        {"Content-Security-Policy", "default-src 'none'; script-src " + origin + "; style-src " +
                                        origin + "; connect-src " + origin + "; form-action " +
                                        origin + "; frame-ancestors 'none'; base-uri 'none'"},
        {"X-Frame-Options", "DENY"},
        {"Cache-Control", "no-store"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Content-Type-Options", "nosniff"}};
    return response;
}

std::optional<HttpResponse> RebranderServer::Admit(const HttpRequest& head) {
    return gate_.Admit(head, {"GET", "HEAD", "POST"});
}

bool RebranderServer::Finished(std::size_t heldOpen) {
    return gate_.Expired(heldOpen) || finished_;
}

std::optional<HttpResponse> RebranderServer::Handle(const HttpRequest& request) {
    const std::string_view rest = gate_.Rest(request);
    const std::string_view name = rest.substr(1, rest.find('?') - 1);
    if (request.method == "POST") {
        if (name != "save" || !platform::ServedGate::FromOwnPage(request, Origin())) {
            return PlainResponse(403);
        }
        return Save(request);
    }
    if (name.empty()) {
        return StartPage();
    }
    if (name == "rebrander.js" || name == "rebrander.css") {
        HttpResponse file;
        const bool script = name == "rebrander.js";
        file.contentType = script ? "text/javascript; charset=utf-8" : "text/css; charset=utf-8";
        file.body = script ? RebranderScriptAsset() : RebranderStyleAsset();
        file.headers.emplace_back("X-Content-Type-Options", "nosniff");
        return file;
    }
    if (name == "alive") {
        return std::nullopt;  // held: the page is open
    }
    if (name == "customize") {
        return CustomizePage({}, nullptr);
    }
    if (name == "view" && opened_) {
        if (!viewer_(rebrander_.ebookPath())) {
            return EndPage(ProgramLaunchMessage(rebrander_.ebookPath(), 2));
        }
        finished_ = true;
        return Page(Title(), "<p class=\"message\">You can close this window now.</p>");
    }
    if (name == "exit") {
        finished_ = true;
        return Page(Title(), "<p class=\"message\">You can close this window now.</p>");
    }
    return PlainResponse(404);
}

std::string RebranderServer::Title() const {
    const RebranderRecord& record = rebrander_.record();
    return record.rebranderTitle.empty() ? "Rebrand " + record.title : record.rebranderTitle;
}

HttpResponse RebranderServer::StartPage() const {
    const RebranderRecord& record = rebrander_.record();
    const std::string title = Title();
    const std::string base = "/" + options_.token;
    return Page(title, "<h1>" + EscapeHtml(title) + "</h1><p class=\"message\">" +
                           EscapeHtml(record.rebranderStartMessage) +
                           "</p><div class=\"buttons\"><a id=\"customize\" href=\"" + base +
                           "/customize\">Customize</a><a id=\"exit\" href=\"" + base +
                           "/exit\">Exit</a></div>");
}

HttpResponse RebranderServer::CustomizePage(const std::string& message,
                                            const std::vector<std::string>* values) {
    const std::string base = "/" + options_.token;
    const std::string title = Title();
    if (!opened_) {
        if (!rebrander_.OpenEBook()) {
            return Page(title, "<p class=\"error\">" + EscapeHtml(rebrander_.error()) +
                                   "</p><div class=\"buttons\"><a href=\"" + base +
                                   "/exit\">Exit</a></div>");
        }
        opened_ = true;
    }
    const auto& variables = rebrander_.variables();
    std::string form =
        "<h1>" + EscapeHtml(title) + "</h1><form method=\"post\" action=\"" + base + "/save\">";
    form += "<p>Enter your own information below, then press Save.</p>";
    if (!message.empty()) {
        form += "<p class=\"error\" id=\"error\">" + EscapeHtml(message) + "</p>";
    }
    if (variables.empty()) {
        form += "<p>This e-book has no information that can be customized.</p>";
    }
    for (std::size_t i = 0; i < variables.size(); ++i) {
        const RebrandableVariable& v = variables[i];
        const std::string id = "v" + std::to_string(i);
        const std::string value = values ? (*values)[i] : v.value;
        form += "<label for=\"" + id + "\" title=\"" + EscapeHtml(v.name) + "\">" +
                EscapeHtml(v.description) + "</label>";
        if (EditorForKind(v.kind) == ValueEditor::MultiLine) {
            form += "<textarea id=\"" + id + "\" name=\"" + id + "\">" + EscapeHtml(value) +
                    "</textarea>";
        } else {
            form += "<input id=\"" + id + "\" name=\"" + id + "\" maxlength=\"" +
                    std::to_string(MaxValueLength(ValueEditor::SingleLine)) + "\" value=\"" +
                    EscapeHtml(value) + "\">";
        }
    }
    form += "<div class=\"buttons\"><button type=\"submit\" id=\"save\"" +
            std::string(variables.empty() ? " disabled" : "") + ">Save</button><a href=\"" + base +
            "/exit\">Exit</a></div></form>";
    return Page(title, form);
}

HttpResponse RebranderServer::Save(const HttpRequest& request) {
    if (!opened_) {
        return PlainResponse(409);
    }
    const auto& variables = rebrander_.variables();
    std::vector<std::string> values;
    for (std::size_t i = 0; i < variables.size(); ++i) {
        std::optional<std::string> sent =
            platform::QueryValue(request.body, "v" + std::to_string(i));
        if (!sent) {
            return PlainResponse(400);
        }
        // An untouched field keeps the stored bytes, whatever the browser made of their
        // line ends.
        values.push_back(*sent == AsSent(variables[i].value) ? variables[i].value : *sent);
    }
    if (!rebrander_.Rewrite(values)) {
        return CustomizePage(rebrander_.error(), &values);
    }
    return EndPage({});
}

HttpResponse RebranderServer::EndPage(const std::string& message) const {
    const std::string base = "/" + options_.token;
    std::string content = "<h1>" + EscapeHtml(Title()) + "</h1><p class=\"message\" id=\"end\">" +
                          EscapeHtml(rebrander_.record().rebranderEndMessage) + "</p>";
    if (!message.empty()) {
        content += "<p class=\"error\">" + EscapeHtml(message) + "</p>";
    }
    content += "<div class=\"buttons\"><a href=\"" + base + "/view\">View E-Book</a><a href=\"" +
               base + "/exit\">Exit</a></div>";
    return Page(Title(), content);
}

}  // namespace nbx
