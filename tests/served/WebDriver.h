#pragma once
// A WebDriver client for the browser tests: each WebDriver starts its own chromedriver on a
// free loopback port, with a headless Chromium in a fresh profile folder, and drives it over
// the W3C protocol. Every call has a time limit and reports failure in its result; nothing
// throws out of the class. The destructor ends the browser and the driver and removes the
// profile, also when a test has failed half-way.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace nbx::test {

// An element of a page, as the driver names it. Valid in the frame it was found in.
struct WebElement {
    std::string id;  // empty: no element
    // The element as a script argument: arguments[i] is the DOM element.
    nlohmann::json Reference() const;
};

// The answer to one command: error is empty on success and value holds what the command
// returned (null for commands that return nothing).
struct WebResult {
    std::string error;  // "no such element: ...", "timed out ...", with the driver's message
    nlohmann::json value;

    explicit operator bool() const { return error.empty(); }
    // value when it is a string, else "".
    std::string String() const;
    // The element that value names (a found element, or one a script returned); empty id
    // when value names none.
    WebElement Element() const;
};

// WebDriver key codes (UTF-8) for the key actions; a printable key is itself ("a", "/").
namespace WebKey {
inline constexpr const char* kBackspace = "\uE003";
inline constexpr const char* kTab = "\uE004";
inline constexpr const char* kEnter = "\uE007";
inline constexpr const char* kShift = "\uE008";
inline constexpr const char* kControl = "\uE009";
inline constexpr const char* kAlt = "\uE00A";
inline constexpr const char* kEscape = "\uE00C";
inline constexpr const char* kSpace = "\uE00D";
inline constexpr const char* kPageUp = "\uE00E";
inline constexpr const char* kPageDown = "\uE00F";
inline constexpr const char* kEnd = "\uE010";
inline constexpr const char* kHome = "\uE011";
inline constexpr const char* kArrowLeft = "\uE012";
inline constexpr const char* kArrowUp = "\uE013";
inline constexpr const char* kArrowRight = "\uE014";
inline constexpr const char* kArrowDown = "\uE015";
inline constexpr const char* kInsert = "\uE016";
inline constexpr const char* kDelete = "\uE017";
inline constexpr const char* kMeta = "\uE03D";
// F1 ... F12; an empty string for any other number.
const char* F(int number);
}  // namespace WebKey

struct WebDriverOptions {
    // More Chromium arguments after the fixed ones, e.g. "--app=http://...",
    // "--force-webrtc-ip-handling-policy=disable_non_proxied_udp".
    std::vector<std::string> arguments;
    // Opened once the session runs; empty: the browser stays where it started (its new-tab
    // page "chrome://new-tab-page-third-party/", or the page an --app= argument opened,
    // which may still be loading).
    std::string startUrl;
    // The window's outer size in CSS pixels. The page's viewport is smaller: headless
    // Chromium keeps room for its undrawn toolbar (1024 x 768 gave a 1024 x 625 page).
    int width = 1024;
    int height = 768;
    int startTimeoutMs = 30000;    // the driver and the browser ready, the first page loaded
    int commandTimeoutMs = 30000;  // page loads and scripts; each HTTP call waits a little more
};

class WebDriver {
public:
    WebDriver() = default;
    ~WebDriver();
    WebDriver(const WebDriver&) = delete;
    WebDriver& operator=(const WebDriver&) = delete;

    // Starts chromedriver and a browser session. Call once. On failure the error holds the
    // reason and the end of the driver's log, and every other call fails.
    WebResult Start(const WebDriverOptions& options = {});

    // The browser's main process (a child of chromedriver); -1 before Start succeeded.
    pid_t BrowserPid() const { return browserPid_; }
    pid_t DriverPid() const { return driverPid_; }
    // The browser's --user-data-dir, inside a temporary folder this object removes.
    const std::string& ProfileDir() const { return profileDir_; }
    // A folder for the test's own files (downloads ...), removed with the profile.
    const std::string& WorkDir() const { return workDir_; }

    // Navigation; CurrentUrl and Title answer a string value.
    WebResult Navigate(const std::string& url);
    WebResult CurrentUrl();
    WebResult Title();

    // Runs script as a function body in the current frame with args as arguments[...] (an
    // element as its Reference()); the value is what it returns. ExecuteAsync passes a callback as
    // the last argument; the value is what the script hands to it.
    WebResult Execute(const std::string& script, const std::vector<nlohmann::json>& args = {});
    WebResult ExecuteAsync(const std::string& script, const std::vector<nlohmann::json>& args = {});
    // Runs script every 50 ms until it returns true. On timeout the error says what it
    // returned last (or the script's error).
    WebResult WaitFor(const std::string& script, int timeoutMs = 10000,
                      const std::vector<nlohmann::json>& args = {});

    // Elements of the current frame. FindElement answers an element (WebResult::Element),
    // Text a string, Rect {"x", "y", "width", "height"} in CSS pixels from the top-left
    // corner of the frame's document (less its scroll offset gives the frame's viewport).
    WebResult FindElement(const std::string& css);
    WebResult Click(const WebElement& element);  // a trusted click at the element's centre
    WebResult Text(const WebElement& element);
    WebResult Rect(const WebElement& element);

    // Frames: later element calls and scripts work in the frame switched to.
    WebResult SwitchToFrame(const WebElement& frame);
    WebResult SwitchToFrame(int index);
    WebResult SwitchToParentFrame();
    WebResult SwitchToTopFrame();

    // Trusted input through the actions endpoint. x and y are CSS pixels of the top-level
    // window's viewport, whatever frame is current; button 0 is the left one. The pointer
    // and the held keys keep their state between calls until ReleaseActions. Keys go to the
    // page only: the browser's own shortcuts (Ctrl+W, Ctrl+T, Ctrl+Tab, Ctrl+PageDown, F5)
    // do nothing and reach the page, where a person's keys would not.
    WebResult PointerMove(int x, int y);
    WebResult PointerDown(int button = 0);
    WebResult PointerUp(int button = 0);
    WebResult ClickAt(int x, int y, int button = 0);
    WebResult DoubleClickAt(int x, int y);
    WebResult KeyDown(const std::string& key);
    WebResult KeyUp(const std::string& key);
    // Presses the keys in order and releases them in reverse: {WebKey::kControl, "f"}.
    WebResult KeyChord(const std::vector<std::string>& keys);
    // Presses and releases each character of text (UTF-8) in turn.
    WebResult TypeText(const std::string& text);
    // Releases every held key and button.
    WebResult ReleaseActions();

    // Windows (tabs); WindowHandles answers an array of strings, CurrentWindow a string.
    // After CloseWindow, switch to another window before the next page command.
    WebResult WindowHandles();
    WebResult CurrentWindow();
    WebResult SwitchToWindow(const std::string& handle);
    WebResult NewWindow();  // opens about:blank in a new window; value {"handle", "type"}
    WebResult CloseWindow();

    // Saves the current window's visible part as a PNG file.
    WebResult Screenshot(const std::string& pngPath);

    // A DevTools command on the current window, e.g. ("Browser.grantPermissions",
    // {{"permissions", {"clipboardReadWrite"}}}); the value is the command's result.
    WebResult Cdp(const std::string& command,
                  const nlohmann::json& params = nlohmann::json::object());

    // Any other W3C command: method and the path below the session ("/window/rect").
    WebResult Command(const std::string& method, const std::string& path,
                      const nlohmann::json& body = nullptr);

private:
    WebResult LaunchDriver(const WebDriverOptions& options);
    WebResult Send(const std::string& method, const std::string& path, const nlohmann::json& body,
                   int timeoutMs);
    WebResult Actions(const nlohmann::json& sources);
    WebResult PointerActions(const nlohmann::json& steps);
    WebResult KeyActions(const nlohmann::json& steps);
    std::string LogTail() const;
    void StartWatchdog();
    void EndWatchdog();
    void Stop();

    bool started_ = false;
    std::string folder_;
    std::string profileDir_;
    std::string workDir_;
    std::string base_;  // "/TOKEN": the driver's URL base, so a stranger on our port is not us
    std::string session_;
    std::uint16_t port_ = 0;
    pid_t driverPid_ = -1;
    pid_t browserPid_ = -1;
    pid_t watchdogPid_ = -1;
    int watchdogPipe_ = -1;  // its end closes with this process
    int commandTimeoutMs_ = 30000;
};

}  // namespace nbx::test
